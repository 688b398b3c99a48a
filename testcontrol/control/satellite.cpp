#include "satellite.h"

#include <cstring>
#include <strings.h>

namespace zevote {

namespace {

constexpr char kSeparator = '/';
constexpr const char* kLanguageMapResource = "INTLSZ_LANGMAP";

com::HMODULE ownModule = nullptr;
com::HMODULE resourceModule = nullptr;
bool satelliteInUse = false;

// A file name from the language map may name a file of the control's
// folder only.
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find(kSeparator) == std::string_view::npos &&
           name.find('\\') == std::string_view::npos;
}

com::HMODULE LoadBeside(const std::string& modulePath, const std::string& fileName) {
    char path[kMaxModulePath];
    if (!ReplaceFileName(modulePath, fileName, path, sizeof path)) return nullptr;
    return com::LoadLibrary(path);
}

}  // namespace

bool ReplaceFileName(std::string_view path, std::string_view name, char* out, std::size_t outSize) {
    if (!out || outSize == 0) return false;
    out[0] = '\0';
    // A separator byte never occurs inside a multi-byte UTF-8 character, so
    // a byte scan finds the last separator character.
    const std::size_t cut = path.rfind(kSeparator);
    const std::size_t keep = cut == std::string_view::npos ? 0 : cut + 1;
    if (keep + name.size() + 1 > outSize) return false;
    std::memcpy(out, path.data(), keep);
    std::memcpy(out + keep, name.data(), name.size());
    out[keep + name.size()] = '\0';
    return true;
}

com::HMODULE ProbeSatelliteDll(const std::string& modulePath) {
    if (modulePath.empty() || modulePath.size() >= kMaxModulePath) return nullptr;
    std::string base = modulePath;
    if (const std::size_t dot = base.rfind('.'); dot != std::string::npos) base.resize(dot);
    if (const std::size_t sep = base.rfind(kSeparator); sep != std::string::npos) base.erase(0, sep + 1);

    char abbreviation[4] = {};
    if (com::GetLocaleInfo(com::LOCALE_USER_DEFAULT, com::LOCALE_SABBREVLANGNAME, abbreviation,
                           sizeof abbreviation) == 0) {
        return nullptr;
    }
    if (strcasecmp(abbreviation, "enu") == 0) return nullptr;

    if (com::HMODULE loc = LoadBeside(modulePath, base + "LOC" + ".DLL")) return loc;
    return LoadBeside(modulePath, base + abbreviation + ".DLL");
}

void AttachResourceModules(com::HMODULE own) {
    ownModule = own;
    com::HMODULE satellite = own ? ProbeSatelliteDll(com::ModuleFileName(own)) : nullptr;
    satelliteInUse = satellite != nullptr;
    resourceModule = satellite ? satellite : own;
}

com::HMODULE OwnModule() { return ownModule; }
bool SatelliteInUse() { return satelliteInUse; }
com::HMODULE GetResourceModule() { return satelliteInUse ? resourceModule : ownModule; }

void RegisterLanguageMapTypeLibs(const std::string& ownPath, std::string_view map) {
    std::size_t offset = 0;
    // Each record: language (16 bits), sub-language (16 bits), file name up
    // to its NUL; a record cut short by the end of the resource ends the map.
    while (offset + 4 < map.size()) {
        const std::size_t nameStart = offset + 4;
        const std::size_t nul = map.find('\0', nameStart);
        if (nul == std::string_view::npos) break;
        const std::string_view name = map.substr(nameStart, nul - nameStart);
        offset = nul + 1;
        if (!IsPlainFileName(name)) continue;
        char path[kMaxModulePath];
        if (!ReplaceFileName(ownPath, name, path, sizeof path)) continue;
        const std::u16string widePath = com::Utf8ToUtf16(path);
        com::ITypeLib* lib = nullptr;
        if (com::SUCCEEDED(com::LoadTypeLib(widePath.c_str(), &lib)) && lib) {
            com::RegisterTypeLib(lib, widePath.c_str(), nullptr);
            lib->Release();
        }
    }
}

com::HRESULT RegisterSatelliteTypeLibs() {
    if (!satelliteInUse) return com::S_OK;
    com::HRSRC found = com::FindResource(ownModule, kLanguageMapResource, com::RT_RCDATA);
    if (!found) return com::S_OK;
    com::HGLOBAL loaded = com::LoadResource(ownModule, found);
    const void* bytes = loaded ? com::LockResource(loaded) : nullptr;
    if (!bytes) return com::S_OK;
    const com::DWORD size = com::SizeofResource(ownModule, found);
    RegisterLanguageMapTypeLibs(com::ModuleFileName(ownModule),
                                std::string_view(static_cast<const char*>(bytes), size));
    return com::S_OK;
}

}  // namespace zevote
