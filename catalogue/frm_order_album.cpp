#include "frm_order_album.h"

#include "application.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_main.h"
#include "frm_order.h"
#include "number_functions.h"

namespace catalogue {

frmOrderAlbum::frmOrderAlbum() : Form("frmOrderAlbum") {
    Caption("Order Album");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(3855, 1395);
    cmdOK.Default(true);
    cmdCancel.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmOrderAlbum::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    Caption("Order " + forms::Default<frmMain>().lblComposition.Caption());
}

void frmOrderAlbum::cmdOK_Click() {
    const vb::Variant text(txtQuantity.Text());
    double quantity = 0;
    bool number = vb::IsNumeric(text);
    if (number) {
        // A number too large for a Double is no number either.
        number = vb::ResumeNext([&] { quantity = vb::CDbl(text); });
    }
    if (number) {
        forms::Default<frmOrder>().lQuantity = quantity;
        forms::Unload(*this);
        forms::Default<frmOrder>().Show(forms::vbModal);
    } else {
        forms::MsgBox("You must enter a number.", forms::vbOKOnly, "Order Error!");
        forms::Unload(*this);
    }
}

void frmOrderAlbum::cmdCancel_Click() { forms::Unload(*this); }

}  // namespace catalogue
