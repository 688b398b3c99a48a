// The tip of the day of both builds: which file each reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "application.h"
#include "frm_main_inventory.h"
#include "frm_tip.h"
#include "inventory_fixture.h"
#include "module_inventory.h"

namespace inventory::testing {
namespace {

namespace fs = std::filesystem;

class Tips : public InventoryTest {
protected:
    static void Write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string TipShown() {
        std::string text;
        driver().OnModal(
            [&](forms::Form& form) { text = dynamic_cast<orvanta::frmTip&>(form).lblTipText.Caption(); });
        EXPECT_TRUE(driver().Click(forms::Default<frmMainInventory>().cmdHelp));
        return text;
    }
};

TEST_F(Tips, BuildCReadsItsFileFromTheDataFolderChosenAtStartUp) {
    const fs::path other = ProgramFolder().parent_path() / "elsewhere";
    fs::create_directories(other);
    fs::copy_file(DatabaseFile(), other / "Inventory.mdb");
    Write(DataFolder() / "InventoryTips.txt", "the sample data's tip");
    Write(ProgramFolder() / "InventoryTips.txt", "the program folder's tip");
    Write(other / "InventoryTips.txt", "the chosen folder's tip");
    SetCommand(other.string());
    ASSERT_TRUE(RunMain());
    EXPECT_EQ(TipShown(), "the chosen folder's tip");
    fs::remove(other / "InventoryTips.txt");
    EXPECT_EQ(TipShown(), orvanta::TipFileNotFoundText("InventoryTips.txt"));
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(Tips, BuildBReadsItsFileFromTheProgramFolder) {
    UseBuild(Build::B);
    Write(DataFolder() / "InventoryTipsB.txt", "not here");
    ASSERT_TRUE(RunMain());
    EXPECT_EQ(TipShown(), orvanta::TipFileNotFoundText("InventoryTipsB.txt"));
    Write(ProgramFolder() / "InventoryTipsB.txt", "the program folder's tip\r\n");
    EXPECT_EQ(TipShown(), "the program folder's tip");
}

TEST(ShippedTips, EveryLineIsATip) {
    for (const char* file : {"data/InventoryTips.txt", "InventoryTipsB.txt"}) {
        std::ifstream in(fs::path(INVENTORY_PROGRAM_DIR) / file);
        ASSERT_TRUE(in) << file;
        int lines = 0;
        for (std::string line; std::getline(in, line); ++lines) EXPECT_FALSE(line.empty()) << file;
        EXPECT_GE(lines, 4) << file;
    }
}

}  // namespace
}  // namespace inventory::testing
