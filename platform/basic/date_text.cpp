// Date texts: the standard text form of a Date and the parsing of date and
// time texts under US-English regional settings.
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "calendar.h"
#include "text_forms.h"

namespace vb {

namespace {

struct Token {
    enum Kind { Number, Word, Separator } kind;
    std::string text;
    long value = 0;
    bool used = false;
};

bool tokenize(const std::string& s, std::vector<Token>& tokens) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isdigit(c)) {
            std::size_t j = i;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            if (j - i > 9) return false;
            Token t{Token::Number, s.substr(i, j - i)};
            std::from_chars(s.data() + i, s.data() + j, t.value);  // at most 9 digits: it fits
            tokens.push_back(t);
            i = j;
        } else if (std::isalpha(c)) {
            std::size_t j = i;
            while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j]))) ++j;
            tokens.push_back(Token{Token::Word, s.substr(i, j - i)});
            i = j;
        } else if (c == ' ' || c == '\t') {
            ++i;  // blanks only separate tokens
        } else if (c == '/' || c == '-' || c == '.' || c == ':' || c == ',') {
            tokens.push_back(Token{Token::Separator, std::string(1, static_cast<char>(c))});
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

bool isSep(const std::vector<Token>& t, std::size_t i, char c) {
    return i < t.size() && t[i].kind == Token::Separator && t[i].text[0] == c;
}

// 0: not a meridiem word, 1: AM, 2: PM.
int meridiem(const std::string& w) {
    std::string u;
    for (char c : w) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (u == "AM" || u == "A") return 1;
    if (u == "PM" || u == "P") return 2;
    return 0;
}

struct TimeParts {
    bool present = false;
    long hour = 0, minute = 0, second = 0;
};

// Finds and marks "h:mm[:ss] [AM|PM]" or "h AM|PM"; false on a malformed time.
bool extractTime(std::vector<Token>& t, TimeParts& time) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Number) continue;
        std::size_t end = i;
        if (isSep(t, i + 1, ':') && i + 2 < t.size() && t[i + 2].kind == Token::Number) {
            time.hour = t[i].value;
            time.minute = t[i + 2].value;
            end = i + 2;
            if (isSep(t, i + 3, ':') && i + 4 < t.size() && t[i + 4].kind == Token::Number) {
                time.second = t[i + 4].value;
                end = i + 4;
            }
        } else if (i + 1 < t.size() && t[i + 1].kind == Token::Word && meridiem(t[i + 1].text)) {
            time.hour = t[i].value;
        } else {
            continue;
        }
        int ampm = 0;
        if (end + 1 < t.size() && t[end + 1].kind == Token::Word && (ampm = meridiem(t[end + 1].text))) ++end;
        for (std::size_t k = i; k <= end; ++k) t[k].used = true;
        if (ampm) {
            if (time.hour < 0 || time.hour > 12) return false;
            if (time.hour == 12) time.hour = 0;
            if (ampm == 2) time.hour += 12;
        }
        time.present = true;
        return time.hour <= 23 && time.minute <= 59 && time.second <= 59;
    }
    return true;
}

long expandYear(const Token& t) {
    if (t.text.size() <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return t.value;
}

bool validDate(long y, long m, long d) {
    return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 &&
           d <= calendar::DaysInMonth(static_cast<int>(y), static_cast<int>(m));
}

}  // namespace

bool ParseDateText(const std::string& text, Date& out) {
    std::vector<Token> t;
    if (!tokenize(text, t) || t.empty()) return false;
    TimeParts time;
    if (!extractTime(t, time)) return false;

    std::vector<const Token*> numbers;
    int month = 0;
    std::size_t monthAt = 0;  // how many numbers came before the month word
    bool weekdaySeen = false, dotSeen = false;
    for (const auto& tok : t) {
        if (tok.used) continue;
        if (tok.kind == Token::Number) {
            numbers.push_back(&tok);
        } else if (tok.kind == Token::Word) {
            if (int m = calendar::MonthFromWord(tok.text); m && !month) {
                month = m;
                monthAt = numbers.size();
            } else if (calendar::DayFromWord(tok.text) && !weekdaySeen) {
                weekdaySeen = true;
            } else {
                return false;
            }
        } else if (tok.text == ":") {
            return false;
        } else if (tok.text == ".") {
            dotSeen = true;
        }
    }
    // "1.5" is a number, not 5 January; dots separate only a full date.
    if (dotSeen && (numbers.size() != 3 || month)) return false;

    long y = 0, m = 0, d = 0;
    bool haveDate = true;
    if (month) {
        m = month;
        if (numbers.size() == 1) {
            const Token& n = *numbers[0];
            if (n.text.size() <= 2 && n.value <= 31) { d = n.value; y = calendar::CurrentYear(); }
            else { y = expandYear(n); d = 1; }
        } else if (numbers.size() == 2) {
            const Token* a = numbers[0];
            const Token* b = numbers[1];
            if (monthAt == 2 && (a->text.size() > 2 || a->value > 31)) std::swap(a, b);  // "2026 9 Dec"
            d = a->value;
            y = expandYear(*b);
        } else {
            return false;
        }
    } else if (numbers.empty()) {
        haveDate = false;
    } else if (numbers.size() == 2) {
        const Token& a = *numbers[0];
        const Token& b = *numbers[1];
        y = calendar::CurrentYear();
        if (validDate(y, a.value, b.value)) { m = a.value; d = b.value; }
        else if (validDate(y, b.value, a.value)) { m = b.value; d = a.value; }
        else if (a.value >= 1 && a.value <= 12 && (b.text.size() > 2 || b.value > 31)) { m = a.value; d = 1; y = expandYear(b); }
        else return false;
    } else if (numbers.size() == 3) {
        const Token& a = *numbers[0];
        const Token& b = *numbers[1];
        const Token& c = *numbers[2];
        if (a.text.size() > 2 || a.value > 31) {
            y = expandYear(a); m = b.value; d = c.value;
        } else {
            y = expandYear(c); m = a.value; d = b.value;
            if (!validDate(y, m, d) && validDate(y, b.value, a.value)) std::swap(m, d);
        }
    } else {
        return false;  // a lone number is no date
    }

    if (!haveDate && !time.present) return false;
    if (haveDate && !validDate(y, m, d)) return false;
    if (haveDate) {
        out = Date::FromParts(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d),
                              static_cast<int>(time.hour), static_cast<int>(time.minute),
                              static_cast<int>(time.second));
    } else {
        out = Date{(time.hour * 3600.0 + time.minute * 60.0 + time.second) / 86400.0};
    }
    return true;
}

std::string DateText(Date d) {
    int y, m, day, h, mi, s;
    if (!d.ToParts(y, m, day, h, mi, s)) return DoubleText(d.serial);
    bool hasDate = !(y == 1899 && m == 12 && day == 30);
    bool hasTime = h || mi || s;
    char buf[64];
    std::string out;
    if (hasDate) {
        std::snprintf(buf, sizeof buf, "%d/%d/%d", m, day, y);
        out = buf;
    }
    if (hasTime || !hasDate) {
        int h12 = h % 12 == 0 ? 12 : h % 12;
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, mi, s, h < 12 ? "AM" : "PM");
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

}  // namespace vb
