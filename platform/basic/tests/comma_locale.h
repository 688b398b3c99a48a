#pragma once
// The numeric conventions of a user whose language writes "12,5", as a
// program has them once its Qt application has taken the user's locale:
// C's printf and strtod then write and read a decimal comma. A locale with
// only those conventions is compiled once into a temporary folder with
// localedef; where that cannot be done, Active() is false and the test is
// skipped.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        static const std::string folder = Compile();
        if (folder.empty()) return;
        setenv("LOCPATH", folder.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "comma") != nullptr &&
                  std::string(std::localeconv()->decimal_point) == ",";
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_NUMERIC, "C");
        unsetenv("LOCPATH");
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool Active() const { return active_; }

private:
    static std::string Compile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "comma-locale-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return {};
        static const struct Remover {
            std::string folder;
            ~Remover() {
                std::error_code ec;
                std::filesystem::remove_all(folder, ec);
            }
        } remover{pattern};
        std::ofstream(pattern + "/comma.def") << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                                 "grouping 3;3\nEND LC_NUMERIC\n";
        const std::string command = "localedef -c -i '" + pattern + "/comma.def' -f ANSI_X3.4-1968 '" + pattern +
                                    "/comma' >/dev/null 2>&1";
        (void)std::system(command.c_str());
        return std::filesystem::exists(pattern + "/comma/LC_NUMERIC") ? pattern : std::string();
    }

    bool active_ = false;
};

#define SKIP_WITHOUT(locale) \
    if (!(locale).Active()) GTEST_SKIP() << "no locale with a decimal comma could be made"
