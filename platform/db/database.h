#pragma once
// An open database file: recordsets on it, statements executed on it.
//
// Database files are SQLite files. Opening never creates one. Several
// Database objects may hold the same file at once (shared access); each sees
// what the others wrote as soon as their statement has finished.
#include <memory>
#include <string>
#include <vector>

#include "recordset.h"
#include "variant.h"

namespace dao {

class Connection;

enum ExecuteOptionEnum : int { dbFailOnError = 128 };

class Database : public vb::Object {
public:
    explicit Database(std::shared_ptr<Connection> connection);
    ~Database() override;

    // `source` is a SELECT text or a table name. `type` is a
    // RecordsetTypeEnum; dbOpenDefault gives an updatable recordset.
    std::shared_ptr<Recordset> OpenRecordset(const std::string& source, int type = dbOpenDefault,
                                             int options = 0);
    // Runs a DELETE, INSERT or UPDATE text; errors are raised whatever the
    // options.
    void Execute(const std::string& sql, int options = 0);
    long RecordsAffected() const { return recordsAffected_; }

    // Transactions. Statements, and edits made through recordsets opened on
    // this database, between BeginTrans and CommitTrans reach the file
    // together or, after Rollback, not at all; other Database objects on the
    // file see none of them before the commit and cannot write meanwhile.
    // BeginTrans takes the file's write lock (3260 when another user holds
    // it). Transactions nest up to five levels (3003 beyond): CommitTrans of
    // an inner level keeps its changes pending in the level around it,
    // Rollback undoes the innermost level only. CommitTrans or Rollback with
    // no transaction pending raises 3034. After Rollback, updatable
    // recordsets show the rows as they now are and count rows that no longer
    // exist as deleted; snapshots keep what they read. Closing the database
    // rolls a pending transaction back.
    void BeginTrans();
    void CommitTrans(int options = 0);
    void Rollback();
    // Pending levels of BeginTrans; 0 outside a transaction.
    int TransactionDepth() const;
    // Releases the file; recordsets opened on it can no longer be used.
    void Close();
    const std::string& Name() const;  // the file path

    std::string TypeName() const override { return "Database"; }
    vb::Variant GetMember(const std::string& name) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    std::shared_ptr<Connection> connection_;
    long recordsAffected_ = 0;
};

// Opens an existing database file. `options` True opens it exclusively;
// `readOnly` refuses every change; `connect` is accepted and ignored.
// Errors: 3024 missing file, 3343 not a database, 3045 in use (locked),
// 3051 cannot be opened.
std::shared_ptr<Database> OpenDatabase(const std::string& path,
                                       const vb::Variant& options = vb::Variant(),
                                       bool readOnly = false, const std::string& connect = "");

// How long an operation waits for another user's lock on the file before it
// fails (default 2000 ms).
void SetLockWaitMilliseconds(int milliseconds);

}  // namespace dao
