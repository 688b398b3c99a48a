#pragma once
// What the showcase's tests share: a program folder of their own holding a
// copy of the sample database, the registry in a folder of the test's own,
// the forms test driver, and a second connection to look into the copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dao.h"
#include "test_driver.h"

namespace hanzelvb::testing {

class HanzelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // <tmp>/VB Hanzel/bin, with tavorin.mdb in it.
    std::filesystem::path ProgramFolder() const { return program_; }
    std::filesystem::path DatabaseFile() const { return program_ / "tavorin.mdb"; }
    std::filesystem::path Root() const { return root_; }

    // The rows of a table as text, ordered by its first column.
    std::string Rows(const std::string& table);

    // Writes an executable shell script.
    static void WriteScript(const std::filesystem::path& path, const std::string& body);

    forms::testing::Driver& driver() { return *driver_; }

private:
    std::filesystem::path root_, program_;
    std::unique_ptr<forms::testing::Driver> driver_;
};

}  // namespace hanzelvb::testing
