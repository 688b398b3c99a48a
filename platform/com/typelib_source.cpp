// The type-library source compiler (the text form described in typelib.h).
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>

#include "typelib_data.h"

namespace com {

namespace {

struct Token {
    enum Kind { Word, Guid, Number, Text, Punct } kind;
    std::string text;
    long long number = 0;
};

struct SourceError {
    std::string message;
};

std::vector<Token> Tokens(std::string_view line) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '#') break;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    text += line[i + 1];
                    i += 2;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    text += line[i++];
                }
            }
            if (!closed) throw SourceError{"text without its closing quote"};
            out.push_back({Token::Text, text});
        } else if (c == '{') {
            const auto end = line.find('}', i);
            if (end == std::string_view::npos) throw SourceError{"GUID without its closing brace"};
            out.push_back({Token::Guid, std::string(line.substr(i, end - i + 1))});
            i = end + 1;
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t j = i + 1;
            while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '.')) ++j;
            std::string_view digits = line.substr(i, j - i);
            if (digits.find('.') != std::string_view::npos) {  // a version
                out.push_back({Token::Word, std::string(digits)});
                i = j;
                continue;
            }
            const bool negative = digits[0] == '-';
            if (negative) digits.remove_prefix(1);
            int base = 10;
            if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
                base = 16;
                digits.remove_prefix(2);
            }
            long long v = 0;
            auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
            if (ec != std::errc{} || p != digits.data() + digits.size() || digits.empty()) {
                throw SourceError{"bad number " + std::string(line.substr(i, j - i))};
            }
            out.push_back({Token::Number, std::string(line.substr(i, j - i)), negative ? -v : v});
            i = j;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            std::size_t j = i + 1;
            while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_' ||
                                       (line[j] == '.' && j + 1 < line.size() &&
                                        std::isdigit(static_cast<unsigned char>(line[j + 1]))))) {
                ++j;
            }
            out.push_back({Token::Word, std::string(line.substr(i, j - i))});
            i = j;
        } else if (c == '(' || c == ')' || c == ',') {
            out.push_back({Token::Punct, std::string(1, c)});
            ++i;
        } else {
            throw SourceError{std::string("unexpected character '") + c + "'"};
        }
    }
    return out;
}

VARTYPE TypeNamed(const std::string& name) {
    static const std::map<std::string, VARTYPE> types = {
        {"I4", VT_I4}, {"BOOL", VT_BOOL}, {"BSTR", VT_BSTR}, {"DISPATCH", VT_DISPATCH}, {"UNKNOWN", VT_UNKNOWN}};
    for (const auto& [n, vt] : types) {
        if (tl::NamesEqual(n, name)) return vt;
    }
    throw SourceError{"unknown type " + name};
}

