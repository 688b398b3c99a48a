// Program entry of pbhanzel: fills the runtime's import table by ordinal and
// hands the application to the runtime.
#include <cstdio>
#include <cstring>

#include "export_table.h"
#include "vm_imports.h"

namespace {

constexpr unsigned kIconGroup = 1000;
constexpr unsigned kShowNormal = 1;

// Below 4 GiB with the rest of the program's static data.
char g_commandLine[4096];

hanzel::u32 programEntry(hanzel::u32 instance, hanzel::u32 previous, hanzel::u32 commandLine, hanzel::u32 show) {
    return hanzel::Call(hanzel::kStartApplication, instance, previous, commandLine, show, kIconGroup, 1u);
}

}  // namespace

int main(int argc, char** argv) {
    unsigned missing = 0;
    if (!hanzel::FillImports(missing)) {
        std::fprintf(stderr, "pbhanzel: the object runtime has no operation %u\n", missing);
        return 1;
    }
    std::size_t used = 0;
    for (int i = 1; i < argc; ++i) {
        std::size_t n = std::strlen(argv[i]);
        if (used + n + 2 > sizeof g_commandLine) break;
        if (used) g_commandLine[used++] = ' ';
        std::memcpy(g_commandLine + used, argv[i], n);
        used += n;
    }
    return static_cast<int>(programEntry(pbvm::Low(&hanzel::g_exportDirectory), 0, pbvm::Low(g_commandLine),
                                         kShowNormal));
}
