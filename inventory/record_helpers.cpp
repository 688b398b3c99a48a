#include "record_helpers.h"

#include "c_table.h"
#include "dao.h"
#include "datacontrol_widget.h"
#include "err.h"
#include "error_report.h"
#include "form.h"
#include "module_inventory.h"
#include "restore_tables.h"
#include "screen.h"

namespace inventory::Inventory {

namespace {

constexpr int dbEditNone = 0;

void EditRecordMode(forms::Form& frm, bool bEdit) { frm.CallMember("EditRecordMode", {vb::Variant(bEdit)}); }

bool ValidateData(forms::Form& frm) { return frm.CallMember("ValidateData", {}).ToBool(); }

dao::Recordset& RecordsetOf(forms::DataControl& dat) {
    std::shared_ptr<dao::Recordset> rs = dat.Recordset();
    if (!rs) vb::RaiseError(91);
    return *rs;
}

}  // namespace

void CancelRecord(forms::Form& frm, forms::DataControl& dat) {
    dao::Recordset& rs = RecordsetOf(dat);
    if (rs.EditMode() != dbEditNone) rs.CancelUpdate();
    EditRecordMode(frm, false);
}

void DeleteRecord(forms::Form& frm, forms::DataControl& dat) {
    dao::Recordset& rs = RecordsetOf(dat);
    if (!rs.Eof() && !rs.Bof()) {
        rs.Delete();
        rs.MoveNext();
        if (rs.Eof()) rs.MovePrevious();
    }
    if (rs.Eof() && rs.Bof()) {
        Restore(frm);
        dat.Refresh();
    }
}

void EditRecord(forms::Form& frm, forms::DataControl& dat) {
    dao::Recordset& rs = RecordsetOf(dat);
    if (rs.Bof() || rs.Eof()) return;
    rs.Edit();
    EditRecordMode(frm, true);
}

void MoveNextRecord(forms::DataControl& dat) {
    dao::Recordset& rs = RecordsetOf(dat);
    if (!rs.Eof()) rs.MoveNext();
    if (rs.Eof() && !rs.Bof()) rs.MoveLast();
}

void MovePreviousRecord(forms::DataControl& dat) {
    dao::Recordset& rs = RecordsetOf(dat);
    if (!rs.Bof()) rs.MovePrevious();
    if (rs.Bof() && !rs.Eof()) rs.MoveFirst();
}

void SaveRecord(forms::Form& frm, forms::DataControl& dat) {
    if (!ValidateData(frm)) return;
    dat.UpdateRecord();
    dao::Recordset& rs = RecordsetOf(dat);
    rs.SetBookmark(rs.LastModified());
    EditRecordMode(frm, false);
}

void CloseRecordForm(forms::Form& frm) {
    forms::Screen.MousePointer(0);
    forms::Unload(frm);
}

void Restore(forms::Form& frm) {
    vb::OnErrorGoTo(
        [&] {
            const std::string& name = frm.Name();
            if (name == "frmSuppliers") {
                RestoreTables({&gtblSuppliers()});
            } else if (name == "frmProducts") {
                RestoreTables({&gtblProducts(), &gtblTransactions()});
            } else if (name == "frmPO") {
                RestoreTables({&gtblPO(), &gtblTransactions()});
            }
        },
        [] { orvanta::ReportUnexpectedError("Inventory.Restore"); });
}

}  // namespace inventory::Inventory
