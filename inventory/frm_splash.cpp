#include "frm_splash.h"

#include "app_object.h"
#include "err.h"
#include "form_fonts.h"
#include "inventory_pictures.h"
#include "program_build.h"

namespace inventory {

frmSplash::frmSplash() : Form("frmSplash") {
    const BuildDesign& design = Design();
    BorderStyle(0);
    StartUpPosition(2);
    KeyPreview(true);
    ClientSize(design.splashClientWidth, design.splashClientHeight);

    imgLogo.Stretch(true);
    imgLogo.Picture(SplashLogo());
    for (forms::Label* label : {&lblProductName, &lblCompany, &lblVersion, &lblCopyright, &lblWarning}) {
        label->Font().Name("Arial");
        label->Font().Size(9);
        label->BackStyle(0);
    }
    lblProductName.Font().Size(18);
    lblProductName.Font().Bold(true);
    lblCopyright.WordWrap(true);
    lblWarning.Caption(kLegalWarning);
    lblWarning.Font().Size(8);

    Frame1.Click = [this] { Frame1_Click(); };
}

void frmSplash::Form_Load() {
    const BuildDesign& design = Design();
    const vb::AppObject& app = vb::App();
    lblCompany.Caption(app.CompanyName());
    lblVersion.Caption(design.splashVersionPrefix + std::to_string(app.Major()) + "." +
                       std::to_string(app.Minor()) + "." + std::to_string(app.Revision()));
    lblProductName.Caption(app.Title());
    lblCopyright.Caption(design.splashCopyrightNamesCompany ? app.LegalCopyright() + " " + app.CompanyName()
                                                            : app.LegalCopyright());
    if (design.splashShowsBeforeFonts) {
        Show(forms::vbModeless);
        vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    } else {
        vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
        vb::ResumeNext([&] { Show(forms::vbModeless); });
    }
}

void frmSplash::Form_KeyPress(std::int16_t& KeyAscii) {
    (void)KeyAscii;
    forms::Unload(*this);
}

void frmSplash::Frame1_Click() { forms::Unload(*this); }

}  // namespace inventory