class Parser {
public:
    tl::Library Parse(std::string_view source) {
        std::size_t lineNo = 0;
        while (!source.empty()) {
            const auto nl = source.find('\n');
            std::string_view line = source.substr(0, nl);
            source = nl == std::string_view::npos ? std::string_view{} : source.substr(nl + 1);
            ++lineNo;
            try {
                toks_ = Tokens(line);
                pos_ = 0;
                if (!toks_.empty()) Statement();
            } catch (const SourceError& e) {
                throw SourceError{"line " + std::to_string(lineNo) + ": " + e.message};
            }
        }
        if (!haveLibrary_) throw SourceError{"line " + std::to_string(lineNo) + ": no library statement"};
        for (const tl::Type& t : lib_.types) {
            for (const tl::Implemented& i : t.implemented) {
                const int k = lib_.FindType(i.name);
                if (k < 0 || lib_.types[k].kind == TKIND_COCLASS) {
                    throw SourceError{"coclass " + t.name + " implements unknown interface " + i.name};
                }
            }
        }
        return lib_;
    }

private:
    const Token& Next(Token::Kind kind, const char* what) {
        if (pos_ >= toks_.size() || toks_[pos_].kind != kind) throw SourceError{std::string("expected ") + what};
        return toks_[pos_++];
    }
    bool More() const { return pos_ < toks_.size(); }
    // The next token as a number in [low, high].
    long long NumberIn(long long low, long long high, const char* what) {
        const Token& t = Next(Token::Number, what);
        if (t.number < low || t.number > high) throw SourceError{std::string(what) + " " + t.text + " is out of range"};
        return t.number;
    }
    // A part of a version: decimal digits making a 16-bit number.
    static std::optional<WORD> VersionPart(std::string_view digits) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() || value > 0xFFFF)
            return std::nullopt;
        return static_cast<WORD>(value);
    }
    bool Peek(const char* word) const {
        return More() && toks_[pos_].kind == Token::Word && tl::NamesEqual(toks_[pos_].text, word);
    }
    GUID NextGuid() {
        auto g = ParseGuid(Next(Token::Guid, "a GUID in braces").text);
        if (!g) throw SourceError{"malformed GUID"};
        return *g;
    }
    void End() {
        if (More()) throw SourceError{"unexpected '" + toks_[pos_].text + "'"};
    }
    tl::Type& CurrentType(const char* statement) {
        if (lib_.types.empty()) throw SourceError{std::string(statement) + " outside a type"};
        return lib_.types.back();
    }

    void Statement() {
        const std::string kw = Next(Token::Word, "a statement").text;
        if (tl::NamesEqual(kw, "library")) {
            if (haveLibrary_) throw SourceError{"a second library statement"};
            haveLibrary_ = true;
            lib_.name = Next(Token::Word, "the library name").text;
            lib_.guid = NextGuid();
            const std::string version = Next(Token::Word, "the version (major.minor)").text;
            const auto dot = version.find('.');
            const auto major = dot == std::string::npos ? std::nullopt : VersionPart(version.substr(0, dot));
            const auto minor = dot == std::string::npos ? std::nullopt : VersionPart(version.substr(dot + 1));
            if (!major || !minor) throw SourceError{"bad version " + version};
            lib_.major = *major;
            lib_.minor = *minor;
            if (Peek("lcid")) {
                ++pos_;
                lib_.lcid = static_cast<LCID>(NumberIn(0, 0xFFFFFFFF, "the locale number"));
            }
            End();
            return;
        }
        if (!haveLibrary_) throw SourceError{"the library statement must come first"};
        if (tl::NamesEqual(kw, "helpstring")) {
            std::string text = Next(Token::Text, "a quoted text").text;
            End();
            if (lastIsLibrary_) {
                lib_.help = std::move(text);
            } else {
                CurrentType("helpstring").help = std::move(text);
            }
            return;
        }
        if (tl::NamesEqual(kw, "importlib")) {
            lib_.imports.push_back(Next(Token::Text, "a quoted file name").text);
            End();
            return;
        }
        if (tl::NamesEqual(kw, "interface") || tl::NamesEqual(kw, "dispinterface") || tl::NamesEqual(kw, "coclass")) {
            tl::Type t;
            t.name = Next(Token::Word, "the type name").text;
            if (lib_.FindType(t.name) >= 0) throw SourceError{"type " + t.name + " defined twice"};
            t.guid = NextGuid();
            if (tl::NamesEqual(kw, "interface")) {
                t.kind = TKIND_INTERFACE;
                t.flags = TYPEFLAG_FDISPATCHABLE;
            } else if (tl::NamesEqual(kw, "dispinterface")) {
                t.kind = TKIND_DISPATCH;
                t.flags = TYPEFLAG_FDISPATCHABLE;
            } else {
                t.kind = TKIND_COCLASS;
                t.flags = TYPEFLAG_FCANCREATE;
            }
            while (More()) {
                const std::string attr = Next(Token::Word, "an attribute").text;
                if (tl::NamesEqual(attr, "hidden")) {
                    t.flags |= TYPEFLAG_FHIDDEN;
                } else if (tl::NamesEqual(attr, "dual") && t.kind == TKIND_INTERFACE) {
                    t.flags |= TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION;
                } else if (tl::NamesEqual(attr, "oleautomation") && t.kind == TKIND_INTERFACE) {
                    t.flags |= TYPEFLAG_FOLEAUTOMATION;
                } else if (tl::NamesEqual(attr, "noncreatable") && t.kind == TKIND_COCLASS) {
                    t.flags &= static_cast<WORD>(~TYPEFLAG_FCANCREATE);
                } else {
                    throw SourceError{"unknown attribute " + attr};
                }
            }
            lib_.types.push_back(std::move(t));
            nextSlot_ = 7;
            lastIsLibrary_ = false;
            return;
        }
        if (tl::NamesEqual(kw, "method") || tl::NamesEqual(kw, "propget") || tl::NamesEqual(kw, "propput")) {
            tl::Type& t = CurrentType(kw.c_str());
            if (t.kind == TKIND_COCLASS) throw SourceError{"a coclass has no members"};
            tl::Member m;
            m.name = Next(Token::Word, "the member name").text;
            if (!Peek("id")) throw SourceError{"expected id"};
            ++pos_;
            // Ids above 0x7FFFFFFF are the negative ones written in hex.
            m.id = static_cast<MEMBERID>(
                static_cast<std::uint32_t>(NumberIn(INT32_MIN, UINT32_MAX, "the member id")));
            if (tl::NamesEqual(kw, "method")) {
                m.invkind = INVOKE_FUNC;
                if (More() && toks_[pos_].kind == Token::Punct && toks_[pos_].text == "(") {
                    ++pos_;
                    while (!(More() && toks_[pos_].kind == Token::Punct && toks_[pos_].text == ")")) {
                        m.params.push_back(TypeNamed(Next(Token::Word, "an argument type").text));
                        m.paramNames.push_back(Next(Token::Word, "an argument name").text);
                        if (More() && toks_[pos_].kind == Token::Punct && toks_[pos_].text == ",") ++pos_;
                        else if (!(More() && toks_[pos_].text == ")")) throw SourceError{"expected , or )"};
                    }
                    ++pos_;
                }
                if (Peek("returns")) {
                    ++pos_;
                    m.result = TypeNamed(Next(Token::Word, "the result type").text);
                }
            } else if (tl::NamesEqual(kw, "propget")) {
                m.invkind = INVOKE_PROPERTYGET;
                m.result = TypeNamed(Next(Token::Word, "the property type").text);
            } else {
                m.invkind = INVOKE_PROPERTYPUT;
                m.params.push_back(TypeNamed(Next(Token::Word, "the property type").text));
                m.paramNames.push_back("value");
            }
            End();
            for (const tl::Member& other : t.members) {
                if (other.id == m.id && other.invkind == m.invkind) throw SourceError{"member id used twice"};
            }
            if (m.params.size() > 4) throw SourceError{"at most 4 arguments"};
            m.slot = static_cast<short>(nextSlot_++);
            t.members.push_back(std::move(m));
            return;
        }
        if (tl::NamesEqual(kw, "implements")) {
            tl::Type& t = CurrentType("implements");
            if (t.kind != TKIND_COCLASS) throw SourceError{"only a coclass implements interfaces"};
            tl::Implemented im;
            im.name = Next(Token::Word, "the interface name").text;
            while (More()) {
                const std::string attr = Next(Token::Word, "default or source").text;
                if (tl::NamesEqual(attr, "default")) {
                    im.flags |= IMPLTYPEFLAG_FDEFAULT;
                } else if (tl::NamesEqual(attr, "source")) {
                    im.flags |= IMPLTYPEFLAG_FSOURCE;
                } else {
                    throw SourceError{"unknown attribute " + attr};
                }
            }
            t.implemented.push_back(std::move(im));
            return;
        }
        throw SourceError{"unknown statement " + kw};
    }

    tl::Library lib_;
    std::vector<Token> toks_;
    std::size_t pos_ = 0;
    bool haveLibrary_ = false;
    bool lastIsLibrary_ = true;
    int nextSlot_ = 7;
};

}  // namespace

bool CompileTypeLibSource(std::string_view source, std::string* binary, std::string* error) {
    try {
        const tl::Library lib = Parser().Parse(source);
        if (binary) *binary = tl::Encode(lib);
        return true;
    } catch (const SourceError& e) {
        if (error) *error = e.message;
        return false;
    }
}

}  // namespace com
