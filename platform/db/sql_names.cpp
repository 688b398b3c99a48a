#include "sql_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace dao {

// Names fold ASCII letters only: the same answer in every locale, and no
// call per character (field names are looked up once per row and column).
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        const unsigned char lower = x | 0x20;
        if (lower != (y | 0x20) || lower < 'a' || lower > 'z') return false;
    }
    return true;
}

namespace {

std::string quoted(const std::string& text, char mark) {
    std::string out(1, mark);
    for (char c : text) {
        out += c;
        if (c == mark) out += mark;
    }
    return out + mark;
}

}  // namespace

void AppendSql(std::string& out, std::string_view piece) {
    if (!out.empty() && !piece.empty() &&
        ((out.back() == '-' && piece.front() == '-') || (out.back() == '/' && piece.front() == '*')))
        out += ' ';
    out += piece;
}

std::string QuoteName(const std::string& name) { return quoted(name, '"'); }

std::string QuoteText(const std::string& text) { return quoted(text, '\''); }

std::string NumberLiteral(double value) {
    char buf[40];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    return ec == std::errc{} ? std::string(buf, end) : std::string("NULL");
}

}  // namespace dao
