#include "rtf_reader.h"

#include <cctype>
#include <charconv>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace forms::rtf {

namespace {

// Windows-1252 code points for 0x80..0x9F (0 where the code page has none).
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromCp1252(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : U'?';
    return b;
}

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Only code points that UTF-8 can carry; anything else becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Font sizes in half points that the box can show (up to 1638 points).
constexpr long kLargestHalfPoints = 3276;

struct Format {
    bool bold = false, italic = false, underline = false;
    double pointSize = 0;
    bool skip = false;  // inside a destination that is not text
    int unicodeSkip = 1;
};

bool IsSkippedDestination(const std::string& word) {
    return word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
           word == "pict" || word == "header" || word == "footer" || word == "listtable" ||
           word == "listoverridetable" || word == "rsidtbl" || word == "generator" || word == "xmlnstbl";
}

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) { doc_.paragraphs.emplace_back(); }

    Document Run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                stack_.push_back(format_);
                groupStart_ = true;
                continue;
            }
            if (c == '}') {
                ++pos_;
                if (!stack_.empty()) {
                    format_ = stack_.back();
                    stack_.pop_back();
                }
                groupStart_ = false;
                continue;
            }
            if (c == '\\') {
                ++pos_;
                Control();
                groupStart_ = false;
                continue;
            }
            ++pos_;
            groupStart_ = false;
            if (c == '\r' || c == '\n') continue;
            if (pendingSkip_ > 0) {
                --pendingSkip_;
                continue;
            }
            Emit(FromCp1252(static_cast<unsigned char>(c)));
        }
        FlushSurrogate();
        return std::move(doc_);
    }

private:
    void Emit(char32_t c) {
        if (format_.skip) return;
        FlushSurrogate();
        std::vector<forms::rtf::Run>& runs = doc_.paragraphs.back().runs;
        if (runs.empty() || runs.back().bold != format_.bold || runs.back().italic != format_.italic ||
            runs.back().underline != format_.underline || runs.back().pointSize != format_.pointSize) {
            runs.push_back({{}, format_.bold, format_.italic, format_.underline, format_.pointSize});
        }
        AppendUtf8(runs.back().text, c);
    }

    void Control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            Symbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) word += in_[pos_++];
        // The parameter: an optional "-" and digits. One that does not fit a
        // 32-bit number is damaged, and the word is passed over.
        std::optional<long> param;
        bool damaged = false;
        if (pos_ < in_.size() && (in_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(in_[pos_])))) {
            const std::size_t start = pos_;
            if (in_[pos_] == '-') ++pos_;
            while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) ++pos_;
            std::int32_t value = 0;
            const auto [end, ec] = std::from_chars(in_.data() + start, in_.data() + pos_, value);
            if (ec == std::errc{} && end == in_.data() + pos_) param = value;
            else damaged = true;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        if (word == "bin") {
            SkipBinary(damaged, param.value_or(0));
            return;
        }
        if (!damaged) Word(word, param);
    }

    // \binN: N bytes of data follow, whatever they hold; a count that is
    // damaged or runs past the end ends the document.
    void SkipBinary(bool damaged, long count) {
        const std::size_t left = in_.size() - pos_;
        if (damaged) pos_ = in_.size();
        else if (count > 0) pos_ += std::min(left, static_cast<std::size_t>(count));
    }

    void Symbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Text(static_cast<unsigned char>(c));
            break;
        case '~': Text(0xA0); break;
        case '_': Text(0x2011); break;
        case '*':
            format_.skip = true;  // an optional destination
            break;
        case '\'': {
            // Exactly two hex digits make a byte; anything else is read as text.
            if (pos_ + 2 > in_.size()) return;
            const int hi = HexValue(in_[pos_]), lo = HexValue(in_[pos_ + 1]);
            if (hi < 0 || lo < 0) return;
            pos_ += 2;
            Text(FromCp1252(static_cast<unsigned char>(hi * 16 + lo)));
            break;
        }
        case '\r':
        case '\n': Paragraph(); break;  // "\" before a line end is \par
        default: break;                 // \- and others: nothing to show
        }
    }

    // A character from the text (not a \u fallback).
    void Text(char32_t c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        Emit(c);
    }

    void Paragraph() {
        pendingSkip_ = 0;
        FlushSurrogate();
        if (!format_.skip) doc_.paragraphs.emplace_back();
    }

    void Word(const std::string& w, std::optional<long> param) {
        const bool on = !param || *param != 0;
        if (w != "u") pendingSkip_ = 0;
        if (groupStart_ && IsSkippedDestination(w)) {
            format_.skip = true;
        } else if (w == "b") {
            format_.bold = on;
        } else if (w == "i") {
            format_.italic = on;
        } else if (w == "ul") {
            format_.underline = on;
        } else if (w == "ulnone") {
            format_.underline = false;
        } else if (w == "plain") {
            format_.bold = format_.italic = format_.underline = false;
            format_.pointSize = 0;
        } else if (w == "fs") {
            // A size the box cannot show leaves the box's own size.
            format_.pointSize = param && *param > 0 && *param <= kLargestHalfPoints ? *param / 2.0 : 0;
        } else if (w == "par") {
            Paragraph();
        } else if (w == "line") {
            Emit(U'\u2028');
        } else if (w == "tab") {
            Emit(U'\t');
        } else if (w == "uc") {
            format_.unicodeSkip = param && *param >= 0 ? static_cast<int>(std::min(*param, 255L)) : 1;
        } else if (w == "u" && param) {
            Unicode(*param < 0 ? *param + 65536 : *param);
        }
    }

    // \uN: a character, followed by \ucN fallback characters for readers
    // that cannot show it. Characters above U+FFFF come as two surrogates;
    // a number that is no character leaves its fallback to be shown.
    void Unicode(long code) {
        if (code < 0 || code > 0x10FFFF || (IsLowSurrogate(static_cast<char32_t>(code)) && !highSurrogate_)) return;
        const auto c = static_cast<char32_t>(code);
        if (IsHighSurrogate(c)) {
            FlushSurrogate();
            if (!format_.skip) highSurrogate_ = c;
        } else if (IsLowSurrogate(c)) {
            const char32_t high = highSurrogate_;
            highSurrogate_ = 0;
            Emit(0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00));
        } else {
            Emit(c);
        }
        pendingSkip_ = format_.unicodeSkip;
    }

    // A high surrogate with no low one after it.
    void FlushSurrogate() {
        if (!highSurrogate_) return;
        highSurrogate_ = 0;
        Emit(kReplacement);
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    Format format_;
    std::vector<Format> stack_;
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    char32_t highSurrogate_ = 0;  // waiting for its low surrogate
    Document doc_;
};

}  // namespace

std::string Document::PlainText() const {
    std::string out;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        if (p) out += '\n';
        for (const Run& r : paragraphs[p].runs) out += r.text;
    }
    return out;
}

bool IsRtf(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

Document Read(std::string_view rtf) { return Reader(rtf).Run(); }

}  // namespace forms::rtf
