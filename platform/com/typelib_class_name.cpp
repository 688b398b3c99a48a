#include <strings.h>

#include <charconv>
#include <optional>

#include "creation.h"
#include "err.h"
#include "registry.h"
#include "typelib.h"

namespace com {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// A forms designer names a control's library as the type library is named,
// or with "Ctl" appended for the extended library it builds over it.
bool LibraryNamed(ITypeLib* lib, std::string_view wanted) {
    BSTR name = nullptr;
    if (FAILED(lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr))) return false;
    const std::string libName = BstrToUtf8(name);
    SysFreeString(name);
    return SameName(libName, wanted) || SameName(libName + "Ctl", wanted);
}

// A version key "major.minor", each a 16-bit number in hex.
struct Version {
    WORD major = 0, minor = 0;
};
std::optional<Version> VersionOfKey(std::string_view key) {
    const auto part = [](std::string_view hex) -> std::optional<WORD> {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (hex.empty() || ec != std::errc{} || end != hex.data() + hex.size() || value > 0xFFFF) return std::nullopt;
        return static_cast<WORD>(value);
    };
    const auto dot = key.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const auto major = part(key.substr(0, dot));
    const auto minor = part(key.substr(dot + 1));
    if (!major || !minor) return std::nullopt;
    return Version{*major, *minor};
}

}  // namespace

bool FindCoclass(ITypeLib* lib, std::string_view wanted, CLSID* clsid) {
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS) continue;
        BSTR name = nullptr;
        if (FAILED(lib->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr))) continue;
        const bool match = SameName(BstrToUtf8(name), wanted);
        SysFreeString(name);
        if (!match) continue;
        ITypeInfo* info = nullptr;
        if (FAILED(lib->GetTypeInfo(i, &info)) || !info) continue;
        TYPEATTR* attr = nullptr;
        const bool found = SUCCEEDED(info->GetTypeAttr(&attr)) && attr;
        if (found) {
            *clsid = attr->guid;
            info->ReleaseTypeAttr(attr);
        }
        info->Release();
        if (found) return true;
    }
    return false;
}

HRESULT CLSIDFromTypeLibClassName(std::string_view name, CLSID* clsid) {
    const auto dot = name.find('.');
    if (!clsid || dot == std::string_view::npos || name.find('.', dot + 1) != std::string_view::npos) {
        return CO_E_CLASSSTRING;
    }
    const std::string_view libName = name.substr(0, dot);
    const std::string_view className = name.substr(dot + 1);
    try {
        for (const std::string& libKey : reg::SubKeyNames(reg::Hive::ClassesRoot, "TypeLib")) {
            const auto libid = ParseGuid(libKey);
            if (!libid) continue;
            for (const std::string& version : reg::SubKeyNames(reg::Hive::ClassesRoot, "TypeLib\\" + libKey)) {
                const auto v = VersionOfKey(version);
                if (!v) continue;
                ITypeLib* lib = nullptr;
                if (FAILED(LoadRegTypeLib(*libid, v->major, v->minor, 0, &lib)) ||
                    !lib) {
                    continue;
                }
                const bool found = LibraryNamed(lib, libName) && FindCoclass(lib, className, clsid);
                lib->Release();
                if (found) return S_OK;
            }
        }
    } catch (const vb::VBError&) {
    }
    return CO_E_CLASSSTRING;
}

}  // namespace com
