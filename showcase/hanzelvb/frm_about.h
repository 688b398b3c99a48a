#pragma once
// frmAbout ("About VB Hanzel!"): the program's title and version, and a
// button that starts the system-information program the registry names.
#include <cstdint>
#include <string>

#include "forms.h"
#include "test_control.h"

namespace hanzelvb {

class frmAbout : public forms::Form {
public:
    frmAbout();

    forms::PictureBox picIcon{this, "picIcon", 240, 240, 540, 540};
    forms::Label lblTitle{this, "lblTitle", "Application Title", 1050, 240, 3885, 480};
    forms::Label lblVersion{this, "lblVersion", "Version", 1050, 780, 3885, 225};
    forms::Label lblDescription{this, "lblDescription", "This application was created with Visual Basic 5.0.",
                                1050, 1125, 3885, 1170};
    forms::Label lblDisclaimer{this, "lblDisclaimer",
                               "A sample for trying out a GUI testing tool on standard controls.", 255, 2625,
                               3870, 825};
    forms::ControlArray<forms::Line> Line1{this, "Line1",
        forms::Element(0, 225.0f, 1687.0f, 5310.0f, 1687.0f),
        forms::Element(1, 240.0f, 1702.0f, 5310.0f, 1702.0f)};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 4245, 2625, 1260, 345};
    forms::CommandButton cmdSysInfo{this, "cmdSysInfo", "&System Info...", 4260, 3075, 1245, 345};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 240, 3000, 390, 390};

    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void Form_Load() override;

private:
    // Starts the system-information program, or says that there is none.
    void StartSysInfo();
    // Reads value `SubKeyRef` of key `KeyName` under the root `KeyRoot` into
    // `KeyVal`: a text as it is, a 32-bit number as its decimal text; a value
    // of another type leaves `KeyVal` as it was. False (and `KeyVal` empty)
    // when the key or the value cannot be read.
    bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);
};

}  // namespace hanzelvb
