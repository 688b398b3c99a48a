#include "guid.h"

#include <cstdio>
#include <cstring>

namespace com {

bool IsEqualGUID(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

bool operator<(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::optional<GUID> ParseGuid(std::string_view text) {
    // {8-4-4-4-12}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    const std::string_view body = text.substr(1, 36);
    std::uint8_t bytes[16];
    int n = 0;
    for (std::size_t i = 0; i < body.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (body[i] != '-') return std::nullopt;
            ++i;
            continue;
        }
        const int hi = HexDigit(body[i]);
        const int lo = i + 1 < body.size() ? HexDigit(body[i + 1]) : -1;
        if (hi < 0 || lo < 0 || i + 1 == 8 || i + 1 == 13 || i + 1 == 18 || i + 1 == 23) return std::nullopt;
        bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    if (n != 16) return std::nullopt;
    GUID g;
    g.Data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
              static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    g.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(g.Data4, bytes + 8, 8);
    return g;
}

std::string GuidToString(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

GUID MakeGuid(std::string_view text) { return ParseGuid(text).value_or(GUID{}); }

const GUID GUID_NULL{};
const IID IID_NULL{};
const IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
const IID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");
const IID IID_IDispatch = MakeGuid("{00020400-0000-0000-C000-000000000046}");
const IID IID_ITypeInfo = MakeGuid("{00020401-0000-0000-C000-000000000046}");
const IID IID_ITypeLib = MakeGuid("{00020402-0000-0000-C000-000000000046}");
const IID IID_IOleObject = MakeGuid("{00000112-0000-0000-C000-000000000046}");
const IID IID_IOleInPlaceObject = MakeGuid("{00000113-0000-0000-C000-000000000046}");
const IID IID_IOleWindow = MakeGuid("{00000114-0000-0000-C000-000000000046}");
const IID IID_IOleInPlaceFrame = MakeGuid("{00000116-0000-0000-C000-000000000046}");
const IID IID_IOleClientSite = MakeGuid("{00000118-0000-0000-C000-000000000046}");
const IID IID_IOleInPlaceSite = MakeGuid("{00000119-0000-0000-C000-000000000046}");
const IID IID_IViewObject = MakeGuid("{0000010D-0000-0000-C000-000000000046}");
const IID IID_IOleControl = MakeGuid("{B196B288-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IOleControlSite = MakeGuid("{B196B289-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IPropertyPage = MakeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
const IID IID_ISupportErrorInfo = MakeGuid("{DF0B3D60-548F-101B-8E65-08002B2BD119}");

}  // namespace com
