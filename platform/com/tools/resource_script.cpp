#include "resource_script.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "typelib.h"

namespace com::rc {

namespace {

struct Token {
    enum Kind { Word, Number, Text, Punct, End } kind = End;
    std::string text;
    long long number = 0;
    bool isLong = false;  // number with an L suffix
    int line = 0;
};

class Script {
public:
    explicit Script(const std::string& path) : path_(path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw ScriptError(path + ": cannot be read");
        std::ostringstream s;
        s << in.rdbuf();
        Lex(s.str());
    }

    CompiledScript Compile() {
        while (Peek().kind != Token::End) Statement();
        return std::move(out_);
    }

private:
    // ---- lexing ----
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw ScriptError(path_ + ":" + std::to_string(line) + ": " + message);
    }

    void Lex(const std::string& src) {
        int line = 1;
        bool lineStart = true;
        for (std::size_t i = 0; i < src.size();) {
            const char c = src[i];
            if (c == '\n') {
                ++line;
                lineStart = true;
                ++i;
                continue;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
                continue;
            }
            if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
                while (i < src.size() && src[i] != '\n') ++i;
                continue;
            }
            if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
                const auto end = src.find("*/", i + 2);
                if (end == std::string::npos) Fail(line, "comment without its end");
                for (std::size_t k = i; k < end; ++k) line += src[k] == '\n';
                i = end + 2;
                continue;
            }
            if (c == '#' && lineStart) {
                std::size_t end = src.find('\n', i);
                if (end == std::string::npos) end = src.size();
                Directive(src.substr(i + 1, end - i - 1), line);
                i = end;
                continue;
            }
            lineStart = false;
            if (c == '"') {
                std::string text;
                ++i;
                for (;;) {
                    if (i >= src.size() || src[i] == '\n') Fail(line, "text without its closing quote");
                    if (src[i] == '"') {
                        if (i + 1 < src.size() && src[i + 1] == '"') {
                            text += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (src[i] == '\\' && i + 1 < src.size()) {
                        const char e = src[i + 1];
                        switch (e) {
                        case 'n': text += '\n'; break;
                        case 't': text += '\t'; break;
                        case 'r': text += '\r'; break;
                        case '0': text += '\0'; break;
                        case '\\': text += '\\'; break;
                        case '"': text += '"'; break;
                        default: Fail(line, std::string("unknown escape \\") + e);
                        }
                        i += 2;
                        continue;
                    }
                    text += src[i++];
                }
                tokens_.push_back({Token::Text, text, 0, false, line});
                continue;
            }
            if (std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && i + 1 < src.size() &&
                                                                 std::isdigit(static_cast<unsigned char>(src[i + 1])))) {
                std::size_t j = i + 1;
                while (j < src.size() && std::isalnum(static_cast<unsigned char>(src[j]))) ++j;
                tokens_.push_back(NumberToken(src.substr(i, j - i), line));
                i = j;
                continue;
            }
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t j = i + 1;
                while (j < src.size() && (std::isalnum(static_cast<unsigned char>(src[j])) || src[j] == '_')) ++j;
                const std::string word = src.substr(i, j - i);
                if (auto it = defines_.find(word); it != defines_.end()) {
                    Token t = it->second;
                    t.line = line;
                    tokens_.push_back(t);
                } else {
                    tokens_.push_back({Token::Word, word, 0, false, line});
                }
                i = j;
                continue;
            }
            if (c == ',' || c == '|' || c == '{' || c == '}' || c == '+' || c == '(' || c == ')') {
                tokens_.push_back({Token::Punct, std::string(1, c), 0, false, line});
                ++i;
                continue;
            }
            Fail(line, std::string("unexpected character '") + c + "'");
        }
        tokens_.push_back({Token::End, "", 0, false, line});
    }

    Token NumberToken(std::string digits, int line) {
        Token t{Token::Number, digits, 0, false, line};
        if (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l')) {
            t.isLong = true;
            digits.pop_back();
        }
        bool negative = false;
        if (!digits.empty() && digits[0] == '-') {
            negative = true;
            digits.erase(0, 1);
        }
        int base = 10;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            digits.erase(0, 2);
        }
        unsigned long long v = 0;
        auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
        if (ec != std::errc{} || p != digits.data() + digits.size() || digits.empty()) Fail(line, "bad number " + t.text);
        t.number = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
        return t;
    }

    void Directive(const std::string& text, int line) {
        std::istringstream in(text);
        std::string what, name, value;
        in >> what;
        if (what == "define") {
            in >> name;
            std::getline(in, value);
            const auto b = value.find_first_not_of(" \t");
            value = b == std::string::npos ? "" : value.substr(b);
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.pop_back();
            if (name.empty() || value.empty()) Fail(line, "#define needs a name and a value");
            if (std::isdigit(static_cast<unsigned char>(value[0])) || value[0] == '-') {
                defines_[name] = NumberToken(value, line);
            } else if (value.front() == '"' && value.size() >= 2 && value.back() == '"') {
                defines_[name] = {Token::Text, value.substr(1, value.size() - 2), 0, false, line};
            } else {
                defines_[name] = {Token::Word, value, 0, false, line};
            }
        }
        // #include and the other directives are not needed: ignored.
    }

    // ---- parsing ----
    const Token& Peek(std::size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    Token Take() {
        Token t = Peek();
        if (pos_ < tokens_.size() - 1) ++pos_;
        return t;
    }
    bool IsWord(const Token& t, const char* w) const {
        if (t.kind != Token::Word || t.text.size() != std::char_traits<char>::length(w)) return false;
        for (std::size_t i = 0; i < t.text.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(t.text[i])) != w[i]) return false;
        }
        return true;
    }
    bool IsPunct(const Token& t, char c) const { return t.kind == Token::Punct && t.text[0] == c; }
    bool IsBegin(const Token& t) const { return IsWord(t, "BEGIN") || IsPunct(t, '{'); }
    bool IsEnd(const Token& t) const { return IsWord(t, "END") || IsPunct(t, '}'); }
    void ExpectBegin() {
        const Token t = Take();
        if (!IsBegin(t)) Fail(t.line, "expected BEGIN");
    }
    void SkipComma() {
        if (IsPunct(Peek(), ',')) Take();
    }
    long long Number() {
        const Token t = Take();
        if (t.kind != Token::Number) Fail(t.line, "expected a number, found '" + t.text + "'");
        return t.number;
    }
    std::string TextToken() {
        const Token t = Take();
        if (t.kind != Token::Text) Fail(t.line, "expected a quoted text");
        return t.text;
    }

    static const std::map<std::string, std::uint32_t>& Constants() {
        static const std::map<std::string, std::uint32_t> c = {
            {"WS_CHILD", 0x40000000},  {"WS_POPUP", 0x80000000},    {"WS_VISIBLE", 0x10000000},
            {"WS_DISABLED", 0x08000000}, {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000},
            {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000},   {"WS_DLGFRAME", 0x00400000},
            {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000},  {"WS_SYSMENU", 0x00080000},
            {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
            {"DS_SETFONT", 0x40},      {"DS_3DLOOK", 0x4},          {"DS_MODALFRAME", 0x80},
            {"DS_CONTROL", 0x400},     {"DS_CENTER", 0x800},        {"SS_LEFT", 0x0},
            {"SS_CENTER", 0x1},        {"SS_RIGHT", 0x2},           {"SS_ICON", 0x3},
            {"BS_PUSHBUTTON", 0x0},    {"BS_DEFPUSHBUTTON", 0x1},   {"BS_AUTOCHECKBOX", 0x3},
            {"ES_AUTOHSCROLL", 0x80},  {"ES_MULTILINE", 0x4},       {"NOT", 0},
        };
        return c;
    }
    // A style: terms joined by | or +; "NOT x" clears x.
    std::uint32_t Style() {
        std::uint32_t v = 0;
        for (;;) {
            Token t = Take();
            bool negate = false;
            if (IsWord(t, "NOT")) {
                negate = true;
                t = Take();
            }
            std::uint32_t term = 0;
            if (t.kind == Token::Number) {
                term = static_cast<std::uint32_t>(t.number);
            } else if (t.kind == Token::Word) {
                auto it = Constants().find(t.text);
                if (it == Constants().end()) Fail(t.line, "unknown style " + t.text);
                term = it->second;
            } else {
                Fail(t.line, "expected a style");
            }
            v = negate ? v & ~term : v | term;
            if (!IsPunct(Peek(), '|') && !IsPunct(Peek(), '+')) return v;
            Take();
        }
    }

    std::string ReadFile(const std::string& name, int line) {
        std::filesystem::path p(name);
        if (p.is_relative()) p = std::filesystem::path(path_).parent_path() / p;
        std::ifstream in(p, std::ios::binary);
        if (!in) Fail(line, "cannot read " + p.string());
        std::ostringstream s;
        s << in.rdbuf();
        out_.inputs.push_back(p.string());
        return s.str();
    }

    void Add(ResourceId type, ResourceId name, std::string data, int line) {
        for (const auto& r : out_.records) {
            if (format::SameId(r.type, type) && format::SameId(r.name, name)) Fail(line, "resource defined twice");
        }
        out_.records.push_back({std::move(type), std::move(name), std::move(data)});
    }

    ResourceId IdOf(const Token& t) {
        if (t.kind == Token::Number) {
            if (t.number < 1 || t.number > 0xFFFF) Fail(t.line, "resource numbers run from 1 to 65535");
            return ResourceId(static_cast<int>(t.number));
        }
        if (t.kind == Token::Word || t.kind == Token::Text) return ResourceId(t.text);
        Fail(t.line, "expected a resource name");
    }

    void Statement() {
        const Token first = Take();
        if (IsWord(first, "STRINGTABLE")) {
            while (!IsBegin(Peek()) && Peek().kind != Token::End) Take();  // options
            ExpectBegin();
            while (!IsEnd(Peek())) {
                const Token idTok = Take();
                if (idTok.kind != Token::Number || idTok.number < 1 || idTok.number > 0xFFFF) {
                    Fail(idTok.line, "expected a string number");
                }
                SkipComma();
                Add(RT_STRING, static_cast<int>(idTok.number), TextToken(), idTok.line);
            }
            Take();
            return;
        }
        const ResourceId name = IdOf(first);
        const Token type = Take();
        if (IsWord(type, "ICON")) {
            const std::string image = ReadFile(TextToken(), type.line);
            const auto imageId = static_cast<std::uint16_t>(++iconImages_);
            Add(RT_ICON, imageId, image, type.line);
            Add(RT_GROUP_ICON, name, format::EncodeIconGroup({imageId}), type.line);
        } else if (IsWord(type, "BITMAP")) {
            Add(RT_BITMAP, name, ReadFile(TextToken(), type.line), type.line);
        } else if (IsWord(type, "TYPELIB")) {
            const std::string text = ReadFile(TextToken(), type.line);
            std::string binary = text, error;
            if (text.rfind("OVTL", 0) != 0 && !CompileTypeLibSource(text, &binary, &error)) {
                Fail(type.line, "type library: " + error);
            }
            Add(ResourceId(RT_TYPELIB), name, binary, type.line);
        } else if (IsWord(type, "RCDATA")) {
            Add(RT_RCDATA, name, RawData(type.line), type.line);
        } else if (IsWord(type, "DIALOG") || IsWord(type, "DIALOGEX")) {
            Add(RT_DIALOG, name, Dialog(), type.line);
        } else if (IsWord(type, "VERSIONINFO")) {
            Add(RT_VERSION, name, Version(), type.line);
        } else if (type.kind == Token::Word || type.kind == Token::Number) {
            // A resource of a type of the program's own: a file's bytes or data.
            Add(IdOf(type), name, RawData(type.line), type.line);
        } else {
            Fail(type.line, "expected a resource type");
        }
    }

    std::string RawData(int line) {
        if (Peek().kind == Token::Text) return ReadFile(TextToken(), line);
        ExpectBegin();
        format::Writer w;
        while (!IsEnd(Peek())) {
            const Token t = Take();
            if (t.kind == Token::Text) {
                w.Raw(t.text);
            } else if (t.kind == Token::Number) {
                if (t.isLong) {
                    w.U32(static_cast<std::uint32_t>(t.number));
                } else {
                    w.U16(static_cast<std::uint16_t>(t.number));
                }
            } else if (!IsPunct(t, ',')) {
                Fail(t.line, "expected numbers and texts");
            }
        }
        Take();
        return w.Data();
    }

    std::string Dialog() {
        DialogTemplate d;
        d.x = static_cast<std::int16_t>(Number());
        SkipComma();
        d.y = static_cast<std::int16_t>(Number());
        SkipComma();
        d.cx = static_cast<std::int16_t>(Number());
        SkipComma();
        d.cy = static_cast<std::int16_t>(Number());
        while (!IsBegin(Peek())) {
            const Token opt = Take();
            if (IsWord(opt, "STYLE")) {
                d.style = Style();
            } else if (IsWord(opt, "EXSTYLE")) {
                Style();
            } else if (IsWord(opt, "CAPTION")) {
                d.caption = TextToken();
            } else if (IsWord(opt, "FONT")) {
                d.pointSize = static_cast<std::uint16_t>(Number());
                SkipComma();
                d.fontName = TextToken();
                while (IsPunct(Peek(), ',')) {  // weight, italic, charset of DIALOGEX
                    Take();
                    Number();
                }
            } else if (opt.kind == Token::End) {
                Fail(opt.line, "dialog without BEGIN");
            } else {
                Fail(opt.line, "unknown dialog option " + opt.text);
            }
        }
        Take();
        while (!IsEnd(Peek())) {
            const Token kw = Take();
            if (!IsWord(kw, "CONTROL")) Fail(kw.line, "expected CONTROL or END");
            DialogItem item;
            item.text = TextToken();
            SkipComma();
            item.id = static_cast<std::uint16_t>(Number());
            SkipComma();
            item.className = TextToken();
            SkipComma();
            item.style = Style();
            SkipComma();
            item.x = static_cast<std::int16_t>(Number());
            SkipComma();
            item.y = static_cast<std::int16_t>(Number());
            SkipComma();
            item.cx = static_cast<std::int16_t>(Number());
            SkipComma();
            item.cy = static_cast<std::int16_t>(Number());
            d.items.push_back(std::move(item));
        }
        Take();
        return format::EncodeDialog(d);
    }

    void VersionNumbers(WORD* into) {
        for (int i = 0; i < 4; ++i) {
            into[i] = static_cast<WORD>(Number());
            if (i < 3 && !IsPunct(Peek(), ',')) break;
            if (i < 3) Take();
        }
    }

    std::string Version() {
        VersionInfo v;
        while (!IsBegin(Peek())) {
            const Token opt = Take();
            if (IsWord(opt, "FILEVERSION")) {
                VersionNumbers(v.fileVersion);
            } else if (IsWord(opt, "PRODUCTVERSION")) {
                VersionNumbers(v.productVersion);
            } else if (IsWord(opt, "FILEFLAGSMASK") || IsWord(opt, "FILEFLAGS") || IsWord(opt, "FILEOS") ||
                       IsWord(opt, "FILETYPE") || IsWord(opt, "FILESUBTYPE")) {
                Style();
            } else {
                Fail(opt.line, "unknown version option " + opt.text);
            }
        }
        Take();
        VersionBlock(v, 1);
        return format::EncodeVersion(v);
    }

    // Inside BEGIN ... END: nested BLOCKs and VALUEs; text values are kept.
    void VersionBlock(VersionInfo& v, int depth) {
        while (!IsEnd(Peek())) {
            const Token t = Take();
            if (IsWord(t, "BLOCK")) {
                TextToken();
                ExpectBegin();
                VersionBlock(v, depth + 1);
            } else if (IsWord(t, "VALUE")) {
                const std::string name = TextToken();
                SkipComma();
                if (Peek().kind == Token::Text) {
                    std::string text = TextToken();
                    while (!text.empty() && text.back() == '\0') text.pop_back();
                    v.strings.emplace_back(name, text);
                } else {
                    while (Peek().kind == Token::Number || IsPunct(Peek(), ',')) Take();  // a translation
                }
            } else {
                Fail(t.line, "expected BLOCK, VALUE or END");
            }
        }
        Take();
    }

    std::string path_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::map<std::string, Token> defines_;
    CompiledScript out_;
    int iconImages_ = 0;
};

}  // namespace

CompiledScript CompileScript(const std::string& scriptPath) { return Script(scriptPath).Compile(); }

std::string ResourceSource(const std::string& block, const std::string& scriptName) {
    std::ostringstream out;
    out << "// Generated by vbrc from " << scriptName << ".\n"
        << "extern \"C\" __attribute__((visibility(\"default\"), used, aligned(8))) const unsigned char "
        << kResourceSymbol << "[] = {";
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (i % 20 == 0) out << "\n   ";
        out << ' ' << static_cast<unsigned>(static_cast<unsigned char>(block[i])) << ',';
    }
    out << "\n};\n";
    return out.str();
}

}  // namespace com::rc
