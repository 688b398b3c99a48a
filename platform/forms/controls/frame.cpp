#include "frame.h"

#include <QGroupBox>

#include "err.h"
#include "member_names.h"

namespace forms {

Frame::Frame(ControlParent parent, std::string name, std::string caption, Twips left, Twips top, Twips width,
             Twips height)
    : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

std::string Frame::Caption() const {
    Touch();
    return state_.caption;
}

void Frame::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (widget_) ApplyState();
}

std::int16_t Frame::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void Frame::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.borderStyle = v;
    if (widget_) ApplyState();
}

QWidget* Frame::CreateWidget(QWidget* parent) { return new QGroupBox(parent); }

void Frame::ApplyState() {
    auto* g = static_cast<QGroupBox*>(widget_);
    // A frame without a border shows neither its box nor its caption; the
    // caption is still kept and read back.
    const bool bordered = state_.borderStyle != 0;
    g->setTitle(bordered ? QString::fromStdString(state_.caption) : QString());
    g->setFlat(!bordered);
    g->setStyleSheet(bordered ? QString() : QStringLiteral("QGroupBox { border: 0; margin: 0; padding: 0; }"));
}

vb::Variant Frame::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    return Control::GetMember(name);
}

void Frame::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    Control::SetMember(name, value);
}

void Frame::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Frame::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Frame::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Frame*>(&other)) state_ = o->state_;
}

}  // namespace forms
