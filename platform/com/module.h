#pragma once
// Modules: the program and the shared objects loaded into it (dlopen),
// with the resources they carry (see resources.h).
#include <string>

#include "unknown.h"

namespace com {

struct Module;
using HMODULE = Module*;   // null is none
using HINSTANCE = HMODULE;
using FARPROC = void*;

// Loads the shared object at `path` (with RTLD_NOW | RTLD_LOCAL); a name
// without "/" is looked for as dlopen looks for it. Loading the same file
// again hands back the same module with one more load; null when it cannot
// be loaded, which includes a file that is cut short or whose ELF headers do
// not fit this build (see module_check.h).
HMODULE LoadLibrary(const std::string& path);
// Drops one load; the object is unloaded with the last. FALSE for null.
BOOL FreeLibrary(HMODULE module);
// An exported symbol of the module; null when absent.
FARPROC GetProcAddress(HMODULE module, const char* name);
// The module that holds `address` (code or data of a loaded object), for a
// server to find itself: com::ModuleFromAddress(reinterpret_cast<const
// void*>(&DllGetClassObject)). Null when no loaded object holds it. The
// module stays until the object is unloaded.
HMODULE ModuleFromAddress(const void* address);
// null: the program's own module.
HMODULE GetModuleHandle(const char* name);
// The full path of the module's file; the program's for null.
std::string ModuleFileName(HMODULE module);
// As above into a buffer of `size` characters, NUL-terminated and cut to
// fit; returns the characters copied (without the NUL); 0 on failure.
DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size);
// The last error text of the loader (dlerror), for messages.
std::string LastLoadError();

}  // namespace com
