#include "process_memory.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

namespace {
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(key) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}
}  // namespace

long ResidentKb() { return StatusKb("VmRSS"); }
long PeakResidentKb() { return StatusKb("VmHWM"); }

bool ResetPeakResident() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

}  // namespace bench
