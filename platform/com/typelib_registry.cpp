// Type libraries in the registry: HKEY_CLASSES_ROOT\TypeLib\{libid}\{major}.{minor}.
#include <cstdio>
#include <filesystem>

#include "err.h"
#include "registry.h"
#include "typelib_data.h"

namespace com {

namespace {
constexpr reg::Hive kRoot = reg::Hive::ClassesRoot;

std::string VersionKey(const GUID& libid, WORD major, WORD minor) {
    char v[16];
    std::snprintf(v, sizeof v, "%x.%x", major, minor);
    return "TypeLib\\" + GuidToString(libid) + "\\" + v;
}

std::string LcidName(LCID lcid) {
    char t[16];
    std::snprintf(t, sizeof t, "%x", lcid);
    return t;
}

// Subkeys of a version key that are not locales.
bool tl_is_fixed_subkey(const std::string& name) {
    return tl::NamesEqual(name, "FLAGS") || tl::NamesEqual(name, "HELPDIR");
}

std::optional<std::string> Text(const std::string& key, const std::string& name = {}) {
    const auto v = reg::QueryValue(kRoot, key, name);
    if (v && v->type == reg::REG_SZ) return v->data;
    return std::nullopt;
}
}  // namespace

HRESULT RegisterTypeLib(ITypeLib* lib, LPCOLESTR fullPath, LPCOLESTR helpDir) {
    if (!lib || !fullPath) return E_INVALIDARG;
    TLIBATTR* attr = nullptr;
    if (FAILED(lib->GetLibAttr(&attr)) || !attr) return E_FAIL;
    const TLIBATTR a = *attr;
    lib->ReleaseTLibAttr(attr);
    BSTR name = nullptr, doc = nullptr;
    lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    const std::string title = doc ? BstrToUtf8(doc) : BstrToUtf8(name);
    SysFreeString(name);
    SysFreeString(doc);
    const std::string path = BstrToUtf8(fullPath);
    const std::string help =
        helpDir ? BstrToUtf8(helpDir) : std::filesystem::path(path).parent_path().string();
    const std::string key = VersionKey(a.guid, a.wMajorVerNum, a.wMinorVerNum);
    try {
        reg::SetText(kRoot, key, "", title);
        reg::SetText(kRoot, key + "\\FLAGS", "", "0");
        reg::SetText(kRoot, key + "\\" + LcidName(a.lcid) + "\\win32", "", path);
        reg::SetText(kRoot, key + "\\HELPDIR", "", help);
    } catch (const std::exception&) {
        return TYPE_E_REGISTRYACCESS;
    }
    return S_OK;
}

HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND) {
    const std::string libKey = "TypeLib\\" + GuidToString(libid);
    const std::string key = VersionKey(libid, major, minor);
    try {
        if (!reg::KeyExists(kRoot, key)) return TYPE_E_LIBNOTREGISTERED;
        reg::DeleteKey(kRoot, key + "\\" + LcidName(lcid));
        bool localesLeft = false;
        for (const std::string& sub : reg::SubKeyNames(kRoot, key)) {
            if (!tl_is_fixed_subkey(sub)) localesLeft = true;
        }
        if (!localesLeft) reg::DeleteKey(kRoot, key);
        if (reg::SubKeyNames(kRoot, libKey).empty()) reg::DeleteKey(kRoot, libKey);
    } catch (const std::exception&) {
        return TYPE_E_REGISTRYACCESS;
    }
    return S_OK;
}

HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** lib) {
    if (!lib) return E_INVALIDARG;
    *lib = nullptr;
    const std::string key = VersionKey(libid, major, minor);
    std::optional<std::string> path;
    try {
        path = Text(key + "\\" + LcidName(lcid) + "\\win32");
        if (!path) path = Text(key + "\\0\\win32");
        if (!path) {
            for (const std::string& sub : reg::SubKeyNames(kRoot, key)) {
                if ((path = Text(key + "\\" + sub + "\\win32"))) break;
            }
        }
    } catch (const std::exception&) {
        return TYPE_E_REGISTRYACCESS;
    }
    if (!path) return TYPE_E_LIBNOTREGISTERED;
    const std::u16string wide = Utf8ToUtf16(*path);
    return LoadTypeLib(wide.c_str(), lib);
}

}  // namespace com
