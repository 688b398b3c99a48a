#include "user_control.h"

#include <QMouseEvent>
#include <QWidget>

#include "form.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

// ---- PropertyBag ----

vb::Variant PropertyBag::ReadProperty(const std::string& name, const vb::Variant& defaultValue) const {
    auto it = values_.find(detail::Lower(name));
    return it == values_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(const std::string& name, const vb::Variant& value, const vb::Variant& defaultValue) {
    const std::string key = detail::Lower(name);
    bool same = false;
    if (!defaultValue.IsEmpty() && value.Type() == defaultValue.Type()) {
        try {
            same = value == defaultValue;
        } catch (const vb::VBError&) {
            same = false;
        }
    }
    if (same) {
        values_.erase(key);
    } else {
        values_[key] = value;
    }
}

bool PropertyBag::Contains(const std::string& name) const { return values_.count(detail::Lower(name)) != 0; }

// ---- UserControl ----

namespace {
class UserControlWidget : public QWidget {
public:
    UserControlWidget(std::function<void(QMouseEvent*)> press, std::function<void(QMouseEvent*)> release,
                      QWidget* parent)
        : QWidget(parent), press_(std::move(press)), release_(std::move(release)) {}

protected:
    // A press or release on a constituent reaches its own control; the
    // surface hears only of those on itself.
    void mousePressEvent(QMouseEvent* e) override {
        if (!childAt(e->position().toPoint())) press_(e);
        QWidget::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        if (rect().contains(p) && !childAt(p)) release_(e);
        QWidget::mouseReleaseEvent(e);
    }

private:
    std::function<void(QMouseEvent*)> press_, release_;
};
}  // namespace

UserControl::UserControl(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

UserControl::~UserControl() = default;

ControlList& UserControl::Controls() {
    Touch();
    return controls_;
}

void UserControl::PropertyChanged(const std::string& propertyName) { changed_.push_back(propertyName); }

bool UserControl::UserMode() const { return !IsDesigning(); }

Form* UserControl::HostForm() { return &Parent(); }

bool UserControl::IsDesigning() const { return Host().IsDesigning(); }

QWidget* UserControl::CreateWidget(QWidget* parent) {
    return new UserControlWidget(
        [this](QMouseEvent* e) {
            const auto button = detail::MouseButtonOf(e->button());
            const auto shift = detail::ShiftState(e->modifiers());
            const auto x = static_cast<float>(e->position().x() * TwipsPerPixel);
            const auto y = static_cast<float>(e->position().y() * TwipsPerPixel);
            forms::RaiseEvent([&] { UserControl_MouseDown(button, shift, x, y); });
        },
        [this](QMouseEvent*) { forms::RaiseEvent([&] { UserControl_Click(); }); }, parent);
}

void UserControl::ApplyGeometry() { forms::RaiseEvent([&] { UserControl_Resize(); }); }

void UserControl::CreateNative() {
    if (widget_) return;
    Control::CreateNative();
    for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) c->CreateNative();
    UserControl_ReadProperties(bag_);
}

void UserControl::DestroyNative() {
    std::vector<Control*> all(controls_.begin(), controls_.end());
    for (auto it = all.rbegin(); it != all.rend(); ++it) (*it)->DestroyNative();
    Control::DestroyNative();
}

void UserControl::SaveDesign() {
    Control::SaveDesign();
    for (Control* c : controls_) c->SaveDesign();
    if (!written_) {
        // The values set while the hosting form was designed are saved with it.
        written_ = true;
        UserControl_WriteProperties(bag_);
    }
    changed_.clear();
}

void UserControl::RestoreDesign() {
    Control::RestoreDesign();
    for (Control* c : controls_) c->RestoreDesign();
}

}  // namespace forms
