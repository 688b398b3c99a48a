#pragma once
// Points the registry at a fresh temporary folder for one test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvanta-reg-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        setenv("ORVANTA_REGISTRY_DIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("ORVANTA_REGISTRY_DIR");
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string folder_;
};
