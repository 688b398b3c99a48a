#pragma once
// Pieces of Format: sections, and the renderers for number, date and text
// patterns.
#include <string>
#include <vector>

#include "number_scan.h"
#include "variant.h"

namespace vb::detail {

// The sections of a format separated by ';' outside quotes and escapes.
std::vector<std::string> SplitSections(const std::string& format);

// What a section contains, outside quotes and escapes.
bool HasDigitPlaceholders(const std::string& section);
bool HasDateTokens(const std::string& section);
bool HasTextPlaceholders(const std::string& section);

// Renders the magnitude of `value` after a number section; `minus` puts a
// minus sign in front when the rounded result is not zero.
std::string FormatNumberSection(DecimalNumber value, const std::string& section, bool minus);
std::string FormatDateSection(Date value, const std::string& section);
std::string FormatTextSection(const std::string& text, const std::string& section);

// Exact decimal digits of a number value (15 significant digits for a
// Double, 7 for a Single, as the runtime keeps them).
DecimalNumber DecimalOf(const Variant& number);

}  // namespace vb::detail
