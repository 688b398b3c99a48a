#include "line_shape.h"

#include <algorithm>

#include <QPainter>
#include <QWidget>

#include "colors.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
Qt::PenStyle PenOf(std::int16_t borderStyle) {
    switch (borderStyle) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DashLine;
    case 3: return Qt::DotLine;
    case 4: return Qt::DashDotLine;
    case 5: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

class LineWidget : public QWidget {
public:
    LineWidget(Line* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const Line::State& s = owner_->LineState();
        QPainter p(this);
        QPen pen(detail::ColorFromVB(s.borderColor));
        pen.setWidth(std::max<int>(1, s.borderWidth));
        pen.setStyle(PenOf(s.borderStyle));
        p.setPen(pen);
        const QPoint origin = pos();
        p.drawLine(QPoint(TwipsToPixels(s.x1), TwipsToPixels(s.y1)) - origin,
                   QPoint(TwipsToPixels(s.x2), TwipsToPixels(s.y2)) - origin);
    }

private:
    Line* owner_;
};

class ShapeWidget : public QWidget {
public:
    ShapeWidget(Shape* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const Shape::State& s = owner_->ShapeState();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, s.shape >= 2);
        const int bw = std::max<int>(1, s.borderWidth);
        QRect r = rect().adjusted(bw / 2, bw / 2, -(bw + 1) / 2, -(bw + 1) / 2);
        if (s.shape == 1 || s.shape == 3 || s.shape == 5) {
            const int side = std::min(r.width(), r.height());
            r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
        }
        if (s.backStyle == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(detail::ColorFromVB(s.backColor));
            Draw(p, s.shape, r);
        }
        QPen pen(detail::ColorFromVB(s.borderColor));
        pen.setWidth(bw);
        pen.setStyle(PenOf(s.borderStyle));
        p.setPen(pen);
        p.setBrush(s.fillStyle == 0 ? QBrush(detail::ColorFromVB(s.fillColor)) : QBrush(Qt::NoBrush));
        Draw(p, s.shape, r);
    }

private:
    static void Draw(QPainter& p, std::int16_t shape, const QRect& r) {
        switch (shape) {
        case 2:
        case 3: p.drawEllipse(r); break;
        case 4:
        case 5: p.drawRoundedRect(r, 8, 8); break;
        default: p.drawRect(r); break;
        }
    }
    Shape* owner_;
};
}  // namespace

// ---- Line ----

Line::Line(ControlParent parent, std::string name, Twips x1, Twips y1, Twips x2, Twips y2)
    : Control(parent, std::move(name)) {
    state_.x1 = x1;
    state_.y1 = y1;
    state_.x2 = x2;
    state_.y2 = y2;
}

#define FORMS_LINE_COORD(NAME, FIELD)            \
    Twips Line::NAME() const {                   \
        Touch();                                 \
        return state_.FIELD;                     \
    }                                            \
    void Line::NAME(Twips v) {                   \
        Touch();                                 \
        state_.FIELD = v;                        \
        if (widget_) PlaceWidget();              \
    }
FORMS_LINE_COORD(X1, x1)
FORMS_LINE_COORD(Y1, y1)
FORMS_LINE_COORD(X2, x2)
FORMS_LINE_COORD(Y2, y2)
#undef FORMS_LINE_COORD

std::int32_t Line::BorderColor() const {
    Touch();
    return state_.borderColor;
}

void Line::BorderColor(std::int32_t v) {
    Touch();
    state_.borderColor = v;
    if (widget_) widget_->update();
}

std::int16_t Line::BorderWidth() const {
    Touch();
    return state_.borderWidth;
}

void Line::BorderWidth(std::int16_t v) {
    Touch();
    if (v < 1) vb::RaiseError(380);
    state_.borderWidth = v;
    if (widget_) PlaceWidget();
}

std::int16_t Line::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void Line::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 6) vb::RaiseError(380);
    state_.borderStyle = v;
    if (widget_) widget_->update();
}

void Line::PlaceWidget() {
    if (!widget_) return;
    const int pad = std::max<int>(1, state_.borderWidth);
    const int x1 = TwipsToPixels(state_.x1), x2 = TwipsToPixels(state_.x2);
    const int y1 = TwipsToPixels(state_.y1), y2 = TwipsToPixels(state_.y2);
    const QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                        .adjusted(-pad, -pad, pad, pad);
    widget_->setGeometry(r);
    common_.left = PixelsToTwips(r.x());
    common_.top = PixelsToTwips(r.y());
    common_.width = PixelsToTwips(r.width());
    common_.height = PixelsToTwips(r.height());
    widget_->update();
}

