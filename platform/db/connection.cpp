#include "connection.h"
#include "sql_names.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>


namespace dao {

namespace {

std::atomic<int> lockWaitMs{2000};

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// --- sum(x): exact for whole numbers, compensated for the others ---

struct SumState {
    sqlite3_int64 whole = 0;
    double real = 0.0, compensation = 0.0;
    bool any = false, anyReal = false, overflow = false;
};

void addReal(SumState& s, double x) {
    double t = s.real + x;
    if (std::fabs(s.real) >= std::fabs(x)) s.compensation += (s.real - t) + x;
    else s.compensation += (x - t) + s.real;
    s.real = t;
}

void sumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* s = static_cast<SumState*>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (!s) return;
    int type = sqlite3_value_numeric_type(argv[0]);
    if (type == SQLITE_NULL) return;
    s->any = true;
    if (type == SQLITE_INTEGER) {
        sqlite3_int64 r;
        if (__builtin_add_overflow(s->whole, sqlite3_value_int64(argv[0]), &r)) s->overflow = true;
        else s->whole = r;
    } else {
        s->anyReal = true;
        addReal(*s, sqlite3_value_double(argv[0]));
    }
}

void sumFinal(sqlite3_context* ctx) {
    auto* s = static_cast<SumState*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->any) { sqlite3_result_null(ctx); return; }
    if (s->overflow) { sqlite3_result_error(ctx, "integer overflow", -1); return; }
    if (s->anyReal) sqlite3_result_double(ctx, static_cast<double>(s->whole) + (s->real + s->compensation));
    else sqlite3_result_int64(ctx, s->whole);
}

}  // namespace

void SetLockWaitMilliseconds(int milliseconds) { lockWaitMs = std::max(0, milliseconds); }

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        if (s_) sqlite3_finalize(s_);
        s_ = o.s_;
        o.s_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    if (s_) sqlite3_finalize(s_);
}

void BindStored(sqlite3_stmt* stmt, int index, const StoredValue& v) {
    switch (v.kind) {
    case StoredValue::Null: sqlite3_bind_null(stmt, index); break;
    case StoredValue::Integer: sqlite3_bind_int64(stmt, index, v.i); break;
    case StoredValue::Real: sqlite3_bind_double(stmt, index, v.d); break;
    case StoredValue::Text: sqlite3_bind_text(stmt, index, v.s.c_str(), static_cast<int>(v.s.size()), SQLITE_TRANSIENT); break;
    }
}

Connection::Connection(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

Connection::~Connection() { close(); }

// Closing with a transaction pending rolls it back.
void Connection::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    transactionDepth_ = 0;
}

sqlite3* Connection::handle() const {
    if (!db_)
        RaiseEngineError(errors::ObjectClosed,
                         "The database '" + path_ + "' has been closed; the object can no longer be used.");
    return db_;
}

