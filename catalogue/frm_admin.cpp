#include "frm_admin.h"

#include <algorithm>

#include "dao.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "layout_integer.h"
#include "mod_main.h"
#include "number_functions.h"
#include "sql_text.h"
#include "text_functions.h"

namespace catalogue {

namespace {
// The room below the buttons when the form has its designed size.
constexpr forms::Twips kButtonsBottomMargin = 120;
}  // namespace

frmAdmin::frmAdmin() : Form("frmAdmin") {
    Caption("Orvanta Online Administration - ");
    StartUpPosition(2);
    ClientSize(8535, 4395);
    dbgridAdmin.DataSource(&dataAdmin);
    dbgridAdmin.Caption("Orvanta Online");
    dbgridAdmin.AllowUpdate(false);
    dataAdmin.Connect("Access");
    dataAdmin.Visible(false);
    mnuPopup.Visible(false);

    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    mnuDelete.Click = [this] { mnuDelete_Click(); };
}

void frmAdmin::Form_Load() { vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); }); }

void frmAdmin::Form_Activate() {
    Refresh();
    vb::ResumeNext([&] { dbgridAdmin.SetFocus(); });
}

void frmAdmin::Form_Resize() {
    // The buttons sit 480 twips above the window's lower edge, but never
    // lower than the margin below them that the form is designed with: a
    // title bar taller than that rule allows for would cut them off.
    const std::int16_t top = LayoutInteger(std::min<double>(Height() - cmdDelete.Height() - 480,
                                                            ScaleHeight() - cmdDelete.Height() - kButtonsBottomMargin));
    if (top > 0) {
        cmdDelete.Top(top);
        cmdClose.Top(top);
    }
    const std::int16_t left = LayoutInteger(Width() - cmdClose.Width() - 240);
    if (left > 0) cmdClose.Left(left);
    SizeGrid();
}

void frmAdmin::SizeGrid() {
    dbgridAdmin.TabStop(true);
    dbgridAdmin.Top(120);
    dbgridAdmin.Left(cmdDelete.Left());
    const std::int16_t width = LayoutInteger(cmdClose.Left() + cmdClose.Width() - dbgridAdmin.Left());
    if (width > 0) dbgridAdmin.Width(width);
    const std::int16_t height = LayoutInteger(cmdDelete.Top() - 240);
    if (height > 0) dbgridAdmin.Height(height);
    dbgridAdmin.Visible(true);
    cmdDelete.TabIndex(2);
    cmdClose.TabIndex(3);
}

void frmAdmin::Setup(const std::string& targetTable) {
    rsAdmin = modMain::Database().OpenRecordset("SELECT * FROM " + vb::UCase(targetTable), dao::dbOpenSnapshot);
    sAdminTable = targetTable;
    SizeGrid();
    Caption("Orvanta Online Administration - " + targetTable);
    dataAdmin.Recordset(rsAdmin);
    dataAdmin.Refresh();
}

// Whether the grid's current row is a customer named "admin", in any case.
bool frmAdmin::OnAdminCustomer() {
    return vb::LCase(dbgridAdmin.Columns()(vb::Variant(1)).Text()) == "admin" && sAdminTable == "CUSTOMERS";
}

void frmAdmin::cmdDelete_Click() {
    // A key that is no whole number, or a failing delete, is reported and
    // changes nothing.
    vb::OnErrorGoTo(
        [&] {
            const std::string key = dbgridAdmin.Columns()(vb::Variant(0)).Text();
            if (vb::Val(key) == 0) {
                forms::MsgBox("You need to select an entry first.", forms::vbInformation, "Selection Error");
                return;
            }
            if (OnAdminCustomer()) {
                forms::MsgBox("You cannot delete the Admin user!", forms::vbOKOnly, "Required User");
            } else {
                if (!IsSqlWholeNumber(key)) vb::RaiseError(vb::errors::TypeMismatch);
                modMain::Database().Execute("delete from " + sAdminTable + " where " + rsAdmin->Fields(0).Name() +
                                            " = " + vb::Trim(vb::Str(vb::Variant(key))));
                dataAdmin.Refresh();
            }

            auto rs = dataAdmin.Recordset();
            if (!rs) vb::RaiseError(vb::errors::ObjectVariableNotSet);
            const bool empty = rs->Bof() && rs->Eof();
            if (empty || (OnAdminCustomer() && rs->RecordCount() == 1)) {
                modMain::Restore("No");
                dataAdmin.Refresh();
            }
        },
        [] { orvanta::ReportUnexpectedError("frmAdmin.cmdDelete_Click"); });
}

void frmAdmin::cmdClose_Click() { Hide(); }

void frmAdmin::mnuDelete_Click() { cmdDelete_Click(); }

}  // namespace catalogue
