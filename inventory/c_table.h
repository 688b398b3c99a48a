#pragma once
// CTable: one table of the inventory database, with its column definitions
// and the values of one record, its sort settings and the recordset of its
// last fetch. Every command goes through the data layer's gobjDataBase.
#include <cstdint>
#include <memory>
#include <string>

#include "c_param.h"
#include "variant.h"

namespace dao {
class Recordset;
}

namespace inventory {

class CTable {
public:
    CTable();

    CParams colFields;  // the columns in definition order, keyed by sKey
    CParams colFound;   // the first row of the last search that kept colFields
    std::shared_ptr<dao::Recordset> rst;  // the last fetch; empty when it found nothing
    std::string sOrderBy;                 // the column fetches are sorted by
    std::string sSortOrder;               // "ASC" or "DESC"
    std::string sTableName;

    // Validates the current values and, when they pass, inserts them as a
    // new row.
    void Add();
    // Without a column removes every row; with one, the rows whose column
    // equals the value.
    void Delete(const vb::Variant& sFieldName = {}, const vb::Variant& vntFieldValue = {});
    // Fetches the rows whose column equals the value; true when there is at
    // least one. The first row's values go into colFields (Nulls leave a
    // value as it was) or, with bUpdateColfields false, into a new colFound
    // (Nulls as empty texts).
    bool find(const std::string& sFieldName, const vb::Variant& vntFieldValue, bool bUpdateColfields);
    // Empties the table and refills it from its backup table, as one
    // transaction: when the refill fails the table keeps its rows, and the
    // error reaches the caller.
    void Restore();
    // Validates the current values and, when they pass, writes them into the
    // row of the key value under "ID". True when the row was written.
    bool Update();

    // True when every column passes; each problem is shown in its own box.
    bool ValidateFields();
    // True when the value passes. A problem is added to `sFieldErrors`
    // ("name, ") when a list is given, else shown.
    bool ValidateField(const CParam& objField, std::string* sFieldErrors = nullptr);

    // Writes every row of the table, sorted by sOrderBy and sSortOrder, into
    // a text file under the first free numbered name (tblSuppliers1.txt, ...)
    // in the current folder: a title line, labelled lines or one
    // comma-separated line per row, and a total line for more than one row.
    // With bOpen the file is opened in the text viewer. Returns the file name.
    vb::Variant Report(bool bOpen, bool bDelimited);

    vb::Variant ClassDebugID() const { return vb::Variant::Long(instanceId_); }

private:
    // Writes the rows into the open file; returns how many were written.
    std::int32_t ReportDetail(int fileNumber, bool bDelimited);

    std::int32_t instanceId_;
};

}  // namespace inventory
