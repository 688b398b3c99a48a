// Display formats of DataWindow columns, over the basic layer's Format.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

#include "dw_definition.h"
#include "format_value.h"

namespace pbvm {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Sections split at semicolons outside quotes.
std::vector<std::string> sections(const std::string& format) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : format) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) out.emplace_back();
        else out.back() += c;
    }
    return out;
}

const char* const kColours[] = {"black", "blue", "cyan", "green", "magenta", "red", "white", "yellow"};

// Takes the bracketed names out of a section: colours go to `colour`, the
// date and time names become Format codes.
std::string translate(const std::string& section, std::string& colour) {
    std::string out;
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (section[i] == '[') {
            std::size_t end = section.find(']', i);
            if (end != std::string::npos) {
                const std::string name = lower(section.substr(i + 1, end - i - 1));
                bool known = true;
                if (std::find(std::begin(kColours), std::end(kColours), name) != std::end(kColours)) colour = name;
                else if (name == "shortdate" || name == "date") out += "m/d/yyyy";
                else if (name == "longdate") out += "dddd, mmmm d, yyyy";
                else if (name == "time") out += "hh:mm:ss";
                else if (name == "general") out += "";
                else known = false;
                if (known) {
                    i = end;
                    continue;
                }
            }
        }
        out += section[i];
    }
    return out;
}

}  // namespace

DwText FormatDwValue(const vb::Variant& value, const std::string& format) {
    DwText out;
    if (value.IsNull() || value.IsEmpty()) return out;
    auto parts = sections(format);
    // Numbers choose their section by sign; other values take the first.
    std::size_t index = 0;
    if (value.IsNumericType() && parts.size() > 1) {
        double v = value.ToDouble();
        if (v < 0) index = 1;
        else if (v == 0 && parts.size() > 2) index = 2;
    }
    const std::string code = translate(parts[index], out.colour);
    vb::Variant shown = value;
    // The negative section shows the amount without its sign.
    if (index == 1) {
        if (value.Type() == vb::VarType::Currency) {
            // The least amount's opposite is one ten-thousandth beyond the
            // largest amount: it shows as the largest.
            const std::int64_t scaled = value.ToCurrency().scaled;
            shown = vb::Variant(vb::Currency::FromScaled(
                scaled == std::numeric_limits<std::int64_t>::min() ? std::numeric_limits<std::int64_t>::max() : -scaled));
        } else {
            shown = vb::Variant(-value.ToDouble());
        }
    }
    out.text = code.empty() ? shown.ToString() : vb::Format(shown, code);
    return out;
}

}  // namespace pbvm
