// The tip-of-the-day form with its two kinds of load.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app_object.h"
#include "application.h"
#include "frm_tip.h"
#include "test_driver.h"

namespace {

namespace fs = std::filesystem;
using orvanta::frmTip;

class TipForm : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tip form " + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data");
        vb::App().SetPathForTesting(folder_.string());
    }
    void TearDown() override {
        frmTip::UseLoadProcedure({});
        vb::App().SetPathForTesting("");
        fs::remove_all(folder_);
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return (folder_ / name).string();
    }
    // Opens the form with the load of one named file and runs `inside`.
    void Open(const std::string& path, const std::function<void(frmTip&)>& inside = {}) {
        frmTip::UseLoadProcedure(orvanta::LoadTipsFromFile([path] { return path; }, "Tips.txt"));
        Show(inside);
    }
    void Show(const std::function<void(frmTip&)>& inside) {
        driver_.OnModal([&, inside](forms::Form& form) {
            auto& tip = dynamic_cast<frmTip&>(form);
            if (inside) inside(tip);
            driver_.Click(tip.cmdOK);
        });
        forms::Default<frmTip>().Show(forms::vbModal);
        EXPECT_FALSE(forms::Default<frmTip>().IsLoaded());
    }

    fs::path folder_;
    forms::testing::Driver driver_;
};

TEST_F(TipForm, OneLineIsAlwaysTheTip) {
    const std::string path = Write("one.txt", "Press F1 for help.\r\n");
    Open(path, [&](frmTip& tip) {
        EXPECT_EQ(tip.Caption(), "Tip of the Day");
        EXPECT_EQ(tip.Label1.Caption(), "Did you know...");
        EXPECT_EQ(tip.TipCount(), 1);
        EXPECT_EQ(tip.lblTipText.Caption(), "Press F1 for help.");
        for (int i = 0; i < 5; ++i) {
            driver_.Click(tip.cmdNextTip);
            EXPECT_EQ(tip.lblTipText.Caption(), "Press F1 for help.");
        }
    });
}

TEST_F(TipForm, EveryLineIsATipAndNextTipPicksAmongThem) {
    const std::string path = Write("three.txt", "first\n\nthird\n");
    std::set<std::string> seen;
    Open(path, [&](frmTip& tip) {
        EXPECT_EQ(tip.TipCount(), 3);
        for (int i = 0; i < 60; ++i) {
            seen.insert(tip.lblTipText.Caption());
            EXPECT_GE(tip.CurrentTip(), 1);
            EXPECT_LE(tip.CurrentTip(), 3);
            driver_.Click(tip.cmdNextTip);
        }
    });
    EXPECT_EQ(seen, (std::set<std::string>{"first", "", "third"}));
    // Each opening reads the file afresh.
    Open(path, [&](frmTip& tip) { EXPECT_EQ(tip.TipCount(), 3); });
}

TEST_F(TipForm, AnEmptyFileIsFoundButShowsNothing) {
    const std::string path = Write("empty.txt", "");
    Open(path, [&](frmTip& tip) {
        EXPECT_EQ(tip.TipCount(), 0);
        EXPECT_EQ(tip.lblTipText.Caption(), "");
        driver_.Click(tip.cmdNextTip);
        EXPECT_EQ(tip.lblTipText.Caption(), "");
    });
    EXPECT_TRUE(driver_.MessageBoxes().empty());
}

TEST_F(TipForm, AMissingFileExplainsHowToMakeOne) {
    const std::string expected =
        "That the Tips.txt file was not found? \r\n\r\nCreate a text file named Tips.txt using NotePad with 1 "
        "tip per line. Then place it in the same directory as the application. ";
    for (const std::string& path : {(folder_ / "sub" / "Tips.txt").string(), std::string()}) {
        Open(path, [&](frmTip& tip) {
            EXPECT_EQ(tip.lblTipText.Caption(), expected);
            driver_.Click(tip.cmdNextTip);
            EXPECT_EQ(tip.lblTipText.Caption(), expected);
        });
    }
    frmTip& tip = forms::Default<frmTip>();
    EXPECT_FALSE(tip.LoadTips(""));
    EXPECT_FALSE(tip.LoadTips((folder_ / "absent.txt").string()));
    EXPECT_TRUE(driver_.MessageBoxes().empty());
}

TEST_F(TipForm, TheDataFolderComesBeforeTheProgramFolder) {
    Write("db.mdb", "");
    Write("Tips.txt", "from the program folder");
    frmTip::UseLoadProcedure(orvanta::LoadTipsFromDataFolder("db.mdb", "Tips.txt"));
    Show([](frmTip& tip) { EXPECT_EQ(tip.lblTipText.Caption(), "from the program folder"); });

    fs::rename(folder_ / "db.mdb", folder_ / "data" / "db.mdb");
    Write("data/Tips.txt", "from the data folder");
    Show([](frmTip& tip) { EXPECT_EQ(tip.lblTipText.Caption(), "from the data folder"); });

    fs::remove(folder_ / "data" / "Tips.txt");
    Show([](frmTip& tip) { EXPECT_EQ(tip.lblTipText.Caption(), "from the program folder"); });

    fs::remove(folder_ / "Tips.txt");
    Show([](frmTip& tip) { EXPECT_EQ(tip.lblTipText.Caption().rfind("That the Tips.txt file", 0), 0u); });
    EXPECT_TRUE(driver_.MessageBoxes().empty());
}

TEST_F(TipForm, AnUnreadableFileIsReportedAndTheFormStillOpens) {
    const std::string path = Write("locked.txt", "secret");
    fs::permissions(path, fs::perms::none);
    if (std::ifstream(path).good()) GTEST_SKIP() << "files stay readable for this user";
    bool opened = false;
    Open(path, [&](frmTip&) { opened = true; });
    EXPECT_TRUE(opened);
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_.MessageBoxes()[0].title, "Unexpected error in frmTip.Load");
}

}  // namespace
