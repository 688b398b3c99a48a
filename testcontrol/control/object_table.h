#pragma once
// The classes the control library serves, in registration order, ended by
// an entry of kind kEndOfTable.
#include <cstdint>

#include "com.h"

namespace zevote {

enum ObjectKind : std::uint16_t { kControlObject = 2, kPropertyPageObject = 3, kEndOfTable = 0xFFFF };

struct ObjectEntry {
    ObjectKind kind;
    const com::CLSID* clsid;
    const char* name;
    com::CreateObjectFn create;
    // Control entries.
    long version = 0;
    const com::IID* defaultInterface = nullptr;
    const char* helpFile = nullptr;
    const com::IID* eventInterface = nullptr;
    com::DWORD miscStatus = 0;
    int toolboxBitmap = 0;
    const char* windowClass = nullptr;
    bool* windowClassRegistered = nullptr;
    const com::CLSID* const* propertyPages = nullptr;
    int propertyPageCount = 0;
    // Property-page entries.
    int dialog = 0;
    int titleString = 0;
    int docString = 0;
    int helpContext = 0;
};

// The table, ended by the kEndOfTable entry.
const ObjectEntry* ObjectTable();
// The entry for a CLSID (compared as 16 bytes), or null.
const ObjectEntry* FindObjectEntry(const com::CLSID& clsid);

// Objects and locks of the library, for DllCanUnloadNow.
com::ServerLocks& LibraryLocks();

}  // namespace zevote
