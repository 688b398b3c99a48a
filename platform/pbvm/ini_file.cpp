#include "ini_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

namespace pbvm {

namespace {

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace

std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& fallback) {
    std::ifstream in(nativePath(file));
    if (!in) return fallback;
    const std::string wantSection = lower(section), wantKey = lower(key);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t.front() == '[') {
            auto close = t.find(']');
            inSection = close != std::string::npos && lower(trim(t.substr(1, close - 1))) == wantSection;
            continue;
        }
        auto eq = t.find('=');
        if (inSection && eq != std::string::npos && lower(trim(t.substr(0, eq))) == wantKey)
            return trim(t.substr(eq + 1));
    }
    return fallback;
}

std::string HidePasswords(std::string text, const std::vector<std::string>& secrets) {
    // One pass over the text for the keys and one per secret: a long text
    // with many of them costs no more than a short one per character.
    static const char* keys[] = {"databasepassword=", "logpassword=", "password=", "pwd="};
    const std::string low = lower(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char* key = nullptr;
        if (i == 0 || !std::isalnum(static_cast<unsigned char>(low[i - 1])))
            for (const char* k : keys)
                if (low.compare(i, std::strlen(k), k) == 0) {
                    key = k;
                    break;
                }
        if (!key) {
            out += text[i++];
            continue;
        }
        const std::size_t start = i + std::strlen(key);
        std::size_t end = text.find_first_of(";'\"\n,", start);
        if (end == std::string::npos) end = text.size();
        out.append(text, i, start - i);
        if (end > start) out += "****";
        i = end;
    }
    text = std::move(out);
    for (const auto& secret : secrets) {
        const std::string s = trim(secret);
        if (s.size() < 3) continue;
        out.clear();
        std::size_t from = 0;
        for (std::size_t at = text.find(s); at != std::string::npos; at = text.find(s, from)) {
            out.append(text, from, at - from);
            out += "****";
            from = at + s.size();
        }
        out.append(text, from, std::string::npos);
        text.swap(out);
    }
    return text;
}

}  // namespace pbvm
