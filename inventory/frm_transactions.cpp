#include "frm_transactions.h"

#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "number_functions.h"
#include "record_helpers.h"

namespace inventory {

namespace {

const RecordFormLayout kLayout{7695, 4455, 6240, 3840, false, false, ""};

bool IsWholeNumberText(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

frmTransactions::frmTransactions() : RecordForm("frmTransactions", kLayout) {
    Caption("Product Transactions");
    StartUpPosition(2);
    BindFields({"TransactionDate", "TransactionDescription", "UnitPrice", "UnitsOrdered", "UnitsReceived", "UnitsSold",
                "UnitsShrinkage"},
               "TransactionID");
    datPO.Visible(false);
    datProducts.Visible(false);
    cboPO.RowSource(&datPO);
    cboPO.ListField("PurchaseOrderNumber");
    cboPO.BoundColumn("PurchaseOrderID");
    forms::Bind(cboPO, datPrimaryRS, "PurchaseOrderID");
    cboProduct.RowSource(&datProducts);
    cboProduct.ListField("Composition");
    cboProduct.BoundColumn("ProductID");
    forms::Bind(cboProduct, datPrimaryRS, "ProductID");
}

CTable& frmTransactions::OwnTable() { return Inventory::gtblTransactions(); }

std::string frmTransactions::FieldKey(std::int16_t index) const {
    static const char* const keys[] = {"Date", "Desc", "Price", "Ordered", "Received", "Sold", "Shrinkage"};
    return index >= 0 && index < 7 ? keys[index] : "";
}

void frmTransactions::AppendLookupErrors(std::string& errors) {
    if (ComboIsEmpty(cboPO)) errors += OwnTable().colFields.Item("PO ID")->sName + ", ";
    if (ComboIsEmpty(cboProduct)) errors += OwnTable().colFields.Item("Product ID")->sName;
}

void frmTransactions::OpenRecordsets() {
    // Each recordset is opened on its own: one that fails leaves the others.
    bool reported = false;
    auto open = [&](forms::DataControl& dat, const char* sql) {
        vb::OnErrorGoTo([&] { OpenRecordset(dat, sql); },
                        [&] {
                            if (!reported) orvanta::ReportUnexpectedError("frmTransactions.Form_Load");
                            reported = true;
                        });
    };
    open(datPrimaryRS, "select * from [tblTransactions] Order by [TransactionID]");
    open(datPO, "select * from [tblPO] Order by [PurchaseOrderID]");
    open(datProducts, "select * from [tblProducts] Order by [ProductID]");
}

void frmTransactions::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    OpenRecordsets();
}

void frmTransactions::Form_Activate() {
    // Without its transactions the form has nothing to show: the failure was
    // reported when it loaded, and it closes.
    std::shared_ptr<dao::Recordset> rs = datPrimaryRS.Recordset();
    if (!rs) {
        forms::Unload(*this);
        return;
    }
    const CParamRef id = OwnTable().colFields.Item("ID");
    const std::string value = id->vntValue;
    bool noMatch = false;
    if (!value.empty()) {
        // A key from a grid is a whole number; any other text finds nothing.
        if (IsWholeNumberText(value)) {
            rs->FindFirst(id->sName + "=" + value);
            noMatch = rs->NoMatch();
        } else {
            noMatch = true;
        }
    } else {
        cmdAdd_Click();
    }
    if (noMatch) cmdAdd_Click();
}

void frmTransactions::cmdUpdate_Click() {
    const std::string received = txtFields(4).Text();
    const std::string ordered = txtFields(3).Text();
    if (vb::IsNumeric(vb::Variant(received)) && vb::IsNumeric(vb::Variant(ordered)) &&
        vb::Val(ordered) < vb::Val(received)) {
        forms::MsgBox("The # Received cannot be greater than the # Ordered.", forms::vbExclamation,
                      "Product Transactions");
        return;
    }
    RecordForm::cmdUpdate_Click();
}

}  // namespace inventory
