// Number patterns of Format: digit placeholders, decimal point, thousands
// and scaling commas, percent, scientific notation and literal text.
#include <charconv>
#include <cstdlib>
#include <string>

#include "format_detail.h"
#include "utf8.h"

namespace vb::detail {

namespace {

// --- decimal digits -----------------------------------------------------------

DecimalNumber fromScientific(const char* text) {
    // "-d.ddddde+XX" as printed by %e.
    DecimalNumber n;
    const char* p = text;
    if (*p == '-') { n.negative = true; ++p; }
    int fractionDigits = 0;
    bool fraction = false;
    for (; *p && *p != 'e'; ++p) {
        if (*p == '.') { fraction = true; continue; }
        AppendDigit(n, *p, false);
        if (fraction) ++fractionDigits;
    }
    int exp = 0;
    if (*p == 'e') {
        const char* digits = p[1] == '+' ? p + 2 : p + 1;
        std::from_chars(digits, digits + std::char_traits<char>::length(digits), exp);
    }
    n.exp10 = exp - fractionDigits;
    while (!n.digits.empty() && n.digits.back() == '0') { n.digits.pop_back(); ++n.exp10; }
    if (n.digits.empty()) n = DecimalNumber{};
    return n;
}

DecimalNumber fromInteger(std::int64_t v, int exp10) {
    DecimalNumber n;
    n.negative = v < 0;
    std::string s = std::to_string(v);
    for (char c : s)
        if (c != '-') AppendDigit(n, c, false);
    n.exp10 = exp10;
    while (!n.digits.empty() && n.digits.back() == '0') { n.digits.pop_back(); ++n.exp10; }
    if (n.digits.empty()) n = DecimalNumber{};
    return n;
}

// Keeps the digits worth 10^power and more, rounding half away from zero.
void roundAt(DecimalNumber& n, int power) {
    if (n.digits.empty() || n.exp10 >= power) return;
    long drop = static_cast<long>(power) - n.exp10;
    long size = static_cast<long>(n.digits.size());
    bool up;
    if (drop > size) {
        up = false;
        n.digits.clear();
    } else {
        up = n.digits[static_cast<std::size_t>(size - drop)] >= '5';
        n.digits.resize(static_cast<std::size_t>(size - drop));
    }
    n.exp10 = power;
    if (up) {
        int i = static_cast<int>(n.digits.size()) - 1;
        while (i >= 0 && n.digits[static_cast<std::size_t>(i)] == '9') n.digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) n.digits.insert(n.digits.begin(), '1');
        else ++n.digits[static_cast<std::size_t>(i)];
    }
    while (!n.digits.empty() && n.digits.back() == '0') { n.digits.pop_back(); ++n.exp10; }
    if (n.digits.empty()) n.exp10 = 0;
}

// Power of ten of the leading digit; meaningless for zero.
int leadingPower(const DecimalNumber& n) { return static_cast<int>(n.digits.size()) + n.exp10 - 1; }

std::string integerDigits(const DecimalNumber& n) {
    if (n.digits.empty()) return "";
    if (n.exp10 >= 0) return n.digits + std::string(static_cast<std::size_t>(n.exp10), '0');
    long keep = static_cast<long>(n.digits.size()) + n.exp10;
    return keep > 0 ? n.digits.substr(0, static_cast<std::size_t>(keep)) : "";
}

// The first `count` digits after the decimal point.
std::string fractionDigits(const DecimalNumber& n, int count) {
    std::string out(static_cast<std::size_t>(count), '0');
    for (int k = 0; k < count; ++k) {
        long index = static_cast<long>(n.digits.size()) + n.exp10 + k;  // digit worth 10^-(k+1)
        if (index >= 0 && index < static_cast<long>(n.digits.size()))
            out[static_cast<std::size_t>(k)] = n.digits[static_cast<std::size_t>(index)];
    }
    return out;
}

// --- pattern ----------------------------------------------------------------

struct Token {
    enum Kind { Zero, Hash, Point, Comma, Percent, Exponent, Literal } kind;
    std::string text;      // literal text, or "E"/"e" of an exponent
    bool plusSign = false; // exponent written "E+"
};

bool isDigitToken(const Token& t) { return t.kind == Token::Zero || t.kind == Token::Hash; }

std::vector<Token> lex(const std::string& s) {
    std::vector<Token> out;
    bool pointSeen = false;
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        if (c == '"') {
            std::size_t e = s.find('"', i + 1);
            if (e == std::string::npos) e = s.size();
            out.push_back({Token::Literal, s.substr(i + 1, e - i - 1)});
            i = e + 1;
        } else if (c == '\\' && i + 1 < s.size()) {
            std::size_t next = i + 1;
            utf8::Next(s, next);
            out.push_back({Token::Literal, s.substr(i + 1, next - i - 1)});
            i = next;
        } else if (c == '0' || c == '#') {
            out.push_back({c == '0' ? Token::Zero : Token::Hash, ""});
            ++i;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
            out.push_back({Token::Point, ""});
            ++i;
        } else if (c == ',') {
            out.push_back({Token::Comma, ""});
            ++i;
        } else if (c == '%') {
            out.push_back({Token::Percent, "%"});
            ++i;
        } else if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            out.push_back({Token::Exponent, std::string(1, c), s[i + 1] == '+'});
            i += 2;
        } else {
            std::size_t next = i;
            utf8::Next(s, next);
            out.push_back({Token::Literal, s.substr(i, next - i)});
            i = next;
        }
    }
    return out;
}

