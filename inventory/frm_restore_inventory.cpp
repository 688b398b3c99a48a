#include "frm_restore_inventory.h"

#include "c_table.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "restore_tables.h"

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
    // The ticked tables are restored together: a restore that fails is
    // reported and leaves every table as it was.
    vb::OnErrorGoTo(
        [&] {
            if (!anyChecked) return;
            const int answer = forms::MsgBox(
                "This action will reset all data in the inventory table(s). Do you wish to continue?",
                forms::vbYesNo, "Restore Table Warning!");
            if (answer != forms::vbYes) return;
            std::vector<CTable*> tables;
            if (chkSuppliers.Value() == vbChecked) tables.push_back(&Inventory::gtblSuppliers());
            if (chkProducts.Value() == vbChecked) tables.push_back(&Inventory::gtblProducts());
            if (chkPOs.Value() == vbChecked) tables.push_back(&Inventory::gtblPO());
            if (chkPOs.Value() == vbChecked || chkProducts.Value() == vbChecked)
                tables.push_back(&Inventory::gtblTransactions());
            Inventory::RestoreTables(tables);
        },
        [] { orvanta::ReportUnexpectedError("frmRestoreInventory.cmdOK_Click"); });
    forms::Unload(*this);
}

void frmRestoreInventory::cmdCancel_Click() { forms::Unload(*this); }

}  // namespace inventory
