#include "engine_error.h"

#include <sqlite3.h>

#include "err.h"

namespace dao {

namespace {

bool startsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// The text after `prefix` in `message`.
std::string after(const std::string& message, const std::string& prefix) {
    return message.substr(message.find(prefix) + prefix.size());
}

int syntaxNumber(StatementKind kind) {
    switch (kind) {
    case StatementKind::Insert: return errors::InsertSyntax;
    case StatementKind::Update: return errors::UpdateSyntax;
    default: return errors::QueryExpressionSyntax;
    }
}

std::string syntaxText(StatementKind kind) {
    switch (kind) {
    case StatementKind::Insert: return "Syntax error in INSERT INTO statement";
    case StatementKind::Update: return "Syntax error in UPDATE statement";
    case StatementKind::Delete: return "Syntax error in DELETE statement";
    default: return "Syntax error in query expression";
    }
}

}  // namespace

// Descriptions are sentences without their closing period, like the runtime's
// own ("File not found"): callers append their own punctuation.
void RaiseEngineError(int number, const std::string& description) {
    std::string text = description;
    while (!text.empty() && text.back() == '.') text.pop_back();
    throw vb::VBError(number, text);
}

void RaiseFromSqlite(sqlite3* db, int rc, StatementKind kind, const std::string& sql, const std::string& file) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    int extended = db ? sqlite3_extended_errcode(db) : rc;
    int primary = rc & 0xff;
    const std::string inFile = " in the database '" + file + "'";

    switch (primary) {
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_PRIMARYKEY || extended == SQLITE_CONSTRAINT_UNIQUE) {
            std::string cols = message.find(": ") != std::string::npos ? after(message, ": ") : message;
            RaiseEngineError(errors::DuplicateKey,
                             "The change would put a duplicate value into the key or unique index on " + cols + inFile +
                                 "; no rows were changed.");
        }
        if (extended == SQLITE_CONSTRAINT_NOTNULL) {
            std::string col = message.find(": ") != std::string::npos ? after(message, ": ") : message;
            RaiseEngineError(errors::FieldRequired, "The field " + col + " must have a value" + inFile + ".");
        }
        RaiseEngineError(errors::RuleBroken, "The change breaks a rule of the table (" + message + ")" + inFile + ".");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        RaiseEngineError(errors::Locked,
                         "The database '" + file + "' is locked by another user; the operation could not wait for it.");
    case SQLITE_READONLY:
        RaiseEngineError(errors::ReadOnly, "Cannot change data: the database '" + file + "' is open read-only.");
    case SQLITE_NOTADB:
        RaiseEngineError(errors::UnrecognizedDatabaseFormat,
                         "'" + file + "' is not a database file in a format this engine recognises.");
    case SQLITE_CORRUPT:
        RaiseEngineError(errors::DatabaseDamaged, "The database '" + file + "' is damaged and cannot be read.");
    case SQLITE_FULL:
        RaiseEngineError(errors::DiskFull, "No room left to write to the database '" + file + "'.");
    case SQLITE_IOERR:
        RaiseEngineError(errors::DiskError, "A disk error occurred while using the database '" + file + "'.");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        RaiseEngineError(errors::CannotOpenFile,
                         "The database '" + file + "' cannot be opened or written (permission denied).");
    case SQLITE_TOOBIG:
        RaiseEngineError(errors::FieldTooSmall, "A value is too large for its field" + inFile + ".");
    case SQLITE_MISMATCH:
        RaiseEngineError(errors::DataTypeMismatch, "Data type mismatch in criteria expression: " + sql);
    default:
        break;
    }

    if (startsWith(message, "no such table: ")) {
        std::string table = after(message, "no such table: ");
        if (startsWith(table, "main.")) table = table.substr(5);
        RaiseEngineError(errors::UnknownTable, "There is no table or query named '" + table + "'" + inFile + ".");
    }
    if (startsWith(message, "no such column: ")) {
        std::string col = after(message, "no such column: ");
        RaiseEngineError(errors::UnknownColumn,
                         "The statement names '" + col + "', which is not a field of its tables: " + sql);
    }
    if (message.find(" has no column named ") != std::string::npos) {
        std::string col = after(message, " has no column named ");
        std::string table = message.substr(6, message.find(" has no column named ") - 6);
        RaiseEngineError(errors::InsertIntoUnknownField, "The INSERT INTO statement names the field '" + col +
                                                             "', which the table '" + table + "' does not have.");
    }
    if (startsWith(message, "ambiguous column name: ")) {
        std::string col = after(message, "ambiguous column name: ");
        RaiseEngineError(errors::AmbiguousField,
                         "The field '" + col + "' could belong to more than one table of the FROM clause: " + sql);
    }
    if (startsWith(message, "no such function: ")) {
        std::string fn = after(message, "no such function: ");
        RaiseEngineError(errors::UnknownFunction,
                         "The function '" + fn + "' used in the expression is not known: " + sql);
    }
    if (message.find("values for") != std::string::npos || message.find("values were supplied") != std::string::npos)
        RaiseEngineError(errors::ValueCountMismatch,
                         "The number of values does not match the number of fields to fill: " + sql);
    if (message.find("syntax error") != std::string::npos || startsWith(message, "unrecognized token") ||
        startsWith(message, "incomplete input"))
        RaiseEngineError(syntaxNumber(kind), syntaxText(kind) + " (" + message + "): " + sql);
    if (message.find("misuse of aggregate") != std::string::npos || message.find("wrong number of arguments") != std::string::npos)
        RaiseEngineError(errors::QueryExpressionSyntax, "Error in query expression (" + message + "): " + sql);
    RaiseEngineError(errors::EngineFailed, "The database engine failed (" + message + ")" + inFile + ": " + sql);
}

}  // namespace dao
