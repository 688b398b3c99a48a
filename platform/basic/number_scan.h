#pragma once
// Scanning of number texts, shared by the conversions, IsNumeric and Val.
#include <cstdint>
#include <string>
#include <string_view>

namespace vb::detail {

// A decimal number as digits and a power of ten: value = digits * 10^exp10.
struct DecimalNumber {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exp10 = 0;
};

// A number text after the runtime's rules for a whole text (see
// ParseNumberText). Hexadecimal and octal texts give `isInteger` and `integer`.
struct ScannedNumber {
    bool isInteger = false;
    std::int64_t integer = 0;
    DecimalNumber decimal;
};
bool ScanNumberText(std::string_view text, ScannedNumber& out);

// The value of an &H or &O text body (the characters after "&H" / "&O"),
// 16-bit when it has at most 4 hex (6 octal) digits and fits, 32-bit up to
// 8 hex (11 octal) digits; `longSuffix` forces 32 bits. False when too long.
bool RadixValue(std::string_view digits, int radix, bool longSuffix, std::int64_t& out);

// The nearest double of a decimal number (infinite when out of range).
double DecimalToDouble(const DecimalNumber& n);

// The decimal number rounded half to even to 4 decimals, as a count of
// ten-thousandths; false when out of the 64-bit range.
bool DecimalToScaled(const DecimalNumber& n, std::int64_t& scaled);

// Appends a digit to a decimal number being built, counting fraction digits.
void AppendDigit(DecimalNumber& n, char digit, bool fraction);

}  // namespace vb::detail
