#include "ini_file.h"

#include <algorithm>
#include <cctype>
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
    static const char* keys[] = {"databasepassword=", "logpassword=", "password=", "pwd="};
    std::string low = lower(text);
    for (const char* key : keys) {
        const std::string k = key;
        for (std::size_t at = low.find(k); at != std::string::npos; at = low.find(k, at + 1)) {
            if (at > 0 && std::isalnum(static_cast<unsigned char>(low[at - 1]))) continue;
            std::size_t start = at + k.size();
            std::size_t end = text.find_first_of(";'\"\n,", start);
            if (end == std::string::npos) end = text.size();
            if (end > start) {
                text.replace(start, end - start, "****");
                low.replace(start, end - start, "****");
            }
        }
    }
    for (const auto& secret : secrets) {
        std::string s = trim(secret);
        if (s.size() < 3) continue;
        for (std::size_t at = text.find(s); at != std::string::npos; at = text.find(s, at + 4))
            text.replace(at, s.size(), "****");
    }
    return text;
}

}  // namespace pbvm
