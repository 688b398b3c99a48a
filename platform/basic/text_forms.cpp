// Number and Boolean texts; the date texts are in date_text.cpp.
#include "text_forms.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "number_scan.h"

namespace vb {

bool ParseNumberText(const std::string& text, double& out) {
    detail::ScannedNumber n;
    if (!detail::ScanNumberText(text, n)) return false;
    out = n.isInteger ? static_cast<double>(n.integer) : detail::DecimalToDouble(n.decimal);
    return true;
}

bool ParseCurrencyText(const std::string& text, Currency& out) {
    detail::ScannedNumber n;
    if (!detail::ScanNumberText(text, n)) return false;
    if (n.isInteger) {
        out = Currency::FromScaled(n.integer * Currency::Scale);
        return true;
    }
    std::int64_t scaled = 0;
    if (!detail::DecimalToScaled(n.decimal, scaled)) return false;
    out = Currency::FromScaled(scaled);
    return true;
}

bool ParseBoolText(const std::string& text, bool& out) {
    auto b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return false;
    auto e = text.find_last_not_of(" \t");
    std::string t = text.substr(b, e - b + 1);
    for (auto& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "true") { out = true; return true; }
    if (t == "false") { out = false; return true; }
    return false;
}

namespace {
// "%.*G" in the C locale, whatever the process's locale.
std::string generalText(double d, int digits) {
    if (d == 0.0) return "0";  // also for -0
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, digits);
    std::string text(buf, ec == std::errc{} ? end : buf);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

std::string DoubleText(double d) { return generalText(d, 15); }

std::string SingleText(float f) { return generalText(static_cast<double>(f), 7); }

std::string CurrencyText(Currency c) {
    std::int64_t whole = c.scaled / Currency::Scale;
    std::int64_t frac = std::llabs(c.scaled % Currency::Scale);
    std::string s = (c.scaled < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
    if (frac) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04lld", static_cast<long long>(frac));
        std::string f = buf;
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += "." + f;
    }
    return s;
}

}  // namespace vb
