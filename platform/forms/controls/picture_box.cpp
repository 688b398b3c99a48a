#include "picture_box.h"

#include <algorithm>

#include <QFontMetrics>
#include <QFrame>
#include <QPainter>

#include "application.h"
#include "colors.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
class PictureWidget : public QFrame {
public:
    PictureWidget(PictureBox* owner, QWidget* parent) : QFrame(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        QPainter p(this);
        const QRect r = contentsRect();
        p.setClipRect(r);
        if (const PictureRef& pic = owner_->RawPicture(); pic && !pic->IsEmpty()) p.drawPixmap(r.topLeft(), pic->Pixmap());
        p.setFont(font());
        const QFontMetrics fm(font());
        for (const auto& t : owner_->Printed()) {
            p.drawText(QPoint(r.x() + TwipsToPixels(t.x), r.y() + TwipsToPixels(t.y) + fm.ascent()),
                       QString::fromStdString(t.text));
        }
    }

private:
    PictureBox* owner_;
};
}  // namespace

PictureBox::PictureBox(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

PictureRef PictureBox::Picture() const {
    Touch();
    return state_.picture;
}

void PictureBox::Picture(PictureRef picture) {
    Touch();
    state_.picture = std::move(picture);
    if (state_.autoSize && state_.picture && !state_.picture->IsEmpty()) {
        const int border = state_.borderStyle ? 4 : 0;
        common_.width = PixelsToTwips(state_.picture->Pixmap().width() + border);
        common_.height = PixelsToTwips(state_.picture->Pixmap().height() + border);
    }
    if (widget_) {
        PlaceWidget();
        widget_->update();
    }
}

bool PictureBox::AutoSize() const {
    Touch();
    return state_.autoSize;
}

void PictureBox::AutoSize(bool v) {
    Touch();
    state_.autoSize = v;
    if (v) Picture(state_.picture);
}

std::int16_t PictureBox::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void PictureBox::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.borderStyle = v;
    if (widget_) ApplyState();
}

std::int16_t PictureBox::Align() const {
    Touch();
    return state_.align;
}

void PictureBox::Align(std::int16_t v) {
    Touch();
    if (v < 0 || v > 4) vb::RaiseError(380);
    state_.align = v;
    if (widget_) PlaceWidget();
}

std::int32_t PictureBox::BackColor() const {
    Touch();
    return state_.backColor;
}

void PictureBox::BackColor(std::int32_t v) {
    Touch();
    state_.backColor = v;
    if (widget_) ApplyState();
}

Twips PictureBox::ScaleWidth() const {
    Touch();
    return std::max<Twips>(0, common_.width - (state_.borderStyle ? PixelsToTwips(4) : 0));
}

Twips PictureBox::ScaleHeight() const {
    Touch();
    return std::max<Twips>(0, common_.height - (state_.borderStyle ? PixelsToTwips(4) : 0));
}

void PictureBox::Cls() {
    Touch();
    printed_.clear();
    currentX_ = currentY_ = 0;
    if (widget_) widget_->update();
}

void PictureBox::Print(const std::string& text) {
    Touch();
    printed_.push_back({currentX_, currentY_, text});
    currentX_ = 0;
    currentY_ += TextHeight(text);
    if (widget_) widget_->update();
}

Twips PictureBox::CurrentX() const {
    Touch();
    return currentX_;
}

void PictureBox::CurrentX(Twips v) {
    Touch();
    currentX_ = v;
}

Twips PictureBox::CurrentY() const {
    Touch();
    return currentY_;
}

void PictureBox::CurrentY(Twips v) {
    Touch();
    currentY_ = v;
}

Twips PictureBox::TextWidth(const std::string& text) {
    Touch();
    QFont f = widget_ ? widget_->font() : QFont();
    font_->ApplyTo(f);
    return PixelsToTwips(QFontMetrics(f).horizontalAdvance(QString::fromStdString(text)));
}

Twips PictureBox::TextHeight(const std::string& text) {
    (void)text;
    Touch();
    QFont f = widget_ ? widget_->font() : QFont();
    font_->ApplyTo(f);
    return PixelsToTwips(QFontMetrics(f).height());
}

