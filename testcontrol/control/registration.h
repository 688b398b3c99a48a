#pragma once
// Registry entries of the control library under HKEY_CLASSES_ROOT.
#include <string>

#include "com.h"

namespace zevote {

// "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}"
std::string GuidText(const com::GUID& guid);

// Writes every object's keys for the library at `libraryPath`, then
// registers its type library. A failure HRESULT when any step failed.
com::HRESULT RegisterLibrary(const std::string& libraryPath);
// Removes every object's keys and the type library's key; S_OK.
com::HRESULT UnregisterLibrary();

}  // namespace zevote
