#pragma once
// The last position of one text inside another.
#include <cstdint>
#include <string>

namespace orvanta {

// 1-based position of the last occurrence of `find` in `source`, comparing
// character codes exactly; 0 when there is none. Each search restarts one
// character after the previous match, so overlapping occurrences count
// ("aa" in "aaa" gives 2).
std::int32_t InStrLast(const std::string& source, const std::string& find);

}  // namespace orvanta
