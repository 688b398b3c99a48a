#pragma once
// frmAbout ("About Orvanta Online"): the program's title, a version line
// with the build letter, and (builds B and C) the legal notice of the
// program's version block. Each build has its own variant of the dialog.
#include <memory>

#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmAbout : public forms::Form {
public:
    frmAbout();

    forms::PictureBox picIcon{this, "picIcon", 240, 240, 780, 780};
    forms::Label lblTitle{this, "lblTitle", "Application Title", 1200, 240, 3885, 480};
    forms::Label lblVersion{this, "lblVersion", "Version", 1200, 780, 3885, 225};
    std::unique_ptr<forms::Label> lblCopyright;    // builds B and C
    std::unique_ptr<forms::Label> lblDescription;  // build A
    std::unique_ptr<forms::PictureBox> picMisc;    // build A
    forms::Label lblDisclaimer{this, "lblDisclaimer", "", 255, 1920, 3870, 825};
    forms::ControlArray<forms::Line> Line1{this, "Line1",
        forms::Element(0, 225.0f, 1687.0f, 5310.0f, 1687.0f),
        forms::Element(1, 240.0f, 1702.0f, 5310.0f, 1702.0f)};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 4245, 1920, 1260, 345};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 240, 1200, 390, 390};

    void cmdOK_Click();
    // Build A: a double click hides the icon until the dialog closes.
    void picIcon_DblClick();

protected:
    void Form_Load() override;
};

}  // namespace catalogue
