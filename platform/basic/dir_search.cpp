#include "dir_search.h"

#include <dirent.h>

#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

#include "err.h"
#include "program_path.h"
#include "utf8.h"

namespace vb {

namespace {

std::mutex mutex;
std::deque<std::string> pending;
bool searchActive = false;

std::u32string codePoints(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) out += utf8::Next(s, i);
    return out;
}

bool hasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// Matches * and ? against characters, ignoring case; "*.*" matches every
// name, as on the platform the programs were written for.
bool matches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*") return true;
    std::u32string p = codePoints(utf8::Lower(pattern)), n = codePoints(utf8::Lower(name));
    std::size_t pi = 0, ni = 0, starP = std::u32string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) { ++pi; ++ni; }
        else if (pi < p.size() && p[pi] == U'*') { starP = pi++; starN = ni; }
        else if (starP != std::u32string::npos) { pi = starP + 1; ni = ++starN; }
        else return false;
    }
    while (pi < p.size() && p[pi] == U'*') ++pi;
    return pi == p.size();
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (detail::IsRegularFile(detail::JoinPath(folder, name))) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int c = utf8::CompareNoCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

// The name under which a file exists for `name` in `folder`, "" for none.
std::string findExact(const std::string& folder, const std::string& name) {
    std::string path = detail::JoinPath(folder, name);
    if (detail::IsRegularFile(path)) return name;
    if (detail::HasExeSuffix(name) && detail::IsExecutableFile(detail::WithoutExeSuffix(path))) return name;
    // A name spelled in another case, as the programs' own platform finds it.
    std::string stem = detail::WithoutExeSuffix(name);
    for (const auto& candidate : filesIn(folder)) {
        if (utf8::CompareNoCase(candidate, name) == 0) return candidate;
        if (stem != name && utf8::CompareNoCase(candidate, stem) == 0 &&
            detail::IsExecutableFile(detail::JoinPath(folder, candidate)))
            return name;
    }
    return "";
}

std::string next() {
    if (pending.empty()) {
        searchActive = false;
        return "";
    }
    std::string name = pending.front();
    pending.pop_front();
    return name;
}

}  // namespace

std::string Dir(const std::string& path) {
    if (path.empty()) return Dir();
    if (path.find('\0') != std::string::npos) RaiseError(errors::BadFileNameOrNumber);
    auto slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) name.push_back('*');  // a folder: all its files

    std::deque<std::string> found;
    if (hasWildcards(name)) {
        for (auto& candidate : filesIn(folder))
            if (matches(name, candidate)) found.push_back(std::move(candidate));
    } else if (std::string exact = findExact(folder, name); !exact.empty()) {
        found.push_back(exact);
    }
    std::lock_guard lock(mutex);
    pending = std::move(found);
    searchActive = true;
    return next();
}

std::string Dir() {
    std::lock_guard lock(mutex);
    if (!searchActive) RaiseError(errors::BadFileNameOrNumber);
    return next();
}

}  // namespace vb
