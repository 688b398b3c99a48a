#pragma once
// Engine errors: raised as vb::VBError with the engine's numbers, and the
// translation of SQLite's failures into them.
#include <string>

struct sqlite3;

// The engine's error numbers, by name. The numbers are what programs see in
// Err.Number and must not change.
namespace dao::errors {

// The engine failed in a way none of the numbers below describes.
inline constexpr int EngineFailed = 3000;
inline constexpr int InvalidArgument = 3001;

// Opening and using database files.
inline constexpr int DatabaseFileNotFound = 3024;
inline constexpr int ReadOnly = 3027;
inline constexpr int DiskFull = 3035;
inline constexpr int DiskError = 3043;
inline constexpr int NotADatabasePath = 3044;
inline constexpr int FileInUse = 3045;
inline constexpr int DatabaseDamaged = 3049;
inline constexpr int CannotOpenFile = 3051;
inline constexpr int Locked = 3260;
inline constexpr int UnrecognizedDatabaseFormat = 3343;
inline constexpr int ObjectClosed = 3420;

// Transactions.
inline constexpr int NoTransaction = 3034;

// SQL texts.
inline constexpr int UnknownColumn = 3061;
inline constexpr int SelectCannotBeExecuted = 3065;
inline constexpr int UnknownNameInCriterion = 3070;
inline constexpr int QueryExpressionSyntax = 3075;
inline constexpr int ExpressionSyntax = 3077;
inline constexpr int UnknownTable = 3078;
inline constexpr int AmbiguousField = 3079;
inline constexpr int UnknownFunction = 3085;
inline constexpr int InsertIntoUnknownField = 3127;
inline constexpr int InvalidSqlStatement = 3129;
inline constexpr int InsertSyntax = 3134;
inline constexpr int CharactersAfterStatement = 3142;
inline constexpr int UpdateSyntax = 3144;
inline constexpr int NotARecordSource = 3219;
inline constexpr int ValueCountMismatch = 3346;

// Records and fields.
inline constexpr int UpdateWithoutEditOrAddNew = 3020;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int DuplicateKey = 3022;
inline constexpr int NotABookmark = 3159;
inline constexpr int FieldTooSmall = 3163;
inline constexpr int FieldNotUpdatable = 3164;
inline constexpr int RecordDeleted = 3167;
// Another user changed what an edit was about to overwrite.
inline constexpr int WriteConflict = 3197;
inline constexpr int ItemNotFound = 3265;
inline constexpr int FieldRequired = 3314;
inline constexpr int RuleBroken = 3317;
inline constexpr int NumericFieldOverflow = 3349;
inline constexpr int DataTypeConversion = 3421;
inline constexpr int CancelledByBoundObject = 3426;
inline constexpr int DataTypeMismatch = 3464;

}  // namespace dao::errors

namespace dao {

// What was being done when SQLite failed, for the error's number and text.
enum class StatementKind { Select, Insert, Delete, Update, Other };

[[noreturn]] void RaiseEngineError(int number, const std::string& description);

// Raises the engine error for SQLite result code `rc` on `db`, for a
// statement of `kind` with text `sql` on the file `file`.
[[noreturn]] void RaiseFromSqlite(sqlite3* db, int rc, StatementKind kind, const std::string& sql,
                                  const std::string& file);

}  // namespace dao
