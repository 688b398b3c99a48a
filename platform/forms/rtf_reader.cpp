#include "rtf_reader.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

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

void AppendUtf8(std::string& out, char32_t c) {
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
        return std::move(doc_);
    }

private:
    void Emit(char32_t c) {
        if (format_.skip) return;
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
        bool hasParam = false;
        long param = 0;
        if (pos_ < in_.size() && (in_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(in_[pos_])))) {
            const std::size_t start = pos_;
            if (in_[pos_] == '-') ++pos_;
            while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) ++pos_;
            param = std::strtol(std::string(in_.substr(start, pos_ - start)).c_str(), nullptr, 10);
            hasParam = true;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        Word(word, hasParam, param);
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
            if (pos_ + 2 > in_.size()) return;
            const std::string hex(in_.substr(pos_, 2));
            pos_ += 2;
            char* end = nullptr;
            const long b = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) Text(FromCp1252(static_cast<unsigned char>(b)));
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
        if (!format_.skip) doc_.paragraphs.emplace_back();
    }

    void Word(const std::string& w, bool hasParam, long param) {
        const bool on = !hasParam || param != 0;
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
            format_.pointSize = hasParam && param > 0 ? param / 2.0 : 0;
        } else if (w == "par") {
            Paragraph();
        } else if (w == "line") {
            Emit(U'\u2028');
        } else if (w == "tab") {
            Emit(U'\t');
        } else if (w == "uc") {
            format_.unicodeSkip = hasParam && param >= 0 ? static_cast<int>(param) : 1;
        } else if (w == "u" && hasParam) {
            const long code = param < 0 ? param + 65536 : param;
            Emit(static_cast<char32_t>(code));
            pendingSkip_ = format_.unicodeSkip;
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    Format format_;
    std::vector<Format> stack_;
    bool groupStart_ = false;
    int pendingSkip_ = 0;
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
