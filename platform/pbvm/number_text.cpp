#include "number_text.h"

#include <charconv>
#include <cmath>

namespace pbvm {

std::optional<long long> WholeNumber(std::string_view text, long long min, long long max, int base) {
    if (text.empty()) return std::nullopt;
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end || value < min || value > max) return std::nullopt;
    return value;
}

std::optional<double> FiniteNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace pbvm
