// CONNECT and DISCONNECT of a transaction object over the database layer:
// the database field names the file; the result code (-1 on failure), the
// database's error number and its text are left in the object's fields.
#include <algorithm>

#include "dao.h"
#include "err.h"
#include "vm_state.h"

namespace pbvm {

struct Connection {
    std::shared_ptr<dao::Database> database;
};

namespace {

constexpr u32 kDatabase = 2, kSqlCode = 8, kDbCode = 10, kErrorText = 11;

void setLong(Object& o, u32 field, long value) {
    if (PbValue* f = FieldRecord(o, field)) *f = {static_cast<u32>(value), flag::kLong, type::kLong};
}

void setText(Object& o, u32 field, const std::string& text) {
    if (PbValue* f = FieldRecord(o, field)) {
        ReleaseValue(*f);
        *f = {NewString(text), flag::kValue, type::kString};
    }
}

void report(Object& o, long code, long dbCode, const std::string& text) {
    setLong(o, kSqlCode, code);
    setLong(o, kDbCode, dbCode);
    setText(o, kErrorText, text);
}

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

std::shared_ptr<dao::Database> ConnectedDatabase(u32 transaction) {
    auto it = S().connections.find(transaction);
    return it == S().connections.end() ? nullptr : it->second->database;
}

namespace ops {

u32 Connect(u32, u32 transaction) {
    Object* o = FindObject(transaction);
    if (!o || o->sysClass != "transaction") return 0;
    PbValue* field = FieldRecord(*o, kDatabase);
    std::string path = field ? trim(ValueText(*field)) : std::string();
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty()) {
        report(*o, -1, 3024, "No database file is named in the connection settings.");
        return 1;
    }
    try {
        auto connection = std::make_shared<Connection>();
        connection->database = dao::OpenDatabase(path);
        S().connections[transaction] = connection;
        report(*o, 0, 0, "");
    } catch (const vb::VBError& e) {
        report(*o, -1, e.number(), e.description());
    }
    return 1;
}

u32 Disconnect(u32, u32 transaction) {
    Object* o = FindObject(transaction);
    if (!o || o->sysClass != "transaction") return 0;
    auto it = S().connections.find(transaction);
    if (it == S().connections.end()) {
        report(*o, -1, 0, "Not connected.");
        return 1;
    }
    try {
        it->second->database->Close();
    } catch (const vb::VBError&) {
    }
    S().connections.erase(it);
    report(*o, 0, 0, "");
    return 1;
}

}  // namespace ops
}  // namespace pbvm
