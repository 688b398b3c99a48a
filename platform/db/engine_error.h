#pragma once
// Engine errors: raised as vb::VBError with the engine's numbers, and the
// translation of SQLite's failures into them.
#include <string>

struct sqlite3;

namespace dao {

// What was being done when SQLite failed, for the error's number and text.
enum class StatementKind { Select, Insert, Delete, Update, Other };

[[noreturn]] void RaiseEngineError(int number, const std::string& description);

// Raises the engine error for SQLite result code `rc` on `db`, for a
// statement of `kind` with text `sql` on the file `file`.
[[noreturn]] void RaiseFromSqlite(sqlite3* db, int rc, StatementKind kind, const std::string& sql,
                                  const std::string& file);

}  // namespace dao
