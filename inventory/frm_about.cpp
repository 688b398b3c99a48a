#include "frm_about.h"

#include "app_object.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_splash.h"
#include "inventory_pictures.h"
#include "program_build.h"

namespace inventory {

frmAbout::frmAbout() : Form("frmAbout") {
    const BuildDesign& design = Design();
    Caption("About MyApp");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(design.aboutClientWidth, design.aboutClientHeight);

    if (design.aboutShowsIcon) {
        picIcon = std::make_unique<forms::PictureBox>(this, "picIcon", 240, 240, 540, 540);
        picIcon->BorderStyle(0);
        picIcon->AutoSize(true);
        picIcon->Picture(AboutIcon());
    } else {
        Image1 = std::make_unique<forms::Image>(this, "Image1", 240, 240, 1440, 1440);
        Image1->Stretch(true);
        Image1->Picture(AboutPicture());
    }
    lblTitle.Font().Size(12);
    lblTitle.Font().Bold(true);
    lblCopyright.WordWrap(true);
    lblDisclaimer.WordWrap(true);
    lblDisclaimer.Caption(kLegalWarning);
    Line1(0).BorderColor(0x808080);
    Line1(0).BorderWidth(2);
    Line1(1).BorderColor(0xFFFFFF);
    cmdOK.Default(true);
    cmdOK.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    const vb::AppObject& app = vb::App();
    Caption("About " + app.Title());
    lblVersion.Caption(Design().aboutVersionPrefix + std::to_string(app.Major()) + "." +
                       std::to_string(app.Minor()) + "." + std::to_string(app.Revision()));
    lblTitle.Caption(app.Title());
    lblCopyright.Caption(app.LegalCopyright() + " " + app.CompanyName());
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

void frmAbout::cmdOK_Click() { forms::Unload(*this); }

}  // namespace inventory
