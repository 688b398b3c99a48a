#pragma once
// The three hives and where their files live.
#include <cstdint>
#include <optional>
#include <string>

namespace reg {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

// Root key handles as programs pass them in a Long.
constexpr std::uint32_t HKEY_CLASSES_ROOT = 0x80000000u;
constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u;
constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE".
const char* HiveName(Hive hive);
// The hive of a root key handle; nothing for any other number.
std::optional<Hive> HiveFromHandle(std::uint32_t hkey);
std::uint32_t HandleOfHive(Hive hive);

// The registry folder: $ORVANTA_REGISTRY_DIR when set, else
// $XDG_CONFIG_HOME/orvanta/registry (default ~/.config/orvanta/registry).
// Read from the environment on every call.
std::string RegistryFolder();

// <folder>/<hive name>.reg
std::string HiveFilePath(Hive hive);

}  // namespace reg
