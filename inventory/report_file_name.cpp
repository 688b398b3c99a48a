#include "report_file_name.h"

#include <cstdint>
#include <limits>

#include "dir_search.h"
#include "err.h"

namespace inventory::Inventory {

std::string NextReportFileName(const std::string& base) {
    for (std::int32_t n = 1; n <= std::numeric_limits<std::int16_t>::max(); ++n) {
        const std::string name = base + std::to_string(n) + ".txt";
        if (vb::Dir(name).empty()) return name;
    }
    vb::RaiseError(6);
}

}  // namespace inventory::Inventory
