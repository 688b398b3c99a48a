#include "frm_po.h"

#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "module_inventory.h"
#include "transaction_grid.h"

namespace inventory {

namespace {

const RecordFormLayout kLayout{7695, 6615, 6240, 3240, true, true, "&Report"};

const RecordReportDesign kReport{"Purchase Orders",
                                 {"Purchase Order ID", "Date Ordered", "Date Required"},
                                 {"ID", "Order Date", "Date Required"}};

}  // namespace

frmPO::frmPO() : RecordForm("frmPO", kLayout) {
    Caption("Purchase Orders");
    MDIChild(true);
    datSupplier.Visible(false);
    cboSupplier.RowSource(&datSupplier);
    cboSupplier.ListField("SupplierName");
    cboSupplier.BoundColumn("SupplierID");
    forms::Bind(cboSupplier, datPrimaryRS, "SupplierID");
    BindFields({"PurchaseOrderNumber", "PurchaseOrderDescription", "OrderDate", "DateRequired", "DatePromised",
                "ShipDate"},
               "PurchaseOrderID");
    grdTransaction.Cols(6);
    grdTransaction.ColWidth(-1, 1215);
    datPrimaryRS.Reposition = [this] { datPrimaryRS_Reposition(); };
    grdTransaction.DblClick = [this] { grdTransaction_DblClick(); };
}

CTable& frmPO::OwnTable() { return Inventory::gtblPO(); }

std::string frmPO::FieldKey(std::int16_t index) const {
    static const char* const keys[] = {"PO Number", "Desc", "Order Date", "Date Required", "Date Promised",
                                       "Ship Date"};
    return index >= 0 && index < 6 ? keys[index] : "";
}

void frmPO::AppendLookupErrors(std::string& errors) {
    if (ComboIsEmpty(cboSupplier)) errors += "Supplier";
}

const RecordReportDesign* frmPO::ReportDesign() const { return &kReport; }

void frmPO::OpenRecordsets() {
    OpenRecordset(datPrimaryRS, "select * from [tblPO] Order by [PurchaseOrderID]");
    OpenRecordset(datSupplier, "select * from [tblSuppliers] Order by [SupplierID]");
}

void frmPO::datPrimaryRS_Reposition() {
    vb::Variant order;
    vb::ResumeNext([&] {
        std::shared_ptr<dao::Recordset> rs = datPrimaryRS.Recordset();
        if (!rs || rs->Bof() || rs->Eof()) return;
        order = rs->Fields(OwnTable().colFields.Item("ID")->sName).Value();
    });
    std::string link;
    vb::ResumeNext([&] { link = Inventory::gtblTransactions().colFields.Item("PO ID")->sName; });
    FillTransactionGrid(
        grdTransaction, {"Transaction ID", "Date", "Product ID", "Units Ordered", "Unit Price", "Subtotal"}, link, order,
        [&](std::int32_t r, dao::Recordset& t) {
            vb::ResumeNext([&] { grdTransaction.TextMatrix(r, 0, TransactionValue(t, "ID").ToString()); });
            vb::ResumeNext([&] { grdTransaction.TextMatrix(r, 1, TransactionValue(t, "Date").ToString()); });
            vb::ResumeNext([&] { grdTransaction.TextMatrix(r, 2, TransactionValue(t, "Product ID").ToString()); });
            vb::ResumeNext([&] {
                grdTransaction.TextMatrix(r, 3, WholeNumberText(TransactionValue(t, "Ordered")));
            });
            vb::ResumeNext([&] {
                grdTransaction.TextMatrix(r, 4,
                                          CurrencyValueText(TransactionValue(t, "Price").ToCurrency()));
            });
            vb::ResumeNext([&] {
                const std::int64_t ordered = TransactionValue(t, "Ordered").ToLong();
                const vb::Currency price = TransactionValue(t, "Price").ToCurrency();
                grdTransaction.TextMatrix(r, 5, CurrencyValueText(vb::Currency::FromScaled(ordered * price.scaled)));
            });
        });
}

void frmPO::grdTransaction_DblClick() { OpenGridTransaction(grdTransaction); }

}  // namespace inventory
