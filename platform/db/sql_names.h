#pragma once
// Table and field names as the engine treats them: compared without regard
// to case, and quoted for SQLite when the layer writes SQL of its own.
#include <string>
#include <string_view>

namespace dao {

// True when two names are the same but for case (ASCII).
bool SameName(const std::string& a, const std::string& b);
// The name in double quotes, inner double quotes doubled.
std::string QuoteName(const std::string& name);
// A text literal: the text in single quotes, inner single quotes doubled.
std::string QuoteText(const std::string& text);
// A number literal that reads back as the same double ("%.17g" with a
// decimal point, whatever the process's locale).
std::string NumberLiteral(double value);
// Appends a piece of SQL text, with a space between where the two would
// otherwise make "--" or "/*" and open a comment in SQLite (a minus before a
// negative number the layer wrote, say).
void AppendSql(std::string& out, std::string_view piece);

}  // namespace dao
