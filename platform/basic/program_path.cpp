#include "program_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

namespace vb::detail {

std::string JoinPath(const std::string& folder, const std::string& name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path.push_back('/');
    path.append(name);
    return path;
}

bool IsRegularFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsExecutableFile(const std::string& path) { return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0; }

bool HasExeSuffix(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (auto& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".exe";
}

std::string WithoutExeSuffix(const std::string& name) {
    return HasExeSuffix(name) ? name.substr(0, name.size() - 4) : name;
}

std::string ResolveProgramFile(const std::string& path) {
    if (IsExecutableFile(path)) return path;
    if (HasExeSuffix(path) && IsExecutableFile(WithoutExeSuffix(path))) return WithoutExeSuffix(path);
    return "";
}

}  // namespace vb::detail
