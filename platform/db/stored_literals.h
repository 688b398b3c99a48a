#pragma once
// Values written by SQL text are stored in their column's form: the literal
// values of an INSERT (VALUES, or SELECT without FROM) and of an UPDATE's
// SET list are converted for the column they go to, as assigning them to a
// field would convert them. So '12/09/26' into a Date/Time column becomes
// its serial day number (and sorts by date), '12.5' into a Currency column
// becomes the amount, '42' into a Long column the number 42.
//
// Rows copied from another table (INSERT INTO T SELECT S.* FROM S) are
// already in stored form and pass unchanged.
#include <functional>
#include <string>
#include <vector>

#include "engine_error.h"
#include "field_type.h"

namespace dao {

struct TableColumn {
    std::string name;
    ColumnType type;
};

// The columns of a table in their order; nullptr for an unknown table.
using ColumnLookup = std::function<const std::vector<TableColumn>*(const std::string& table)>;

// Returns `sql` (already translated) with its literal values converted.
// Raises 3464 for a literal its column cannot take, 3349 for a number out
// of the column's range, 3163 for a text longer than the column allows.
std::string StoreLiteralValues(const std::string& sql, StatementKind kind, const ColumnLookup& columns);

}  // namespace dao
