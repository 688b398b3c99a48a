#pragma once
// Numbers read from texts the runtime did not write itself (library entries,
// rich text documents, DataWindow objects): the whole text is the number and
// it lies within the range the caller gives, or there is no number. Nothing
// here throws.
#include <optional>
#include <string_view>

namespace pbvm {

// A whole number in base 10 (or `base`), with an optional leading "-".
std::optional<long long> WholeNumber(std::string_view text, long long min, long long max, int base = 10);

// A finite number: digits with an optional sign, point and exponent.
std::optional<double> FiniteNumber(std::string_view text);

}  // namespace pbvm
