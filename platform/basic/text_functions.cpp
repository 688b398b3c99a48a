#include "text_functions.h"

#include "err.h"
#include "utf8.h"

namespace vb {

namespace {
// Code points 0x80-0x9F of the Western Windows code page; the rest of
// 0-255 equals Unicode.
constexpr char32_t kWestern80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::size_t offsetOf(const std::string& s, long index) {
    return utf8::Offset(s, static_cast<std::size_t>(index));
}

void requireNonNegative(long n) {
    if (n < 0) RaiseError(errors::InvalidProcedureCall);
}

// Finds `find` in `s` again and again; a text comparison folds both texts
// once, not on every search.
class Finder {
public:
    Finder(const std::string& s, const std::string& find, CompareMethod compare)
        : s_(s), find_(find), text_(compare == CompareMethod::Text) {
        if (text_) {
            ls_ = utf8::Lower(s);
            lf_ = utf8::Lower(find);
            findChars_ = utf8::Length(find);
        }
    }

    // Byte position of the next match at or after byte `from`, npos when none.
    std::size_t next(std::size_t from) const {
        if (!text_) return s_.find(find_, from);
        // Simple case mapping keeps every character one character, so
        // positions in characters agree between the text and its lower-case form.
        std::size_t fromChar = utf8::Length(std::string_view(s_).substr(0, from));
        std::size_t hit = ls_.find(lf_, utf8::Offset(ls_, fromChar));
        if (hit == std::string::npos) return hit;
        return utf8::Offset(s_, utf8::Length(std::string_view(ls_).substr(0, hit)));
    }

    // Bytes of the match that starts at byte `at`.
    std::size_t lengthAt(std::size_t at) const {
        if (!text_) return find_.size();
        return utf8::Offset(std::string_view(s_).substr(at), findChars_);
    }

private:
    const std::string& s_;
    const std::string& find_;
    bool text_;
    std::string ls_, lf_;
    std::size_t findChars_ = 0;
};
}  // namespace

long Len(const std::string& s) { return static_cast<long>(utf8::Length(s)); }

std::string Left(const std::string& s, long length) {
    requireNonNegative(length);
    return s.substr(0, offsetOf(s, length));
}

std::string Right(const std::string& s, long length) {
    requireNonNegative(length);
    long n = Len(s);
    if (length >= n) return s;
    return s.substr(offsetOf(s, n - length));
}

std::string Mid(const std::string& s, long start) {
    if (start < 1) RaiseError(errors::InvalidProcedureCall);
    return s.substr(std::min(s.size(), offsetOf(s, start - 1)));
}

std::string Mid(const std::string& s, long start, long length) {
    if (start < 1) RaiseError(errors::InvalidProcedureCall);
    requireNonNegative(length);
    std::string rest = Mid(s, start);
    return rest.substr(0, offsetOf(rest, length));
}

std::string LTrim(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b);
}

std::string RTrim(const std::string& s) {
    auto e = s.find_last_not_of(' ');
    return e == std::string::npos ? std::string() : s.substr(0, e + 1);
}

std::string Trim(const std::string& s) { return LTrim(RTrim(s)); }

std::string LCase(const std::string& s) { return utf8::Lower(s); }
std::string UCase(const std::string& s) { return utf8::Upper(s); }

long InStr(const std::string& s, const std::string& find) { return InStr(1, s, find); }

long InStr(long start, const std::string& s, const std::string& find, CompareMethod compare) {
    if (start < 1) RaiseError(errors::InvalidProcedureCall);
    long length = Len(s);
    if (start > length) return 0;
    if (find.empty()) return start;
    std::size_t hit = Finder(s, find, compare).next(offsetOf(s, start - 1));
    if (hit == std::string::npos) return 0;
    return static_cast<long>(utf8::Length(std::string_view(s).substr(0, hit))) + 1;
}

int StrComp(const std::string& a, const std::string& b, CompareMethod compare) {
    int c = compare == CompareMethod::Text ? utf8::CompareNoCase(a, b) : a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string Chr(long code) {
    if (code < 0 || code > 255) RaiseError(errors::InvalidProcedureCall);
    char32_t cp = code >= 0x80 && code <= 0x9F ? kWestern80[code - 0x80] : static_cast<char32_t>(code);
    std::string out;
    utf8::Append(out, cp);
    return out;
}

std::string ChrW(long code) {
    if (code < 0 && code >= -32768) code += 65536;
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) RaiseError(errors::InvalidProcedureCall);
    std::string out;
    utf8::Append(out, static_cast<char32_t>(code));
    return out;
}

long AscW(const std::string& s) {
    if (s.empty()) RaiseError(errors::InvalidProcedureCall);
    std::size_t pos = 0;
    return static_cast<long>(utf8::Next(s, pos));
}

int Asc(const std::string& s) {
    char32_t cp = static_cast<char32_t>(AscW(s));
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kWestern80[i] == cp) return 0x80 + i;
    return '?';
}

std::string Space(long count) {
    requireNonNegative(count);
    return std::string(static_cast<std::size_t>(count), ' ');
}

std::string String(long count, const std::string& character) {
    requireNonNegative(count);
    if (character.empty()) RaiseError(errors::InvalidProcedureCall);
    std::string one = character.substr(0, offsetOf(character, 1)), out;
    out.reserve(one.size() * static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) out += one;
    return out;
}

std::string String(long count, long code) {
    long c = code % 256;
    if (c < 0) c += 256;
    return String(count, Chr(c));
}

std::string Replace(const std::string& expression, const std::string& find, const std::string& replacement,
                    long start, long count, CompareMethod compare) {
    if (start < 1 || count < -1) RaiseError(errors::InvalidProcedureCall);
    std::string s = Mid(expression, start);
    if (find.empty() || count == 0) return s;
    const Finder finder(s, find, compare);
    std::string out;
    std::size_t pos = 0;
    for (long done = 0; count == -1 || done < count; ++done) {
        std::size_t hit = finder.next(pos);
        if (hit == std::string::npos) break;
        out.append(s, pos, hit - pos);
        out += replacement;
        pos = hit + finder.lengthAt(hit);
    }
    out.append(s, pos, std::string::npos);
    return out;
}

std::vector<std::string> Split(const std::string& expression, const std::string& delimiter, long limit,
                               CompareMethod compare) {
    if (limit < -1) RaiseError(errors::InvalidProcedureCall);
    std::vector<std::string> parts;
    if (expression.empty() || limit == 0) return parts;
    if (delimiter.empty()) return {expression};
    const Finder finder(expression, delimiter, compare);
    std::size_t pos = 0;
    while (limit == -1 || static_cast<long>(parts.size()) < limit - 1) {
        std::size_t hit = finder.next(pos);
        if (hit == std::string::npos) break;
        parts.push_back(expression.substr(pos, hit - pos));
        pos = hit + finder.lengthAt(hit);
    }
    parts.push_back(expression.substr(pos));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, const std::string& delimiter) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += delimiter;
        out += parts[i];
    }
    return out;
}

}  // namespace vb
