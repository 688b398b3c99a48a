// Provisional text forms; the complete rules live here.
#include "text_forms.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vb {

namespace {
std::string trimBlanks(const std::string& s) {
    auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}
}  // namespace

bool ParseNumberText(const std::string& text, double& out) {
    std::string t = trimBlanks(text);
    if (t.empty()) return false;
    std::string cleaned;
    for (char c : t)
        if (c != ',') cleaned += c;
    char* end = nullptr;
    out = std::strtod(cleaned.c_str(), &end);
    return end && *end == '\0' && end != cleaned.c_str();
}

bool ParseCurrencyText(const std::string& text, Currency& out) {
    double d = 0;
    if (!ParseNumberText(text, d)) return false;
    out = Currency::FromDouble(d);
    return true;
}

bool ParseBoolText(const std::string& text, bool& out) {
    std::string t = trimBlanks(text);
    for (auto& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "true") { out = true; return true; }
    if (t == "false") { out = false; return true; }
    return false;
}

bool ParseDateText(const std::string& text, Date& out) {
    int m = 0, d = 0, y = 0;
    std::string t = trimBlanks(text);
    int consumed = 0;
    if (std::sscanf(t.c_str(), "%d/%d/%d%n", &m, &d, &y, &consumed) == 3 &&
        consumed == static_cast<int>(t.size())) {
        if (y < 30) y += 2000;
        else if (y < 100) y += 1900;
        out = Date::FromParts(y, m, d);
        return true;
    }
    return false;
}

std::string DoubleText(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", d);
    return buf;
}

std::string SingleText(float f) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(f));
    return buf;
}

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

std::string DateText(Date d) {
    int y, m, day, h, mi, s;
    if (!d.ToParts(y, m, day, h, mi, s)) return DoubleText(d.serial);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", m, day, y);
    return buf;
}

}  // namespace vb
