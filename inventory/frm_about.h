#pragma once
// frmAbout: the program's title, the version line with the build letter,
// the copyright and the company.
#include <memory>

#include "forms.h"
#include "test_control_class.h"

namespace inventory {

class frmAbout : public forms::Form {
public:
    frmAbout();

    std::unique_ptr<forms::Image> Image1;         // build C
    std::unique_ptr<forms::PictureBox> picIcon;   // build B
    forms::Label lblTitle{this, "lblTitle", "Application Title", 1800, 240, 3645, 480};
    forms::Label lblVersion{this, "lblVersion", "Version", 1800, 780, 3645, 225};
    forms::Label lblCopyright{this, "lblCopyright", "Copyright", 1800, 1140, 3645, 495};
    forms::Label lblDisclaimer{this, "lblDisclaimer", "", 255, 2400, 3750, 825};
    forms::ControlArray<forms::Line> Line1{this, "Line1",
        forms::Element(0, 120.0f, 2205.0f, 5450.0f, 2205.0f),
        forms::Element(1, 135.0f, 2220.0f, 5450.0f, 2220.0f)};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 4245, 2580, 1260, 345};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", 240, 1800, 390, 390};

    void cmdOK_Click();

protected:
    void Form_Load() override;
};

}  // namespace inventory
