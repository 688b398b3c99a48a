#pragma once
// Resetting tables to their sample data: each table emptied and refilled
// from its backup table (tblSuppliersBak, ...), all the tables of one restore
// in one transaction, so they always stay consistent with each other.
#include <functional>
#include <vector>

namespace inventory {

class CTable;

namespace Inventory {

// Restores `tables` in the order given. Either all of them are restored or,
// after an error or when the program is stopped meanwhile, all are as they
// were; an error reaches the caller after the rollback.
void RestoreTables(const std::vector<CTable*>& tables);

// Called inside the restore's transaction with the number of its statements
// run so far: 0 before the first, then after each. Empty by default; tests
// stop the program there.
void SetRestoreStatementHook(std::function<void(int statementsRun)> hook);

}  // namespace Inventory
}  // namespace inventory
