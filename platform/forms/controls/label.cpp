#include "label.h"

#include <algorithm>
#include <vector>

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include "application.h"
#include "colors.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
// The caption as measured: "&" marks an access key and is not shown ("&&" is one "&").
QString ShownCaption(const std::string& caption) {
    QString out;
    const QString in = QString::fromStdString(caption);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&') {
            if (i + 1 < in.size() && in[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += in[i];
    }
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

// The caption as the widget takes it: the access key marked, for the widget
// to underline.
QString MarkedCaption(const std::string& caption) {
    QString out = QString::fromStdString(caption);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

// A label's widget. It is its own buddy, which makes it underline its access
// key and take the key; where the key sends the focus is decided when it is
// pressed, by the tab order of that moment.
class LabelWidget : public QLabel {
public:
    LabelWidget(QWidget* parent, Label* label) : QLabel(parent), label_(label) {
        setTextFormat(Qt::PlainText);
        setBuddy(this);
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Shortcut) {
            label_->FocusNextInTabOrder();
            return true;
        }
        return QLabel::event(e);
    }

private:
    Label* label_;
};
}  // namespace

Label::Label(ControlParent parent, std::string name, std::string caption, Twips left, Twips top,
             Twips width, Twips height)
    : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

std::string Label::Caption() const {
    Touch();
    return state_.caption;
}

void Label::Caption(const std::string& caption) {
    Touch();
    if (caption == state_.caption) return;
    state_.caption = caption;
    if (widget_) ApplyState();
    if (!widget_ && state_.autoSize) FitToCaption();
    if (Change && !detail::EndCalled()) Change();
}

std::int16_t Label::Alignment() const {
    Touch();
    return state_.alignment;
}

void Label::Alignment(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    state_.alignment = v;
    if (widget_) ApplyState();
}

bool Label::AutoSize() const {
    Touch();
    return state_.autoSize;
}

void Label::AutoSize(bool v) {
    Touch();
    state_.autoSize = v;
    if (widget_) ApplyState();
}

std::int16_t Label::BackStyle() const {
    Touch();
    return state_.backStyle;
}

void Label::BackStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.backStyle = v;
    if (widget_) ApplyState();
}

std::int16_t Label::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void Label::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.borderStyle = v;
    if (widget_) ApplyState();
}

bool Label::WordWrap() const {
    Touch();
    return state_.wordWrap;
}

void Label::WordWrap(bool v) {
    Touch();
    state_.wordWrap = v;
    if (widget_) ApplyState();
}

std::int32_t Label::ForeColor() const {
    Touch();
    return state_.foreColor;
}

void Label::ForeColor(std::int32_t v) {
    Touch();
    state_.foreColor = v;
    if (widget_) ApplyState();
}

std::int32_t Label::BackColor() const {
    Touch();
    return state_.backColor;
}

void Label::BackColor(std::int32_t v) {
    Touch();
    state_.backColor = v;
    if (widget_) ApplyState();
}

void Label::ShowBoundValue(const vb::Variant& value) {
    Caption(value.IsNull() || value.IsEmpty() ? std::string() : value.ToString());
    common_.dataChanged = false;
}

QWidget* Label::CreateWidget(QWidget* parent) { return new LabelWidget(parent, this); }

void Label::FocusNextInTabOrder() {
    std::vector<Control*> order;
    for (Control* c : Host().ControlsList()) {
        if (c->HasTabIndex()) order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->RawTabIndex() < b->RawTabIndex(); });
    const auto self = std::find(order.begin(), order.end(), this);
    if (self == order.end()) return;
    // The controls after the label, then those before it.
    std::rotate(order.begin(), self + 1, order.end());
    for (Control* c : order) {
        QWidget* w = c->Widget();
        if (c == this || !c->CanFocus() || !w || !w->isEnabled() || !w->isVisibleTo(w->window())) continue;
        w->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

void Label::FitToCaption() {
    QFont f;
    if (widget_) f = widget_->font();
    font_->ApplyTo(f);
    const QFontMetrics fm(f);
    const QString text = ShownCaption(state_.caption);
    if (state_.wordWrap) {
        const QRect r = fm.boundingRect(QRect(0, 0, std::max(1, TwipsToPixels(common_.width)), 10000),
                                        Qt::TextWordWrap, text);
        common_.height = PixelsToTwips(r.height() + (state_.borderStyle ? 4 : 0));
    } else {
        int w = 0;
        for (const QString& line : text.split('\n')) w = std::max(w, fm.horizontalAdvance(line));
        const auto lines = std::max<qsizetype>(1, text.split('\n').size());
        common_.width = PixelsToTwips(w + (state_.borderStyle ? 4 : 0));
        common_.height = PixelsToTwips(fm.height() * static_cast<int>(lines) + (state_.borderStyle ? 4 : 0));
    }
}

void Label::ApplyState() {
    auto* l = static_cast<QLabel*>(widget_);
    l->setText(MarkedCaption(state_.caption));
    Qt::Alignment a = Qt::AlignTop;
    a |= state_.alignment == 1 ? Qt::AlignRight : state_.alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    l->setAlignment(a);
    l->setWordWrap(state_.wordWrap);
    l->setFrameStyle(state_.borderStyle ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    QPalette p = l->palette();
    if (detail::IsOwnColor(state_.foreColor)) p.setColor(QPalette::WindowText, detail::ColorFromVB(state_.foreColor));
    if (detail::IsOwnColor(state_.backColor)) p.setColor(QPalette::Window, detail::ColorFromVB(state_.backColor));
    l->setPalette(p);
    // An opaque label without a back colour of its own shows the colour its
    // form or frame gives it: the container's background shows through.
    l->setAutoFillBackground(state_.backStyle == 1 && detail::IsOwnColor(state_.backColor));
    if (state_.autoSize) {
        FitToCaption();
        PlaceWidget();
    }
}

vb::Variant Label::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "alignment") return vb::Variant(Alignment());
    if (n == "autosize") return vb::Variant(AutoSize());
    if (n == "backstyle") return vb::Variant(BackStyle());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    if (n == "wordwrap") return vb::Variant(WordWrap());
    if (n == "forecolor") return vb::Variant(ForeColor());
    if (n == "backcolor") return vb::Variant(BackColor());
    return Control::GetMember(name);
}

void Label::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "alignment") return Alignment(value.ToInteger());
    if (n == "autosize") return AutoSize(value.ToBool());
    if (n == "backstyle") return BackStyle(value.ToInteger());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    if (n == "wordwrap") return WordWrap(value.ToBool());
    if (n == "forecolor") return ForeColor(value.ToLong());
    if (n == "backcolor") return BackColor(value.ToLong());
    Control::SetMember(name, value);
}

void Label::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Label::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Label::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Label*>(&other)) state_ = o->state_;
}

}  // namespace forms
