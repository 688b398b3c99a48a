#include "creation.h"

#include <map>
#include <mutex>

#include "err.h"
#include "module.h"
#include "registry.h"

namespace com {

namespace {
std::optional<std::string> ClassesRootText(const std::string& path) {
    try {
        const auto v = reg::QueryValue(reg::Hive::ClassesRoot, path, "");
        if (v && v->type == reg::REG_SZ && !v->data.empty()) return v->data;
    } catch (const vb::VBError&) {
    }
    return std::nullopt;
}

struct LoadedServer {
    HMODULE module = nullptr;
};
std::recursive_mutex& Lock() {
    static std::recursive_mutex m;
    return m;
}
std::map<std::string, LoadedServer>& Servers() {  // by path as registered
    static std::map<std::string, LoadedServer> servers;
    return servers;
}
}  // namespace

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (!clsid) return E_INVALIDARG;
    *clsid = GUID_NULL;
    if (progId.empty() || progId.find('\\') != std::string_view::npos) return CO_E_CLASSSTRING;
    std::string id(progId);
    // A version-independent identifier without a CLSID of its own names
    // its current version.
    for (int hop = 0; hop < 2; ++hop) {
        if (auto text = ClassesRootText(id + "\\CLSID")) {
            if (auto g = ParseGuid(*text)) {
                *clsid = *g;
                return S_OK;
            }
            return CO_E_CLASSSTRING;
        }
        auto cur = ClassesRootText(id + "\\CurVer");
        if (!cur) break;
        id = *cur;
    }
    return CLSIDFromTypeLibClassName(progId, clsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string* progId) {
    if (!progId) return E_INVALIDARG;
    auto text = ClassesRootText("CLSID\\" + GuidToString(clsid) + "\\ProgID");
    if (!text) return REGDB_E_CLASSNOTREG;
    *progId = *text;
    return S_OK;
}

HRESULT CLSIDFromString(std::string_view text, CLSID* clsid) {
    if (!clsid) return E_INVALIDARG;
    if (auto g = ParseGuid(text)) {
        *clsid = *g;
        return S_OK;
    }
    return CLSIDFromProgID(text, clsid);
}

std::optional<std::string> InprocServerPath(REFCLSID clsid) {
    return ClassesRootText("CLSID\\" + GuidToString(clsid) + "\\InprocServer32");
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    const auto path = InprocServerPath(clsid);
    if (!path) return REGDB_E_CLASSNOTREG;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    LoadedServer& server = Servers()[*path];
    if (!server.module) server.module = LoadLibrary(*path);
    if (!server.module) {
        Servers().erase(*path);
        return CO_E_DLLNOTFOUND;
    }
    auto get = reinterpret_cast<DllGetClassObjectFn>(GetProcAddress(server.module, "DllGetClassObject"));
    if (!get) return CO_E_ERRORINDLL;
    return get(clsid, iid, out);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    if (!factory) return E_UNEXPECTED;
    hr = factory->CreateInstance(outer, iid, out);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries() {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    for (auto it = Servers().begin(); it != Servers().end();) {
        auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(GetProcAddress(it->second.module, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            FreeLibrary(it->second.module);
            it = Servers().erase(it);
        } else {
            ++it;
        }
    }
}

bool IsServerLoaded(const std::string& path) {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return Servers().count(path) != 0;
}

}  // namespace com
