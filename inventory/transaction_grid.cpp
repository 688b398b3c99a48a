#include "transaction_grid.h"

#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "frm_transactions.h"
#include "module_inventory.h"
#include "text_forms.h"

namespace inventory {

void FillTransactionGrid(forms::FlexGrid& grid, const std::array<const char*, 6>& titles,
                         const std::string& linkColumn, const vb::Variant& ownKey,
                         const std::function<void(std::int32_t row, dao::Recordset& transaction)>& writeRow) {
    vb::ResumeNext([&] { grid.Clear(); });
    vb::ResumeNext([&] { grid.Cols(6); });
    for (std::int32_t col = 0; col < 6; ++col) vb::ResumeNext([&] { grid.TextMatrix(0, col, titles[col]); });
    // A new record has no key yet, so nothing can be booked against it.
    if (ownKey.IsNull() || ownKey.IsEmpty() || ownKey.ToString().empty()) return;
    CTable& transactions = Inventory::gtblTransactions();
    bool found = false;
    vb::ResumeNext([&] { found = transactions.find(linkColumn, ownKey, true); });
    if (!found || !transactions.rst) return;
    dao::Recordset& rst = *transactions.rst;
    vb::ResumeNext([&] { rst.MoveLast(); });
    vb::ResumeNext([&] { rst.MoveFirst(); });
    const std::int32_t count = rst.RecordCount();
    vb::ResumeNext([&] { grid.Rows(count + 1); });
    for (std::int32_t r = 1; r <= count; ++r) {
        writeRow(r, rst);
        vb::ResumeNext([&] { rst.MoveNext(); });
    }
}

vb::Variant TransactionValue(dao::Recordset& transaction, const char* fieldKey) {
    return transaction.Fields(Inventory::gtblTransactions().colFields.Item(fieldKey)->sName).Value();
}

std::string WholeNumberText(const vb::Variant& value) {
    if (value.IsNull()) return "";
    return vb::Variant::Long(value.ToLong()).ToString();
}

std::string CurrencyValueText(const vb::Currency& value) { return vb::CurrencyText(value); }

void OpenGridTransaction(forms::FlexGrid& grid) {
    Inventory::gtblTransactions().colFields.Item("ID")->vntValue = grid.TextMatrix(grid.RowSel(), 0);
    forms::Default<frmTransactions>().Show(forms::vbModal);
}

}  // namespace inventory
