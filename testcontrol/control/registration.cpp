#include "registration.h"

#include <cstdio>

#include "guids.h"
#include "object_table.h"
#include "satellite.h"

namespace zevote {

namespace {

// An open registry key, closed on every path.
class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) com::RegCloseKey(key_);
    }
    bool Create(com::HKEY parent, const std::string& subKey) {
        return com::RegCreateKey(parent, subKey.c_str(), &key_) == com::ERROR_SUCCESS;
    }
    com::HKEY Get() const { return key_; }

private:
    com::HKEY key_ = 0;
};

bool SetDefault(com::HKEY key, const char* subKey, const std::string& text) {
    return com::RegSetValue(key, subKey, com::REG_SZ, text.c_str(), static_cast<com::DWORD>(text.size())) ==
           com::ERROR_SUCCESS;
}

bool SetNamed(com::HKEY key, const char* valueName, const std::string& text) {
    return com::RegSetValueEx(key, valueName, 0, com::REG_SZ, reinterpret_cast<const com::BYTE*>(text.c_str()),
                              static_cast<com::DWORD>(text.size() + 1)) == com::ERROR_SUCCESS;
}

std::string ClsidKeyName(const ObjectEntry& entry) { return "CLSID\\" + GuidText(*entry.clsid); }
std::string ObjectDescription(const ObjectEntry& entry) { return std::string(entry.name) + " Object"; }
std::string VersionIndependentProgId(const ObjectEntry& entry) {
    return std::string(kLibraryName) + "." + entry.name;
}
std::string VersionedProgId(const ObjectEntry& entry) {
    return VersionIndependentProgId(entry) + "." + std::to_string(entry.version);
}

// Both kinds: the CLSID key, written afresh, and its in-process server.
bool RegisterClassKey(const ObjectEntry& entry, const std::string& libraryPath, Key& clsidKey) {
    com::RegDeleteTree(com::HKEY_CLASSES_ROOT, ClsidKeyName(entry).c_str());
    if (!clsidKey.Create(com::HKEY_CLASSES_ROOT, ClsidKeyName(entry))) return false;
    if (!SetDefault(clsidKey.Get(), nullptr, ObjectDescription(entry))) return false;
    Key server;
    return server.Create(clsidKey.Get(), "InprocServer32") && SetDefault(server.Get(), nullptr, libraryPath) &&
           SetNamed(server.Get(), "ThreadingModel", "Apartment");
}

// Controls: program identifiers and the control's own entries.
bool RegisterControlKeys(const ObjectEntry& entry, const std::string& libraryPath, com::HKEY clsidKey) {
    const std::string clsidText = GuidText(*entry.clsid);
    const std::string independent = VersionIndependentProgId(entry);
    const std::string versioned = VersionedProgId(entry);
    {
        Key progId;
        if (!progId.Create(com::HKEY_CLASSES_ROOT, independent) ||
            !SetDefault(progId.Get(), nullptr, ObjectDescription(entry)) ||
            !SetDefault(progId.Get(), "CLSID", clsidText) || !SetDefault(progId.Get(), "CurVer", versioned)) {
            return false;
        }
    }
    {
        Key progId;
        if (!progId.Create(com::HKEY_CLASSES_ROOT, versioned) ||
            !SetDefault(progId.Get(), nullptr, ObjectDescription(entry)) ||
            !SetDefault(progId.Get(), "CLSID", clsidText)) {
            return false;
        }
    }
    if (!SetDefault(clsidKey, "VersionIndependentProgID", independent) ||
        !SetDefault(clsidKey, "ProgID", versioned) ||
        !SetDefault(clsidKey, "TypeLib", GuidText(LIBID_ZEVOTestObjects))) {
        return false;
    }
    {
        Key control;
        if (!control.Create(clsidKey, "Control")) return false;
    }
    {
        Key miscStatus;
        if (!miscStatus.Create(clsidKey, "MiscStatus") || !SetDefault(miscStatus.Get(), nullptr, "0") ||
            !SetDefault(miscStatus.Get(), "1", std::to_string(entry.miscStatus))) {
            return false;
        }
    }
    char bitmap[16];
    std::snprintf(bitmap, sizeof bitmap, ", %d", entry.toolboxBitmap);
    char version[24];
    std::snprintf(version, sizeof version, "%ld.0", entry.version);
    return SetDefault(clsidKey, "ToolboxBitmap32", libraryPath + bitmap) && SetDefault(clsidKey, "Version", version);
}

com::HRESULT RegisterTypeLibraries(const std::string& libraryPath) {
    const std::u16string widePath = com::Utf8ToUtf16(libraryPath);
    com::ITypeLib* lib = nullptr;
    com::HRESULT hr = com::LoadTypeLib(widePath.c_str(), &lib);
    if (com::FAILED(hr)) return hr;
    hr = com::RegisterTypeLib(lib, widePath.c_str(), nullptr);
    lib->Release();
    if (com::SUCCEEDED(hr) && SatelliteInUse()) RegisterSatelliteTypeLibs();
    return hr;
}

}  // namespace

std::string GuidText(const com::GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// Registration and unregistration each replace the hive once with all their
// changes (com::RegTransaction): a program that creates the control while it
// is registered again finds the old entries or the new ones, never none, and
// a step that fails leaves the registry as it was.
com::HRESULT RegisterLibrary(const std::string& libraryPath) {
    com::RegTransaction transaction(com::HKEY_CLASSES_ROOT);
    if (transaction.Status() != com::ERROR_SUCCESS) return com::SELFREG_E_CLASS;
    for (const ObjectEntry* entry = ObjectTable(); entry->kind != kEndOfTable; ++entry) {
        Key clsidKey;
        bool ok = RegisterClassKey(*entry, libraryPath, clsidKey);
        if (ok && entry->kind == kControlObject) ok = RegisterControlKeys(*entry, libraryPath, clsidKey.Get());
        if (!ok) return com::SELFREG_E_CLASS;
    }
    const com::HRESULT hr = RegisterTypeLibraries(libraryPath);
    if (com::FAILED(hr)) return hr;
    return transaction.Commit() == com::ERROR_SUCCESS ? hr : com::SELFREG_E_CLASS;
}

com::HRESULT UnregisterLibrary() {
    com::RegTransaction transaction(com::HKEY_CLASSES_ROOT);
    if (transaction.Status() != com::ERROR_SUCCESS) return com::SELFREG_E_CLASS;
    // Keys that are not there are as good as removed.
    auto remove = [](const std::string& key) {
        const com::LSTATUS st = com::RegDeleteTree(com::HKEY_CLASSES_ROOT, key.c_str());
        return st == com::ERROR_SUCCESS || st == com::ERROR_FILE_NOT_FOUND;
    };
    bool removed = true;
    for (const ObjectEntry* entry = ObjectTable(); entry->kind != kEndOfTable; ++entry) {
        removed = remove(ClsidKeyName(*entry)) && removed;
        if (entry->kind == kControlObject) {
            removed = remove(VersionIndependentProgId(*entry)) && removed;
            removed = remove(VersionedProgId(*entry)) && removed;
        }
    }
    removed = remove("TypeLib\\" + GuidText(LIBID_ZEVOTestObjects)) && removed;
    if (!removed) return com::SELFREG_E_CLASS;
    return transaction.Commit() == com::ERROR_SUCCESS ? com::S_OK : com::SELFREG_E_CLASS;
}

}  // namespace zevote
