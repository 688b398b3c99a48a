#pragma once
// The standard text forms of values under US-English regional settings, and
// the parsing of texts into values, as the runtime's conversions use them.
#include <string>

#include "variant.h"

namespace vb {

// A whole text as a number ("12", " -3.5 ", "1,234.5", "1e3", "1D3", "&H1F",
// "&O17", "$5", "(5)" for -5, "5-"). Surrounding blanks are allowed; anything
// else left over means no number. A value beyond the range of a Double gives
// true with an infinite `out` (the caller raises overflow).
bool ParseNumberText(const std::string& text, double& out);
// As ParseNumberText, but exact for amounts with up to four decimals; more
// decimals round half to even. False when the text is no number or the
// amount lies outside the range of Currency.
bool ParseCurrencyText(const std::string& text, Currency& out);
// "True" / "False" in any case.
bool ParseBoolText(const std::string& text, bool& out);
// A date, a time, or both, in the forms the US-English runtime accepts
// ("12/9/2026", "12/09/26", "2026-12-09", "Dec 9, 2026", "9 December 2026",
// "Wednesday, December 9, 2026", "3:45 PM", "12/9/2026 15:45:00"). Month and
// day are swapped when only that order gives a valid date ("13/1/2026").
// Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999.
bool ParseDateText(const std::string& text, Date& out);

// Standard text forms: what CStr gives.
std::string DoubleText(double d);   // up to 15 significant digits, "1E+16" beyond
std::string SingleText(float f);    // up to 7 significant digits
std::string CurrencyText(Currency c);  // up to 4 decimals, no thousands separator
std::string DateText(Date d);       // "12/9/2026", "3:45:00 PM", "12/9/2026 3:45:00 PM"

}  // namespace vb
