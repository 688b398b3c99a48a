#include "sql_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace dao {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
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

std::string QuoteName(const std::string& name) { return quoted(name, '"'); }

std::string QuoteText(const std::string& text) { return quoted(text, '\''); }

std::string NumberLiteral(double value) {
    char buf[40];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    return ec == std::errc{} ? std::string(buf, end) : std::string("NULL");
}

}  // namespace dao
