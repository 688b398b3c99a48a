// The columns of the four inventory tables, in the order of the tables in
// the database file (rows are read by position).
#include <limits>

#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "module_inventory.h"

namespace inventory::Inventory {

namespace {

struct Column {
    const char* sName;
    const char* sKey;
    std::int16_t iType;
    bool bDelimiter;
    bool bRequired;
    const char* initial;
};

void Define(CTable& tbl, const char* sTableName, std::initializer_list<Column> columns) {
    std::int16_t position = 0;
    for (const Column& c : columns) {
        tbl.colFields.Add(c.sName, ++position, c.bDelimiter, vb::Variant(c.initial), c.iType, c.bRequired, c.sKey);
    }
    tbl.sTableName = sTableName;
    tbl.sOrderBy = tbl.colFields.Item("ID")->sName;
    tbl.sSortOrder = "ASC";
}

constexpr bool kQuoted = true, kBare = false;
constexpr bool kRequired = true, kOptional = false;

}  // namespace

void DefineTables() {
    Define(gtblProducts(), "tblProducts",
           {{"ProductID", "ID", vbLong, kBare, kRequired, "0"},
            {"Composition", "Composition", vbString, kQuoted, kRequired, ""},
            {"Description", "Desc", vbString, kQuoted, kOptional, ""},
            {"Composer", "Composer", vbString, kQuoted, kRequired, ""},
            {"Conductor", "Conductor", vbString, kQuoted, kOptional, ""},
            {"Performer", "Performer", vbString, kQuoted, kOptional, ""},
            {"Image", "Image", vbString, kQuoted, kRequired, ""},
            {"UnitPrice", "Price", vbCurrency, kQuoted, kRequired, ""},
            {"ReorderLevel", "Reorder Level", vbLong, kBare, kRequired, "0"}});
    Define(gtblSuppliers(), "tblSuppliers",
           {{"SupplierID", "ID", vbLong, kBare, kRequired, "0"},
            {"SupplierName", "Supplier Name", vbString, kQuoted, kRequired, ""},
            {"ContactName", "Contact Name", vbString, kQuoted, kRequired, ""},
            {"ContactTitle", "Contact Title", vbString, kQuoted, kOptional, ""},
            {"Address", "Address", vbString, kQuoted, kOptional, ""},
            {"City", "City", vbString, kQuoted, kOptional, ""},
            {"PostalCode", "Zip Code", vbString, kQuoted, kOptional, ""},
            {"StateOrProvince", "State", vbString, kQuoted, kOptional, ""},
            {"PhoneNumber", "Phone", vbString, kQuoted, kOptional, ""},
            {"FaxNumber", "Fax", vbString, kQuoted, kOptional, ""}});
    Define(gtblTransactions(), "tblTransactions",
           {{"TransactionID", "ID", vbLong, kBare, kRequired, "0"},
            {"TransactionDate", "Date", vbDate, kQuoted, kRequired, ""},
            {"ProductID", "Product ID", vbLong, kBare, kRequired, "0"},
            {"PurchaseOrderID", "PO ID", vbLong, kBare, kOptional, "0"},
            {"TransactionDescription", "Desc", vbString, kQuoted, kOptional, ""},
            {"UnitPrice", "Price", vbCurrency, kQuoted, kRequired, "0"},
            {"UnitsOrdered", "Ordered", vbLong, kBare, kRequired, "0"},
            {"UnitsReceived", "Received", vbLong, kBare, kRequired, "0"},
            {"UnitsSold", "Sold", vbLong, kBare, kRequired, "0"},
            {"UnitsShrinkage", "Shrinkage", vbLong, kBare, kRequired, "0"}});
    Define(gtblPO(), "tblPO",
           {{"PurchaseOrderID", "ID", vbLong, kBare, kRequired, "0"},
            {"PurchaseOrderNumber", "PO Number", vbString, kQuoted, kRequired, "0"},
            {"PurchaseOrderDescription", "Desc", vbString, kQuoted, kOptional, ""},
            {"SupplierID", "Supplier ID", vbLong, kBare, kRequired, "0"},
            {"OrderDate", "Order Date", vbDate, kQuoted, kRequired, ""},
            {"DateRequired", "Date Required", vbDate, kQuoted, kRequired, ""},
            {"DatePromised", "Date Promised", vbDate, kQuoted, kRequired, ""},
            {"ShipDate", "Ship Date", vbDate, kQuoted, kRequired, ""}});
}

// The keys come highest first; only the first is read, through the
// recordset, which is then left past its end as reading them all leaves it.
std::int32_t NextRecordId(CTable& tbl) {
    if (!gobjDataBase().OpenData("NEXT ID", tbl)) return 1;
    dao::Recordset& keys = *tbl.rst;
    const std::int32_t highest = keys.Fields(0).Value().ToLong();
    keys.MoveLast();
    keys.MoveNext();
    if (highest == std::numeric_limits<std::int32_t>::max()) vb::RaiseError(6);
    return highest + 1;
}

}  // namespace inventory::Inventory
