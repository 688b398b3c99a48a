#pragma once
// The runtime's Format function under US-English regional settings.
#include <string>

#include "variant.h"

namespace vb {

// `value` as text after `format`:
// - named formats, in any case: "General Number", "Currency" ("$1,234.50",
//   negative "($1,234.50)"), "Fixed", "Standard", "Percent", "Scientific",
//   "Yes/No", "True/False", "On/Off", "General Date", "Long Date",
//   "Medium Date", "Short Date", "Long Time", "Medium Time", "Short Time";
// - number patterns: 0 # . , % E+ E- and literal characters ("$ #,##0.00",
//   "000-00-0000"), in up to four sections separated by ';' (positive;
//   negative; zero; Null), rounding half away from zero;
// - date patterns: d dd ddd dddd ddddd dddddd w ww m mm mmm mmmm q y yy yyyy
//   h hh n nn s ss ttttt c AM/PM am/pm A/P a/p AMPM, with m after h (or
//   before s) meaning minutes ("MM/DD/YY", "h:mm AM/PM");
// - text patterns: @ & < > !.
// Literal text goes in double quotes or after a backslash. An empty format
// gives the value's standard text; Null gives "" (or its own section); a text
// that is no number is returned unchanged by number patterns.
std::string Format(const Variant& value, const std::string& format = "");

}  // namespace vb
