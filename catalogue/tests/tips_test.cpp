// The tip of the day from the Help menu: where builds C and B find their
// tips files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "application.h"
#include "catalogue_session.h"
#include "frm_main.h"
#include "frm_tip.h"

namespace catalogue::testing {
namespace {

namespace fs = std::filesystem;

class Tips : public CatalogueSession {
protected:
    void TearDown() override {
        orvanta::frmTip::UseLoadProcedure({});
        CatalogueSession::TearDown();
    }
    static void Write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    // Chooses the tip item of the Help menu and returns the tip shown.
    std::string TipShown(forms::Menu& item) {
        std::string text;
        driver().OnModal([&](forms::Form& form) { text = dynamic_cast<orvanta::frmTip&>(form).lblTipText.Caption(); });
        EXPECT_TRUE(driver().ChooseMenu(item));
        return text;
    }
};

TEST_F(Tips, BuildCLooksInTheDataFolderFirst) {
    Open(Build::C);
    Write(ProgramFolder() / "OrvantaTips.txt", "program folder tip");
    Write(DataFolder() / "OrvantaTips.txt", "data folder tip");
    EXPECT_EQ(TipShown(*Main().mnuTip), "data folder tip");

    fs::remove(DataFolder() / "OrvantaTips.txt");
    EXPECT_EQ(TipShown(*Main().mnuTip), "program folder tip");

    fs::remove(ProgramFolder() / "OrvantaTips.txt");
    EXPECT_EQ(TipShown(*Main().mnuTip),
              "That the OrvantaTips.txt file was not found? \r\n\r\nCreate a text file named OrvantaTips.txt "
              "using NotePad with 1 tip per line. Then place it in the same directory as the application. ");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(Tips, BuildBReadsItsFileFromTheCurrentFolder) {
    Open(Build::B);
    Write(DataFolder() / "OrvantaTipsB.txt", "not here");
    const fs::path before = fs::current_path();
    fs::current_path(DataFolder());
    const std::string missing = TipShown(*Main().mnuHelpTip);
    fs::current_path(ProgramFolder());
    const std::string missingHere = TipShown(*Main().mnuHelpTip);
    Write(ProgramFolder() / "OrvantaTipsB.txt", "current folder tip");
    const std::string found = TipShown(*Main().mnuHelpTip);
    fs::current_path(before);

    EXPECT_EQ(missing, "not here");
    EXPECT_EQ(missingHere.rfind("That the OrvantaTipsB.txt file was not found? ", 0), 0u) << missingHere;
    EXPECT_EQ(found, "current folder tip");
}

TEST(InstalledTips, EachBuildFindsItsFileInTheProgramFolders) {
    const fs::path bin = CATALOGUE_PROGRAM_DIR;
    for (const fs::path& file : {bin / "data" / "OrvantaTips.txt", bin / "OrvantaTipsB.txt"}) {
        std::ifstream in(file);
        ASSERT_TRUE(in.good()) << file;
        int lines = 0;
        for (std::string line; std::getline(in, line);) {
            EXPECT_FALSE(line.empty()) << file;
            ++lines;
        }
        EXPECT_GE(lines, 5) << file;
    }
}

}  // namespace
}  // namespace catalogue::testing
