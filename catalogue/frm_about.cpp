#include "frm_about.h"

#include "about_pictures.h"
#include "app_object.h"
#include "err.h"
#include "form_fonts.h"
#include "program_build.h"

namespace catalogue {

namespace {

// The build letter the version line carries.
const char* VersionPrefix(Build build) {
    switch (build) {
    case Build::A: return "Version A.";
    case Build::B: return "Version B.";
    case Build::C: break;
    }
    return "Version C.";
}

}  // namespace

frmAbout::frmAbout() : Form("frmAbout") {
    const Build build = ProgramBuild();
    Caption(build == Build::C ? "About Orvanta Online" : "About MyApp");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(5730, 2460);

    picIcon.BorderStyle(0);
    picIcon.Picture(build == Build::C ? AboutPicture() : AboutIcon());
    lblTitle.Font().Size(12);
    lblTitle.Font().Bold(true);
    lblDisclaimer.WordWrap(true);
    Line1(0).BorderColor(0x808080);
    Line1(0).BorderWidth(2);
    Line1(1).BorderColor(0xFFFFFF);
    cmdOK.Default(true);
    cmdOK.Cancel(true);

    if (build == Build::A) {
        lblDescription = std::make_unique<forms::Label>(this, "lblDescription", "App Description", 1200, 1080,
                                                        3885, 495);
        picMisc = std::make_unique<forms::PictureBox>(this, "picMisc", 4560, 960, 540, 540);
        picMisc->BorderStyle(0);
        picMisc->Picture(AboutMiscIcon());
        lblDisclaimer.Caption("Warning: ...");
        picIcon.DblClick = [this] { picIcon_DblClick(); };
    } else {
        lblCopyright = std::make_unique<forms::Label>(this, "lblCopyright", "Copyright", 1200, 1080, 3885, 495);
        lblCopyright->WordWrap(true);
    }

    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    const vb::AppObject& app = vb::App();
    Caption("About " + app.Title());
    lblVersion.Caption(VersionPrefix(ProgramBuild()) + std::to_string(app.Major()) + "." +
                       std::to_string(app.Minor()) + "." + std::to_string(app.Revision()));
    lblTitle.Caption(app.Title());
    if (lblCopyright) lblCopyright->Caption(app.LegalCopyright());
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

void frmAbout::cmdOK_Click() { forms::Unload(*this); }

void frmAbout::picIcon_DblClick() { picIcon.Visible(false); }

}  // namespace catalogue
