#include "vm_imports.h"

namespace hanzel {

void* g_vmImports[kImportCount];

const unsigned g_vmImportOrdinals[kImportCount] = {
#define HANZEL_ORDINAL(name, ordinal) ordinal,
    HANZEL_IMPORTS(HANZEL_ORDINAL)
#undef HANZEL_ORDINAL
};

bool FillImports(unsigned& missing) {
    for (unsigned i = 0; i < kImportCount; ++i) {
        g_vmImports[i] = PBVM60_ProcByOrdinal(g_vmImportOrdinals[i]);
        if (!g_vmImports[i]) {
            missing = g_vmImportOrdinals[i];
            return false;
        }
    }
    return true;
}

}  // namespace hanzel
