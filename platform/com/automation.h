#pragma once
// Automation: BSTR strings, the VARIANT subset the controls use (VT_EMPTY,
// VT_BOOL, VT_I4, VT_BSTR, VT_DISPATCH, VT_UNKNOWN), IDispatch and its
// argument block.
#include <string>
#include <string_view>

#include "unknown.h"

namespace com {

// Text of the automation interfaces: UTF-16 code units.
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

// A BSTR points at the first character of a NUL-terminated UTF-16 text
// whose length in bytes is kept in the 4 bytes before it. Null is the empty
// text.
using BSTR = OLECHAR*;
BSTR SysAllocString(LPCOLESTR text);                 // null for null
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);  // text may be null: zeroed
void SysFreeString(BSTR text);                       // null is allowed
UINT SysStringLen(BSTR text);                        // characters; 0 for null
// Conversions between BSTR and UTF-8.
BSTR SysAllocStringUtf8(std::string_view utf8);
std::string BstrToUtf8(const OLECHAR* text);         // "" for null
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

using VARTYPE = std::uint16_t;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_VOID = 24;
constexpr VARTYPE VT_HRESULT = 25;

using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct IDispatch;

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    WORD reserved1 = 0, reserved2 = 0, reserved3 = 0;
    union {
        LONG lVal;
        std::int16_t iVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        IDispatch* pdispVal;
        IUnknown* punkVal;
        HRESULT scode;
        long long reserved;
    };
    VARIANT() : reserved(0) {}
};
using VARIANTARG = VARIANT;

void VariantInit(VARIANT* v);
// Frees what the variant owns (the BSTR, the interface reference) and
// leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
// Clears dest, then copies src into it (a new BSTR, an added reference).
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);

using DISPID = LONG;
using MEMBERID = DISPID;

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_ABOUTBOX = -552;
// Ambient properties, read through the client site's IDispatch.
constexpr DISPID DISPID_AMBIENT_BACKCOLOR = -701;
constexpr DISPID DISPID_AMBIENT_DISPLAYNAME = -702;
constexpr DISPID DISPID_AMBIENT_FORECOLOR = -704;
constexpr DISPID DISPID_AMBIENT_LOCALEID = -705;
constexpr DISPID DISPID_AMBIENT_USERMODE = -709;
constexpr DISPID DISPID_AMBIENT_UIDEAD = -710;

// Invoke flags.
constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

// Locales passed to GetIDsOfNames and Invoke.
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x800;
constexpr LCID LOCALE_USER_DEFAULT = 0x400;
constexpr LCID LOCALE_NEUTRAL = 0;

// Arguments of Invoke: rgvarg holds them in reverse order (the last
// argument first); named arguments carry their DISPIDs in rgdispidNamedArgs.
struct DISPPARAMS {
    VARIANTARG* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

struct EXCEPINFO {
    WORD wCode = 0;
    WORD wReserved = 0;
    BSTR bstrSource = nullptr;
    BSTR bstrDescription = nullptr;
    BSTR bstrHelpFile = nullptr;
    DWORD dwHelpContext = 0;
    void* pvReserved = nullptr;
    void* pfnDeferredFillIn = nullptr;
    HRESULT scode = 0;
};

struct ITypeInfo;

struct IDispatch : IUnknown {
    // 1 when type information is available, else 0.
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
    // DISPIDs of a member name and its argument names; DISP_E_UNKNOWNNAME
    // (with DISPID_UNKNOWN in the slot) for names it does not know.
    virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT* argErr) = 0;
};

}  // namespace com
