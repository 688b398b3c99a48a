#include "data_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app_object.h"

namespace {

namespace fs = std::filesystem;

// A temporary tree: <root>/Apps/Orvanta is the program folder.
class DataPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("data_path_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        program_ = root_ / "Apps" / "Orvanta";
        fs::create_directories(program_);
        vb::App().SetPathForTesting(program_.string());
    }
    void TearDown() override {
        vb::App().SetPathForTesting("");
        fs::remove_all(root_);
    }
    void Touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    fs::path root_, program_;
};

TEST_F(DataPathTest, DataSubfolderOfTheProgramFolder) {
    Touch(program_ / "data" / "orvanta.mdb");
    EXPECT_EQ(orvanta::GetDataPath("orvanta.mdb"), program_.string() + "/data/");
}

TEST_F(DataPathTest, DataFolderBesideTheProgramFolder) {
    Touch(root_ / "Apps" / "data" / "orvanta.mdb");
    EXPECT_EQ(orvanta::GetDataPath("orvanta.mdb"), (root_ / "Apps").string() + "/data/");
}

TEST_F(DataPathTest, SubfolderWinsWhenBothHoldTheFile) {
    Touch(program_ / "data" / "orvanta.mdb");
    Touch(root_ / "Apps" / "data" / "orvanta.mdb");
    EXPECT_EQ(orvanta::GetDataPath("orvanta.mdb"), program_.string() + "/data/");
}

TEST_F(DataPathTest, NeitherGivesTheProgramFolder) {
    EXPECT_EQ(orvanta::GetDataPath("orvanta.mdb"), program_.string() + "/");
}

TEST_F(DataPathTest, LooksForTheFileItIsGiven) {
    Touch(program_ / "data" / "orvanta.mdb");
    Touch(root_ / "Apps" / "data" / "inventory.mdb");
    EXPECT_EQ(orvanta::GetDataPath("inventory.mdb"), (root_ / "Apps").string() + "/data/");
}

TEST_F(DataPathTest, FolderNamesWithBlanksAndNonAsciiCharacters) {
    program_ = root_ / "Mes Programmes" / "Orvanta Öl";
    fs::create_directories(program_);
    vb::App().SetPathForTesting(program_.string());
    Touch(root_ / "Mes Programmes" / "data" / "orvanta.mdb");
    EXPECT_EQ(orvanta::GetDataPath("orvanta.mdb"), (root_ / "Mes Programmes").string() + "/data/");
}

}  // namespace
