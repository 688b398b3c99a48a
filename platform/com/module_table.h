#pragma once
// The modules this layer knows: one record per loaded object, with its
// dlopen handle, path, load count and decoded resources.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "module.h"
#include "resource_format.h"

namespace com {

struct Module {
    void* handle = nullptr;  // dlopen handle
    std::string path;        // full path ("" for the program: see ModuleFileName)
    int loads = 0;           // LoadLibrary calls not yet freed
    bool pinned = false;     // holds a reference of its own for good
    bool resourcesRead = false;
    std::vector<format::ResourceView> resources;
};

// The resources of a module (read once).
const std::vector<format::ResourceView>& ModuleResources(HMODULE module);

}  // namespace com
