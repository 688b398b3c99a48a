#pragma once
// The runtime's value functions: Str, Val, Int, Fix, IsNumeric, IsDate and
// the conversion functions CBool ... CStr.
#include <cstdint>
#include <string>

#include "variant.h"

namespace vb {

// The text of a number with a leading blank when it is not negative
// (" 5", "-5", " .5", " 1E+16"). A text argument is read as a number first
// (error 13 when it is none); Null raises error 94.
std::string Str(const Variant& number);

// The number at the start of a text: blanks, tabs and line feeds are skipped
// anywhere, "&H" and "&O" prefixes are understood, reading stops at the first
// character that cannot continue the number, and a text without one gives 0.
// Only a number too large for a Double raises (error 6).
double Val(const std::string& text);
double Val(const char* text);
double Val(const Variant& value);  // the value's text; Null raises 94

// Int rounds down, Fix towards zero; both keep the kind of a numeric value
// (Currency stays exact), read a text as a Double and pass Null through.
Variant Int(const Variant& number);
Variant Fix(const Variant& number);
double Int(double number);
double Fix(double number);

// Whether the value can be converted to a number: Empty, numbers, Booleans
// and numeric texts ("1,000", "$5", "&H1F", "1e3") are; Null, dates and
// other texts are not.
bool IsNumeric(const Variant& value);
// Whether the value is a Date or a text that converts to one.
bool IsDate(const Variant& value);

// The conversion functions.
bool CBool(const Variant& v);
std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
Currency CCur(const Variant& v);
Date CDate(const Variant& v);
std::string CStr(const Variant& v);

}  // namespace vb
