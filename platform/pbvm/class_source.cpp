#include "class_source.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

#include "number_text.h"

namespace pbvm {

namespace {

constexpr char kClassMagic[] = "PBC0600";  // with its zero: 8 bytes
constexpr char kDataWindowMagic[] = "PDW0606";

// Field and slot numbers are 16-bit in the runtime's records; property
// numbers are 32-bit values, signed or not.
constexpr long long kMaxFieldNumber = 0xFFFF;
constexpr long long kMinPropertyNumber = -0x80000000LL, kMaxPropertyNumber = 0xFFFFFFFFLL;

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

void append(Bytes& out, const std::string& text, bool zero) {
    out.insert(out.end(), text.begin(), text.end());
    if (zero) out.push_back(0);
}

}  // namespace

Bytes CompileClassSource(const Bytes& source) {
    std::istringstream in(std::string(source.begin(), source.end()));
    Bytes out;
    append(out, kClassMagic, true);
    std::string line;
    bool types = false;
    int count = 0;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        if (!types) {
            if (t == "_initsrc") {
                append(out, "_initsrc", true);
                types = true;
            } else {
                append(out, (line[0] == ' ' ? "  " : "") + t + "\n", false);
            }
        } else {
            append(out, t, true);
            ++count;
        }
    }
    if (!types || count == 0) throw std::runtime_error("class source without a type list");
    out.push_back(0);
    return out;
}

Bytes CompileDataWindowSource(const Bytes& source) {
    Bytes out;
    append(out, kDataWindowMagic, true);
    append(out, "pdw\n", false);
    out.insert(out.end(), source.begin(), source.end());
    out.push_back(0);
    return out;
}

Bytes BuildObjectList(const std::string& application, const std::vector<std::string>& classes) {
    Bytes out{1};
    append(out, application, true);
    out.push_back(0);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(classes.size()));
    out.push_back(static_cast<std::uint8_t>(classes.size() >> 8));
    for (const auto& c : classes) append(out, c, true);
    return out;
}

std::string ObjectDef::text(const std::string& property, const std::string& fallback) const {
    auto it = properties.find(property);
    if (it == properties.end()) return fallback;
    if (auto s = std::get_if<std::string>(&it->second)) return *s;
    return std::to_string(std::get<long>(it->second));
}

long ObjectDef::number(const std::string& property, long fallback) const {
    auto it = properties.find(property);
    if (it == properties.end()) return fallback;
    if (auto n = std::get_if<long>(&it->second)) return *n;
    return fallback;
}

const ObjectDef* ClassDef::object(const std::string& name) const {
    for (const auto& o : objects)
        if (o.name == name) return &o;
    return nullptr;
}

const GlobalDef* ClassDef::global(int slot) const {
    for (const auto& g : globals)
        if (g.slot == slot) return &g;
    return nullptr;
}

int ClassDef::typeId(const std::string& name) const {
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i] == name) return 0x8001 + static_cast<int>(i);
    return 0;
}

std::string ClassDef::typeName(int typeId) const {
    int i = typeId - 0x8001;
    if (i < 0 || i >= static_cast<int>(types.size())) return {};
    return types[i];
}

std::optional<ClassDef> ParseClassEntry(const Bytes& entry, std::string& error) {
    if (entry.size() < 8 || std::memcmp(entry.data(), kClassMagic, 8) != 0) {
        error = "not a class entry";
        return std::nullopt;
    }
    const char* begin = reinterpret_cast<const char*>(entry.data());
    const char* end = begin + entry.size();
    const char* marker = nullptr;
    for (const char* p = begin + 8; p + 9 <= end; ++p)
        if (std::memcmp(p, "_initsrc", 9) == 0) {
            marker = p;
            break;
        }
    if (!marker) {
        error = "class entry without a type list";
        return std::nullopt;
    }
    ClassDef def;
    std::istringstream in(std::string(begin + 8, marker));
    std::string line;
    ObjectDef* current = nullptr;
    auto damaged = [&](const std::string& what, const std::string& t) {
        error = what + ": " + t;
        return std::nullopt;
    };
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty()) continue;
        if (line[0] == ' ') {
            auto eq = t.find('=');
            if (!current || eq == std::string::npos) return damaged("property outside an object", t);
            std::string key = trim(t.substr(0, eq)), value = trim(t.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                current->properties[key] = value.substr(1, value.size() - 2);
            } else if (auto n = WholeNumber(value, kMinPropertyNumber, kMaxPropertyNumber)) {
                current->properties[key] = static_cast<long>(*n);
            } else {
                return damaged("a property is neither a number nor a text", t);
            }
            continue;
        }
        const std::vector<std::string> w = splitWords(t);
        if (w.empty()) return damaged("unknown line in class entry", t);
        const std::string& kind = w[0];
        if (kind == "class" && w.size() == 3) {
            def.name = w[1];
            def.kind = w[2];
        } else if (kind == "global" && w.size() == 4) {
            auto slot = WholeNumber(w[1], 0, kMaxFieldNumber);
            if (!slot) return damaged("a global variable has a wrong slot", t);
            def.globals.push_back({static_cast<int>(*slot), w[2], w[3]});
        } else if (kind == "instance" && w.size() == 4) {
            auto field = WholeNumber(w[1], 0, kMaxFieldNumber);
            if (!field) return damaged("an instance variable has a wrong field", t);
            def.instanceVariables.push_back({static_cast<int>(*field), w[2], w[3]});
        } else if (kind == "object" && w.size() == 5) {
            ObjectDef o;
            o.name = w[1];
            o.sysClass = w[2];
            if (w[3] != "-") o.parent = w[3];
            if (w[4] != "-") {
                auto field = WholeNumber(w[4], 0, kMaxFieldNumber);
                if (!field) return damaged("an object has a wrong field", t);
                o.field = static_cast<int>(*field);
            }
            def.objects.push_back(o);
            current = &def.objects.back();
        } else if (kind == "script" && w.size() == 3) {
            def.scripts.push_back(w[1] + " " + w[2]);
        } else {
            return damaged("unknown line in class entry", t);
        }
    }
    for (const char* p = marker + 9; p < end && *p; p += std::strlen(p) + 1) {
        const void* zero = std::memchr(p, 0, static_cast<std::size_t>(end - p));
        if (!zero) {
            error = "class entry with an unterminated type name";
            return std::nullopt;
        }
        def.types.emplace_back(p);
    }
    if (def.name.empty() || def.objects.empty() || def.objects.front().name != def.name || def.types.empty()) {
        error = "class entry without its class";
        return std::nullopt;
    }
    return def;
}

std::optional<ObjectList> ParseObjectList(const Bytes& entry, std::string& error) {
    std::size_t pos = 0;
    auto text = [&](std::string& out) {
        const void* zero = pos < entry.size() ? std::memchr(&entry[pos], 0, entry.size() - pos) : nullptr;
        if (!zero) return false;
        out.assign(reinterpret_cast<const char*>(&entry[pos]));
        pos += out.size() + 1;
        return true;
    };
    ObjectList list;
    if (entry.empty() || entry[0] != 1) {
        error = "the object list has an unknown format";
        return std::nullopt;
    }
    pos = 1;
    if (!text(list.application) || pos + 4 > entry.size()) {
        error = "the object list is damaged";
        return std::nullopt;
    }
    pos += 2;
    std::size_t count = entry[pos] | (entry[pos + 1] << 8);
    pos += 2;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name;
        if (!text(name)) {
            error = "the object list is damaged";
            return std::nullopt;
        }
        list.classes.push_back(name);
    }
    return list;
}

}  // namespace pbvm
