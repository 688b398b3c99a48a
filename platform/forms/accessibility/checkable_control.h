#pragma once
// A control of the program's own that works as a check box (a user control
// drawn from pictures and a label, say) implements this, so that
// accessibility tools see a check box: named by its caption, with its checked
// state and an action that toggles it as a click does.
//
//     class InvChkBox : public forms::UserControl, public forms::CheckableControl {
//         std::string CheckBoxCaption() const override { return Caption(); }
//         bool CheckBoxChecked() const override { return Value() == 1; }
//         void ClickAsUser() override { ... what a left click does ... }
//     };
#include <string>

namespace forms {

class Control;

class CheckableControl {
public:
    virtual ~CheckableControl() = default;
    virtual std::string CheckBoxCaption() const = 0;
    virtual bool CheckBoxChecked() const = 0;
    // What the user's click on it does, events and all.
    virtual void ClickAsUser() = 0;
};

// Tells listening tools that the check box's checked state changed.
void CheckedStateChanged(Control& control);

}  // namespace forms
