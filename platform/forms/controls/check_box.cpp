#include "check_box.h"

#include <QCheckBox>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
// A click moves between unchecked and checked only; greyed is set from code.
class CheckBoxWidget : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

Qt::CheckState ToQt(std::int16_t v) {
    return v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}
}  // namespace

CheckBox::CheckBox(ControlParent parent, std::string name, std::string caption, Twips left, Twips top,
                   Twips width, Twips height)
    : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

std::string CheckBox::Caption() const {
    Touch();
    return state_.caption;
}

void CheckBox::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (widget_) ApplyState();
}

std::int16_t CheckBox::Value() const {
    Touch();
    return state_.value;
}

void CheckBox::Value(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    if (v == state_.value) return;
    state_.value = v;
    common_.dataChanged = true;
    if (auto* b = qobject_cast<QCheckBox*>(widget_)) {
        const bool blocked = b->blockSignals(true);
        b->setCheckState(ToQt(v));
        b->blockSignals(blocked);
    }
    if (Click && !detail::EndCalled()) Click();
}

vb::Variant CheckBox::BoundValue() const { return vb::Variant(state_.value == 1); }

void CheckBox::ShowBoundValue(const vb::Variant& value) {
    std::int16_t v = 0;
    if (value.IsNull()) {
        v = 2;
    } else if (!value.IsEmpty()) {
        v = value.ToBool() ? 1 : 0;
    }
    Value(v);
    common_.dataChanged = false;
}

QWidget* CheckBox::CreateWidget(QWidget* parent) {
    auto* b = new CheckBoxWidget(parent);
    QObject::connect(b, &QCheckBox::stateChanged, connections_, [this](int s) {
        const std::int16_t v = s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
        if (v == state_.value) return;
        state_.value = v;
        common_.dataChanged = true;
        RaiseEvent(Click);
    });
    return b;
}

void CheckBox::ApplyState() {
    auto* b = static_cast<QCheckBox*>(widget_);
    b->setText(QString::fromStdString(state_.caption));
    b->setCheckState(ToQt(state_.value));
}

vb::Variant CheckBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "value") return vb::Variant(Value());
    return Control::GetMember(name);
}

void CheckBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "value") return Value(value.ToInteger());
    Control::SetMember(name, value);
}

void CheckBox::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void CheckBox::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void CheckBox::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const CheckBox*>(&other)) state_ = o->state_;
}

}  // namespace forms
