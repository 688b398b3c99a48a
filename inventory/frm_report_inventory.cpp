#include "frm_report_inventory.h"

#include "c_table.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "module_inventory.h"

namespace inventory {

frmReportInventory::frmReportInventory() : Form("frmReportInventory") {
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(4410, 2895);
    optSort(0).TabIndex(0);
    chkOrder.Caption("Sort in Ascending Order");
    chkDelimited.Caption("Quote/Comma Delimited");
    cmdOK.Default(true);
    cmdCancel.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmReportInventory::Form_Load() {
    Caption("Create " + sReportType + " Report");
    chkDelimited.Value(0);
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

CTable* frmReportInventory::ReportTable() const {
    if (sReportType == "Supplier") return &Inventory::gtblSuppliers();
    if (sReportType == "Inventory") return &Inventory::gtblProducts();
    if (sReportType == "Purchase Orders") return &Inventory::gtblPO();
    return nullptr;
}

void frmReportInventory::cmdOK_Click() {
    // A report that cannot be written is reported; the dialog closes and the
    // program goes on.
    vb::OnErrorGoTo(
        [&] {
            CTable* table = ReportTable();
            if (!table) vb::RaiseError(91);
            for (std::int16_t i = 0; i <= 2; ++i) {
                if (optSort(i).Value()) {
                    table->sOrderBy = optSort(i).Tag();
                    break;
                }
            }
            // The order follows the ascending box alone, whatever sort
            // choice and layout go with it.
            table->sSortOrder = chkOrder.Value() == 0 ? "DESC" : "ASC";
            table->Report(true, chkDelimited.Value() != 0);
        },
        [] { orvanta::ReportUnexpectedError("frmReportInventory.cmdOK_Click"); });
    forms::Unload(*this);
}

void frmReportInventory::cmdCancel_Click() { forms::Unload(*this); }

}  // namespace inventory
