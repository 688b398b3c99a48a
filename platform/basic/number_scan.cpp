#include "number_scan.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace vb::detail {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// "&H1F", "&O17", "&17", each with an optional trailing "&".
bool scanRadix(std::string_view t, std::int64_t& out) {
    if (t.size() < 2 || t[0] != '&') return false;
    std::size_t pos = 1;
    int radix = 8;
    char k = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
    if (k == 'H') { radix = 16; ++pos; }
    else if (k == 'O') { ++pos; }
    std::size_t end = t.size();
    bool longSuffix = false;
    if (end > pos && t[end - 1] == '&') { longSuffix = true; --end; }
    std::string_view body = t.substr(pos, end - pos);
    if (body.empty()) return false;
    for (char c : body)
        if (digitValue(c) >= radix) return false;
    return RadixValue(body, radix, longSuffix, out);
}
}  // namespace

bool RadixValue(std::string_view digits, int radix, bool longSuffix, std::int64_t& out) {
    std::size_t start = digits.find_first_not_of('0');
    std::string_view sig = start == std::string_view::npos ? std::string_view{} : digits.substr(start);
    std::size_t maxDigits = radix == 16 ? 8 : 11;
    if (sig.size() > maxDigits) return false;
    std::uint64_t v = 0;
    for (char c : sig) v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(digitValue(c));
    if (v > 0xFFFFFFFFull) return false;
    if (!longSuffix && v <= 0xFFFF)
        out = static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    else
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return true;
}

void AppendDigit(DecimalNumber& n, char digit, bool fraction) {
    if (!(n.digits.empty() && digit == '0')) n.digits += digit;
    if (fraction) --n.exp10;
}

bool ScanNumberText(std::string_view text, ScannedNumber& out) {
    out = ScannedNumber{};
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::string_view t = text.substr(b, e - b);
    if (t.empty()) return false;
    if (t[0] == '&') {
        out.isInteger = true;
        return scanRadix(t, out.integer);
    }

    std::size_t pos = 0;
    auto skipBlanks = [&] { while (pos < t.size() && isBlank(t[pos])) ++pos; };
    bool negative = false, signSeen = false, paren = false, currencySeen = false;
    // Leading currency symbol, sign or opening parenthesis, in either order.
    for (int round = 0; round < 2; ++round) {
        if (pos < t.size() && t[pos] == '$' && !currencySeen) { currencySeen = true; ++pos; skipBlanks(); }
        if (pos < t.size() && !signSeen && (t[pos] == '+' || t[pos] == '-' || t[pos] == '(')) {
            signSeen = true;
            negative = t[pos] != '+';
            paren = t[pos] == '(';
            ++pos;
            skipBlanks();
        }
    }

    DecimalNumber& n = out.decimal;
    bool anyDigit = false;
    while (pos < t.size()) {
        char c = t[pos];
        if (isDigit(c)) { AppendDigit(n, c, false); anyDigit = true; ++pos; }
        else if (c == ',' && anyDigit) ++pos;
        else break;
    }
    if (pos < t.size() && t[pos] == '.') {
        ++pos;
        while (pos < t.size() && isDigit(t[pos])) { AppendDigit(n, t[pos], true); anyDigit = true; ++pos; }
    }
    if (!anyDigit) return false;
    if (pos < t.size() && std::string_view("eEdD").find(t[pos]) != std::string_view::npos) {
        ++pos;
        bool expNegative = false;
        if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) expNegative = t[pos++] == '-';
        if (pos >= t.size() || !isDigit(t[pos])) return false;
        long exp = 0;
        while (pos < t.size() && isDigit(t[pos])) {
            if (exp < 100000) exp = exp * 10 + (t[pos] - '0');
            ++pos;
        }
        n.exp10 += static_cast<int>(expNegative ? -exp : exp);
    }
    skipBlanks();
    if (pos < t.size() && t[pos] == '$' && !currencySeen) { currencySeen = true; ++pos; skipBlanks(); }
    if (paren) {
        if (pos >= t.size() || t[pos] != ')') return false;
        ++pos;
    } else if (!signSeen && pos < t.size() && (t[pos] == '+' || t[pos] == '-')) {
        negative = t[pos] == '-';
        ++pos;
    }
    skipBlanks();
    if (pos != t.size()) return false;
    n.negative = negative && !n.digits.empty();
    return true;
}

double DecimalToDouble(const DecimalNumber& n) {
    if (n.digits.empty()) return 0.0;
    // Read the same in every locale: the text has no decimal point to read.
    const std::string s = n.digits + "e" + std::to_string(n.exp10);
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec == std::errc::result_out_of_range)
        d = static_cast<long>(n.digits.size()) + n.exp10 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return n.negative ? -d : d;
}

bool DecimalToScaled(const DecimalNumber& n, std::int64_t& scaled) {
    if (n.digits.empty()) { scaled = 0; return true; }
    long shift = static_cast<long>(n.exp10) + 4;  // scaled = digits * 10^shift
    std::string whole = n.digits, rest;
    if (shift >= 0) {
        if (whole.size() + static_cast<std::size_t>(shift) > 19) return false;
        whole.append(static_cast<std::size_t>(shift), '0');
    } else {
        std::size_t cut = static_cast<std::size_t>(-shift);
        if (cut >= whole.size()) {
            rest = std::string(cut - whole.size(), '0') + whole;
            whole.clear();
        } else {
            rest = whole.substr(whole.size() - cut);
            whole.resize(whole.size() - cut);
        }
    }
    if (whole.size() > 19) return false;
    unsigned __int128 v = 0;
    for (char c : whole) v = v * 10 + static_cast<unsigned>(c - '0');
    if (!rest.empty()) {
        bool above = rest[0] > '5' ||
                     (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
        bool half = rest[0] == '5' && !above;
        if (above || (half && (v & 1))) ++v;
    }
    unsigned __int128 limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) +
                              (n.negative ? 1 : 0);
    if (v > limit) return false;
    scaled = n.negative ? static_cast<std::int64_t>(-static_cast<__int128>(v)) : static_cast<std::int64_t>(v);
    return true;
}

}  // namespace vb::detail
