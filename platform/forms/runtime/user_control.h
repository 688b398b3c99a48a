#pragma once
// User controls: a program's own control made of constituent controls,
// placed on forms like any other control.
//
//     class InvChkBox : public forms::UserControl {
//     public:
//         InvChkBox(forms::ControlParent parent, std::string name, forms::Twips left = 0,
//                   forms::Twips top = 0, forms::Twips width = 3795, forms::Twips height = 270);
//         forms::Image imgCheck{this, "imgCheck", 0, 0, 225, 210};
//         forms::Label lblCheckBox{this, "lblCheckBox", "CheckBox Label", 360, 0, 3255, 255};
//     protected:
//         void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
//         void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
//     };
//
// The events a user control raises are the event members it inherits from
// Control (Click, Change, ...) or std::function members of its own, raised
// with RaiseEvent. Properties that the form saves are written to and read
// from a property bag: the values set while the hosting form is at design
// time are written when design ends and read back each time the form loads.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "application.h"
#include "control.h"

namespace forms {

// Named values saved with the hosting form.
class PropertyBag {
public:
    // The stored value, or `defaultValue` when none is stored.
    vb::Variant ReadProperty(const std::string& name, const vb::Variant& defaultValue = {}) const;
    // Stores the value; a value equal to `defaultValue` is not stored.
    void WriteProperty(const std::string& name, const vb::Variant& value,
                       const vb::Variant& defaultValue = {});
    bool Contains(const std::string& name) const;
    void Clear() { values_.clear(); }

private:
    std::map<std::string, vb::Variant> values_;  // key: lower-case name
};

class UserControl : public Control, public ControlHost {
public:
    UserControl(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
                Twips width = 3795, Twips height = 270);
    ~UserControl() override;
    std::string TypeName() const override { return typeName_.empty() ? Name() : typeName_; }
    const char* WindowClass() const override { return "ThunderRT6UserControlDC"; }
    bool IsContainer() const override { return true; }

    // The user control's own constituents.
    ControlList& Controls();
    // Tells the host that a saved property changed.
    void PropertyChanged(const std::string& propertyName);
    // Names passed to PropertyChanged, in order (kept for the host and tests).
    const std::vector<std::string>& ChangedProperties() const { return changed_; }
    // Whether the hosting form is running (false while it is at design time).
    bool UserMode() const;
    PropertyBag& Bag() { return bag_; }

    // Host side.
    Form* HostForm() override;
    QWidget* ClientWidget() const override { return widget_; }
    void EnsureLoaded() override { Touch(); }
    bool IsDesigning() const override;
    win::HWND HostHwnd() const override { return hwnd_; }

    void CreateNative() override;
    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;

protected:
    void SetTypeName(std::string t) { typeName_ = std::move(t); }
    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_Resize() {}
    virtual void UserControl_Click() {}
    virtual void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
        (void)Button; (void)Shift; (void)X; (void)Y;
    }

    // Raises one of the control's own events to the hosting form.
    template <class F, class... Args>
    void RaiseEvent(const F& event, Args&&... args) {
        if (event) forms::RaiseEvent([&] { event(std::forward<Args>(args)...); });
    }

    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyGeometry() override;

private:
    PropertyBag bag_;
    std::vector<std::string> changed_;
    std::string typeName_;
    bool written_ = false;
};

}  // namespace forms
