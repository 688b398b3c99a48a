#pragma once
// frmSplash: the program's title, version, company and copyright, on screen
// while start-up opens the database.
#include <cstdint>

#include "forms.h"
#include "test_control_class.h"

namespace inventory {

class frmSplash : public forms::Form {
public:
    frmSplash();

    forms::Frame Frame1{this, "Frame1", "", 150, 60, 6390, 3615};
    forms::Image imgLogo{&Frame1, "imgLogo", 360, 705, 1800, 1800};
    forms::Label lblProductName{&Frame1, "lblProductName", "Product", 2430, 840, 3765, 600};
    forms::Label lblCompany{&Frame1, "lblCompany", "Company", 2430, 1560, 3765, 285};
    forms::Label lblVersion{&Frame1, "lblVersion", "Version", 2430, 1920, 3765, 285};
    forms::Label lblCopyright{&Frame1, "lblCopyright", "Copyright", 2430, 2280, 3765, 480};
    forms::Label lblWarning{&Frame1, "lblWarning", "", 240, 3120, 5955, 255};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", 5910, 300, 390, 390};

    void Frame1_Click();

protected:
    void Form_Load() override;
    void Form_KeyPress(std::int16_t& KeyAscii) override;
};

// The one-line legal warning of the splash and the About box.
inline constexpr const char* kLegalWarning =
    "Warning: this program is protected by copyright law.";

}  // namespace inventory
