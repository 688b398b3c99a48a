#include "frm_confirm.h"

#include "err.h"
#include "form_fonts.h"

namespace catalogue {

frmConfirm::frmConfirm() : Form("frmConfirm") {
    Caption("Order Confirmation");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(5055, 2055);
    lblConfirmation.WordWrap(true);
    lblConfirmation.Alignment(2);
    cmdOK.Default(true);
    cmdOK.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmConfirm::Form_Load() { vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); }); }

void frmConfirm::cmdOK_Click() { Hide(); }

}  // namespace catalogue
