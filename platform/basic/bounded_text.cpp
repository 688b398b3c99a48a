#include "bounded_text.h"

#include "utf8.h"

namespace vb {

namespace {
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // U+2026
}

std::string BoundedShownText(std::string_view text, std::size_t maxCharacters, std::size_t maxLines) {
    std::size_t pos = 0, characters = 0, lines = 1;
    while (pos < text.size()) {
        if (characters == maxCharacters) return std::string(text.substr(0, pos)) + std::string(kEllipsis);
        const char c = text[pos];
        if (c == '\r' || c == '\n') {
            // "\r\n", "\n" and "\r" each end a line and count as one character.
            std::size_t next = pos + 1;
            if (c == '\r' && next < text.size() && text[next] == '\n') ++next;
            if (lines == maxLines && next < text.size())
                return std::string(text.substr(0, next)) + std::string(kEllipsis);
            ++lines;
            ++characters;
            pos = next;
            continue;
        }
        utf8::Next(text, pos);
        ++characters;
    }
    return std::string(text);
}

}  // namespace vb
