#pragma once
// The registry as programs call it with numbered handles: open a key under a
// root (or an opened key) with an access mask, query one of its values with
// its type and bytes, close the handle. Results are the registry's error
// codes (0 for success); nothing is raised.
//
//     std::uint32_t key = 0;
//     if (reg::RegOpenKeyEx(reg::HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", 0, reg::KEY_READ, key) == 0) {
//         std::uint32_t type = 0, size = 1024;
//         std::string buffer(size, '\0');
//         reg::RegQueryValueEx(key, "PATH", type, buffer, size);
//         reg::RegCloseKey(key);
//     }
#include <cstdint>
#include <string>
#include <string_view>

#include "hive.h"
#include "key_tree.h"

namespace reg {

// Error codes.
constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
constexpr std::int32_t ERROR_MORE_DATA = 234;
constexpr std::int32_t ERROR_BADDB = 1009;
constexpr std::int32_t ERROR_KEY_DELETED = 1018;

// Access rights of an opened key.
constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr std::uint32_t KEY_NOTIFY = 0x0010;
constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
constexpr std::uint32_t READ_CONTROL = 0x00020000;
constexpr std::uint32_t KEY_READ = READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;

// Opens `subKey` below `key` (a root handle or one this call gave out; an
// empty sub key opens the same key again). `options` is not used. On success
// `result` is a new handle; on failure it is 0: ERROR_FILE_NOT_FOUND for an
// absent key, ERROR_INVALID_HANDLE for an unknown handle.
std::int32_t RegOpenKeyEx(std::uint32_t key, std::string_view subKey, std::uint32_t options,
                          std::uint32_t access, std::uint32_t& result);

// Queries value `name` ("" the default value) of an opened key. On entry
// `size` is the room in `data` (bytes; `data` is grown to it when shorter);
// on success `type` is the value's type, the first `size` bytes of `data` are
// its bytes (a text with its terminating zero, a 32-bit number as four bytes,
// low byte first) and the rest of `data` is left as it was. When the room is
// too small: ERROR_MORE_DATA with `size` the room needed and `data`
// unchanged. ERROR_FILE_NOT_FOUND for an absent value, ERROR_ACCESS_DENIED
// when the key was opened without KEY_QUERY_VALUE.
std::int32_t RegQueryValueEx(std::uint32_t key, std::string_view name, std::uint32_t& type, std::string& data,
                             std::uint32_t& size);

// Closes a handle; ERROR_INVALID_HANDLE for 0 or an unknown handle (root
// handles close without effect).
std::int32_t RegCloseKey(std::uint32_t key);

}  // namespace reg
