#pragma once
// Creating objects of registered classes. A class is registered under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 (default value: the full
// path of the server); a program identifier ("Library.Class") under
// HKEY_CLASSES_ROOT\<ProgID>\CLSID, or its "CurVer" entry naming the
// versioned identifier. Servers are loaded once (dlopen) and stay loaded
// until CoFreeUnusedLibraries finds that they can be unloaded.
#include <optional>
#include <string>
#include <string_view>

#include "unknown.h"

namespace com {

struct ITypeLib;

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

// The exports of an in-process server.
using DllGetClassObjectFn = HRESULT (*)(REFCLSID clsid, REFIID iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

// The CLSID of a program identifier; CO_E_CLASSSTRING when not registered.
// A name that is registered as no program identifier is tried as
// CLSIDFromTypeLibClassName does.
HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
// "Library.Class" as a form names a control: the coclass Class of a
// registered type library named Library (or Library without a "Ctl" that a
// forms designer appends); CO_E_CLASSSTRING when there is none.
HRESULT CLSIDFromTypeLibClassName(std::string_view name, CLSID* clsid);
// The coclass of `lib` named `className` (names compare without regard to
// case); false when the library has none.
bool FindCoclass(ITypeLib* lib, std::string_view className, CLSID* clsid);
// The versioned program identifier under the CLSID ("ProgID");
// REGDB_E_CLASSNOTREG when none.
HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string* progId);
// "{...}" text or a program identifier; CO_E_CLASSSTRING when neither.
HRESULT CLSIDFromString(std::string_view text, CLSID* clsid);
// The registered server file of a class; nothing when not registered.
std::optional<std::string> InprocServerPath(REFCLSID clsid);

// The class object of a registered class: REGDB_E_CLASSNOTREG when the class
// has no server entry, CO_E_DLLNOTFOUND when the file cannot be loaded,
// CO_E_ERRORINDLL when it has no DllGetClassObject, else what the server's
// DllGetClassObject answers.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID iid, void** out);
// CoGetClassObject for IClassFactory, then CreateInstance(outer, iid, out).
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out);
// Unloads every loaded server whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// True while the server file at `path` is loaded by this layer.
bool IsServerLoaded(const std::string& path);

}  // namespace com
