#pragma once
// The transactions grid of the purchase-order and product forms: the
// transactions booked against the record shown, one row each, under a row of
// column titles; a double click opens the transaction of its row.
#include <array>
#include <functional>
#include <string>

#include "flexgrid.h"
#include "variant.h"

namespace dao {
class Recordset;
}

namespace inventory {

// Refills `grid`: clears it, writes `titles` into row 0 and, when
// `ownKey` is a key, writes the transactions whose column `linkColumn`
// equals it with `writeRow(row, transaction)`. Without transactions the grid
// keeps its row count with every cell below the titles empty. A step that
// fails is passed over.
void FillTransactionGrid(forms::FlexGrid& grid, const std::array<const char*, 6>& titles,
                         const std::string& linkColumn, const vb::Variant& ownKey,
                         const std::function<void(std::int32_t row, dao::Recordset& transaction)>& writeRow);

// The value of the transaction's column under `fieldKey` (a key of the
// transactions table object).
vb::Variant TransactionValue(dao::Recordset& transaction, const char* fieldKey);

// The runtime's text form of a value converted to a whole number or to
// currency ("" for Null).
std::string WholeNumberText(const vb::Variant& value);
std::string CurrencyValueText(const vb::Currency& value);

// Opens the transaction of the grid's selected row in the transactions form
// (a new transaction for an empty row), modally.
void OpenGridTransaction(forms::FlexGrid& grid);

}  // namespace inventory
