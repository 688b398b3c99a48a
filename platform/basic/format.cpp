// Format: named formats, sections, and the choice between number, date and
// text patterns.
#include <cctype>
#include <cmath>
#include <map>

#include "format_detail.h"
#include "format_value.h"
#include "text_forms.h"

namespace vb {

namespace detail {

namespace {
// Calls `f` for each character of `s` outside quotes and escapes.
template <typename F>
void forEachPatternChar(const std::string& s, F f) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') {
            std::size_t e = s.find('"', i + 1);
            i = e == std::string::npos ? s.size() : e;
        } else if (s[i] == '\\') {
            ++i;
        } else {
            f(s[i], i);
        }
    }
}
}  // namespace

std::vector<std::string> SplitSections(const std::string& format) {
    std::vector<std::string> out;
    std::size_t start = 0;
    forEachPatternChar(format, [&](char c, std::size_t i) {
        if (c != ';') return;
        out.push_back(format.substr(start, i - start));
        start = i + 1;
    });
    out.push_back(format.substr(start));
    return out;
}

bool HasDigitPlaceholders(const std::string& section) {
    bool found = false;
    forEachPatternChar(section, [&](char c, std::size_t) { found |= c == '0' || c == '#'; });
    return found;
}

bool HasDateTokens(const std::string& section) {
    bool found = false;
    forEachPatternChar(section, [&](char c, std::size_t i) {
        char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (std::string_view("dmyhnswqc").find(l) != std::string_view::npos) found = true;
        if (l == 't' || l == 'a') {
            std::string rest = section.substr(i, 5);
            for (auto& r : rest) r = static_cast<char>(std::tolower(static_cast<unsigned char>(r)));
            if (rest == "ttttt" || rest == "am/pm" || rest.rfind("a/p", 0) == 0 || rest.rfind("ampm", 0) == 0)
                found = true;
        }
    });
    return found;
}

bool HasTextPlaceholders(const std::string& section) {
    bool found = false;
    forEachPatternChar(section, [&](char c, std::size_t) { found |= c == '@' || c == '&'; });
    return found;
}

}  // namespace detail

namespace {

std::string lowerAscii(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The custom pattern a named number or date format stands for.
const std::map<std::string, std::string>& namedPatterns() {
    static const std::map<std::string, std::string> names = {
        {"currency", "$#,##0.00;($#,##0.00)"},
        {"fixed", "0.00"},
        {"standard", "#,##0.00"},
        {"percent", "0.00%"},
        {"scientific", "0.00E+00"},
        {"long date", "dddd, mmmm d, yyyy"},
        {"medium date", "dd-mmm-yy"},
        {"short date", "m/d/yyyy"},
        {"long time", "h:mm:ss AM/PM"},
        {"medium time", "hh:mm AM/PM"},
        {"short time", "hh:mm"},
    };
    return names;
}

// The value as a number (numeric texts read as Double); false when it is none.
bool numberOf(const Variant& value, Variant& number) {
    switch (value.Type()) {
    case VarType::Empty: number = Variant(std::int16_t{0}); return true;
    case VarType::Boolean: number = Variant(static_cast<std::int16_t>(value.rawBool() ? -1 : 0)); return true;
    case VarType::Integer: case VarType::Long: case VarType::Single: case VarType::Double:
    case VarType::Currency: number = value; return true;
    case VarType::Date: number = Variant(value.rawDouble()); return true;
    case VarType::String: {
        double d = 0;
        if (!ParseNumberText(value.rawString(), d) || !std::isfinite(d)) return false;
        number = Variant(d);
        return true;
    }
    default: return false;
    }
}

bool dateOf(const Variant& value, Date& date) {
    if (value.Type() == VarType::Date) { date = Date{value.rawDouble()}; return true; }
    if (value.Type() == VarType::String) {
        if (ParseDateText(value.rawString(), date)) return true;
    }
    Variant number;
    if (!numberOf(value, number)) return false;
    double serial = number.ToDouble();
    if (!(serial > -657435.0 && serial < 2958466.0)) return false;
    date = Date{serial};
    return true;
}

std::string formatNumber(const Variant& number, const std::vector<std::string>& sections) {
    if ((number.Type() == VarType::Double || number.Type() == VarType::Single) && !std::isfinite(number.rawDouble()))
        return number.ToString();
    detail::DecimalNumber value = detail::DecimalOf(number);
    const std::string& first = sections[0];
    if (value.digits.empty() && sections.size() >= 3 && !sections[2].empty())
        return detail::FormatNumberSection(value, sections[2], false);
    if (value.negative && sections.size() >= 2 && !sections[1].empty())
        return detail::FormatNumberSection(value, sections[1], false);
    return detail::FormatNumberSection(value, first, value.negative);
}

std::string generalNumber(const Variant& number) {
    if (number.Type() == VarType::Date) return DoubleText(number.rawDouble());
    return number.ToString();
}

}  // namespace

std::string Format(const Variant& value, const std::string& format) {
    std::string named = lowerAscii(format);
    if (format.empty() || named == "general date") {
        if (value.IsNull() || value.IsEmpty()) return "";
        if (!format.empty()) {
            Date d;
            if (dateOf(value, d)) return DateText(d);
        }
        return value.ToString();
    }
    if (value.IsNull()) {
        auto sections = detail::SplitSections(format);
        return sections.size() >= 4 ? detail::FormatNumberSection({}, sections[3], false) : "";
    }

    Variant number;
    bool isNumber = numberOf(value, number);
    if (named == "general number") return isNumber ? generalNumber(number) : value.ToString();
    if (named == "yes/no" || named == "true/false" || named == "on/off") {
        if (!isNumber) return value.ToString();
        bool on = number.ToDouble() != 0.0;
        if (named == "yes/no") return on ? "Yes" : "No";
        if (named == "true/false") return on ? "True" : "False";
        return on ? "On" : "Off";
    }
    std::string pattern = format;
    if (auto it = namedPatterns().find(named); it != namedPatterns().end()) pattern = it->second;

    auto sections = detail::SplitSections(pattern);
    bool textPattern = detail::HasTextPlaceholders(pattern) ||
                       pattern.find_first_not_of("<>!") == std::string::npos;
    if (textPattern) {
        std::string text = value.ToString();
        if (text.empty() && sections.size() >= 2) return detail::FormatTextSection(text, sections[1]);
        return detail::FormatTextSection(text, sections[0]);
    }

    bool digits = detail::HasDigitPlaceholders(pattern);
    bool dateTokens = detail::HasDateTokens(pattern);
    bool dateValue = value.Type() == VarType::Date || (value.Type() == VarType::String && !isNumber);
    Date date;
    if (dateTokens && (!digits || dateValue) && dateOf(value, date))
        return detail::FormatDateSection(date, sections[0]);
    if (isNumber) return formatNumber(number, sections);
    return value.ToString();
}

}  // namespace vb
