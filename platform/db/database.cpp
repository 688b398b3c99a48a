#include "database.h"
#include "sql_names.h"

#include <cctype>

#include "connection.h"
#include "err.h"
#include "sql_dialect.h"
#include "stored_literals.h"

namespace dao {

namespace {
constexpr int dbReadOnlyOption = 4;
}  // namespace

Database::Database(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {}

Database::~Database() = default;

const std::string& Database::Name() const { return connection_->path(); }

std::shared_ptr<Recordset> Database::OpenRecordset(const std::string& source, int type, int options) {
    if (options & dbReadOnlyOption) type = dbOpenSnapshot;
    return Recordset::Open(connection_, source, type);
}

void Database::Execute(const std::string& sql, int /*options*/) {
    connection_->handle();  // 3420 when closed
    TranslatedStatement t = TranslateStatement(sql);
    if (t.kind == StatementKind::Select)
        RaiseEngineError(errors::SelectCannotBeExecuted,
                         "A SELECT query returns rows and cannot be executed; open it as a recordset: " + sql);
    std::string stored = StoreLiteralValues(
        t.sql, t.kind, [this](const std::string& table) { return connection_->tableColumns(table); });
    Statement stmt = connection_->prepare(stored, t.kind);
    connection_->run(stmt, t.kind, stored);
    // SQLite counts only rows changed by DELETE, INSERT and UPDATE and keeps
    // the previous count across any other statement.
    recordsAffected_ = t.kind == StatementKind::Other ? 0 : sqlite3_changes(connection_->handle());
    if (t.kind == StatementKind::Other) connection_->refreshSchema();
}

void Database::BeginTrans() { connection_->beginTransaction(); }

void Database::CommitTrans(int /*options*/) { connection_->commitTransaction(); }

void Database::Rollback() { connection_->rollbackTransaction(); }

int Database::TransactionDepth() const { return connection_->transactionDepth(); }

void Database::Close() {
    connection_->handle();  // 3420 when already closed
    connection_->close();
}

vb::Variant Database::GetMember(const std::string& name) {
    if (SameName(name, "RecordsAffected")) return vb::Variant::Long(static_cast<std::int32_t>(RecordsAffected()));
    if (SameName(name, "Name")) return vb::Variant(Name());
    return Object::GetMember(name);
}

vb::Variant Database::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (SameName(name, "OpenRecordset") && !args.empty()) {
        int type = args.size() > 1 && !args[1].IsEmpty() ? static_cast<int>(args[1].ToLong()) : dbOpenDefault;
        int options = args.size() > 2 && !args[2].IsEmpty() ? static_cast<int>(args[2].ToLong()) : 0;
        return vb::Variant(std::static_pointer_cast<vb::Object>(OpenRecordset(args[0].ToString(), type, options)));
    }
    if (SameName(name, "Execute") && !args.empty()) {
        Execute(args[0].ToString(), args.size() > 1 && !args[1].IsEmpty() ? static_cast<int>(args[1].ToLong()) : 0);
        return {};
    }
    if (SameName(name, "BeginTrans") && args.empty()) {
        BeginTrans();
        return {};
    }
    if (SameName(name, "CommitTrans") && args.size() <= 1) {
        CommitTrans(args.empty() || args[0].IsEmpty() ? 0 : static_cast<int>(args[0].ToLong()));
        return {};
    }
    if (SameName(name, "Rollback") && args.empty()) {
        Rollback();
        return {};
    }
    if (SameName(name, "Close") && args.empty()) {
        Close();
        return {};
    }
    return Object::CallMember(name, args);
}

std::shared_ptr<Database> OpenDatabase(const std::string& path, const vb::Variant& options, bool readOnly,
                                       const std::string& /*connect*/) {
    bool exclusive = false;
    if (!options.IsEmpty() && !options.IsNull()) {
        try {
            exclusive = options.ToBool();
        } catch (const vb::VBError&) {
            exclusive = false;
        }
    }
    return std::make_shared<Database>(Connection::Open(path, exclusive, readOnly));
}

}  // namespace dao
