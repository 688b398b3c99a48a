#pragma once
// Type libraries: a format of our own describing a library's interfaces,
// dispatch interfaces and classes, compiled from a text source, carried by a
// server as its TYPELIB resource 1 (or kept in a file of its own), loaded
// with LoadTypeLib and registered under HKEY_CLASSES_ROOT\TypeLib\{GUID}.
//
// The text source, one statement per line ("#" starts a comment; names are
// identifiers, texts are "quoted" with \" and \\ escapes):
//
//     library ZEVOTestObjects {478E45E0-5745-11CF-8918-00A02416C765} 1.0 lcid 0x409
//     helpstring "Tavorin ActiveX Test Control"
//     importlib "stdole2.tlb"
//     interface IZEVOTest {48B33DE0-5745-11CF-8918-00A02416C765} dual hidden oleautomation
//       method AboutBox id -552
//       method Add id 1 (I4 a, I4 b) returns I4
//       propget Caption id 2 BSTR
//       propput Caption id 2 BSTR
//     dispinterface DZEVOTestEvents {49F22680-5745-11CF-8918-00A02416C765} hidden
//     helpstring "Event interface for Tavorin ActiveX Test Control"
//     coclass ZEVOTest {4B27E760-5745-11CF-8918-00A02416C765}
//       implements IZEVOTest default
//       implements DZEVOTestEvents default source
//
// "helpstring" applies to the item of the line above (the library or a type).
// Types of arguments and results: I4, BOOL, BSTR, DISPATCH, UNKNOWN.
// Interface attributes: dual, hidden, oleautomation; a coclass is creatable
// unless marked noncreatable. An interface derives from IDispatch; its
// members take the vtable slots from 7 on in the order written (a propget
// and a propput each take a slot), each an operation returning HRESULT with
// its arguments in order and, for a result, a last pointer argument
// (LONG*, VARIANT_BOOL*, BSTR*, IDispatch**, IUnknown**).
#include <string>
#include <string_view>
#include <vector>

#include "automation.h"

namespace com {

enum SYSKIND { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 };
enum TYPEKIND {
    TKIND_ENUM = 0,
    TKIND_RECORD,
    TKIND_MODULE,
    TKIND_INTERFACE,
    TKIND_DISPATCH,
    TKIND_COCLASS,
    TKIND_ALIAS,
    TKIND_UNION
};

// Type flags.
constexpr WORD TYPEFLAG_FAPPOBJECT = 0x1;
constexpr WORD TYPEFLAG_FCANCREATE = 0x2;
constexpr WORD TYPEFLAG_FHIDDEN = 0x10;
constexpr WORD TYPEFLAG_FDUAL = 0x40;
constexpr WORD TYPEFLAG_FOLEAUTOMATION = 0x100;
constexpr WORD TYPEFLAG_FDISPATCHABLE = 0x1000;
// Flags of a coclass's implemented interfaces.
constexpr int IMPLTYPEFLAG_FDEFAULT = 0x1;
constexpr int IMPLTYPEFLAG_FSOURCE = 0x2;

// Member kinds (INVOKEKIND).
constexpr WORD INVOKE_FUNC = 1;
constexpr WORD INVOKE_PROPERTYGET = 2;
constexpr WORD INVOKE_PROPERTYPUT = 4;

struct TLIBATTR {
    GUID guid;
    LCID lcid = 0;
    SYSKIND syskind = SYS_WIN32;
    WORD wMajorVerNum = 0;
    WORD wMinorVerNum = 0;
    WORD wLibFlags = 0;
};

struct TYPEATTR {
    GUID guid;
    LCID lcid = 0;
    TYPEKIND typekind = TKIND_INTERFACE;
    WORD cFuncs = 0;       // members
    WORD cImplTypes = 0;   // coclass: implemented interfaces; interface: 1 (IDispatch)
    WORD cbSizeVft = 0;    // vtable size in slots
    WORD wTypeFlags = 0;
    WORD wMajorVerNum = 0;
    WORD wMinorVerNum = 0;
};

// One member of an interface, as GetFuncDesc describes it.
struct FUNCDESC {
    MEMBERID memid = 0;
    WORD invkind = INVOKE_FUNC;
    short oVft = 0;                // vtable slot
    std::vector<VARTYPE> params;   // in order
    VARTYPE result = VT_EMPTY;     // VT_EMPTY: none beyond the HRESULT
};

struct ITypeLib;

struct ITypeInfo : IUnknown {
    virtual HRESULT GetTypeAttr(TYPEATTR** attr) = 0;
    virtual HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) = 0;
    // HREFTYPE-free access to a coclass's implemented interfaces.
    virtual HRESULT GetImplTypeInfo(UINT index, ITypeInfo** info) = 0;
    virtual HRESULT GetImplTypeFlags(UINT index, INT* flags) = 0;
    // Member name lookup, ignoring case; names after the first are the
    // member's argument names, answered with their positions.
    virtual HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) = 0;
    // Calls the member on `instance` (a pointer to an object with this
    // interface's vtable): checks and converts the arguments, calls the slot
    // and places the result.
    virtual HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT* argErr) = 0;
    // MEMBERID -1 (MEMBERID_NIL) is the type itself. Any out pointer may be null.
    virtual HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString, DWORD* helpContext,
                                     BSTR* helpFile) = 0;
    virtual HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) = 0;
    virtual void ReleaseTypeAttr(TYPEATTR* attr) = 0;
    virtual void ReleaseFuncDesc(FUNCDESC* desc) = 0;
};
constexpr MEMBERID MEMBERID_NIL = -1;

