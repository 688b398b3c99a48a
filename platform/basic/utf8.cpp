#include "utf8.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace vb::utf8 {

namespace {
bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the sequence that starts at `pos`, 1 for an invalid byte.
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || pos + n > s.size()) return 1;
    for (std::size_t i = 1; i < n; ++i)
        if (!isContinuation(static_cast<unsigned char>(s[pos + i]))) return 1;
    return n;
}

// The C.UTF-8 character classes, whatever the program's own locale is.
locale_t utf8Locale() {
    static locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        return l;
    }();
    return loc;
}

char32_t mapCase(char32_t cp, bool upper) {
    if (cp < 0x80) {
        if (upper && cp >= 'a' && cp <= 'z') return cp - 32;
        if (!upper && cp >= 'A' && cp <= 'Z') return cp + 32;
        return cp;
    }
    locale_t loc = utf8Locale();
    if (!loc) return cp;
    auto w = static_cast<wint_t>(cp);
    return static_cast<char32_t>(upper ? towupper_l(w, loc) : towlower_l(w, loc));
}

// Every character of `s` through `map`; invalid bytes stay as they are.
template <typename Map>
std::string mapAll(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t start = pos;
        char32_t cp = Next(s, pos);
        if (pos - start == 1 && cp >= 0x80) {
            out += s[start];
            continue;
        }
        Append(out, map(cp));
    }
    return out;
}
}  // namespace

std::size_t Length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += sequenceLength(s, pos)) ++n;
    return n;
}

std::size_t Offset(std::string_view s, std::size_t index) {
    std::size_t pos = 0;
    for (; pos < s.size() && index > 0; --index) pos += sequenceLength(s, pos);
    return pos;
}

char32_t Next(std::string_view s, std::size_t& pos) {
    std::size_t n = sequenceLength(s, pos);
    auto c = static_cast<unsigned char>(s[pos]);
    char32_t cp;
    if (n == 1) {
        cp = c;
    } else {
        cp = c & (0x7F >> n);
        for (std::size_t i = 1; i < n; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    }
    pos += n;
    return cp;
}

void Append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Lower(std::string_view s) {
    return mapAll(s, [](char32_t cp) { return mapCase(cp, false); });
}

std::string Upper(std::string_view s) {
    return mapAll(s, [](char32_t cp) { return mapCase(cp, true); });
}

// Through the capital first, so that the several small forms of one capital
// (final sigma, long s) fold to the same character.
std::string Fold(std::string_view s) {
    return mapAll(s, [](char32_t cp) { return mapCase(mapCase(cp, true), false); });
}

int CompareNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = mapCase(Next(a, i), false), y = mapCase(Next(b, j), false);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace vb::utf8
