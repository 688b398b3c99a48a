#include "sql_commands.h"

#include <regex>

#include "c_table.h"
#include "err.h"

namespace inventory::sql {

namespace {

[[noreturn]] void DataTypeMismatch(const std::string& value) {
    throw vb::VBError(3464, "Data type mismatch in criteria expression: " + value);
}

bool IsWholeNumber(const std::string& text) {
    static const std::regex pattern(R"([+-]?[0-9]+)");
    return std::regex_match(text, pattern);
}

bool IsNumberLiteral(const std::string& text) {
    static const std::regex pattern(R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+))");
    return std::regex_match(text, pattern);
}

bool IsDateLiteral(const std::string& text) {
    static const std::regex pattern(R"(#[0-9A-Za-z/:.\- ]+#)");
    return std::regex_match(text, pattern);
}

std::string KeyName(const CTable& tbl) { return tbl.colFields.Item("ID")->sName; }

std::string Filter(const vb::Variant& FieldName, const vb::Variant& FieldValue) {
    return "WHERE (" + BracketedName(FieldName.ToString()) + "=" + FilterValue(FieldValue) + ")";
}

}  // namespace

std::string FilterValue(const vb::Variant& value) {
    if (value.IsEmpty() || value.IsNull() || value.IsObject() || value.IsArray()) DataTypeMismatch("");
    const std::string text = value.ToString();
    if (IsWholeNumber(text)) return text;
    if (value.Type() == vb::VarType::String) {
        if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
            return QuotedText(text.substr(1, text.size() - 2));
        if (IsDateLiteral(text)) return text;
    }
    DataTypeMismatch(text);
}

std::string BracketedName(const std::string& name) {
    if (name.find_first_of("[]") != std::string::npos)
        throw vb::VBError(3075, "Invalid bracketing of name '" + name + "'");
    return "[" + name + "]";
}

std::string QuotedText(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string BareValue(const std::string& text) {
    if (text.empty()) return "NULL";
    if (IsNumberLiteral(text)) return text;
    DataTypeMismatch(text);
}

std::string NextId(const CTable& tbl) {
    const std::string id = KeyName(tbl);
    return "SELECT " + id + " From " + tbl.sTableName + " ORDER BY " + id + " DESC;";
}

std::string Select(const CTable& tbl, const vb::Variant& FieldName, const vb::Variant& FieldValue) {
    const std::string& t = tbl.sTableName;
    std::string text = "SELECT " + t + ".* From " + t + "  ";
    if (!FieldName.IsEmpty()) {
        text += Filter(FieldName, FieldValue) + " ";
    } else {
        text += " ";
    }
    return text + "ORDER BY " + tbl.sOrderBy + " " + tbl.sSortOrder + ";";
}

std::string Reset(const CTable& tbl) {
    const std::string& t = tbl.sTableName;
    return "INSERT INTO " + t + " SELECT " + t + "Bak.* FROM " + t + "Bak;";
}

std::string Delete(const CTable& tbl, const vb::Variant& FieldName, const vb::Variant& FieldValue) {
    const std::string& t = tbl.sTableName;
    std::string text = "DELETE " + t + ".* From " + t + "  ";
    if (!FieldName.IsEmpty()) text += Filter(FieldName, FieldValue);
    return text + ";";
}

std::string UpdateSelect(const CTable& tbl, const vb::Variant& FieldName, const vb::Variant& FieldValue) {
    const std::string& t = tbl.sTableName;
    std::string text = "SELECT " + t + ".* From " + t + " ";
    if (!FieldName.IsEmpty()) {
        text += Filter(FieldName, FieldValue);
    } else {
        text += Filter(vb::Variant(KeyName(tbl)), vb::Variant(tbl.colFields.Item("ID")->vntValue));
    }
    return text + ";";
}

std::string Insert(const CTable& tbl) {
    std::string text = "INSERT INTO " + tbl.sTableName + " ( ";
    const std::vector<CParamRef> params = tbl.colFields.NewEnum();
    for (const CParamRef& param : params) text += BracketedName(param->sName) + ", ";
    text.resize(text.size() - 2);
    text += ") SELECT ";
    for (const CParamRef& param : params) {
        text += (param->bDelimiter ? QuotedText(param->vntValue) : BareValue(param->vntValue)) + ", ";
    }
    text.resize(text.size() - 2);
    return text + ";";
}

}  // namespace inventory::sql
