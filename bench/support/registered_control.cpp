#include "registered_control.h"

#include <cstdio>
#include <string>

#include "creation.h"
#include "module.h"

namespace bench {

bool RegisterTestControl() {
    const std::string path = std::string(ORVANTA_BIN_DIR) + "/zevote32.ocx";
    const com::HMODULE module = com::LoadLibrary(path);
    if (!module) {
        std::fprintf(stderr, "bench: cannot load %s: %s\n", path.c_str(), com::LastLoadError().c_str());
        return false;
    }
    auto registerServer = reinterpret_cast<com::DllRegisterServerFn>(com::GetProcAddress(module, "DllRegisterServer"));
    const com::HRESULT hr = registerServer ? registerServer() : com::E_FAIL;
    com::FreeLibrary(module);
    if (hr != com::S_OK) {
        std::fprintf(stderr, "bench: DllRegisterServer in %s failed: 0x%08X\n", path.c_str(),
                     static_cast<unsigned>(hr));
        return false;
    }
    return true;
}

}  // namespace bench
