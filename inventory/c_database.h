#pragma once
// CDataBase: the data layer's connection to the inventory database and the
// one place where its commands are run. A command is named by a word and
// built for a table object (see sql_commands.h for the texts).
#include <cstdint>
#include <memory>
#include <string>

#include "variant.h"

namespace dao {
class Database;
}

namespace inventory {

class CTable;

class CDataBase {
public:
    CDataBase();

    std::string sName;  // the database file name ("Inventory.mdb")
    std::string sPath;  // its folder, with or without a trailing separator

    // "NEXT ID": the table's keys, highest first. "SELECT": its rows sorted
    // by sOrderBy and sSortOrder, only those whose column FieldName equals
    // FieldValue when FieldName is given. Returns the rows as an array
    // (column, row), or Null when there are none; the table object's rst
    // then holds the recordset (empty when there were no rows). Any other
    // word: error 91.
    vb::Variant GetData(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName = {},
                        const vb::Variant& FieldValue = {});
    // GetData without the array, for callers that read the rows through the
    // table object's rst: the same statement, rst left at its first row;
    // false when there are no rows.
    bool OpenData(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName = {},
                  const vb::Variant& FieldValue = {});
    // "RESET" copies the backup table's rows into the table, "DELETE"
    // removes all rows (or those matching the filter), "UPDATE" writes the
    // current values into the row of the table's key value (or of the
    // filter), "INSERT" adds the current values as a new row. Any other word
    // does nothing.
    void ExecCommand(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName = {},
                     const vb::Variant& FieldValue = {});
    // Opens sPath, a separator and sName, replacing the database held before.
    void Open_Database();

    // A transaction on the data layer's connection: the commands between
    // BeginTrans and CommitTrans take effect together, or not at all after
    // Rollback.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    vb::Variant ClassDebugID() const { return vb::Variant::Long(instanceId_); }

    // The file Open_Database opens.
    std::string DatabaseFilePath() const { return sPath + "/" + sName; }

private:
    dao::Database& Database();

    std::shared_ptr<dao::Database> db_;
    std::int32_t instanceId_;
};

}  // namespace inventory
