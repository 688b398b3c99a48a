#include "registry_calls.h"

#include <map>
#include <mutex>

#include "err.h"
#include "registry.h"

namespace reg {

namespace {

struct OpenedKey {
    Hive hive;
    std::string path;
    std::uint32_t access;
};

std::mutex g_mutex;
std::map<std::uint32_t, OpenedKey> g_keys;
std::uint32_t g_nextHandle = 0x100;

std::string JoinPath(const std::string& base, std::string_view sub) {
    if (sub.empty()) return base;
    if (base.empty()) return std::string(sub);
    return base + "\\" + std::string(sub);
}

// The hive and path of a root or opened handle; false for an unknown one.
bool Resolve(std::uint32_t key, OpenedKey& out) {
    if (std::optional<Hive> hive = HiveFromHandle(key)) {
        out = {*hive, {}, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK};
        return true;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_keys.find(key);
    if (it == g_keys.end()) return false;
    out = it->second;
    return true;
}

std::int32_t CodeOf(const vb::VBError& e) { return e.number() == 5 ? ERROR_FILE_NOT_FOUND : ERROR_BADDB; }

std::string BytesOf(const Value& value) {
    if (value.type == REG_DWORD) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((value.number >> (8 * i)) & 0xFF);
        return bytes;
    }
    if (value.type == REG_SZ) return value.data + '\0';
    return value.data;
}

}  // namespace

std::int32_t RegOpenKeyEx(std::uint32_t key, std::string_view subKey, std::uint32_t options, std::uint32_t access,
                          std::uint32_t& result) {
    (void)options;
    result = 0;
    OpenedKey parent;
    if (!Resolve(key, parent)) return ERROR_INVALID_HANDLE;
    OpenedKey opened{parent.hive, JoinPath(parent.path, subKey), access};
    try {
        if (!KeyExists(opened.hive, opened.path)) return ERROR_FILE_NOT_FOUND;
    } catch (const vb::VBError& e) {
        return CodeOf(e);
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::uint32_t handle = g_nextHandle++;
    g_keys[handle] = std::move(opened);
    result = handle;
    return ERROR_SUCCESS;
}

std::int32_t RegQueryValueEx(std::uint32_t key, std::string_view name, std::uint32_t& type, std::string& data,
                             std::uint32_t& size) {
    OpenedKey opened;
    if (!Resolve(key, opened)) return ERROR_INVALID_HANDLE;
    if (!(opened.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    std::optional<Value> value;
    try {
        if (!KeyExists(opened.hive, opened.path)) return ERROR_KEY_DELETED;
        value = QueryValue(opened.hive, opened.path, name);
    } catch (const vb::VBError& e) {
        return CodeOf(e);
    }
    if (!value) return ERROR_FILE_NOT_FOUND;
    const std::string bytes = BytesOf(*value);
    type = value->type;
    if (bytes.size() > size) {
        size = static_cast<std::uint32_t>(bytes.size());
        return ERROR_MORE_DATA;
    }
    if (data.size() < size) data.resize(size, '\0');
    data.replace(0, bytes.size(), bytes);
    size = static_cast<std::uint32_t>(bytes.size());
    return ERROR_SUCCESS;
}

std::int32_t RegCloseKey(std::uint32_t key) {
    if (HiveFromHandle(key)) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_keys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace reg
