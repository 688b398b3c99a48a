#pragma once
// GUIDs: 16-byte identifiers of classes (CLSID), interfaces (IID) and type
// libraries. Two GUIDs are equal when their 16 bytes are; as text they are
// written "{48B33DE0-5745-11CF-8918-00A02416C765}" (upper-case hex).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using REFGUID = const GUID&;

// Compared as 16 bytes.
bool IsEqualGUID(const GUID& a, const GUID& b);
inline bool operator==(const GUID& a, const GUID& b) { return IsEqualGUID(a, b); }
inline bool IsEqualIID(const IID& a, const IID& b) { return IsEqualGUID(a, b); }
inline bool IsEqualCLSID(const CLSID& a, const CLSID& b) { return IsEqualGUID(a, b); }
// Orders by the 16 bytes (for maps).
bool operator<(const GUID& a, const GUID& b);

// Parses "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (braces required, hex in
// either case); nothing for any other text.
std::optional<GUID> ParseGuid(std::string_view text);
// The braced, upper-case text form.
std::string GuidToString(const GUID& guid);
// For constants: the GUID of a literal known to be well formed (a malformed
// one yields the null GUID).
GUID MakeGuid(std::string_view text);

// The null GUID and the identifiers of the interfaces the layer defines.
extern const GUID GUID_NULL;
extern const IID IID_NULL;
extern const IID IID_IUnknown;           // {00000000-0000-0000-C000-000000000046}
extern const IID IID_IClassFactory;      // {00000001-0000-0000-C000-000000000046}
extern const IID IID_IDispatch;          // {00020400-0000-0000-C000-000000000046}
extern const IID IID_ITypeInfo;          // {00020401-0000-0000-C000-000000000046}
extern const IID IID_ITypeLib;           // {00020402-0000-0000-C000-000000000046}
extern const IID IID_IOleObject;         // {00000112-0000-0000-C000-000000000046}
extern const IID IID_IOleInPlaceObject;  // {00000113-0000-0000-C000-000000000046}
extern const IID IID_IOleWindow;         // {00000114-0000-0000-C000-000000000046}
extern const IID IID_IOleInPlaceFrame;   // {00000116-0000-0000-C000-000000000046}
extern const IID IID_IOleClientSite;     // {00000118-0000-0000-C000-000000000046}
extern const IID IID_IOleInPlaceSite;    // {00000119-0000-0000-C000-000000000046}
extern const IID IID_IViewObject;        // {0000010D-0000-0000-C000-000000000046}
extern const IID IID_IOleControl;        // {B196B288-BAB4-101A-B69C-00AA00341D07}
extern const IID IID_IOleControlSite;    // {B196B289-BAB4-101A-B69C-00AA00341D07}
extern const IID IID_IPropertyPage;      // {B196B28D-BAB4-101A-B69C-00AA00341D07}
extern const IID IID_ISupportErrorInfo;  // {DF0B3D60-548F-101B-8E65-08002B2BD119}

}  // namespace com
