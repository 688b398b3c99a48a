#include "option_button.h"

#include <QRadioButton>

#include "application.h"
#include "member_names.h"

namespace forms {

namespace {
// Sets a radio button without touching the others in its parent widget and
// without its signals: the option buttons keep their values themselves.
void SetChecked(QRadioButton* r, bool checked) {
    const bool blocked = r->blockSignals(true);
    r->setAutoExclusive(false);
    r->setChecked(checked);
    r->setAutoExclusive(true);
    r->blockSignals(blocked);
}

// An option button answers to a click anywhere on the control, not only on
// its circle and caption.
class OptionWidget : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
}  // namespace

OptionButton::OptionButton(ControlParent parent, std::string name, std::string caption, Twips left, Twips top,
                           Twips width, Twips height)
    : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

std::string OptionButton::Caption() const {
    Touch();
    return state_.caption;
}

void OptionButton::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (widget_) ApplyState();
}

bool OptionButton::Value() const {
    Touch();
    return state_.value;
}

void OptionButton::ClearSiblings() {
    for (Control* c : Host().ControlsList()) {
        auto* o = dynamic_cast<OptionButton*>(c);
        if (!o || o == this || o->Container() != Container()) continue;
        if (o->state_.value) {
            o->state_.value = false;
            if (auto* r = qobject_cast<QRadioButton*>(o->widget_)) SetChecked(r, false);
        }
    }
}

void OptionButton::Value(bool v) {
    Touch();
    if (v == state_.value) {
        if (v && Click && !detail::EndCalled()) Click();  // selecting the selected one clicks it again
        return;
    }
    state_.value = v;
    if (v) ClearSiblings();
    if (auto* r = qobject_cast<QRadioButton*>(widget_)) SetChecked(r, v);
    if (v && Click && !detail::EndCalled()) Click();
}

void OptionButton::Selected() {
    if (state_.value) return;
    state_.value = true;
    ClearSiblings();
    RaiseEvent(Click);
}

QWidget* OptionButton::CreateWidget(QWidget* parent) {
    auto* r = new OptionWidget(parent);
    QObject::connect(r, &QRadioButton::toggled, connections_, [this](bool on) {
        if (on) {
            Selected();
        } else {
            state_.value = false;
        }
    });
    return r;
}

void OptionButton::ApplyState() {
    auto* r = static_cast<QRadioButton*>(widget_);
    r->setText(QString::fromStdString(state_.caption));
    SetChecked(r, state_.value);
}

vb::Variant OptionButton::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "value") return vb::Variant(Value());
    return Control::GetMember(name);
}

void OptionButton::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "value") return Value(value.ToBool());
    Control::SetMember(name, value);
}

void OptionButton::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void OptionButton::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void OptionButton::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const OptionButton*>(&other)) {
        state_ = o->state_;
        state_.value = false;
    }
}

}  // namespace forms
