#include <cstring>

#include "module_table.h"
#include "resource_format.h"

namespace com {

struct ResourceEntry : format::ResourceView {};

HRSRC FindResource(HMODULE module, const ResourceId& name, const ResourceId& type) {
    for (const format::ResourceView& r : ModuleResources(module)) {
        if (format::SameId(r.type, type) && format::SameId(r.name, name)) return static_cast<HRSRC>(&r);
    }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource ? resource->data.data() : nullptr; }

const void* LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? static_cast<DWORD>(resource->data.size()) : 0; }

std::optional<std::string_view> ResourceBytes(HMODULE module, const ResourceId& name, const ResourceId& type) {
    HRSRC r = FindResource(module, name, type);
    if (!r) return std::nullopt;
    return r->data;
}

std::optional<std::string> LoadStringText(HINSTANCE module, UINT id) {
    if (id == 0 || id > 0xFFFF) return std::nullopt;
    auto bytes = ResourceBytes(module, static_cast<int>(id), RT_STRING);
    if (!bytes) return std::nullopt;
    return std::string(*bytes);
}

int LoadString(HINSTANCE module, UINT id, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    const auto text = LoadStringText(module, id);
    if (!text) return 0;
    std::size_t n = std::min<std::size_t>(text->size(), static_cast<std::size_t>(size - 1));
    // Never cut inside a UTF-8 character.
    while (n > 0 && n < text->size() && (static_cast<unsigned char>((*text)[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text->data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, const ResourceId& name) {
    auto bytes = ResourceBytes(module, name, RT_DIALOG);
    if (!bytes) return std::nullopt;
    return format::DecodeDialog(*bytes);
}

std::optional<VersionInfo> LoadVersionInfo(HINSTANCE module) {
    auto bytes = ResourceBytes(module, 1, RT_VERSION);
    if (!bytes) return std::nullopt;
    return format::DecodeVersion(*bytes);
}

std::optional<std::string> VersionInfo::Value(std::string_view name) const {
    for (const auto& [n, text] : strings) {
        if (format::SameId(ResourceId(n), ResourceId(std::string(name)))) return text;
    }
    return std::nullopt;
}

}  // namespace com
