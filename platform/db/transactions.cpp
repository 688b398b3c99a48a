// Transactions of a connection: BeginTrans, CommitTrans and Rollback.
//
// The outermost level is an SQLite transaction that takes the file's write
// lock at once (BEGIN IMMEDIATE), so a transaction never fails half-way for
// want of the lock: either it starts, or BeginTrans raises the engine's
// "locked" error. Inner levels are savepoints: committing one keeps its
// changes pending in the level around it, rolling one back undoes only its
// own. Nothing is in the file until the outermost level commits; a process
// that dies before that leaves the file as it was (SQLite rolls the journal
// back the next time the file is read).
#include <sqlite3.h>

#include <string>

#include "connection.h"
#include "recordset.h"

namespace dao {

namespace {

// As many levels as the engine this layer stands in for allowed.
constexpr int kMaxTransactionDepth = 5;

std::string savepointName(int level) { return "vbdb_transaction_" + std::to_string(level); }

[[noreturn]] void noTransaction() {
    RaiseEngineError(3034,
                     "You tried to commit or rollback a transaction without first beginning a transaction.");
}

[[noreturn]] void transactionEnded() {
    RaiseEngineError(3000,
                     "The database engine rolled the pending transaction back after an error; none of its "
                     "changes were saved. End it with Rollback.");
}

}  // namespace

bool Connection::transactionLost() const {
    return transactionDepth_ > 0 && db_ && sqlite3_get_autocommit(db_) != 0;
}

void Connection::requireTransactionKept() const {
    if (transactionLost()) transactionEnded();
}

void Connection::runControl(const std::string& sql) {
    Statement stmt = prepare(sql, StatementKind::Other);
    int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(rc, StatementKind::Other, sql);
}

void Connection::beginTransaction() {
    sqlite3* db = handle();
    requireTransactionKept();
    if (transactionDepth_ >= kMaxTransactionDepth)
        RaiseEngineError(3003, "Could not start transaction; too many transactions already nested.");
    if (transactionDepth_ == 0) {
        // A read-only file takes no write lock; its transaction only reads.
        runControl(sqlite3_db_readonly(db, "main") == 1 ? "BEGIN" : "BEGIN IMMEDIATE");
    } else {
        runControl("SAVEPOINT " + savepointName(transactionDepth_ + 1));
    }
    ++transactionDepth_;
}

void Connection::commitTransaction() {
    handle();
    if (transactionDepth_ == 0) noTransaction();
    if (transactionLost()) {
        --transactionDepth_;
        refreshSchema();
        recordsetsAfterRollback();
        transactionEnded();
    }
    try {
        runControl(transactionDepth_ == 1 ? std::string("COMMIT") : "RELEASE " + savepointName(transactionDepth_));
    } catch (...) {
        // A commit that could not get the lock leaves the transaction
        // pending (it can be tried again or rolled back); one that failed
        // otherwise may have ended it.
        if (transactionLost()) {
            refreshSchema();
            recordsetsAfterRollback();
        }
        throw;
    }
    --transactionDepth_;
}

void Connection::rollbackTransaction() {
    handle();
    if (transactionDepth_ == 0) noTransaction();
    if (!transactionLost()) {
        if (transactionDepth_ == 1) {
            runControl("ROLLBACK");
        } else {
            const std::string name = savepointName(transactionDepth_);
            runControl("ROLLBACK TO " + name);
            runControl("RELEASE " + name);
        }
    }
    --transactionDepth_;
    refreshSchema();
    recordsetsAfterRollback();
}

void Connection::trackRecordset(const std::shared_ptr<Recordset>& recordset) {
    if (recordsets_.size() >= 16 && recordsets_.size() == recordsets_.capacity()) {
        std::erase_if(recordsets_, [](const std::weak_ptr<Recordset>& r) { return r.expired(); });
    }
    recordsets_.push_back(recordset);
}

void Connection::recordsetsAfterRollback() {
    std::erase_if(recordsets_, [](const std::weak_ptr<Recordset>& r) { return r.expired(); });
    auto tracked = recordsets_;
    for (const auto& weak : tracked) {
        if (auto recordset = weak.lock()) recordset->tablesRolledBack();
    }
}

}  // namespace dao
