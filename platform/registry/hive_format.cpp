#include "hive_format.h"

#include <charconv>
#include <vector>

namespace reg {
namespace {

constexpr std::string_view kHeader = "#orvanta-registry 1 ";
constexpr std::string_view kEnd = "#end";
const char* const kHex = "0123456789abcdef";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

void PutEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0xf];
}

// Texts: "%" and control characters escaped; key names also "\\".
std::string EncodeText(std::string_view s, bool keyName = false) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '%' || IsControl(c) || (keyName && c == '\\')) PutEscaped(out, c);
        else out += ch;
    }
    return out;
}

// Value names: also "=" anywhere and a first character that would read as
// another kind of line or as the default value.
std::string EncodeValueName(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        bool lead = i == 0 && (c == '[' || c == '#' || c == '@');
        if (c == '%' || c == '=' || IsControl(c) || lead) PutEscaped(out, c);
        else out += s[i];
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Decode(std::string_view s, int line) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        const bool complete = i + 2 < s.size();
        int hi = complete ? HexDigit(s[i + 1]) : -1;
        int lo = complete ? HexDigit(s[i + 2]) : -1;
        if (hi < 0 || lo < 0) throw HiveFormatError(line, "bad \"%\" escape");
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::string WriteBytes(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ',';
        auto c = static_cast<unsigned char>(bytes[i]);
        out += kHex[c >> 4];
        out += kHex[c & 0xf];
    }
    return out;
}

std::string ReadBytes(std::string_view s, int line) {
    std::string out;
    if (s.empty()) return out;
    std::size_t i = 0;
    while (true) {
        if (i + 2 > s.size()) throw HiveFormatError(line, "bad byte list");
        int hi = HexDigit(s[i]), lo = HexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) throw HiveFormatError(line, "bad byte list");
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        if (i == s.size()) break;
        if (s[i] != ',') throw HiveFormatError(line, "bad byte list");
        ++i;
    }
    return out;
}

template <typename T>
bool ParseDecimal(std::string_view s, T& out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

std::string WriteValue(const Value& v) {
    switch (v.type) {
    case REG_SZ: return "sz:" + EncodeText(v.data);
    case REG_DWORD: return "dword:" + std::to_string(v.number);
    case REG_BINARY: return "hex:" + WriteBytes(v.data);
    default: return "hex(" + std::to_string(v.type) + "):" + WriteBytes(v.data);
    }
}

Value ReadValue(std::string_view s, int line) {
    if (s.starts_with("sz:")) return Value::Text(Decode(s.substr(3), line));
    if (s.starts_with("dword:")) {
        std::uint32_t n = 0;
        if (!ParseDecimal(s.substr(6), n)) throw HiveFormatError(line, "bad 32-bit number");
        return Value::Number(n);
    }
    if (s.starts_with("hex:")) return Value::Bytes(ReadBytes(s.substr(4), line), REG_BINARY);
    if (s.starts_with("hex(")) {
        std::size_t close = s.find("):");
        std::uint32_t type = 0;
        if (close == std::string_view::npos || !ParseDecimal(s.substr(4, close - 4), type) ||
            type == REG_SZ || type == REG_DWORD || type == REG_BINARY)
            throw HiveFormatError(line, "bad value type");
        return Value{type, ReadBytes(s.substr(close + 2), line), 0};
    }
    throw HiveFormatError(line, "unknown value type");
}

void WriteKey(std::string& out, const KeyNode& key, const std::string& path, bool root) {
    if (!root || !key.values().empty()) {
        out += '[';
        out += path;
        out += "]\n";
        for (const auto& [name, value] : key.values()) {
            out += name.empty() ? std::string("@") : EncodeValueName(name);
            out += '=';
            out += WriteValue(value);
            out += '\n';
        }
    }
    for (const KeyNode* child : key.Children()) {
        std::string name = EncodeText(child->name(), true);
        std::string childPath = root ? name : path + "\\" + name;
        WriteKey(out, *child, childPath, false);
    }
}

}  // namespace

std::string WriteHive(const KeyNode& root, std::string_view hiveName) {
    std::string out;
    out += kHeader;
    out += hiveName;
    out += '\n';
    WriteKey(out, root, "", true);
    out += kEnd;
    out += '\n';
    return out;
}

KeyNode ReadHive(std::string_view text, std::string_view hiveName) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) throw HiveFormatError(0, "the file is cut short");
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.empty() || lines.front() != std::string(kHeader) + std::string(hiveName))
        throw HiveFormatError(1, "not a registry file of " + std::string(hiveName));
    if (lines.back() != kEnd) throw HiveFormatError(0, "the file is cut short");

    KeyNode root;
    KeyNode* current = nullptr;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        std::string_view line = lines[i];
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2)
                throw HiveFormatError(lineNo, "bad key line");
            std::string_view path = line.substr(1, line.size() - 2);
            std::vector<std::string> names;
            if (!path.empty()) {
                std::size_t s = 0;
                while (true) {
                    std::size_t e = path.find('\\', s);
                    std::string_view part = path.substr(s, e == std::string_view::npos ? e : e - s);
                    if (part.empty()) throw HiveFormatError(lineNo, "empty key name");
                    names.push_back(Decode(part, lineNo));
                    if (names.size() > kMaxKeyDepth) throw HiveFormatError(lineNo, "key nested too deep");
                    if (e == std::string_view::npos) break;
                    s = e + 1;
                }
            }
            current = &root.DescendOrCreate(names);
            continue;
        }
        if (line.front() == '#') throw HiveFormatError(lineNo, "unexpected line");
        if (!current) throw HiveFormatError(lineNo, "value outside a key");
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) throw HiveFormatError(lineNo, "bad value line");
        std::string_view rawName = line.substr(0, eq);
        std::string name = rawName == "@" ? std::string() : Decode(rawName, lineNo);
        if (current->Find(name)) throw HiveFormatError(lineNo, "value \"" + name + "\" given twice");
        current->Set(name, ReadValue(line.substr(eq + 1), lineNo));
    }
    return root;
}

}  // namespace reg