struct ITypeLib : IUnknown {
    virtual UINT GetTypeInfoCount() = 0;
    virtual HRESULT GetTypeInfo(UINT index, ITypeInfo** info) = 0;
    virtual HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) = 0;
    virtual HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) = 0;
    virtual HRESULT GetLibAttr(TLIBATTR** attr) = 0;
    // index -1 is the library itself. Any out pointer may be null.
    virtual HRESULT GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext,
                                     BSTR* helpFile) = 0;
    virtual void ReleaseTLibAttr(TLIBATTR* attr) = 0;
};

// Loads a type library from a file: a module carrying a TYPELIB resource 1
// (a server's .ocx/.so) or a compiled type library. TYPE_E_CANTLOADLIBRARY
// when the file cannot be read or holds none, TYPE_E_INVDATAREAD when the
// data is damaged.
HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** lib);
// The library registered for (libid, major.minor): the registered file of
// the locale, of locale 0 or of any locale, in that order.
// TYPE_E_LIBNOTREGISTERED when there is none.
HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** lib);
// Writes HKEY_CLASSES_ROOT\TypeLib\{libid}\{major}.{minor}: the default value
// (the help string, else the name), "FLAGS" = "0", "{lcid hex}\win32" = the
// full path and "HELPDIR" = helpDir (the file's folder when null).
// TYPE_E_REGISTRYACCESS when the registry cannot be written.
HRESULT RegisterTypeLib(ITypeLib* lib, LPCOLESTR fullPath, LPCOLESTR helpDir);
// Removes the locale's entries of that version; the version key and the
// library key go when nothing is left under them.
// TYPE_E_LIBNOTREGISTERED when there was nothing.
HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind);

// IDispatch over type information, for objects whose vtable the type
// information describes.
HRESULT DispGetIDsOfNames(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT DispInvoke(void* instance, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr);

// Compiles type-library source text (the format above) to the binary form.
// False with a message "line N: ..." in *error when the source is wrong.
bool CompileTypeLibSource(std::string_view source, std::string* binary, std::string* error);
// A type library from its binary form (in memory); TYPE_E_INVDATAREAD when
// damaged.
HRESULT CreateTypeLibFromData(std::string_view binary, ITypeLib** lib);

}  // namespace com