QWidget* Line::CreateWidget(QWidget* parent) { return new LineWidget(this, parent); }

void Line::ApplyState() { widget_->update(); }

vb::Variant Line::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "x1") return vb::Variant(X1());
    if (n == "y1") return vb::Variant(Y1());
    if (n == "x2") return vb::Variant(X2());
    if (n == "y2") return vb::Variant(Y2());
    if (n == "bordercolor") return vb::Variant(BorderColor());
    if (n == "borderwidth") return vb::Variant(BorderWidth());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    if (n == "left" || n == "top" || n == "width" || n == "height" || n == "tabindex" || n == "tabstop")
        vb::RaiseError(438);
    return Control::GetMember(name);
}

void Line::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "x1") return X1(static_cast<Twips>(value.ToDouble()));
    if (n == "y1") return Y1(static_cast<Twips>(value.ToDouble()));
    if (n == "x2") return X2(static_cast<Twips>(value.ToDouble()));
    if (n == "y2") return Y2(static_cast<Twips>(value.ToDouble()));
    if (n == "bordercolor") return BorderColor(value.ToLong());
    if (n == "borderwidth") return BorderWidth(value.ToInteger());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    if (n == "left" || n == "top" || n == "width" || n == "height") vb::RaiseError(438);
    Control::SetMember(name, value);
}

void Line::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Line::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Line::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Line*>(&other)) state_ = o->state_;
}

// ---- Shape ----

Shape::Shape(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

#define FORMS_SHAPE_MEMBER(TYPE, NAME, FIELD, LO, HI) \
    TYPE Shape::NAME() const {                        \
        Touch();                                      \
        return state_.FIELD;                          \
    }                                                 \
    void Shape::NAME(TYPE v) {                        \
        Touch();                                      \
        if (v < (LO) || v > (HI)) vb::RaiseError(380); \
        state_.FIELD = v;                             \
        if (widget_) widget_->update();               \
    }
FORMS_SHAPE_MEMBER(std::int16_t, ShapeKind, shape, 0, 5)
FORMS_SHAPE_MEMBER(std::int32_t, BorderColor, borderColor, INT32_MIN, INT32_MAX)
FORMS_SHAPE_MEMBER(std::int16_t, BorderWidth, borderWidth, 1, 8192)
FORMS_SHAPE_MEMBER(std::int16_t, BorderStyle, borderStyle, 0, 6)
FORMS_SHAPE_MEMBER(std::int16_t, BackStyle, backStyle, 0, 1)
FORMS_SHAPE_MEMBER(std::int32_t, BackColor, backColor, INT32_MIN, INT32_MAX)
FORMS_SHAPE_MEMBER(std::int16_t, FillStyle, fillStyle, 0, 7)
FORMS_SHAPE_MEMBER(std::int32_t, FillColor, fillColor, INT32_MIN, INT32_MAX)
#undef FORMS_SHAPE_MEMBER

QWidget* Shape::CreateWidget(QWidget* parent) { return new ShapeWidget(this, parent); }

void Shape::ApplyState() { widget_->update(); }

vb::Variant Shape::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "shape") return vb::Variant(ShapeKind());
    if (n == "bordercolor") return vb::Variant(BorderColor());
    if (n == "borderwidth") return vb::Variant(BorderWidth());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    if (n == "backstyle") return vb::Variant(BackStyle());
    if (n == "backcolor") return vb::Variant(BackColor());
    if (n == "fillstyle") return vb::Variant(FillStyle());
    if (n == "fillcolor") return vb::Variant(FillColor());
    return Control::GetMember(name);
}

void Shape::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "shape") return ShapeKind(value.ToInteger());
    if (n == "bordercolor") return BorderColor(value.ToLong());
    if (n == "borderwidth") return BorderWidth(value.ToInteger());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    if (n == "backstyle") return BackStyle(value.ToInteger());
    if (n == "backcolor") return BackColor(value.ToLong());
    if (n == "fillstyle") return FillStyle(value.ToInteger());
    if (n == "fillcolor") return FillColor(value.ToLong());
    Control::SetMember(name, value);
}

void Shape::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Shape::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Shape::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Shape*>(&other)) state_ = o->state_;
}

}  // namespace forms
