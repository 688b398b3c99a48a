#pragma once
// What the catalogue's tests share: a temporary program folder holding a
// copy of the sample database and the album pictures, the forms test driver,
// fresh module state, and ways to look into the copied database.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "dao.h"
#include "program_build.h"
#include "test_driver.h"

namespace forms {
class Node;
class TreeView;
}  // namespace forms

namespace catalogue::testing {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Program folder <tmp>/Orvanta Online/bin with the data in bin/data.
    std::filesystem::path ProgramFolder() const { return program_; }
    std::filesystem::path DataFolder() const { return program_ / "data"; }
    std::filesystem::path DatabaseFile() const { return DataFolder() / "orvanta.mdb"; }

    // A second connection to the copied database, for preparing and checking.
    dao::Database& Db();
    void Execute(const std::string& sql);
    long Count(const std::string& table);
    // The rows of a table as text, ordered by its first column.
    std::string Rows(const std::string& table);

    // The command line Main sees.
    void SetCommand(const std::string& commandLine);
    // Runs modMain::Main; true when it ran to its end, false when the
    // program was ended by End on the way.
    bool RunMain();
    // Loads the main window of `build` without going through Main (the
    // database is opened as Main opens it).
    void OpenDatabaseAsMain();

    // A mouse click on a node of a shown tree, as the user makes it.
    static void ClickNode(forms::TreeView& tree, forms::Node& node);

    forms::testing::Driver& driver() { return *driver_; }

private:
    std::filesystem::path root_, program_;
    std::unique_ptr<forms::testing::Driver> driver_;
    std::shared_ptr<dao::Database> db_;
};

}  // namespace catalogue::testing
