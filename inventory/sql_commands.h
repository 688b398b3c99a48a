#pragma once
// The SQL texts of the data layer's commands, built from a table object's
// name, columns and sort settings.
//
// Values reach the texts so that no value can change what a command does:
// a whole number stays as it is; a text value is quoted with its own quotes
// doubled, so it is stored exactly as typed; a filter value must be a whole
// number, a text the caller put in single quotes, or a date the caller put
// between # signs (else error 3464). A value without quotes gives the same
// text, byte for byte, as when it is simply put in.
#include <string>

#include "variant.h"

namespace inventory {

class CTable;

namespace sql {

// "SELECT id From t ORDER BY id DESC;"
std::string NextId(const CTable& tbl);
// "SELECT t.* From t   ORDER BY o s;" or, with a filter,
// "SELECT t.* From t  WHERE ([F]=v) ORDER BY o s;"
std::string Select(const CTable& tbl, const vb::Variant& FieldName = {}, const vb::Variant& FieldValue = {});
// "INSERT INTO t SELECT tBak.* FROM tBak;"
std::string Reset(const CTable& tbl);
// "DELETE t.* From t  ;" or "DELETE t.* From t  WHERE ([F]=v);"
std::string Delete(const CTable& tbl, const vb::Variant& FieldName = {}, const vb::Variant& FieldValue = {});
// "SELECT t.* From t WHERE ([id]=key);" or "SELECT t.* From t WHERE ([F]=v);"
std::string UpdateSelect(const CTable& tbl, const vb::Variant& FieldName = {},
                         const vb::Variant& FieldValue = {});
// "INSERT INTO t ( [a], [b]) SELECT 1, 'x';" with every column of the table.
std::string Insert(const CTable& tbl);

// A value as a filter compares it (error 3464 when it is none of the forms
// above).
std::string FilterValue(const vb::Variant& value);
// A column name between square brackets (error 3075 when it holds one).
std::string BracketedName(const std::string& name);
// A text between single quotes, its own quotes doubled.
std::string QuotedText(const std::string& text);
// A value written bare: a number stays as it is, the empty text is NULL;
// anything else is error 3464.
std::string BareValue(const std::string& text);

}  // namespace sql
}  // namespace inventory
