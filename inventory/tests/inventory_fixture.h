#pragma once
// What the inventory's tests share: a temporary program folder holding a
// copy of the sample database, the forms test driver, fresh module state
// for a chosen build, and a second connection to look into the copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dao.h"
#include "program_build.h"
#include "test_driver.h"

namespace inventory::testing {

class InventoryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Program folder <tmp>/Orvanta Inventory/bin with the data in bin/data.
    std::filesystem::path ProgramFolder() const { return program_; }
    std::filesystem::path DataFolder() const { return program_ / "data"; }
    std::filesystem::path DatabaseFile() const { return DataFolder() / "Inventory.mdb"; }

    // Runs as `build` from here on (the forms made afterwards are its forms).
    void UseBuild(Build build);
    // The command line Main sees.
    void SetCommand(const std::string& commandLine);
    // Runs Inventory::Main; false when the program was ended on the way.
    bool RunMain();
    // What Main does to the data layer, without the splash and the main
    // window: the database opened from the data folder, the tables defined.
    void OpenDataLayer();

    // A second connection to the copied database, for preparing and checking.
    dao::Database& Db();
    void Execute(const std::string& sql);
    long Count(const std::string& table);
    // The first field of the first row of a query, as a number or as text.
    long Value(const std::string& sql);
    std::string Text(const std::string& sql);
    // The rows of a table as text, ordered by its first column.
    std::string Rows(const std::string& table);

    forms::testing::Driver& driver() { return *driver_; }
    // The latest message box shown, or an empty one.
    forms::testing::RecordedMessageBox LastBox() const;

private:
    std::filesystem::path root_, program_;
    std::unique_ptr<forms::testing::Driver> driver_;
    std::shared_ptr<dao::Database> db_;
};

}  // namespace inventory::testing
