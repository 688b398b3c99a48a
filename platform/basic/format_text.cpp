// Text patterns of Format: @ (character or blank), & (character or
// nothing), < (lower case), > (upper case), ! (fill from the left).
#include <vector>

#include "format_detail.h"
#include "utf8.h"

namespace vb::detail {

std::string FormatTextSection(const std::string& text, const std::string& section) {
    struct Piece { bool placeholder; bool blank; std::string literal; };
    std::vector<Piece> pieces;
    bool lower = false, upper = false, fromLeft = false;
    for (std::size_t i = 0; i < section.size();) {
        char c = section[i];
        if (c == '"') {
            std::size_t e = section.find('"', i + 1);
            if (e == std::string::npos) e = section.size();
            pieces.push_back({false, false, section.substr(i + 1, e - i - 1)});
            i = e + 1;
            continue;
        }
        std::size_t start = c == '\\' && i + 1 < section.size() ? i + 1 : i;
        std::size_t next = start;
        utf8::Next(section, next);
        if (start == i && (c == '@' || c == '&')) pieces.push_back({true, c == '@', ""});
        else if (start == i && c == '<') lower = true;
        else if (start == i && c == '>') upper = true;
        else if (start == i && c == '!') fromLeft = true;
        else pieces.push_back({false, false, section.substr(start, next - start)});
        i = next;
    }

    std::string cased = lower ? utf8::Lower(text) : upper ? utf8::Upper(text) : text;
    std::vector<std::string> chars;
    for (std::size_t pos = 0; pos < cased.size();) {
        std::size_t start = pos;
        utf8::Next(cased, pos);
        chars.push_back(cased.substr(start, pos - start));
    }
    long places = 0;
    for (const auto& p : pieces) places += p.placeholder;
    if (places == 0) {
        std::string out;
        for (const auto& p : pieces) out += p.literal;
        return out + cased;
    }

    long n = static_cast<long>(chars.size());
    long first = fromLeft ? 0 : n - places;  // character for the first placeholder
    std::string out;
    long k = 0;
    for (const auto& p : pieces) {
        if (!p.placeholder) { out += p.literal; continue; }
        if (k == 0 && !fromLeft)
            for (long i = 0; i < first; ++i) out += chars[static_cast<std::size_t>(i)];  // overflow at the left
        long index = first + k;
        if (index >= 0 && index < n) out += chars[static_cast<std::size_t>(index)];
        else if (p.blank) out += ' ';
        ++k;
        if (k == places && fromLeft)
            for (long i = places; i < n; ++i) out += chars[static_cast<std::size_t>(i)];  // overflow at the right
    }
    return out;
}

}  // namespace vb::detail
