#pragma once
// InvChkBox: the program's own check box. Two small pictures show the
// checked and the unchecked box, the caption stands in a label beside them.
// The caption is saved with the hosting form; the value is not, so a box is
// checked whenever its form loads. A left click anywhere on it toggles it;
// every click raises Click. Accessibility tools see a check box named by the
// caption, whose action clicks it.
#include <cstdint>
#include <string>

#include "checkable_control.h"
#include "image.h"
#include "label.h"
#include "user_control.h"

namespace inventory {

class InvChkBox : public forms::UserControl, public forms::CheckableControl {
public:
    InvChkBox(forms::ControlParent parent, std::string name, forms::Twips left = 0, forms::Twips top = 0,
              forms::Twips width = 3795, forms::Twips height = 270);

    // The ticked picture lies over the empty one: it shows when checked.
    forms::Image imgUncheck{this, "imgUncheck", 0, 0, 210, 210};
    forms::Image imgCheck{this, "imgCheck", 0, 0, 225, 210};
    forms::Label lblCheckBox{this, "lblCheckBox", "CheckBox Label", 360, 0, 3255, 255};

    std::string Caption() const;
    void Caption(const std::string& New_Caption);
    // 1 checked, 0 unchecked; any value but 1 unchecks.
    std::int16_t Value() const;
    void Value(std::int16_t New_Value);

    // As a check box to accessibility tools: the caption, checked when the
    // value is 1, and a left click.
    std::string CheckBoxCaption() const override { return Caption(); }
    bool CheckBoxChecked() const override { return Value() == 1; }
    void ClickAsUser() override;

    // Caption and Value by name.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    // The class the control is registered under.
    static constexpr const char* kClassString = "StockwiseC.InvChkBox";

protected:
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;

private:
    void imgCheck_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void imgCheck_Click();
    void imgUncheck_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void imgUncheck_Click();
    void lblCheckBox_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void lblCheckBox_Click();
    // What a click on any part does: a left click toggles, then Click.
    void Clicked();

    std::int16_t lastButton_ = 0;  // Button of the latest MouseDown on any part
};

}  // namespace inventory
