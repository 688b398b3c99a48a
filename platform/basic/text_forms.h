#pragma once
// The standard text forms of values under US-English regional settings, and
// the parsing of texts into values, as the runtime's conversions use them.
#include <string>

#include "variant.h"

namespace vb {

// A whole text as a number ("12", " -3.5 ", "1,234.5", "1e3", "&H1F", "$5").
// Surrounding blanks are allowed; anything else left over means no number.
bool ParseNumberText(const std::string& text, double& out);
// As ParseNumberText, but exact for amounts with up to four decimals.
bool ParseCurrencyText(const std::string& text, Currency& out);
// "True" / "False" in any case.
bool ParseBoolText(const std::string& text, bool& out);
// A date, a time, or both, in the forms the US-English runtime accepts
// ("12/9/2026", "12/09/26", "2026-12-09", "Dec 9, 2026", "9 December 2026",
// "3:45 PM", "12/9/2026 15:45:00").
bool ParseDateText(const std::string& text, Date& out);

// Standard text forms: what CStr gives.
std::string DoubleText(double d);   // up to 15 significant digits, "1E+16" beyond
std::string SingleText(float f);    // up to 7 significant digits
std::string CurrencyText(Currency c);  // up to 4 decimals, no thousands separator
std::string DateText(Date d);       // "12/9/2026", "3:45:00 PM", "12/9/2026 3:45:00 PM"

}  // namespace vb
