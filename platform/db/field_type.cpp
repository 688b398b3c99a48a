#include "field_type.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "calendar.h"
#include "engine_error.h"
#include "err.h"
#include "text_forms.h"
#include "utf8.h"

namespace dao {

namespace {

std::string upperTrim(const std::string& s) {
    std::string out;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string numberText(double d) { return vb::DoubleText(d); }

}  // namespace

ColumnType ColumnTypeFromDeclaration(const std::string& declared) {
    std::string d = upperTrim(declared);
    int size = 0;
    auto paren = d.find('(');
    if (paren != std::string::npos) {
        // A size that is no 32-bit number (a damaged or foreign schema) is
        // taken as no size: the type's own.
        const char* digits = d.c_str() + paren + 1;
        const auto [end, ec] = std::from_chars(digits, d.c_str() + d.size(), size);
        if (ec != std::errc{}) size = 0;
        d = d.substr(0, paren);
    }
    struct Name { const char* name; DataTypeEnum type; int size; };
    static const Name names[] = {
        {"LONG", dbLong, 4},         {"INTEGER", dbLong, 4},      {"INT", dbLong, 4},
        {"INTEGER4", dbLong, 4},     {"COUNTER", dbLong, 4},      {"AUTOINCREMENT", dbLong, 4},
        {"SHORT", dbInteger, 2},     {"SMALLINT", dbInteger, 2},  {"INTEGER2", dbInteger, 2},
        {"BYTE", dbByte, 1},         {"TINYINT", dbByte, 1},
        {"CURRENCY", dbCurrency, 8}, {"MONEY", dbCurrency, 8},
        {"DATETIME", dbDate, 8},     {"DATE", dbDate, 8},         {"TIME", dbDate, 8},
        {"TIMESTAMP", dbDate, 8},
        {"TEXT", dbText, 255},       {"VARCHAR", dbText, 255},    {"CHAR", dbText, 255},
        {"CHARACTER", dbText, 255},  {"STRING", dbText, 255},     {"ALPHANUMERIC", dbText, 255},
        {"LONGTEXT", dbMemo, 0},     {"MEMO", dbMemo, 0},         {"NOTE", dbMemo, 0},
        {"LONGCHAR", dbMemo, 0},
        {"YESNO", dbBoolean, 1},     {"BIT", dbBoolean, 1},       {"BOOLEAN", dbBoolean, 1},
        {"LOGICAL", dbBoolean, 1},
        {"DOUBLE", dbDouble, 8},     {"FLOAT", dbDouble, 8},      {"NUMBER", dbDouble, 8},
        {"NUMERIC", dbDouble, 8},
        {"SINGLE", dbSingle, 4},     {"REAL", dbSingle, 4},       {"FLOAT4", dbSingle, 4},
        {"BINARY", dbBinary, 255},   {"VARBINARY", dbBinary, 255},
        {"LONGBINARY", dbLongBinary, 0}, {"BLOB", dbLongBinary, 0}, {"OLEOBJECT", dbLongBinary, 0},
    };
    for (const Name& n : names)
        if (d == n.name) return ColumnType{n.type, (n.type == dbText || n.type == dbBinary) && size > 0 ? size : n.size};
    return ColumnType{};
}

std::string DataTypeName(DataTypeEnum type) {
    switch (type) {
    case dbBoolean: return "Yes/No";
    case dbByte: return "Byte";
    case dbInteger: return "Integer";
    case dbLong: return "Long";
    case dbCurrency: return "Currency";
    case dbSingle: return "Single";
    case dbDouble: return "Double";
    case dbDate: return "Date/Time";
    case dbBinary: return "Binary";
    case dbText: return "Text";
    case dbLongBinary: return "OLE Object";
    case dbMemo: return "Memo";
    default: return "Value";
    }
}

bool ParseEngineDate(const std::string& text, vb::Date& out) {
    if (vb::ParseDateText(text, out)) return true;
    int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, consumed = 0;
    std::string t = text;
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.pop_back();
    std::size_t lead = t.find_first_not_of(" \t");
    if (lead == std::string::npos) return false;
    t = t.substr(lead);
    if (std::sscanf(t.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &consumed) != 3) return false;
    if (consumed != static_cast<int>(t.size())) {
        char sep = t[consumed];
        if (sep != ' ' && sep != 'T') return false;
        int more = 0;
        const char* rest = t.c_str() + consumed + 1;
        int got = std::sscanf(rest, "%2d:%2d:%2d%n", &h, &mi, &s, &more);
        if (got != 3) {
            s = 0;
            if (std::sscanf(rest, "%2d:%2d%n", &h, &mi, &more) != 2) return false;
        }
        if (consumed + 1 + more != static_cast<int>(t.size())) return false;
    }
    // A day of the calendar the Date type holds; no day is moved to another.
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > vb::calendar::DaysInMonth(y, m) || h < 0 ||
        h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return false;
    out = vb::Date::FromParts(y, m, d, h, mi, s);
    return true;
}

std::string CurrencyStorageText(vb::Currency c) { return vb::CurrencyText(c); }

vb::Variant VariantFromStored(ColumnType type, StoredValue::Kind kind, std::int64_t i, double d,
                              const char* text, std::size_t length) {
    if (kind == StoredValue::Null) return vb::Variant::Null();
    try {
        switch (type.type) {
        case dbLong:
        case dbInteger:
        case dbByte:
            if (kind == StoredValue::Integer) {
                if (type.type == dbLong && i >= std::numeric_limits<std::int32_t>::min() &&
                    i <= std::numeric_limits<std::int32_t>::max())
                    return vb::Variant::Long(static_cast<std::int32_t>(i));
                if (type.type != dbLong && i >= -32768 && i <= 32767)
                    return vb::Variant::Integer(static_cast<std::int16_t>(i));
                return vb::Variant(static_cast<double>(i));
            }
            break;
        case dbCurrency:
            // An amount beyond the Currency range (written by some other
            // program) reads as the plain number below.
            if (kind == StoredValue::Integer) {
                std::int64_t scaled = 0;
                if (!__builtin_mul_overflow(i, vb::Currency::Scale, &scaled))
                    return vb::Variant(vb::Currency::FromScaled(scaled));
            }
            if (kind == StoredValue::Real) return vb::Variant(vb::Currency::FromDouble(d));
            break;
        case dbDate:
            if (kind == StoredValue::Integer) return vb::Variant(vb::Date{static_cast<double>(i)});
            if (kind == StoredValue::Real) return vb::Variant(vb::Date{d});
            if (kind == StoredValue::Text) {
                vb::Date parsed;
                if (ParseEngineDate(std::string(text, length), parsed)) return vb::Variant(parsed);
            }
            break;
        case dbBoolean:
            if (kind == StoredValue::Integer) return vb::Variant(i != 0);
            if (kind == StoredValue::Real) return vb::Variant(d != 0.0);
            break;
        case dbDouble:
            if (kind == StoredValue::Integer) return vb::Variant(static_cast<double>(i));
            if (kind == StoredValue::Real) return vb::Variant(d);
            break;
        case dbSingle:
            if (kind == StoredValue::Integer) return vb::Variant(static_cast<float>(i));
            if (kind == StoredValue::Real) return vb::Variant(static_cast<float>(d));
            break;
        case dbText:
        case dbMemo:
            if (kind == StoredValue::Integer) return vb::Variant(std::to_string(i));
            if (kind == StoredValue::Real) return vb::Variant(numberText(d));
            break;
        default:
            break;
        }
        if (kind == StoredValue::Integer) {
            if (i >= std::numeric_limits<std::int32_t>::min() && i <= std::numeric_limits<std::int32_t>::max())
                return vb::Variant::Long(static_cast<std::int32_t>(i));
            return vb::Variant(static_cast<double>(i));
        }
        if (kind == StoredValue::Real) return vb::Variant(d);
        // A text in a numeric column (written by some other program): convert when it reads as one.
        vb::Variant asText{std::string(text, length)};
        if (type.type == dbUnknown || type.type == dbText || type.type == dbMemo || type.type == dbBinary ||
            type.type == dbLongBinary)
            return asText;
        return ConvertForColumn(asText, type, "");
    } catch (const vb::VBError&) {
        // Not representable as the column's type: the stored value as it is.
        if (kind == StoredValue::Integer) return vb::Variant(static_cast<double>(i));
        if (kind == StoredValue::Real) return vb::Variant(d);
        return vb::Variant(std::string(text ? text : "", length));
    }
}

vb::Variant ConvertForColumn(const vb::Variant& v, ColumnType type, const std::string& where) {
    if (v.IsNull() || v.IsEmpty()) return vb::Variant::Null();
    bool isText = v.Type() == vb::VarType::String;
    if (isText && v.rawString().empty() && type.type != dbText && type.type != dbMemo &&
        type.type != dbUnknown)
        return vb::Variant::Null();
    auto failed = [&](int number) -> vb::VBError {
        std::string shown = isText ? "'" + v.rawString() + "'" : v.TypeName() + " value";
        if (number == errors::NumericFieldOverflow)
            return vb::VBError(errors::NumericFieldOverflow, "The value " + shown + " is too large for the field " +
                                                                 where + " (" + DataTypeName(type.type) + ").");
        return vb::VBError(errors::DataTypeConversion, "Data type conversion error: " + shown +
                                                           " cannot be stored in the " + DataTypeName(type.type) +
                                                           " field " + where + ".");
    };
    try {
        switch (type.type) {
        case dbLong: return vb::Variant::Long(v.ToLong());
        case dbInteger: return vb::Variant::Integer(v.ToInteger());
        case dbByte: {
            std::int16_t b = v.ToInteger();
            if (b < 0 || b > 255) throw failed(errors::NumericFieldOverflow);
            return vb::Variant::Integer(b);
        }
        case dbCurrency: return vb::Variant(v.ToCurrency());
        case dbDate: {
            if (isText) {
                vb::Date d;
                if (ParseEngineDate(v.rawString(), d)) return vb::Variant(d);
            }
            return vb::Variant(v.ToDate());
        }
        case dbBoolean: return vb::Variant(v.ToBool());
        case dbDouble: return vb::Variant(v.ToDouble());
        case dbSingle: return vb::Variant(v.ToSingle());
        case dbText:
        case dbMemo: {
            std::string s = v.ToString();
            if (type.type == dbText && type.size > 0 && vb::utf8::Length(s) > static_cast<std::size_t>(type.size))
                throw vb::VBError(errors::FieldTooSmall, "The field " + where +
                                                             " is too small for the value: it holds at most " +
                                                             std::to_string(type.size) + " characters.");
            return vb::Variant(s);
        }
        default: return v;
        }
    } catch (const vb::VBError& e) {
        if (e.number() == errors::FieldTooSmall || e.number() == errors::NumericFieldOverflow ||
            e.number() == errors::DataTypeConversion)
            throw;
        throw failed(e.number() == vb::errors::Overflow ? errors::NumericFieldOverflow : errors::DataTypeConversion);
    }
}

StoredValue StoredFromVariant(const vb::Variant& v) {
    StoredValue s;
    switch (v.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: return s;
    case vb::VarType::Boolean:
        s.kind = StoredValue::Integer;
        s.i = v.rawBool() ? -1 : 0;
        return s;
    case vb::VarType::Integer:
    case vb::VarType::Long:
        s.kind = StoredValue::Integer;
        s.i = v.rawInt();
        return s;
    case vb::VarType::Currency:
        // As decimal text: the column's numeric affinity reads it exactly as
        // it reads the same amount written in SQL.
        s.kind = StoredValue::Text;
        s.s = CurrencyStorageText(v.ToCurrency());
        return s;
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Date:
        s.kind = StoredValue::Real;
        s.d = v.rawDouble();
        return s;
    default:
        s.kind = StoredValue::Text;
        s.s = v.ToString();
        return s;
    }
}

}  // namespace dao