std::shared_ptr<Connection> Connection::Open(const std::string& givenPath, bool exclusive, bool readOnly) {
    namespace fs = std::filesystem;
    std::string path = givenPath;
    std::error_code ec;
    if (!fs::exists(path, ec) && path.find('\\') != std::string::npos) {
        std::string slashed = path;
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        if (fs::exists(slashed, ec)) path = slashed;
    }
    if (path.empty() || !fs::exists(path, ec))
        RaiseEngineError(errors::DatabaseFileNotFound, "The database file '" + givenPath + "' could not be found.");
    if (fs::is_directory(path, ec))
        RaiseEngineError(errors::NotADatabasePath, "'" + givenPath + "' is a folder, not a database file.");

    // Look at the file's header before SQLite touches it: a file that is not
    // a database is refused and left exactly as it was.
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            RaiseEngineError(errors::CannotOpenFile,
                             "The database file '" + path + "' cannot be opened (permission denied).");
        char header[16] = {};
        in.read(header, sizeof header);
        static const char magic[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
        if (in.gcount() != 16 || !std::equal(header, header + 16, magic))
            RaiseEngineError(errors::UnrecognizedDatabaseFormat,
                             "'" + path + "' is not a database file in a format this engine recognises.");
    }

    sqlite3* db = nullptr;
    // A connection is used by one thread only (the program's), so SQLite
    // need not lock it on every call: reading a row's columns one by one
    // would otherwise take and release its mutex for each. Without the lock
    // a column's value may also be read directly (row_store.cpp).
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (db) sqlite3_close_v2(db);
        RaiseEngineError(errors::CannotOpenFile,
                         "The database file '" + path + "' cannot be opened (" + sqlite3_errstr(rc) + ").");
    }
    std::shared_ptr<Connection> c(new Connection(db, path));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, lockWaitMs.load());
    if (exclusive) sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);

    // Reading the schema needs the file's shared lock: a locked file shows here.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (exclusive && rc == SQLITE_OK)
        rc = sqlite3_exec(db, readOnly ? "BEGIN; SELECT count(*) FROM sqlite_master; COMMIT"
                                       : "BEGIN EXCLUSIVE; COMMIT",
                          nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        int primary = rc & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
            RaiseEngineError(errors::FileInUse,
                             "The database file '" + path +
                                 "' is in use: another user holds it locked, so it cannot be opened now.");
        if (primary == SQLITE_NOTADB)
            RaiseEngineError(errors::UnrecognizedDatabaseFormat,
                             "'" + path + "' is not a database file in a format this engine recognises.");
        if (primary == SQLITE_CORRUPT)
            RaiseEngineError(errors::DatabaseDamaged,
                             "The database file '" + path + "' is damaged and cannot be opened.");
        RaiseEngineError(errors::CannotOpenFile,
                         "The database file '" + path + "' cannot be opened (" + sqlite3_errstr(rc) + ").");
    }
    c->installFunctions();
    c->refreshSchema();
    return c;
}

void Connection::installFunctions() {
    sqlite3_create_function_v2(db_, "sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr, sumStep,
                               sumFinal, nullptr);
}

Statement Connection::prepare(const std::string& sql, StatementKind kind) const {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(handle(), sql.c_str(), static_cast<int>(sql.size()), &s, nullptr);
    if (rc != SQLITE_OK) {
        if (s) sqlite3_finalize(s);
        fail(rc, kind, sql);
    }
    if (!s)
        RaiseEngineError(errors::InvalidSqlStatement,
                         "The SQL text is empty; expected DELETE, INSERT, SELECT or UPDATE.");
    return Statement(s);
}

void Connection::fail(int rc, StatementKind kind, const std::string& sql) const {
    RaiseFromSqlite(db_, rc, kind, sql, path_);
}

void Connection::run(const Statement& stmt, StatementKind kind, const std::string& sql) const {
    requireTransactionKept();
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) fail(rc, kind, sql);
}

ColumnType Connection::columnTypeByName(const std::string& column) const {
    auto it = columnTypes_.find(lower(column));
    return it == columnTypes_.end() ? ColumnType{} : it->second;
}

const std::vector<TableColumn>* Connection::tableColumns(const std::string& table) const {
    auto it = tables_.find(lower(table));
    return it == tables_.end() ? nullptr : &it->second;
}

void Connection::refreshSchema() {
    columnTypes_.clear();
    tables_.clear();
    std::vector<std::string> names;
    {
        Statement list = prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'",
                                 StatementKind::Select);
        while (sqlite3_step(list.get()) == SQLITE_ROW)
            names.push_back(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
    }
    std::map<std::string, bool> conflicting;
    for (const std::string& table : names) {
        std::vector<TableColumn>& columns = tables_[lower(table)];
        Statement info = prepare("PRAGMA table_info(" + QuoteName(table) + ")", StatementKind::Other);
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            const char* name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
            const char* decl = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
            TableColumn col{name ? name : "", ColumnTypeFromDeclaration(decl ? decl : "")};
            columns.push_back(col);
            std::string key = lower(col.name);
            auto it = columnTypes_.find(key);
            if (it == columnTypes_.end()) columnTypes_[key] = col.type;
            else if (it->second.type != col.type.type) conflicting[key] = true;
        }
    }
    for (const auto& [key, yes] : conflicting)
        if (yes) columnTypes_[key] = ColumnType{};
}

}  // namespace dao
