// Date and time patterns of Format.
#include <cctype>
#include <cstdio>
#include <vector>

#include "calendar.h"
#include "format_detail.h"
#include "text_forms.h"
#include "utf8.h"

namespace vb::detail {

namespace {

struct Token {
    char letter = 0;      // d m y h n s w q c t, 'A' for a meridiem, 0 for literal text
    int count = 0;
    std::string text;     // literal text, or the meridiem as written
    bool minute = false;  // an m that means minutes
};

bool startsWithNoCase(const std::string& s, std::size_t at, const char* word) {
    for (std::size_t k = 0; word[k]; ++k) {
        if (at + k >= s.size()) return false;
        if (std::tolower(static_cast<unsigned char>(s[at + k])) != std::tolower(static_cast<unsigned char>(word[k])))
            return false;
    }
    return true;
}

std::vector<Token> lex(const std::string& s) {
    std::vector<Token> out;
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"') {
            std::size_t e = s.find('"', i + 1);
            if (e == std::string::npos) e = s.size();
            out.push_back({0, 0, s.substr(i + 1, e - i - 1)});
            i = e + 1;
        } else if (c == '\\' && i + 1 < s.size()) {
            std::size_t next = i + 1;
            utf8::Next(s, next);
            out.push_back({0, 0, s.substr(i + 1, next - i - 1)});
            i = next;
        } else if (startsWithNoCase(s, i, "AM/PM") || startsWithNoCase(s, i, "A/P")) {
            std::size_t n = startsWithNoCase(s, i, "AM/PM") ? 5 : 3;
            out.push_back({'A', 0, s.substr(i, n)});
            i += n;
        } else if (startsWithNoCase(s, i, "AMPM")) {
            out.push_back({'A', 0, "AM/PM"});
            i += 4;
        } else if (std::string_view("dmyhnswqc").find(lower) != std::string_view::npos ||
                   startsWithNoCase(s, i, "ttttt")) {
            std::size_t j = i;
            while (j < s.size() && std::tolower(static_cast<unsigned char>(s[j])) == lower) ++j;
            int run = static_cast<int>(j - i);
            int maxRun = lower == 'd' ? 6 : lower == 'm' ? 4 : lower == 'y' ? 4 : lower == 't' ? 5
                       : lower == 'q' || lower == 'c' ? 1 : 2;
            int count = std::min(run, maxRun);
            if (lower == 'y' && count == 3) count = 2;
            out.push_back({lower, count, ""});
            i += static_cast<std::size_t>(count);
        } else {
            std::size_t next = i;
            utf8::Next(s, next);
            out.push_back({0, 0, s.substr(i, next - i)});
            i = next;
        }
    }
    // An m or mm right after an hour, or right before seconds, is minutes.
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].letter != 'm' || out[i].count > 2) continue;
        for (std::size_t k = i; k-- > 0;) {
            if (!out[k].letter) continue;
            out[i].minute = out[k].letter == 'h';
            break;
        }
        for (std::size_t k = i + 1; k < out.size() && !out[i].minute; ++k) {
            if (!out[k].letter) continue;
            out[i].minute = out[k].letter == 's';
            break;
        }
    }
    return out;
}

std::string pad2(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string meridiem(const std::string& written, int hour) {
    bool pm = hour >= 12;
    if (written.size() == 5) {  // AM/PM as written: upper or lower case
        std::string word = pm ? written.substr(3, 2) : written.substr(0, 2);
        return word;
    }
    return std::string(1, pm ? written[2] : written[0]);  // A/P
}

}  // namespace

std::string FormatDateSection(Date value, const std::string& section) {
    int y, mo, d, h, mi, s;
    if (!value.ToParts(y, mo, d, h, mi, s)) return DoubleText(value.serial);
    long long serialDay = static_cast<long long>(Date::FromParts(y, mo, d).serial);
    int weekday = calendar::WeekdayOfSerial(serialDay);
    std::vector<Token> tokens = lex(section);
    bool twelveHour = false;
    for (const auto& t : tokens) twelveHour |= t.letter == 'A';
    int hour = twelveHour ? (h % 12 == 0 ? 12 : h % 12) : h;

    std::string out;
    for (const auto& t : tokens) {
        switch (t.letter) {
        case 0: out += t.text; break;
        case 'A': out += meridiem(t.text, h); break;
        case 'c': out += DateText(value); break;
        case 'd':
            if (t.count == 1) out += std::to_string(d);
            else if (t.count == 2) out += pad2(d);
            else if (t.count == 3) out += std::string(calendar::DayNames[weekday - 1]).substr(0, 3);
            else if (t.count == 4) out += calendar::DayNames[weekday - 1];
            else if (t.count == 5) out += FormatDateSection(value, "m/d/yyyy");
            else out += FormatDateSection(value, "dddd, mmmm d, yyyy");
            break;
        case 'm':
            if (t.minute) out += t.count == 1 ? std::to_string(mi) : pad2(mi);
            else if (t.count == 1) out += std::to_string(mo);
            else if (t.count == 2) out += pad2(mo);
            else if (t.count == 3) out += std::string(calendar::MonthNames[mo - 1]).substr(0, 3);
            else out += calendar::MonthNames[mo - 1];
            break;
        case 'y':
            if (t.count == 1) out += std::to_string(calendar::DayOfYear(y, mo, d));
            else if (t.count == 2) out += pad2(y % 100);
            else out += std::to_string(y);
            break;
        case 'h': out += t.count == 1 ? std::to_string(hour) : pad2(hour); break;
        case 'n': out += t.count == 1 ? std::to_string(mi) : pad2(mi); break;
        case 's': out += t.count == 1 ? std::to_string(s) : pad2(s); break;
        case 'w':
            if (t.count == 1) {
                out += std::to_string(weekday);
            } else {
                int jan1 = calendar::WeekdayOfSerial(static_cast<long long>(Date::FromParts(y, 1, 1).serial));
                out += std::to_string((calendar::DayOfYear(y, mo, d) + jan1 - 2) / 7 + 1);
            }
            break;
        case 'q': out += std::to_string((mo - 1) / 3 + 1); break;
        case 't': out += FormatDateSection(value, "h:mm:ss AM/PM"); break;
        }
    }
    return out;
}

}  // namespace vb::detail