struct Pattern {
    std::vector<Token> integer, fraction, exponent;
    bool point = false, scientific = false, thousands = false;
    int scale = 0;    // powers of ten applied to the value (% and scaling commas)
    int integerPlaces = 0, fractionPlaces = 0;
};

Pattern analyse(const std::vector<Token>& tokens) {
    Pattern p;
    int part = 0;  // 0 integer, 1 fraction, 2 exponent
    for (const auto& t : tokens) {
        if (t.kind == Token::Point && part == 0) { p.point = true; part = 1; continue; }
        if (t.kind == Token::Exponent && part < 2) { p.scientific = true; part = 2; p.exponent.push_back(t); continue; }
        (part == 0 ? p.integer : part == 1 ? p.fraction : p.exponent).push_back(t);
        if (t.kind == Token::Percent) p.scale += 2;
        if (isDigitToken(t) && part == 0) ++p.integerPlaces;
        if (isDigitToken(t) && part == 1) ++p.fractionPlaces;
    }
    // Commas between digit placeholders group thousands; commas after the
    // last placeholder of the integer part divide by a thousand each.
    bool digitBefore = false;
    for (std::size_t i = 0; i < p.integer.size(); ++i) {
        const Token& t = p.integer[i];
        if (isDigitToken(t)) { digitBefore = true; continue; }
        if (t.kind != Token::Comma || !digitBefore) continue;
        bool digitAfter = false;
        for (std::size_t j = i + 1; j < p.integer.size(); ++j) digitAfter |= isDigitToken(p.integer[j]);
        if (digitAfter) p.thousands = true;
        else p.scale -= 3;
    }
    return p;
}

std::string renderInteger(const Pattern& p, const std::string& digits) {
    std::vector<std::string> pieces;  // right to left
    std::size_t left = digits.size();
    int emitted = 0;
    auto emit = [&](char c) {
        if (p.thousands && emitted > 0 && emitted % 3 == 0) pieces.push_back(",");
        pieces.push_back(std::string(1, c));
        ++emitted;
    };
    std::size_t leftmost = p.integer.size();
    for (std::size_t i = 0; i < p.integer.size() && leftmost == p.integer.size(); ++i)
        if (isDigitToken(p.integer[i])) leftmost = i;
    for (std::size_t k = p.integer.size(); k-- > 0;) {
        const Token& t = p.integer[k];
        if (isDigitToken(t)) {
            if (left > 0) emit(digits[--left]);
            else if (t.kind == Token::Zero) emit('0');
            if (k == leftmost)
                while (left > 0) emit(digits[--left]);
        } else if (t.kind != Token::Comma) {
            pieces.push_back(t.text);
        }
    }
    std::string out;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) out += *it;
    return out;
}

