#pragma once
// The registry: keys under three hives, each key with named values and a
// default value (the value named ""). Key paths are names joined by "\";
// names compare without regard to case and keep the case they were created
// with. Each call reads the hive afresh, and each change is written through
// at once, so other processes see it.
//
// Errors are vb::VBError: 5 for a malformed key path, and the file errors of
// hive_store.h (321 for a corrupt hive file, which is never overwritten).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hive.h"
#include "key_tree.h"

namespace reg {

// Keys. The empty path is the hive itself.
bool KeyExists(Hive hive, std::string_view path);
// Creates the key and any missing keys above it; returns true when it was new.
bool CreateKey(Hive hive, std::string_view path);
// Deletes the key with all its subkeys and values; false when it was absent.
// The hive itself cannot be deleted (error 5).
bool DeleteKey(Hive hive, std::string_view path);
// Direct subkeys, ordered by name without regard to case; nothing when the
// key is absent.
std::vector<std::string> SubKeyNames(Hive hive, std::string_view path);
// Names of the key's values in the order they were first set ("" for the
// default value); nothing when the key is absent.
std::vector<std::string> ValueNames(Hive hive, std::string_view path);

// Values. `name` "" is the default value.
std::optional<Value> QueryValue(Hive hive, std::string_view path, std::string_view name);
// Sets the value, creating the key (and those above it) when missing.
void SetValue(Hive hive, std::string_view path, std::string_view name, const Value& value);
// False when the key or the value was absent.
bool DeleteValue(Hive hive, std::string_view path, std::string_view name);

// Shorthands for text and 32-bit number values.
void SetText(Hive hive, std::string_view path, std::string_view name, std::string_view text);
void SetNumber(Hive hive, std::string_view path, std::string_view name, std::uint32_t number);

}  // namespace reg
