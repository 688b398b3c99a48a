#include "command_button.h"

#include <QIcon>
#include <QPushButton>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

CommandButton::CommandButton(ControlParent parent, std::string name, std::string caption, Twips left, Twips top,
                             Twips width, Twips height)
    : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

std::string CommandButton::Caption() const {
    Touch();
    return state_.caption;
}

void CommandButton::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (widget_) ApplyState();
}

bool CommandButton::Default() const {
    Touch();
    return state_.isDefault;
}

void CommandButton::Default(bool v) {
    Touch();
    if (v) {
        // One default button per form.
        for (Control* c : Host().ControlsList()) {
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this && b->state_.isDefault) {
                b->state_.isDefault = false;
                if (b->widget_) b->ApplyState();
            }
        }
    }
    state_.isDefault = v;
    if (widget_) ApplyState();
}

bool CommandButton::Cancel() const {
    Touch();
    return state_.isCancel;
}

void CommandButton::Cancel(bool v) {
    Touch();
    if (v) {
        for (Control* c : Host().ControlsList()) {
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) b->state_.isCancel = false;
        }
    }
    state_.isCancel = v;
}

std::int16_t CommandButton::Style() const {
    Touch();
    return state_.style;
}

void CommandButton::Style(std::int16_t v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.style = v;
}

PictureRef CommandButton::Picture() const {
    Touch();
    return state_.picture;
}

void CommandButton::Picture(PictureRef picture) {
    Touch();
    state_.picture = std::move(picture);
    if (widget_) ApplyState();
}

void CommandButton::Value(bool v) {
    Touch();
    if (!v) return;
    if (auto* b = qobject_cast<QPushButton*>(widget_)) {
        // Clicked from code: the Click event runs even when the button is hidden.
        CallIntoQt([&] { emit b->clicked(false); });
    }
}

QWidget* CommandButton::CreateWidget(QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, connections_, [this] { RaiseEvent(Click); });
    return b;
}

void CommandButton::ApplyState() {
    auto* b = static_cast<QPushButton*>(widget_);
    b->setText(QString::fromStdString(state_.caption));
    b->setDefault(state_.isDefault);
    if (state_.style == 1 && state_.picture && !state_.picture->IsEmpty()) {
        b->setIcon(QIcon(state_.picture->Pixmap()));
        b->setIconSize(state_.picture->Pixmap().size());
    } else {
        b->setIcon(QIcon());
    }
}

vb::Variant CommandButton::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "default") return vb::Variant(Default());
    if (n == "cancel") return vb::Variant(Cancel());
    if (n == "style") return vb::Variant(Style());
    if (n == "value") return vb::Variant(false);
    if (n == "picture") {
        PictureRef p = Picture();
        return vb::Variant(vb::ObjectRef(p));
    }
    return Control::GetMember(name);
}

void CommandButton::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "default") return Default(value.ToBool());
    if (n == "cancel") return Cancel(value.ToBool());
    if (n == "style") return Style(value.ToInteger());
    if (n == "value") return Value(value.ToBool());
    if (n == "picture") return Picture(PictureFromVariant(value));
    Control::SetMember(name, value);
}

void CommandButton::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void CommandButton::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void CommandButton::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const CommandButton*>(&other)) {
        state_ = o->state_;
        state_.isDefault = state_.isCancel = false;
    }
}

}  // namespace forms
