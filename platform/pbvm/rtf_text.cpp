#include "rtf_text.h"

#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "number_text.h"

namespace pbvm {

namespace {

// Font sizes in half points: 1 to 1,638 points.
constexpr int kMinHalfPoints = 2, kMaxHalfPoints = 3276;
constexpr std::size_t kMaxDepth = 256;

struct Style {
    bool bold = false, italic = false, underline = false, skip = false;
    int halfPoints = 24;
};

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Writer {
public:
    void text(const Style& s, unsigned code) {
        if (s.skip) return;
        std::string piece;
        if (code == '<') piece = "&lt;";
        else if (code == '>') piece = "&gt;";
        else if (code == '&') piece = "&amp;";
        else appendUtf8(piece, code);
        open(s);
        html_ += piece;
    }
    void raw(const Style& s, const std::string& html) {
        if (s.skip) return;
        open(s);
        html_ += html;
    }
    void paragraph(const Style& s) {
        if (s.skip) return;
        closeSpan();
        html_ += "</p><p>";
    }
    std::string finish() {
        closeSpan();
        return "<html><body><p>" + html_ + "</p></body></html>";
    }

private:
    void open(const Style& s) {
        std::string style = "font-size:" + std::to_string(s.halfPoints / 2) + "pt;";
        if (s.bold) style += "font-weight:bold;";
        if (s.italic) style += "font-style:italic;";
        if (s.underline) style += "text-decoration:underline;";
        if (spanOpen_ && style == current_) return;
        closeSpan();
        html_ += "<span style=\"" + style + "\">";
        current_ = style;
        spanOpen_ = true;
    }
    void closeSpan() {
        if (spanOpen_) html_ += "</span>";
        spanOpen_ = false;
    }
    std::string html_, current_;
    bool spanOpen_ = false;
};

bool isDestination(const std::string& word) {
    static const char* skipped[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer",
                                    "generator", "listtable", "listoverridetable", "rsidtbl", "xmlnstbl"};
    for (const char* s : skipped)
        if (word == s) return true;
    return false;
}

}  // namespace

std::string RtfToHtml(const std::string& rtf) {
    Writer out;
    std::vector<Style> stack{Style{}};
    std::size_t unkeptGroups = 0;
    int skipAfterUnicode = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        char ch = rtf[i];
        Style& s = stack.back();
        if (ch == '{') {
            // Groups nested deeper than any document needs share the
            // innermost kept style.
            if (stack.size() < kMaxDepth) stack.push_back(s);
            else ++unkeptGroups;
        } else if (ch == '}') {
            if (unkeptGroups > 0) --unkeptGroups;
            else if (stack.size() > 1) stack.pop_back();
        } else if (ch == '\\' && i + 1 < rtf.size()) {
            char next = rtf[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                out.text(s, static_cast<unsigned char>(next));
                ++i;
            } else if (next == '\'' && i + 3 < rtf.size()) {
                // Two hex digits; an escape without them is left out and
                // what follows it read as text.
                if (auto code = WholeNumber(std::string_view(rtf).substr(i + 2, 2), 0, 0xFF, 16)) {
                    if (skipAfterUnicode > 0) --skipAfterUnicode;
                    else out.text(s, static_cast<unsigned>(*code));  // the Windows Latin-1 page
                    i += 3;
                } else {
                    ++i;
                }
            } else if (next == '*') {
                s.skip = true;
                ++i;
            } else if (next == '~') {
                out.text(s, 0xA0);
                ++i;
            } else if (std::isalpha(static_cast<unsigned char>(next))) {
                std::size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                std::string word = rtf.substr(i + 1, j - i - 1);
                std::size_t k = j;
                if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) {
                    ++k;
                    while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
                }
                // A parameter is a 16-bit number (\u takes it unsigned too);
                // a control word with any other parameter is left out.
                const std::optional<long long> parameter =
                    WholeNumber(std::string_view(rtf).substr(j, k - j), -32768, 65535);
                const bool hasNumber = parameter.has_value(), numberTooLong = k > j && !hasNumber;
                const int number = parameter ? static_cast<int>(*parameter) : 1;
                if (k < rtf.size() && rtf[k] == ' ') ++k;
                i = k - 1;
                if (isDestination(word)) s.skip = true;
                else if (numberTooLong) continue;
                else if (word == "par") out.paragraph(s);
                else if (word == "line") out.raw(s, "<br>");
                else if (word == "tab") out.raw(s, "&nbsp;&nbsp;&nbsp;&nbsp;");
                else if (word == "b") s.bold = number != 0;
                else if (word == "i") s.italic = number != 0;
                else if (word == "ul") s.underline = number != 0;
                else if (word == "ulnone") s.underline = false;
                else if (word == "plain") s = Style{false, false, false, s.skip, 24};
                else if (word == "fs" && hasNumber && number >= kMinHalfPoints && number <= kMaxHalfPoints)
                    s.halfPoints = number;
                else if (word == "u" && hasNumber) {
                    const unsigned code = static_cast<unsigned>(number < 0 ? number + 65536 : number);
                    // Halves of a surrogate pair stand for no character of their own.
                    if (code >= 0xD800 && code <= 0xDFFF) out.text(s, 0xFFFD);
                    else if (code != 0) out.text(s, code);
                    skipAfterUnicode = 1;
                } else if (word == "bullet") out.text(s, 0x2022);
            } else {
                ++i;
            }
        } else if (ch == '\r' || ch == '\n') {
        } else {
            if (skipAfterUnicode > 0) {
                --skipAfterUnicode;
                continue;
            }
            out.text(s, static_cast<unsigned char>(ch));
        }
    }
    return out.finish();
}

}  // namespace pbvm
