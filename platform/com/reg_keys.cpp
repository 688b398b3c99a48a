#include "reg_keys.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "err.h"
#include "hive_store.h"
#include "registry.h"

namespace com {

namespace {
struct OpenKey {
    reg::Hive hive;
    std::string path;  // "" is the hive itself
};

std::mutex& Lock() {
    static std::mutex m;
    return m;
}
std::map<HKEY, OpenKey>& Keys() {
    static std::map<HKEY, OpenKey> keys;
    return keys;
}
HKEY nextHandle = 0x100;

std::optional<OpenKey> Resolve(HKEY key) {
    if (auto hive = reg::HiveFromHandle(static_cast<std::uint32_t>(key)); hive && key <= 0xFFFFFFFFu) {
        return OpenKey{*hive, {}};
    }
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Keys().find(key);
    if (it == Keys().end()) return std::nullopt;
    return it->second;
}

std::string Join(const std::string& path, const char* subKey) {
    std::string sub = subKey ? subKey : "";
    while (!sub.empty() && sub.back() == '\\') sub.pop_back();
    if (sub.empty()) return path;
    return path.empty() ? sub : path + "\\" + sub;
}

HKEY NewHandle(OpenKey key) {
    std::lock_guard<std::mutex> guard(Lock());
    const HKEY h = nextHandle++;
    Keys().emplace(h, std::move(key));
    return h;
}

// Runs a registry operation; registry errors become LSTATUS values.
template <class F>
LSTATUS Guarded(F&& f) {
    try {
        return f();
    } catch (const vb::VBError& e) {
        return e.number() == 5 ? ERROR_INVALID_PARAMETER : ERROR_CANTWRITE;
    } catch (const std::exception&) {
        return ERROR_CANTWRITE;
    }
}

LSTATUS CopyOut(const std::string& bytes, bool addNul, BYTE* data, DWORD* size) {
    const DWORD needed = static_cast<DWORD>(bytes.size() + (addNul ? 1 : 0));
    if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        if (addNul) data[bytes.size()] = 0;
    }
    *size = needed;
    return ERROR_SUCCESS;
}
}  // namespace

LSTATUS RegCreateKey(HKEY key, const char* subKey, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = 0;
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    OpenKey k{base->hive, Join(base->path, subKey)};
    return Guarded([&] {
        if (!k.path.empty()) reg::CreateKey(k.hive, k.path);
        *result = NewHandle(k);
        return ERROR_SUCCESS;
    });
}

LSTATUS RegOpenKey(HKEY key, const char* subKey, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = 0;
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    OpenKey k{base->hive, Join(base->path, subKey)};
    return Guarded([&] {
        if (!k.path.empty() && !reg::KeyExists(k.hive, k.path)) return ERROR_FILE_NOT_FOUND;
        *result = NewHandle(k);
        return ERROR_SUCCESS;
    });
}

LSTATUS RegCloseKey(HKEY key) {
    if (reg::HiveFromHandle(static_cast<std::uint32_t>(key)) && key <= 0xFFFFFFFFu) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(Lock());
    return Keys().erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegSetValue(HKEY key, const char* subKey, DWORD type, const char* data, DWORD) {
    if (type != REG_SZ) return ERROR_INVALID_PARAMETER;
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = Join(base->path, subKey);
    return Guarded([&] {
        if (path.empty()) return ERROR_INVALID_PARAMETER;  // the hive itself holds no values
        reg::SetText(base->hive, path, "", data ? data : "");
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSetValueEx(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    if (base->path.empty()) return ERROR_INVALID_PARAMETER;
    const std::string name = valueName ? valueName : "";
    const char* bytes = reinterpret_cast<const char*>(data);
    return Guarded([&] {
        if (type == REG_SZ) {
            std::string text = bytes ? std::string(bytes, size) : std::string{};
            if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
            reg::SetText(base->hive, base->path, name, text);
        } else if (type == REG_DWORD) {
            if (size != 4 || !bytes) return ERROR_INVALID_PARAMETER;
            reg::SetValue(base->hive, base->path, name, reg::Value::Bytes(std::string(bytes, 4), reg::REG_DWORD));
        } else {
            reg::SetValue(base->hive, base->path, name, reg::Value::Bytes(std::string(bytes ? bytes : "", size), type));
        }
        return ERROR_SUCCESS;
    });
}

LSTATUS RegQueryValueEx(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    return Guarded([&] {
        const auto value = reg::QueryValue(base->hive, base->path, valueName ? valueName : "");
        if (!value) return ERROR_FILE_NOT_FOUND;
        if (type) *type = value->type;
        if (value->type == reg::REG_SZ) return CopyOut(value->data, true, data, size);
        if (value->type == reg::REG_DWORD) {
            std::string bytes(4, '\0');
            for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value->number >> (8 * i));
            return CopyOut(bytes, false, data, size);
        }
        return CopyOut(value->data, false, data, size);
    });
}

LSTATUS RegQueryValue(HKEY key, const char* subKey, char* data, LONG* size) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = Join(base->path, subKey);
    return Guarded([&] {
        if (!reg::KeyExists(base->hive, path)) return ERROR_FILE_NOT_FOUND;
        const auto value = reg::QueryValue(base->hive, path, "");
        const std::string text = value && value->type == reg::REG_SZ ? value->data : std::string{};
        DWORD n = size ? static_cast<DWORD>(*size) : 0;
        const LSTATUS st = CopyOut(text, true, reinterpret_cast<BYTE*>(data), size ? &n : nullptr);
        if (size) *size = static_cast<LONG>(n);
        return st;
    });
}

LSTATUS RegDeleteKey(HKEY key, const char* subKey) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = Join(base->path, subKey);
    return Guarded([&] {
        if (path.empty() || !subKey || !*subKey) return ERROR_INVALID_PARAMETER;
        if (!reg::KeyExists(base->hive, path)) return ERROR_FILE_NOT_FOUND;
        if (!reg::SubKeyNames(base->hive, path).empty()) return ERROR_ACCESS_DENIED;
        reg::DeleteKey(base->hive, path);
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteTree(HKEY key, const char* subKey) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = Join(base->path, subKey);
    return Guarded([&] {
        if (path.empty()) return ERROR_INVALID_PARAMETER;
        return reg::DeleteKey(base->hive, path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegDeleteValue(HKEY key, const char* valueName) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    return Guarded([&] {
        return reg::DeleteValue(base->hive, base->path, valueName ? valueName : "") ? ERROR_SUCCESS
                                                                                   : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegEnumKey(HKEY key, DWORD index, char* name, DWORD size) {
    auto base = Resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    return Guarded([&] {
        const auto names = reg::SubKeyNames(base->hive, base->path);
        if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
        const std::string& n = names[index];
        if (!name || size < n.size() + 1) return ERROR_MORE_DATA;
        std::memcpy(name, n.c_str(), n.size() + 1);
        return ERROR_SUCCESS;
    });
}

RegTransaction::RegTransaction(HKEY key) {
    auto base = Resolve(key);
    if (!base) {
        status_ = ERROR_INVALID_HANDLE;
        return;
    }
    status_ = Guarded([&] {
        transaction_ = std::make_unique<reg::HiveTransaction>(base->hive);
        return ERROR_SUCCESS;
    });
}

RegTransaction::~RegTransaction() = default;

LSTATUS RegTransaction::Commit() {
    if (!transaction_) return status_ == ERROR_SUCCESS ? ERROR_INVALID_HANDLE : status_;
    return Guarded([&] {
        transaction_->Commit();
        transaction_.reset();
        return ERROR_SUCCESS;
    });
}

}  // namespace com
