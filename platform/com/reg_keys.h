#pragma once
// The registry as a server reads and writes it: open key handles over our
// registry (platform/registry), with the platform's calls and error codes.
// Every call reads or writes the hive file at once, but for the changes made
// inside a RegTransaction.
#include <cstdint>
#include <memory>

#include "unknown.h"

namespace reg {
class HiveTransaction;
}

namespace com {

using HKEY = std::uintptr_t;
using LSTATUS = LONG;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;
constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
constexpr LSTATUS ERROR_CANTWRITE = 1013;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

// Opens (creating when missing) the key subKey below key; subKey "" or null
// opens key itself again. Close every key opened.
LSTATUS RegCreateKey(HKEY key, const char* subKey, HKEY* result);
// Opens an existing key; ERROR_FILE_NOT_FOUND when missing.
LSTATUS RegOpenKey(HKEY key, const char* subKey, HKEY* result);
LSTATUS RegCloseKey(HKEY key);
// Sets the default value of subKey (created when missing; "" or null: key
// itself) to the text `data`. type must be REG_SZ.
LSTATUS RegSetValue(HKEY key, const char* subKey, DWORD type, const char* data, DWORD length);
// Sets the named value ("" or null: the default value) of key. REG_SZ data
// is text (a NUL ends it); REG_DWORD four bytes, low first.
LSTATUS RegSetValueEx(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// Reads the default value of subKey into data (size in bytes, with the NUL;
// updated to the size needed, ERROR_MORE_DATA when it does not fit).
LSTATUS RegQueryValue(HKEY key, const char* subKey, char* data, LONG* size);
LSTATUS RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
// Deletes subKey when it has no subkeys (ERROR_ACCESS_DENIED otherwise);
// ERROR_FILE_NOT_FOUND when missing.
LSTATUS RegDeleteKey(HKEY key, const char* subKey);
// Deletes subKey with everything below it.
LSTATUS RegDeleteTree(HKEY key, const char* subKey);
LSTATUS RegDeleteValue(HKEY key, const char* valueName);
// The name of the index-th subkey (ordered by name);
// ERROR_NO_MORE_ITEMS past the last.
LSTATUS RegEnumKey(HKEY key, DWORD index, char* name, DWORD size);

// Changes of one hive made as one step, as a server registers itself:
// while the transaction is open, the calls above made on its thread read
// and change the hive of `key` in memory, under the hive's lock; Commit
// replaces the hive file once with all of them. Other processes and threads
// see the hive as it was before or after, never in between. Ending without
// Commit writes nothing.
class RegTransaction {
public:
    explicit RegTransaction(HKEY key);
    ~RegTransaction();
    RegTransaction(const RegTransaction&) = delete;
    RegTransaction& operator=(const RegTransaction&) = delete;

    // ERROR_SUCCESS when the hive could be read and locked; else the
    // transaction is not open and nothing should be changed.
    LSTATUS Status() const { return status_; }
    // Writes the changes; ERROR_CANTWRITE (or the status above) when they
    // could not be written.
    LSTATUS Commit();

private:
    LSTATUS status_ = ERROR_SUCCESS;
    std::unique_ptr<reg::HiveTransaction> transaction_;
};

}  // namespace com
