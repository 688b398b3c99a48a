#pragma once
// Where the samples form finds the sample database: the per-user setting
// "DatabasePath" (application "Tavorin VB", section "Hanzel"), by default
// tavorin.mdb in the program folder. The form writes the path back at every
// load, so the setting exists after the first run.
#include <string>

namespace hanzelvb {

inline constexpr const char* kSettingsApp = "Tavorin VB";
inline constexpr const char* kSettingsSection = "Hanzel";
inline constexpr const char* kDatabasePathKey = "DatabasePath";

// The program folder followed by tavorin.mdb.
std::string DefaultDatabasePath();

}  // namespace hanzelvb