vb::Variant PictureBox::BoundValue() const { return vb::Variant(vb::ObjectRef(state_.picture)); }

void PictureBox::ShowBoundValue(const vb::Variant& value) {
    if (value.IsObject()) Picture(PictureFromVariant(value));
    common_.dataChanged = false;
}

QWidget* PictureBox::CreateWidget(QWidget* parent) { return new PictureWidget(this, parent); }

void PictureBox::ApplyState() {
    auto* f = static_cast<QFrame*>(widget_);
    f->setFrameStyle(state_.borderStyle ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    f->setLineWidth(2);
    if (detail::IsOwnColor(state_.backColor)) {
        QPalette p = f->palette();
        p.setColor(QPalette::Window, detail::ColorFromVB(state_.backColor));
        f->setPalette(p);
        f->setAutoFillBackground(true);
    }
    f->update();
}

void PictureBox::PlaceWidget() {
    if (!widget_) return;
    QWidget* parent = widget_->parentWidget();
    if (state_.align != 0 && parent) {
        // Along an edge of the container, at its full width or height.
        const int h = TwipsToPixels(common_.height);
        const int w = TwipsToPixels(common_.width);
        int offset = 0;
        for (Control* c : Host().ControlsList()) {
            if (c == this) break;
            auto* p = dynamic_cast<PictureBox*>(c);
            if (p && p->state_.align == state_.align && p->common_.visible && p->Container() == Container())
                offset += state_.align <= 2 ? TwipsToPixels(p->common_.height) : TwipsToPixels(p->common_.width);
        }
        switch (state_.align) {
        case 1: widget_->setGeometry(0, offset, parent->width(), h); break;
        case 2: widget_->setGeometry(0, parent->height() - h - offset, parent->width(), h); break;
        case 3: widget_->setGeometry(offset, 0, w, parent->height()); break;
        default: widget_->setGeometry(parent->width() - w - offset, 0, w, parent->height()); break;
        }
        common_.left = PixelsToTwips(widget_->x());
        common_.top = PixelsToTwips(widget_->y());
        if (state_.align <= 2) common_.width = PixelsToTwips(parent->width());
        else common_.height = PixelsToTwips(parent->height());
        return;
    }
    Control::PlaceWidget();
}

vb::Variant PictureBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "picture") return vb::Variant(vb::ObjectRef(Picture()));
    if (n == "autosize") return vb::Variant(AutoSize());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    if (n == "align") return vb::Variant(Align());
    if (n == "backcolor") return vb::Variant(BackColor());
    if (n == "scalewidth") return vb::Variant(ScaleWidth());
    if (n == "scaleheight") return vb::Variant(ScaleHeight());
    if (n == "currentx") return vb::Variant(CurrentX());
    if (n == "currenty") return vb::Variant(CurrentY());
    return Control::GetMember(name);
}

void PictureBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "picture") return Picture(PictureFromVariant(value));
    if (n == "autosize") return AutoSize(value.ToBool());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    if (n == "align") return Align(value.ToInteger());
    if (n == "backcolor") return BackColor(value.ToLong());
    if (n == "currentx") return CurrentX(static_cast<Twips>(value.ToDouble()));
    if (n == "currenty") return CurrentY(static_cast<Twips>(value.ToDouble()));
    Control::SetMember(name, value);
}

vb::Variant PictureBox::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "cls") {
        Cls();
        return {};
    }
    if (n == "print") {
        Print(args.empty() ? std::string() : args[0].ToString());
        return {};
    }
    if (n == "textwidth") return vb::Variant(TextWidth(detail::Arg(args, 0).ToString()));
    if (n == "textheight") return vb::Variant(TextHeight(detail::Arg(args, 0).ToString()));
    return Control::CallMember(name, args);
}

void PictureBox::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void PictureBox::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    printed_.clear();
    currentX_ = currentY_ = 0;
}

void PictureBox::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const PictureBox*>(&other)) state_ = o->state_;
}

}  // namespace forms
