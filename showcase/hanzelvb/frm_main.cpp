#include "frm_main.h"

#include <cstring>
#include <string>

#include "application.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_about.h"
#include "frm_samples.h"
#include "showcase_pictures.h"

namespace hanzelvb {

frmMain::frmMain() : Form("frmMain") {
    Caption("Tavorin Quentor: Hanzel! with Visual Basic");
    BorderStyle(1);
    StartUpPosition(2);
    ClientSize(8430, 5115);

    Picture1.BorderStyle(0);
    Picture1.Picture(CardPicture());
    Image2.Picture(NamePlatePicture());
    for (forms::Image* bullet : {&Image1, &Image3, &Image4, &Image5, &Image6}) bullet->Picture(BulletPicture());
    // The introduction carries its own size, as rich text does.
    rtfVBStuff.Font().Name("Arial");
    rtfVBStuff.Font().Size(12);
    rtfVBStuff.TextRTF(std::string("{\\rtf1\\ansi\\fs24 ") + kIntroduction + "}");
    rtfVBStuff.Locked(true);

    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdExitMain.Click = [this] { cmdExitMain_Click(); };
    CompMnu.Click = [this] { CompMnu_Click(); };
    AboutMnu.Click = [this] { AboutMnu_Click(); };
    Exitmnu.Click = [this] { Exitmnu_Click(); };
}

void frmMain::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    // Only the product phrase is bold.
    rtfVBStuff.SelStart(25);
    rtfVBStuff.SelLength(static_cast<std::int32_t>(std::strlen(kProductPhrase)));
    rtfVBStuff.SelBold(true);
    rtfVBStuff.SelStart(0);
    rtfVBStuff.SelLength(0);
}

void frmMain::cmdNext_Click() {
    frmSamples& samples = forms::Default<frmSamples>();
    samples.Show();
    // The samples form stays away when its data could not be opened: the
    // start form then stays up.
    if (samples.IsLoaded()) Hide();
}

void frmMain::CompMnu_Click() { forms::Default<frmSamples>().Show(); }

void frmMain::AboutMnu_Click() { forms::Default<frmAbout>().Show(forms::vbModal, this); }

void frmMain::cmdExitMain_Click() { forms::End(); }

void frmMain::Exitmnu_Click() { forms::End(); }

void frmMain::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    forms::End();
}

}  // namespace hanzelvb
