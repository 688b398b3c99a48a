#pragma once
// frmExistingLogin ("Orvanta Login"): the customer picks a name, may type a
// password and have it remembered; the choice goes to modMain's gobjLogin.
#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmExistingLogin : public forms::Form {
public:
    frmExistingLogin();

    forms::Frame frameLogin{this, "frameLogin", "Account Info", 120, 120, 4455, 1695};
    forms::ControlArray<forms::Label> lblLabels{&frameLogin, "lblLabels",
        forms::Element(0, "Full Name:", 240, 405, 1095, 255),
        forms::Element(1, "Password:", 240, 885, 1095, 255)};
    forms::ComboBox lstUserName{&frameLogin, "lstUserName", 1440, 360, 2775, 315};
    forms::TextBox txtPassword{&frameLogin, "txtPassword", 1440, 840, 2775, 315};
    forms::CheckBox chkPassword{&frameLogin, "chkPassword", "Remember Password", 1440, 1260, 2415, 255};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 1920, 1980, 1215, 390};
    forms::CommandButton cmdCancel{this, "cmdCancel", "E&xit", 3360, 1980, 1215, 390};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 1980, 390, 390};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
};

}  // namespace catalogue
