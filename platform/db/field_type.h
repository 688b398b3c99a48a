#pragma once
// Column kinds of the engine and the conversions between a column's stored
// form and the Variant a program reads or writes.
//
// A table column's kind comes from the type it is declared with in the
// database (LONG, SHORT, CURRENCY, DATETIME, TEXT(50), LONGTEXT, YESNO,
// DOUBLE, SINGLE, ...). Values are stored so that SQL compares and sorts them
// correctly: whole numbers as integers, Currency as the nearest double of its
// four-decimal amount, Date as its serial day count, Yes/No as -1 or 0.
#include <cstdint>
#include <string>

#include "variant.h"

namespace dao {

// Field types, numbered as the engine's Field.Type reports them.
enum DataTypeEnum : int {
    dbUnknown = 0,  // an expression result: the kind follows the value
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbBinary = 9,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
};

struct ColumnType {
    DataTypeEnum type = dbUnknown;
    int size = 0;  // characters for text (0: no limit), bytes for the others
};

// The kind of a column declared with `declared` (case ignored; "TEXT(50)",
// "LONG", "CURRENCY", ...). Unknown or empty declarations give dbUnknown.
ColumnType ColumnTypeFromDeclaration(const std::string& declared);

// Short name of a type for messages ("Long", "Currency", "Date/Time", ...).
std::string DataTypeName(DataTypeEnum type);

// A value as it comes out of the database: one of SQLite's storage classes.
struct StoredValue {
    enum Kind : std::uint8_t { Null, Integer, Real, Text } kind = Null;
    std::int64_t i = 0;
    double d = 0.0;
    std::string s;
};

// The Variant a program reads from a column of type `type` holding `v`.
vb::Variant VariantFromStored(ColumnType type, StoredValue::Kind kind, std::int64_t i, double d,
                              const char* text, std::size_t length);

// Converts `v` to the Variant kind of a column of type `type`, as assigning
// to a field does. Empty text becomes Null for every non-text column.
// Raises 3421 when the value cannot be converted, 3349 when a number does
// not fit, 3163 when a text is longer than the column allows. `where` names
// the field in messages ("tblProducts.UnitPrice").
vb::Variant ConvertForColumn(const vb::Variant& v, ColumnType type, const std::string& where);

// The stored form of a value already converted by ConvertForColumn.
StoredValue StoredFromVariant(const vb::Variant& v);

// Text forms the engine accepts for a date besides the runtime's own
// ("2026-12-09", "2026-12-09 15:45:00", "2026-12-09T15:45:00").
bool ParseEngineDate(const std::string& text, vb::Date& out);

// Currency amount as the decimal text that is stored for it ("15.99").
std::string CurrencyStorageText(vb::Currency c);

}  // namespace dao
