#pragma once
// Per-user program settings, kept where the runtime keeps them:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one text value per key.
#include <string>

namespace vb {

// The setting's text; `defaultValue` when it is not there, or when the
// settings file is damaged or cannot be read. A setting stored as a 32-bit
// number reads as its decimal text.
std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue = "");

// A damaged settings file is not overwritten: it is kept beside the new one
// as "<file>.damaged-<yyyymmdd-hhmmss>", and the setting goes into a new file.
void SaveSetting(const std::string& appName, const std::string& section,
                 const std::string& key, const std::string& value);

// Deletes one setting, or the whole section when `key` is not given.
// Error 5 when the section or the setting does not exist, as in the runtime.
void DeleteSetting(const std::string& appName, const std::string& section);
void DeleteSetting(const std::string& appName, const std::string& section,
                   const std::string& key);

// "Software\VB and VBA Program Settings\<app>\<section>"
std::string SettingsKeyPath(const std::string& appName, const std::string& section);

}  // namespace vb
