#include "number_functions.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "err.h"
#include "number_scan.h"
#include "text_forms.h"

namespace vb {

std::string Str(const Variant& number) {
    Variant v = number;
    switch (number.Type()) {
    case VarType::Null: RaiseError(errors::InvalidUseOfNull);
    case VarType::Boolean: case VarType::Date: return number.ToString();
    case VarType::Empty: v = Variant(std::int16_t{0}); break;
    case VarType::String: v = Variant(number.ToDouble()); break;
    case VarType::Integer: case VarType::Long: case VarType::Single:
    case VarType::Double: case VarType::Currency: break;
    default: RaiseError(errors::TypeMismatch);
    }
    std::string text = v.ToString();
    bool negative = !text.empty() && text[0] == '-';
    std::string body = negative ? text.substr(1) : text;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);  // " .5"
    return (negative ? "-" : " ") + body;
}

double Val(const std::string& text) {
    std::size_t pos = 0;
    auto skip = [&] {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n')) ++pos;
    };
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    skip();
    if (at(pos) == '&') {
        ++pos;
        int radix = 8;
        char k = at(pos);
        if (k == 'H' || k == 'h') { radix = 16; ++pos; }
        else if (k == 'O' || k == 'o') { ++pos; }
        std::string digits;
        for (;; ++pos) {
            skip();
            char c = at(pos);
            bool ok = radix == 16 ? std::isxdigit(static_cast<unsigned char>(c)) : (c >= '0' && c <= '7');
            if (!ok) break;
            digits += c;
        }
        if (digits.empty()) return 0.0;
        bool longSuffix = at(pos) == '&';
        std::int64_t value = 0;
        if (!detail::RadixValue(digits, radix, longSuffix, value)) RaiseError(errors::Overflow);
        return static_cast<double>(value);
    }

    detail::DecimalNumber n;
    if (at(pos) == '-' || at(pos) == '+') n.negative = text[pos++] == '-';
    bool fraction = false, anyDigit = false;
    for (;; ++pos) {
        skip();
        char c = at(pos);
        if (c >= '0' && c <= '9') { detail::AppendDigit(n, c, fraction); anyDigit = true; }
        else if (c == '.' && !fraction) fraction = true;
        else break;
    }
    if (!anyDigit) return 0.0;
    char e = at(pos);
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        std::size_t save = pos++;
        skip();
        bool expNegative = false;
        if (at(pos) == '-' || at(pos) == '+') expNegative = text[pos++] == '-';
        long exp = 0;
        bool expDigits = false;
        for (;; ++pos) {
            skip();
            char c = at(pos);
            if (c < '0' || c > '9') break;
            if (exp < 100000) exp = exp * 10 + (c - '0');
            expDigits = true;
        }
        if (expDigits) n.exp10 += static_cast<int>(expNegative ? -exp : exp);
        else pos = save;
    }
    if (n.digits.empty()) return 0.0;
    double d = detail::DecimalToDouble(n);
    if (!std::isfinite(d)) RaiseError(errors::Overflow);
    return d;
}

double Val(const char* text) { return Val(std::string(text ? text : "")); }

double Val(const Variant& value) {
    if (value.IsNull()) RaiseError(errors::InvalidUseOfNull);
    return Val(value.ToString());
}

double Int(double number) { return std::floor(number); }
double Fix(double number) { return std::trunc(number); }

namespace {
Variant roundKeepingKind(const Variant& v, bool down) {
    auto cut = [down](double d) { return down ? std::floor(d) : std::trunc(d); };
    switch (v.Type()) {
    case VarType::Null: return v;
    case VarType::Empty: return Variant(std::int16_t{0});
    case VarType::Integer: case VarType::Long: return v;
    case VarType::Boolean: return Variant(static_cast<std::int16_t>(v.rawBool() ? -1 : 0));
    case VarType::Currency: {
        std::int64_t s = v.rawInt(), q = s / Currency::Scale;
        if (down && s % Currency::Scale < 0) --q;
        // Int of the lowest amounts rounds below the Currency range.
        if (__builtin_mul_overflow(q, Currency::Scale, &s)) RaiseError(errors::Overflow);
        return Variant(Currency::FromScaled(s));
    }
    case VarType::Single: return Variant(static_cast<float>(cut(v.rawDouble())));
    case VarType::Date: return Variant(Date{cut(v.rawDouble())});
    default: return Variant(cut(v.ToDouble()));
    }
}
}  // namespace

Variant Int(const Variant& number) { return roundKeepingKind(number, true); }
Variant Fix(const Variant& number) { return roundKeepingKind(number, false); }

bool IsNumeric(const Variant& value) {
    switch (value.Type()) {
    case VarType::Empty: return true;
    case VarType::String: {
        double d = 0;
        return ParseNumberText(value.rawString(), d) && std::isfinite(d);
    }
    default: return value.IsNumericType();
    }
}

bool IsDate(const Variant& value) {
    if (value.Type() == VarType::Date) return true;
    if (value.Type() != VarType::String) return false;
    Date d;
    return ParseDateText(value.rawString(), d);
}

bool CBool(const Variant& v) { return v.ToBool(); }
std::int16_t CInt(const Variant& v) { return v.ToInteger(); }
std::int32_t CLng(const Variant& v) { return v.ToLong(); }
float CSng(const Variant& v) { return v.ToSingle(); }
double CDbl(const Variant& v) { return v.ToDouble(); }
Currency CCur(const Variant& v) { return v.ToCurrency(); }
Date CDate(const Variant& v) { return v.ToDate(); }
std::string CStr(const Variant& v) { return v.ToString(); }

}  // namespace vb
