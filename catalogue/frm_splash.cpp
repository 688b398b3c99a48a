#include "frm_splash.h"

#include "form_fonts.h"
#include "splash_picture.h"

namespace catalogue {

frmSplash::frmSplash() : Form("frmSplash") {
    BorderStyle(0);
    StartUpPosition(2);
    KeyPreview(true);
    ClientSize(6075, 3675);
    pictSplash.BorderStyle(0);
    pictSplash.AutoSize(true);
    pictSplash.Picture(SplashPicture());
}

void frmSplash::Form_Load() {
    Height(pictSplash.Height() + 75);
    Width(pictSplash.Width() + 75);
    pictSplash.Left(25);
    pictSplash.Top(25);
    orvanta::SetFontsForLocale(*this);
}

void frmSplash::Form_KeyPress(std::int16_t& KeyAscii) {
    (void)KeyAscii;
    forms::Unload(*this);
}

}  // namespace catalogue
