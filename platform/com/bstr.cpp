#include <cstdlib>
#include <cstring>

#include "automation.h"

namespace com {

namespace {
// The length prefix (bytes, without the NUL) sits right before the text.
std::uint32_t* Prefix(BSTR text) { return reinterpret_cast<std::uint32_t*>(text) - 1; }
}  // namespace

BSTR SysAllocStringLen(LPCOLESTR text, UINT length) {
    auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + (length + 1) * sizeof(OLECHAR)));
    if (!block) return nullptr;
    block[0] = length * sizeof(OLECHAR);
    auto* chars = reinterpret_cast<OLECHAR*>(block + 1);
    if (text) {
        std::memcpy(chars, text, length * sizeof(OLECHAR));
    } else {
        std::memset(chars, 0, length * sizeof(OLECHAR));
    }
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(LPCOLESTR text) {
    if (!text) return nullptr;
    UINT n = 0;
    while (text[n]) ++n;
    return SysAllocStringLen(text, n);
}

void SysFreeString(BSTR text) {
    if (text) std::free(Prefix(text));
}

UINT SysStringLen(BSTR text) { return text ? *Prefix(text) / sizeof(OLECHAR) : 0; }

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        std::size_t len;
        if (c < 0x80) {
            cp = c, len = 1;
        } else if ((c >> 5) == 6) {
            cp = c & 0x1F, len = 2;
        } else if ((c >> 4) == 14) {
            cp = c & 0x0F, len = 3;
        } else if ((c >> 3) == 30) {
            cp = c & 0x07, len = 4;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (i + len > s.size()) {
            out.push_back(0xFFFD);
            break;
        }
        bool ok = true;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 2) ok = false;
            cp = cp << 6 | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

BSTR SysAllocStringUtf8(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string BstrToUtf8(const OLECHAR* text) {
    if (!text) return {};
    std::size_t n = 0;
    while (text[n]) ++n;
    return Utf16ToUtf8(std::u16string_view(text, n));
}

}  // namespace com
