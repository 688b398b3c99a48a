#include "restore_tables.h"

#include "c_database.h"
#include "c_table.h"
#include "err.h"
#include "module_inventory.h"

namespace inventory::Inventory {

namespace {

std::function<void(int)>& RestoreStatementHook() {
    static std::function<void(int)> hook;
    return hook;
}

void RestoreStatementReached(int statementsRun) {
    if (RestoreStatementHook()) RestoreStatementHook()(statementsRun);
}

}  // namespace

void SetRestoreStatementHook(std::function<void(int statementsRun)> hook) {
    RestoreStatementHook() = std::move(hook);
}

void RestoreTables(const std::vector<CTable*>& tables) {
    CDataBase& db = gobjDataBase();
    db.BeginTrans();
    try {
        int statementsRun = 0;
        RestoreStatementReached(statementsRun);
        for (CTable* table : tables) {
            table->Delete();
            RestoreStatementReached(++statementsRun);
            db.ExecCommand("RESET", *table);
            RestoreStatementReached(++statementsRun);
        }
        db.CommitTrans();
    } catch (...) {
        // The error being handled is the one reported, not a failure to undo.
        vb::ResumeNext([&] { db.Rollback(); });
        throw;
    }
}

}  // namespace inventory::Inventory
