#pragma once
// A folder of its own for each test, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vbbasic-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes `bytes` to a file in the folder; `executable` marks it runnable.
    void write(const std::string& name, const std::string& bytes, bool executable = false) const {
        std::ofstream(*this / name, std::ios::binary) << bytes;
        if (executable)
            std::filesystem::permissions(*this / name, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(*this / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};
