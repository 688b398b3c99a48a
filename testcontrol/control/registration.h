#pragma once
// Registry entries of the control library under HKEY_CLASSES_ROOT.
#include <string>

#include "com.h"

namespace zevote {

// "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}"
std::string GuidText(const com::GUID& guid);

// Writes every object's keys for the library at `libraryPath` and registers
// its type library, all in one write of the hive. A failure HRESULT, with
// nothing written, when any step failed.
com::HRESULT RegisterLibrary(const std::string& libraryPath);
// Removes every object's keys and the type library's key in one write of
// the hive; S_OK, also when they were not there. SELFREG_E_CLASS, with
// nothing removed, when the registry cannot be read or written.
com::HRESULT UnregisterLibrary();

}  // namespace zevote
