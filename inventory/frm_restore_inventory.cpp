#include "frm_restore_inventory.h"

#include "c_table.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "module_inventory.h"
#include "msgbox.h"

namespace inventory {

frmRestoreInventory::frmRestoreInventory() : Form("frmRestoreInventory") {
    Caption("Restore Tables");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(4095, 2325);

    chkSuppliers.TabIndex(0);
    chkPOs.TabIndex(1);
    chkProducts.TabIndex(2);
    cmdOK.TabIndex(3);
    cmdCancel.TabIndex(4);
    cmdCancel.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmRestoreInventory::Form_Load() { vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); }); }

void frmRestoreInventory::cmdOK_Click() {
    constexpr std::int16_t vbChecked = 1;
    const bool anyChecked =
        chkSuppliers.Value() == vbChecked || chkPOs.Value() == vbChecked || chkProducts.Value() == vbChecked;
    // A restore that fails is reported; the tables after it stay as they are.
    vb::OnErrorGoTo(
        [&] {
            if (!anyChecked) return;
            const int answer = forms::MsgBox(
                "This action will reset all data in the inventory table(s). Do you wish to continue?",
                forms::vbYesNo, "Restore Table Warning!");
            if (answer != forms::vbYes) return;
            if (chkSuppliers.Value() == vbChecked) Inventory::gtblSuppliers().Restore();
            if (chkProducts.Value() == vbChecked) Inventory::gtblProducts().Restore();
            if (chkPOs.Value() == vbChecked) Inventory::gtblPO().Restore();
            if (chkPOs.Value() == vbChecked || chkProducts.Value() == vbChecked)
                Inventory::gtblTransactions().Restore();
        },
        [] { orvanta::ReportUnexpectedError("frmRestoreInventory.cmdOK_Click"); });
    forms::Unload(*this);
}

void frmRestoreInventory::cmdCancel_Click() { forms::Unload(*this); }

}  // namespace inventory