std::string renderFraction(const Pattern& p, const std::string& digits) {
    // '#' places after the last significant digit show nothing.
    int last = -1, k = 0;
    for (const auto& t : p.fraction) {
        if (!isDigitToken(t)) continue;
        if (t.kind == Token::Zero || digits[static_cast<std::size_t>(k)] != '0') last = k;
        ++k;
    }
    std::string out;
    k = 0;
    for (const auto& t : p.fraction) {
        if (isDigitToken(t)) {
            if (k <= last) out += digits[static_cast<std::size_t>(k)];
            ++k;
        } else if (t.kind != Token::Comma) {
            out += t.text;
        }
    }
    return out;
}

std::string renderExponent(const Pattern& p, int exponent) {
    std::string out;
    int zeros = 0;
    for (const auto& t : p.exponent) zeros += t.kind == Token::Zero;
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < zeros) digits.insert(0, static_cast<std::size_t>(zeros) - digits.size(), '0');
    bool digitsDone = false;
    for (const auto& t : p.exponent) {
        if (t.kind == Token::Exponent) {
            out += t.text;
            out += exponent < 0 ? "-" : (t.plusSign ? "+" : "");
        } else if (isDigitToken(t)) {
            if (!digitsDone) out += digits;
            digitsDone = true;
        } else if (t.kind != Token::Comma) {
            out += t.text;
        }
    }
    return out;
}

// "%.*e" in the C locale, whatever the process's locale.
std::string scientificText(double d, int decimals) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, decimals);
    return std::string(buf, ec == std::errc{} ? end : buf);
}

}  // namespace

DecimalNumber DecimalOf(const Variant& number) {
    switch (number.Type()) {
    case VarType::Integer: case VarType::Long: return fromInteger(number.rawInt(), 0);
    case VarType::Currency: return fromInteger(number.rawInt(), -4);
    case VarType::Single: return fromScientific(scientificText(number.rawDouble(), 6).c_str());
    default: return fromScientific(scientificText(number.ToDouble(), 14).c_str());
    }
}

std::string FormatNumberSection(DecimalNumber value, const std::string& section, bool minus) {
    Pattern p = analyse(lex(section));
    value.negative = false;
    if (!value.digits.empty()) value.exp10 += p.scale;
    std::string body;
    if (p.scientific) {
        int exponent = 0;
        if (!value.digits.empty()) {
            exponent = leadingPower(value) - (p.integerPlaces > 0 ? p.integerPlaces - 1 : -1);
            DecimalNumber m = value;
            m.exp10 -= exponent;
            roundAt(m, -p.fractionPlaces);
            if (!m.digits.empty() && leadingPower(m) > leadingPower(value) - exponent) {
                ++exponent;  // 9.99 rounded up to 10.0
                m = value;
                m.exp10 -= exponent;
                roundAt(m, -p.fractionPlaces);
            }
            value = m;
        }
        body = renderInteger(p, integerDigits(value));
        if (p.point) body += ".";
        body += renderFraction(p, fractionDigits(value, p.fractionPlaces)) + renderExponent(p, exponent);
    } else {
        roundAt(value, -p.fractionPlaces);
        body = renderInteger(p, integerDigits(value));
        if (p.point) body += ".";
        body += renderFraction(p, fractionDigits(value, p.fractionPlaces));
    }
    return (minus && !value.digits.empty() ? "-" : "") + body;
}

}  // namespace vb::detail
