#include "settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "err.h"
#include "hive_store.h"
#include "registry.h"

namespace vb {
namespace {

constexpr reg::Hive kSettingsHive = reg::Hive::CurrentUser;

// Failures to read the settings' hive that the default stands in for: a
// damaged file, one that may not be read, or one that cannot be read.
bool Unreadable(const VBError& e) {
    return e.number() == errors::InvalidFileFormat || e.number() == errors::PermissionDenied ||
           e.number() == errors::PathFileAccessError;
}

// "20260412-153005": local time, to the second.
std::string TimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Moves a damaged settings hive aside, to "<file>.damaged-<time>" (with
// "-2", "-3", ... when that name is taken), so that the next change begins a
// new hive and the damaged file stays for whoever wants to look into it. It
// is done under the lock every writer of the hive takes, and only while the
// file is still damaged: another program may have set it aside and begun a
// new hive meanwhile.
void KeepDamagedHiveAside() {
    namespace fs = std::filesystem;
    const std::string path = reg::HiveFilePath(kSettingsHive);
    const std::string lockPath = reg::RegistryFolder() + "/" + reg::HiveName(kSettingsHive) + ".lock";
    const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) return;  // the change that follows reports the damage
    while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    bool damaged = false;
    try {
        reg::LoadHive(kSettingsHive);
    } catch (const VBError& e) {
        damaged = e.number() == errors::InvalidFileFormat;
    }
    if (damaged) {
        const std::string kept = path + ".damaged-" + TimeStamp();
        std::string target = kept;
        std::error_code ec;
        for (int n = 2; fs::exists(target, ec); ++n) target = kept + "-" + std::to_string(n);
        fs::rename(path, target, ec);
    }
    ::close(lock);
}

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
    std::optional<reg::Value> value;
    try {
        value = reg::QueryValue(kSettingsHive, path, key);
    } catch (const VBError& e) {
        if (!Unreadable(e)) throw;
    }
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
    try {
        reg::SetText(kSettingsHive, path, key, value);
    } catch (const VBError& e) {
        if (e.number() != errors::InvalidFileFormat) throw;
        KeepDamagedHiveAside();
        reg::SetText(kSettingsHive, path, key, value);
    }
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
