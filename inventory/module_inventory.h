#pragma once
// Module Inventory: the program's start-up procedure, the objects every form
// and data class shares, the instance numbers of the data classes, the
// re-raise of their errors, the table definitions and the numbering of new
// records.
#include <cstdint>
#include <memory>
#include <string>

namespace dao {
class Database;
}

namespace inventory {

class CDataBase;
class CTable;

namespace Inventory {

// The database the record forms' data controls work on (build C); empty
// until Main opens it and after the main window has closed it.
extern std::shared_ptr<dao::Database> gdbInventory;
// The data layer's database object and the four table objects. They are made
// on first use and live for the whole program.
CDataBase& gobjDataBase();
CTable& gtblSuppliers();
CTable& gtblProducts();
CTable& gtblPO();
CTable& gtblTransactions();
// The data folder Main chose: the command line, the data folder found beside
// the program, or the program folder.
extern std::string gsDataPath;

// The name of the inventory database file.
inline constexpr const char* kDatabaseFile = "Inventory.mdb";

// The program's entry point: the data folder, the splash, the database
// (twice in build C), the table definitions, the main window. A missing
// database file is named in a message and the program ends without a form.
void Main();

// The next instance number of a data object (1 for the first); error 6 once
// the numbers are used up.
std::int32_t NextInstanceId();

// Raises the error being handled again with `number`, its description kept
// and `source` naming the class and method ("CTable:Add Method").
[[noreturn]] void RaiseClassError(std::int32_t number, const std::string& source);

// Describes the four tables' columns to their table objects. Runs once: a
// second run fails with error 457.
void DefineTables();

// The key for a new record of `tbl`: its highest key + 1, or 1 when it is
// empty. The table object's rst holds the keys afterwards.
std::int32_t NextRecordId(CTable& tbl);

// Drops the shared objects (tests start each case afresh; the instance
// counter goes on).
void ResetModuleState();

}  // namespace Inventory
}  // namespace inventory
