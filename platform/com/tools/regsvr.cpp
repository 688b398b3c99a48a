// regsvr [-u] PATH: registers (or with -u unregisters) an in-process server
// by calling its DllRegisterServer (DllUnregisterServer), as an installer
// does. Prints the outcome with the HRESULT; exits with 0 on success.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "creation.h"
#include "module.h"

int main(int argc, char** argv) {
    bool unregister = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 || std::strcmp(argv[i], "/u") == 0) {
            unregister = true;
        } else if (path.empty()) {
            path = argv[i];
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "usage: regsvr [-u] PATH\n");
        return 2;
    }
    std::error_code ec;
    const std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    com::HMODULE module = com::LoadLibrary(ec ? path : full);
    if (!module) {
        std::fprintf(stderr, "LoadLibrary(\"%s\") failed: %s\n", path.c_str(), com::LastLoadError().c_str());
        return 3;
    }
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(com::GetProcAddress(module, entry));
    if (!fn) {
        std::fprintf(stderr, "%s was loaded, but the %s entry point was not found.\n", path.c_str(), entry);
        com::FreeLibrary(module);
        return 4;
    }
    const com::HRESULT hr = fn();
    if (com::FAILED(hr)) {
        std::fprintf(stderr, "%s in %s failed.\nReturn code was: 0x%08X\n", entry, path.c_str(),
                     static_cast<unsigned>(hr));
        return 5;
    }
    std::printf("%s in %s succeeded.\n", entry, path.c_str());
    return 0;
}
