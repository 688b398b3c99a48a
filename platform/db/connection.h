#pragma once
// One open SQLite connection on a database file, shared by a Database object
// and the recordsets opened on it. It prepares statements with the engine's
// error translation and knows the columns of the file's tables. A
// connection belongs to one thread: it is opened without SQLite's per-call
// locking.
#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine_error.h"
#include "field_type.h"
#include "stored_literals.h"

namespace dao {

class Recordset;

// A prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt* s) : s_(s) {}
    Statement(Statement&& o) noexcept : s_(o.s_) { o.s_ = nullptr; }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();
    sqlite3_stmt* get() const { return s_; }

private:
    sqlite3_stmt* s_ = nullptr;
};

class Connection {
public:
    // Opens an existing file; raises 3024, 3044, 3343, 3045, 3051.
    static std::shared_ptr<Connection> Open(const std::string& path, bool exclusive, bool readOnly);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& path() const { return path_; }
    bool closed() const { return db_ == nullptr; }
    void close();
    // The handle; raises 3420 after close.
    sqlite3* handle() const;

    Statement prepare(const std::string& sql, StatementKind kind) const;
    [[noreturn]] void fail(int rc, StatementKind kind, const std::string& sql) const;
    // Steps a statement that returns no rows to its end.
    void run(const Statement& stmt, StatementKind kind, const std::string& sql) const;

    // The type of a column of that name in the file's tables; dbUnknown when
    // no table or tables of different types have it.
    ColumnType columnTypeByName(const std::string& column) const;
    // The columns of a table in their order; nullptr for an unknown table.
    const std::vector<TableColumn>* tableColumns(const std::string& table) const;
    // Reads the tables again (after a statement that changed them).
    void refreshSchema();

    // --- transactions (transactions.cpp) ---
    // Pending levels of BeginTrans; 0 outside a transaction.
    int transactionDepth() const { return transactionDepth_; }
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction();
    // An updatable recordset on this connection: after a rollback it drops
    // the rows that no longer exist and shows the others as they now are.
    void trackRecordset(const std::shared_ptr<Recordset>& recordset);

private:
    Connection(sqlite3* db, std::string path);
    void installFunctions();

    // Raises when the engine has ended a pending transaction on its own
    // (after a failed write): nothing may then run outside it unnoticed.
    void requireTransactionKept() const;
    bool transactionLost() const;
    void runControl(const std::string& sql);
    void recordsetsAfterRollback();

    sqlite3* db_;
    std::string path_;
    int transactionDepth_ = 0;
    std::vector<std::weak_ptr<Recordset>> recordsets_;
    std::map<std::string, ColumnType> columnTypes_;  // lower-case column name
    std::map<std::string, std::vector<TableColumn>> tables_;  // lower-case table name
};

// Binds `v` (a stored value) to parameter `index` of `stmt`.
void BindStored(sqlite3_stmt* stmt, int index, const StoredValue& v);

}  // namespace dao
