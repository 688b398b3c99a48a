#include "frm_existing.h"

#include <algorithm>

#include "cls_manage_login.h"
#include "dao.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "layout_integer.h"
#include "mod_main.h"
#include "number_functions.h"
#include "screen.h"
#include "sql_text.h"
#include "text_functions.h"

namespace catalogue {

namespace {
// The room below the buttons when the form has its designed size.
constexpr forms::Twips kButtonsBottomMargin = 180;
}  // namespace

frmExisting::frmExisting() : Form("frmExisting") {
    Caption("View Existing Orders");
    StartUpPosition(2);
    ClientSize(8895, 4275);
    FlexigridOrders.FixedCols(0);
    FlexigridOrders.SelectionMode(1);
    dataExisting.Connect("Access");
    dataExisting.Visible(false);
    Label2.Visible(false);

    cmdCancelOrder.Click = [this] { cmdCancelOrder_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    mnuClose.Click = [this] { mnuClose_Click(); };
    // Cancelling a reservation from the menu does nothing.
}

void frmExisting::Form_Load() {
    forms::Screen.MousePointer(forms::vbHourglass);
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    vb::ResumeNext([&] { FlexigridOrders.Clear(); });

    const std::string customer =
        vb::UCase(vb::Str(vb::Variant(static_cast<int>(modMain::Login().LatestLogin()))));
    std::string name;
    vb::ResumeNext([&] {
        auto rs = modMain::Database().OpenRecordset(
            "SELECT * FROM CUSTOMERS WHERE CUSTOMERS.CUSTID=" + customer, dao::dbOpenSnapshot);
        name = rs->Fields("NAME").Value().ToString();
    });
    vb::ResumeNext([&] { lblName.Caption("Orders for " + name); });

    vb::ResumeNext([&] {
        auto rs = modMain::Database().OpenRecordset(
            "SELECT ORDERS.ORDERID, ORDERS.STATUS, PRODUCTS.COMPOSER, PRODUCTS.COMPOSITION, "
            "ORDERS.QUANTITY, ORDERS.TOTAL FROM ORDERS, PRODUCTS, CUSTOMERS WHERE PRODUCTS.PRODID = "
            "ORDERS.PRODID AND ORDERS.CUSTID = CUSTOMERS.CUSTID AND ORDERS.CUSTID=" +
                customer,
            dao::dbOpenSnapshot);
        FillOrdersGrid(*rs);
    });

    vb::ResumeNext([&] { SizeColumns(); });
    vb::ResumeNext([&] { FlexigridOrders.Row(FlexigridOrders.Rows() - 1); });
    forms::Screen.MousePointer(forms::vbDefault);
}

void frmExisting::FillOrdersGrid(dao::Recordset& recordset) {
    if (!recordset.Eof()) recordset.MoveLast();
    FlexigridOrders.Rows(recordset.RecordCount() + 1);
    const int fields = recordset.Fields().Count();
    FlexigridOrders.Cols(fields);
    for (int column = 0; column < fields; ++column) {
        FlexigridOrders.TextMatrix(0, column, recordset.Fields(column).Name());
    }
    if (!recordset.Bof()) recordset.MoveFirst();
    std::int32_t row = 1;
    while (!recordset.Eof()) {
        for (int column = 0; column < fields; ++column) {
            FlexigridOrders.TextMatrix(row, column, recordset.Fields(column).Value().ToString());
        }
        ++row;
        recordset.MoveNext();
    }
}

// Widens each column to 1.7 times its header, or its first row, when that
// does not fit. A text fits when it leaves room for the margins the grid
// draws beside it in the cell; a text that filled the whole column width
// would be cut short.
void frmExisting::SizeColumns() {
    const forms::Twips padding = FlexigridOrders.CellTextPadding();
    for (std::int32_t column = 0; column < FlexigridOrders.Cols(); ++column) {
        const forms::Twips header = TextWidth(FlexigridOrders.TextMatrix(0, column));
        if (header + padding > FlexigridOrders.ColWidth(column)) {
            FlexigridOrders.ColWidth(column, static_cast<forms::Twips>(vb::RoundHalfEven(1.7 * header)));
        }
        if (FlexigridOrders.Rows() > 1) {
            const forms::Twips first = TextWidth(FlexigridOrders.TextMatrix(1, column));
            if (first + padding > FlexigridOrders.ColWidth(column)) {
                FlexigridOrders.ColWidth(column, static_cast<forms::Twips>(vb::RoundHalfEven(1.7 * first)));
            }
        }
    }
}

void frmExisting::Form_Activate() { vb::ResumeNext([&] { FlexigridOrders.SetFocus(); }); }

void frmExisting::Form_Resize() {
    // The buttons sit 900 twips above the window's lower edge, but never
    // lower than the margin below them that the form is designed with: a
    // title bar and menu bar taller than that rule allows for would push
    // them out of the window.
    const forms::Twips buttonsTop =
        std::min<forms::Twips>(Height() - 900, ScaleHeight() - cmdClose.Height() - kButtonsBottomMargin);
    cmdCancelOrder.Top(buttonsTop);
    cmdClose.Top(buttonsTop);
    const std::int16_t gridHeight = LayoutInteger(cmdClose.Top() - 240 - FlexigridOrders.Top());
    if (gridHeight >= 1) FlexigridOrders.Height(gridHeight);
    // A window narrower than the margins keeps the grid's width.
    const forms::Twips gridWidth = Width() - 360;
    if (gridWidth > 0) FlexigridOrders.Width(gridWidth);
    cmdClose.Left(Width() - cmdClose.Width() - 240);
}

void frmExisting::cmdCancelOrder_Click() {
    const std::int32_t row = FlexigridOrders.RowSel();
    if (row == 0) {
        forms::MsgBox("You need to select an order first.", forms::vbOKOnly, "No Order Selected");
        return;
    }

    // A key that is no whole number, or a failing delete, is reported and
    // changes nothing.
    bool deleted = false;
    vb::OnErrorGoTo(
        [&] {
            const std::string keyText = FlexigridOrders.TextMatrix(row, 0);
            if (!IsSqlWholeNumber(keyText)) vb::RaiseError(vb::errors::TypeMismatch);
            const std::int32_t key = vb::CLng(vb::Variant(keyText));
            modMain::Database().Execute("DELETE FROM ORDERS WHERE ORDERID=" +
                                        vb::Str(vb::Variant(static_cast<int>(key))));
            deleted = true;
        },
        [] { orvanta::ReportUnexpectedError("frmExisting.cmdCancelOrder_Click"); });
    if (!deleted) return;

    if (FlexigridOrders.Rows() < 3) {
        FlexigridOrders.Rows(1);
    } else {
        FlexigridOrders.RemoveItem(row);
    }
}

void frmExisting::cmdClose_Click() { forms::Unload(*this); }

void frmExisting::mnuClose_Click() { forms::Unload(*this); }

}  // namespace catalogue
