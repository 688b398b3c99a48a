#include "settings.h"

#include "err.h"
#include "registry.h"

namespace vb {
namespace {

// Empty names, or application and section names holding "\", would address
// another place in the registry than the setting.
void CheckName(const std::string& name, const char* what, bool pathPart = true) {
    if (name.empty() || (pathPart && name.find('\\') != std::string::npos))
        throw VBError(vb::errors::InvalidProcedureCall,
                      std::string("Invalid ") + what + " name \"" + name + "\" for a program setting");
}

}  // namespace

std::string SettingsKeyPath(const std::string& appName, const std::string& section) {
    CheckName(appName, "application");
    CheckName(section, "section");
    return "Software\\VB and VBA Program Settings\\" + appName + "\\" + section;
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    const std::string path = SettingsKeyPath(appName, section);
    CheckName(key, "key", false);
    auto value = reg::QueryValue(reg::Hive::CurrentUser, path, key);
    if (!value) return defaultValue;
    switch (value->type) {
    case reg::REG_SZ: return value->data;
    case reg::REG_DWORD: return std::to_string(value->number);
    default: return defaultValue;
    }
}

void SaveSetting(const std::string& appName, const std::string& section,
                 const std::string& key, const std::string& value) {
    const std::string path = SettingsKeyPath(appName, section);
    CheckName(key, "key", false);
    reg::SetText(reg::Hive::CurrentUser, path, key, value);
}

void DeleteSetting(const std::string& appName, const std::string& section) {
    if (!reg::DeleteKey(reg::Hive::CurrentUser, SettingsKeyPath(appName, section)))
        throw VBError(vb::errors::InvalidProcedureCall,
                      "Program setting section \"" + section + "\" of \"" + appName + "\" does not exist");
}

void DeleteSetting(const std::string& appName, const std::string& section,
                   const std::string& key) {
    const std::string path = SettingsKeyPath(appName, section);
    CheckName(key, "key", false);
    if (!reg::DeleteValue(reg::Hive::CurrentUser, path, key))
        throw VBError(vb::errors::InvalidProcedureCall, "Program setting \"" + key + "\" in section \"" + section +
                                                            "\" of \"" + appName + "\" does not exist");
}

}  // namespace vb
