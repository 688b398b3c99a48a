#include "hive.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace reg {

const char* HiveName(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser: return "HKEY_CURRENT_USER";
    case Hive::LocalMachine: return "HKEY_LOCAL_MACHINE";
    }
    return "";
}

std::optional<Hive> HiveFromHandle(std::uint32_t hkey) {
    switch (hkey) {
    case HKEY_CLASSES_ROOT: return Hive::ClassesRoot;
    case HKEY_CURRENT_USER: return Hive::CurrentUser;
    case HKEY_LOCAL_MACHINE: return Hive::LocalMachine;
    default: return std::nullopt;
    }
}

std::uint32_t HandleOfHive(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Hive::CurrentUser: return HKEY_CURRENT_USER;
    case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
    }
    return 0;
}

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

}  // namespace

std::string RegistryFolder() {
    if (const char* dir = std::getenv("ORVANTA_REGISTRY_DIR"); dir && *dir) return dir;
    std::string config;
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') config = xdg;
    else config = HomeFolder() + "/.config";
    return config + "/orvanta/registry";
}

std::string HiveFilePath(Hive hive) {
    return RegistryFolder() + "/" + HiveName(hive) + ".reg";
}

}  // namespace reg
