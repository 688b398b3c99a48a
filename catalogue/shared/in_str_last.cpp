#include "in_str_last.h"

#include "text_functions.h"

namespace orvanta {

std::int32_t InStrLast(const std::string& source, const std::string& find) {
    std::int32_t best = 0;
    long start = 1;
    for (;;) {
        const long found = vb::InStr(start, source, find);
        if (found == 0) break;
        if (found > best) best = static_cast<std::int32_t>(found);
        start = found + 1;
    }
    return best;
}

}  // namespace orvanta
