#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

#include "module_check.h"
#include "module_table.h"

namespace com {

namespace {
std::recursive_mutex& Lock() {
    static std::recursive_mutex m;
    return m;
}
std::map<void*, std::unique_ptr<Module>>& Table() {  // by dlopen handle
    static std::map<void*, std::unique_ptr<Module>> table;
    return table;
}
thread_local std::string lastError;

std::string ProgramPath() {
    std::error_code ec;
    const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string{} : p.string();
}

// The path the loader knows for a handle.
std::string HandlePath(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name) return map->l_name;
    return {};
}

// The record of a handle the caller holds one dlopen reference of. Each
// LoadLibrary keeps its reference until FreeLibrary; a module first found
// by address or name keeps one reference for good (pinned), so that its
// record never dangles.
Module* Enter(void* handle, bool countLoad) {
    auto& table = Table();
    auto it = table.find(handle);
    if (it != table.end()) {
        if (countLoad) {
            ++it->second->loads;
        } else {
            dlclose(handle);
        }
        return it->second.get();
    }
    auto m = std::make_unique<Module>();
    m->handle = handle;
    m->path = HandlePath(handle);
    m->loads = countLoad ? 1 : 0;
    m->pinned = !countLoad;
    Module* raw = m.get();
    table.emplace(handle, std::move(m));
    return raw;
}
}  // namespace

HMODULE LoadLibrary(const std::string& path) {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    // A file named by its path is looked at first: one cut short would kill
    // the process in the loader. A bare name is the loader's to find.
    if (path.find('/') != std::string::npos) {
        if (auto problem = ModuleFileProblem(path)) {
            lastError = *problem;
            return nullptr;
        }
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* e = dlerror();
        lastError = e ? e : "cannot load " + path;
        return nullptr;
    }
    return Enter(handle, true);
}

BOOL FreeLibrary(HMODULE module) {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (!module) return FALSE;
    auto it = Table().find(module->handle);
    if (it == Table().end() || it->second.get() != module || module->loads <= 0) return FALSE;
    void* handle = module->handle;
    if (--module->loads == 0 && !module->pinned) Table().erase(it);
    dlclose(handle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (!name) return nullptr;
    void* handle = module ? module->handle : GetModuleHandle(nullptr)->handle;
    return dlsym(handle, name);
}

HMODULE ModuleFromAddress(const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname) return nullptr;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const std::string program = ProgramPath();
    void* handle = nullptr;
    if (info.dli_fname == program || !*info.dli_fname) {
        return GetModuleHandle(nullptr);
    }
    handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return nullptr;
    return Enter(handle, false);
}

HMODULE GetModuleHandle(const char* name) {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return nullptr;
    Module* m = Enter(handle, false);
    if (!name && m->path.empty()) m->path = ProgramPath();
    return m;
}

std::string ModuleFileName(HMODULE module) {
    if (!module) return ProgramPath();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (module->path.empty()) return ProgramPath();
    std::error_code ec;
    const auto full = std::filesystem::absolute(module->path, ec);
    return ec ? module->path : full.lexically_normal().string();
}

DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    const std::string path = ModuleFileName(module);
    if (path.empty()) {
        buffer[0] = 0;
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = 0;
    return static_cast<DWORD>(n);
}

std::string LastLoadError() { return lastError; }

const std::vector<format::ResourceView>& ModuleResources(HMODULE module) {
    static const std::vector<format::ResourceView> none;
    if (!module) module = GetModuleHandle(nullptr);
    if (!module) return none;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (!module->resourcesRead) {
        module->resourcesRead = true;
        const auto* block = static_cast<const unsigned char*>(dlsym(module->handle, kResourceSymbol));
        if (auto decoded = format::DecodeResourceBlock(block)) module->resources = std::move(*decoded);
    }
    return module->resources;
}

}  // namespace com
