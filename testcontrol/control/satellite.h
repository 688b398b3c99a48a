#pragma once
// Satellite resource modules: a language library beside the control that
// carries its user-visible resources, chosen once when the control is
// loaded into a process from the user's language.
#include <cstddef>
#include <string>
#include <string_view>

#include "com.h"

namespace zevote {

// Longest module path the probe works with, in bytes.
inline constexpr std::size_t kMaxModulePath = 520;

// Puts `name` in place of everything after the last path separator of
// `path` (of the whole text when there is none) into out, a buffer of
// outSize bytes. False, with out left empty, when the result does not fit.
bool ReplaceFileName(std::string_view path, std::string_view name, char* out, std::size_t outSize);

// The satellite library for the control at `modulePath`, or null: none for
// the language abbreviation "enu" (any case), else the control's base name
// followed by "LOC" and ".DLL", else by the abbreviation and ".DLL", each
// looked for only in the control's own folder.
com::HMODULE ProbeSatelliteDll(const std::string& modulePath);

// Called once when the control is loaded: records its own module and
// probes for a satellite.
void AttachResourceModules(com::HMODULE ownModule);
com::HMODULE OwnModule();
bool SatelliteInUse();
// The module every resource of the control is loaded from.
com::HMODULE GetResourceModule();

// Registers the type libraries named by the "INTLSZ_LANGMAP" resource of
// the control's own module when a satellite is in use; S_OK.
com::HRESULT RegisterSatelliteTypeLibs();
// The same over a given own module and language map bytes (for tests).
void RegisterLanguageMapTypeLibs(const std::string& ownPath, std::string_view languageMap);

}  // namespace zevote
