#include "frm_products.h"

#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "module_inventory.h"
#include "transaction_grid.h"

namespace inventory {

namespace {

const RecordFormLayout kLayout{7695, 6615, 6240, 3480, false, true, "Re&port"};

const RecordReportDesign kReport{"Inventory", {"Product ID", "Composer", "Conductor"}, {"ID", "Composer", "Conductor"}};

}  // namespace

frmProducts::frmProducts() : RecordForm("frmProducts", kLayout) {
    Caption("Products");
    MDIChild(true);
    BindFields({"Composition", "Composer", "Conductor", "Performer", "Description", "ReorderLevel", "Image",
                "UnitPrice"},
               "ProductID");
    grdTransaction.Cols(6);
    grdTransaction.ColWidth(-1, 1215);
    datPrimaryRS.Reposition = [this] { datPrimaryRS_Reposition(); };
    grdTransaction.DblClick = [this] { grdTransaction_DblClick(); };
}

CTable& frmProducts::OwnTable() { return Inventory::gtblProducts(); }

std::string frmProducts::FieldKey(std::int16_t index) const {
    static const char* const keys[] = {"Composition", "Composer", "Conductor", "Performer",
                                       "Desc",        "Reorder Level", "Image", "Price"};
    return index >= 0 && index < 8 ? keys[index] : "";
}

const RecordReportDesign* frmProducts::ReportDesign() const { return &kReport; }

void frmProducts::OpenRecordsets() {
    OpenRecordset(datPrimaryRS, "select * from [tblProducts] Order by [ProductID]");
}

void frmProducts::datPrimaryRS_Reposition() {
    vb::Variant product;
    vb::ResumeNext([&] {
        std::shared_ptr<dao::Recordset> rs = datPrimaryRS.Recordset();
        if (!rs || rs->Bof() || rs->Eof()) return;
        product = rs->Fields(OwnTable().colFields.Item("ID")->sName).Value();
    });
    std::string link;
    vb::ResumeNext([&] { link = Inventory::gtblTransactions().colFields.Item("Product ID")->sName; });
    FillTransactionGrid(grdTransaction, {"Transaction ID", "Date", "# Ordered", "# Received", "# Sold", "# Shinkage"},
                        link, product, [&](std::int32_t r, dao::Recordset& t) {
                            vb::ResumeNext([&] { grdTransaction.TextMatrix(r, 0, TransactionValue(t, "ID").ToString()); });
                            vb::ResumeNext([&] { grdTransaction.TextMatrix(r, 1, TransactionValue(t, "Date").ToString()); });
                            const char* counts[] = {"Ordered", "Received", "Sold", "Shrinkage"};
                            for (std::int32_t c = 0; c < 4; ++c)
                                vb::ResumeNext([&] {
                                    grdTransaction.TextMatrix(r, c + 2, WholeNumberText(TransactionValue(t, counts[c])));
                                });
                        });
}

void frmProducts::grdTransaction_DblClick() { OpenGridTransaction(grdTransaction); }

}  // namespace inventory
