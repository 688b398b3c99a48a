// The main window's commands: the order button in each build, the menus, the
// Admin menu with the inventory program, the layout on resizing and closing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/types.h>

#include "application.h"
#include "catalogue_session.h"
#include "cls_manage_main.h"
#include "frm_about.h"
#include "frm_admin.h"
#include "frm_existing.h"
#include "frm_main.h"
#include "frm_order.h"
#include "frm_tip.h"
#include "mod_main.h"
#include "screen.h"

namespace catalogue::testing {
namespace {

namespace fs = std::filesystem;

using Commands = CatalogueSession;

TEST_F(Commands, OrderingNeedsAnAlbum) {
    Open(Build::C);
    LogInAs("David Kim");
    Main().lblComposer.Caption("");
    ASSERT_TRUE(driver().ChooseMenu(Main().mnuPlaceOrder));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "No Album Selected");
    EXPECT_EQ(LastBox().text, "You need to choose an album before you can order.");
    EXPECT_EQ(LastBox().style, forms::vbOKOnly);

    ChooseAlbum("P 5");
    ASSERT_TRUE(driver().ChooseMenu(Main().mnuPlaceOrder));
    EXPECT_EQ(driver().ModalShows().back(), "frmOrder");
    EXPECT_EQ(forms::Default<frmOrder>().lblAlbumInfo.Caption(), "Mozart - Symphony No. 40 in G minor");
}

TEST_F(Commands, BuildBOrdersTheFirstAlbumAndOnlyAfterALogin) {
    Open(Build::B);
    ChooseAlbum("P 12");
    driver().Click(Main().cmdOrder);  // nobody has logged in
    EXPECT_TRUE(driver().ModalShows().empty());
    EXPECT_EQ(Main().treMain.SelectedItem()->Key(), "P 12");

    LogInAs("David Kim");
    ChooseAlbum("P 12");
    driver().Click(Main().cmdOrder);
    EXPECT_EQ(driver().ModalShows().back(), "frmOrder");
    EXPECT_EQ(Main().treMain.SelectedItem()->Key(), "P 1");
    EXPECT_EQ(Main().lblComposition.Caption(), "Symphony No. 5 in C minor");
}

TEST_F(Commands, ExistingOrdersAreFollowedByANetworkErrorInBuildB) {
    for (Build build : {Build::C, Build::B}) {
        driver().ClearMessageBoxes();
        Open(build);
        ASSERT_TRUE(driver().ChooseMenu(Main().mnuOrderStatus));
        EXPECT_EQ(driver().ModalShows().back(), "frmExisting");
        if (build == Build::B) {
            ASSERT_EQ(driver().MessageBoxes().size(), 1u);
            EXPECT_EQ(LastBox().title, "Network Connection Error");
            EXPECT_EQ(LastBox().text, "Unable to update orders.  Please contact your system administrator.");
            EXPECT_EQ(LastBox().style, forms::vbCritical);
        } else {
            EXPECT_TRUE(driver().MessageBoxes().empty());
        }
        forms::ReleaseDefault<frmMain>();
    }
}

TEST_F(Commands, AdminMenuOpensTheGridsAndRestores) {
    Open(Build::C);
    LogInAs("Database Admin");
    std::vector<std::string> captions;
    for (std::int16_t index : {1, 2}) {
        driver().OnModal([&](forms::Form& form) {
            captions.push_back(form.Caption());
            EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);
        });
        ASSERT_TRUE(driver().ChooseMenu(Main().mnuAdminChoice(index)));
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Orvanta Online Administration - CUSTOMERS",
                                                  "Orvanta Online Administration - ORDERS"}));

    Execute("DELETE FROM ORDERS");
    driver().AnswerMsgBox(forms::vbYes);
    ASSERT_TRUE(driver().ChooseMenu(Main().mnuRestore));
    EXPECT_EQ(LastBox().title, "Restore Database Warning!");
    EXPECT_EQ(Count("ORDERS"), 12);
}

TEST_F(Commands, AdminTableErrorsAreReported) {
    Open(Build::C);
    Execute("DROP TABLE CUSTOMERS");
    Main().Manager().AdminTable(Main(), 1);
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Unexpected error in clsManageMain.AdminTable");
    EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);
    Main().Manager().AdminTable(Main(), 7);  // nothing
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
}

class Inventory : public CatalogueSession {
protected:
    // A stand-in inventory program that leaves a marker file beside itself.
    void InstallProgram(const std::string& name) {
        const fs::path program = ProgramFolder() / name;
        std::ofstream(program) << "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/" << name << ".started\"\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    bool Started(const std::string& name, int waits = 100) {
        const fs::path marker = ProgramFolder() / (name + ".started");
        for (int i = 0; i < waits && !fs::exists(marker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return fs::exists(marker);
    }
    void ChooseInventory() { ASSERT_TRUE(driver().ChooseMenu(Main().mnuAdminChoice(3))); }
};

TEST_F(Inventory, BuildsBAndCStartTheirProgramFromTheProgramFolder) {
    ASSERT_NE(ProgramFolder().string().find(' '), std::string::npos);  // a folder with blanks
    for (Build build : {Build::C, Build::B}) {
        const std::string name = build == Build::C ? "StockwiseC" : "StockwiseB";
        InstallProgram(name);
        Open(build);
        ChooseInventory();
        EXPECT_TRUE(Started(name)) << name;
        EXPECT_TRUE(driver().MessageBoxes().empty());
        EXPECT_TRUE(Main().Visible());
        EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);
        forms::ReleaseDefault<frmMain>();
    }
}

TEST_F(Inventory, MissingProgramIsNamedAndNothingStarts) {
    InstallProgram("StockwiseB");  // another build's program does not count
    Open(Build::C);
    ChooseInventory();
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Cannot Find File");
    EXPECT_EQ(LastBox().text,
              "StockwiseC.exe  could not be found. This file should be in the same directory as the image "
              "files. Please log in as Database Admin and select Admin -> Options. Verify that the Image Path "
              "refers to the directory containing the Orvanta Online image files.");
    EXPECT_EQ(LastBox().style, forms::vbOKOnly);
    EXPECT_FALSE(Started("StockwiseB", 10));
}

TEST_F(Inventory, BuildAStartsItsProgramByNameAndGoesOnWhenItCannot) {
    Open(Build::A);
    ChooseInventory();
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Unexpected error in clsManageMain.AdminTable");
    EXPECT_EQ(LastBox().text.rfind("53: ", 0), 0u) << LastBox().text;
    EXPECT_TRUE(Main().IsLoaded());

    driver().ClearMessageBoxes();
    InstallProgram("StockwiseA");
    ChooseInventory();
    EXPECT_TRUE(Started("StockwiseA"));
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

// The inventory programs of the build, copied into the program folder with
// the inventory's database, started for real and ended by their process id.
class RealInventory : public Inventory {
protected:
    void TearDown() override {
        for (pid_t pid : started_) ::kill(pid, SIGTERM);
        Inventory::TearDown();
    }
    void InstallRealProgram(const std::string& name) {
        fs::copy_file(fs::path(CATALOGUE_PROGRAM_DIR) / name, ProgramFolder() / name,
                      fs::copy_options::overwrite_existing);
        // The platform's shared libraries go with the programs, as the setup installs them.
        for (const auto& entry : fs::directory_iterator(CATALOGUE_PROGRAM_DIR)) {
            const std::string file = entry.path().filename().string();
            if (file.rfind("lib", 0) == 0 && file.find(".so") != std::string::npos)
                fs::copy_file(entry.path(), ProgramFolder() / file, fs::copy_options::skip_existing);
        }
        if (!fs::exists(DataFolder() / "Inventory.mdb"))
            fs::copy_file(fs::path(CATALOGUE_SAMPLE_DATA_DIR) / "Inventory.mdb", DataFolder() / "Inventory.mdb");
    }
    // The process running the program file `name` of the program folder, or 0.
    pid_t RunningProgram(const std::string& name, int waits = 200) {
        const fs::path program = ProgramFolder() / name;
        for (int i = 0; i < waits; ++i) {
            for (const auto& entry : fs::directory_iterator("/proc")) {
                std::error_code ec;
                if (fs::read_symlink(entry.path() / "exe", ec) == program) {
                    const pid_t pid = static_cast<pid_t>(std::stol(entry.path().filename().string()));
                    started_.push_back(pid);
                    return pid;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return 0;
    }
    std::vector<pid_t> started_;
};

TEST_F(RealInventory, AdminInventoryStartsTheInventoryProgramOfTheBuild) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);  // the started program needs no display
    for (Build build : {Build::C, Build::B}) {
        const std::string name = build == Build::C ? "StockwiseC" : "StockwiseB";
        InstallRealProgram(name);
        Open(build);
        ChooseInventory();
        EXPECT_TRUE(driver().MessageBoxes().empty());
        EXPECT_NE(RunningProgram(name), 0) << name << " was not started";
        forms::ReleaseDefault<frmMain>();
    }
}

TEST_F(Commands, HelpMenuOpensTheTipAndTheAboutBox) {
    Open(Build::C);
    ASSERT_TRUE(driver().ChooseMenu(*Main().mnuTip));
    ASSERT_TRUE(driver().ChooseMenu(*Main().mnuHelpAbout));
    EXPECT_EQ(driver().ModalShows(), (std::vector<std::string>{"frmTip", "frmAbout"}));
    forms::ReleaseDefault<frmMain>();

    Open(Build::B);
    ASSERT_TRUE(driver().ChooseMenu(*Main().mnuHelpTip));
    EXPECT_EQ(driver().ModalShows().back(), "frmTip");
}

TEST_F(Commands, ResizeLayoutFollowsTheWindow) {
    frmMain& window = Open(Build::C);
    window.Move(0, 0, 12000, 7000);
    EXPECT_EQ(window.treMain.Width(), 12000 - 6700 - 470);
    EXPECT_EQ(window.tabMain.Left(), 120 + window.treMain.Width() + 150);
    EXPECT_EQ(window.lblSeeInfo->Left(), window.tabMain.Left());
    EXPECT_EQ(window.treMain.Height(), 7000 - 360 - 1850);
    EXPECT_EQ(window.cmdOrder.Top(), 360 + window.treMain.Height() + 120);
    EXPECT_EQ(window.lblOrder->Top(), window.cmdOrder.Top());
    EXPECT_EQ(window.frameInfo.Top(), window.tabMain.Top() + 449);
    EXPECT_EQ(window.frameDetails.Left(), window.tabMain.Left() + 214);

    // Too small: the tree keeps its size.
    const forms::Twips width = window.treMain.Width(), height = window.treMain.Height();
    window.Move(0, 0, 6000, 2000);
    EXPECT_EQ(window.treMain.Width(), width);
    EXPECT_EQ(window.treMain.Height(), height);
    // Beyond 16 bits: no failure.
    window.Move(0, 0, 40000, 40000);
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(Commands, BuildALaysOutOnlyTheFrames) {
    frmMain& window = Open(Build::A);
    const forms::Twips width = window.treMain.Width();
    window.tabMain.Left(3500);
    window.Move(0, 0, 12000, 8000);
    EXPECT_EQ(window.treMain.Width(), width);
    EXPECT_EQ(window.frameInfo.Left(), 3500 + 214);
}

TEST_F(Commands, FileExitEndsTheProgram) {
    Open(Build::C);
    forms::Load(forms::Default<frmOrder>());
    ASSERT_TRUE(driver().ChooseMenu(Main().mnuFileClose));
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(Commands, ClosingTheWindowEndsTheProgramInBuildC) {
    Open(Build::C);
    forms::Load(forms::Default<frmOrder>());
    driver().Close(Main());
    driver().ProcessEvents();
    EXPECT_TRUE(forms::Forms().empty());
}

}  // namespace
}  // namespace catalogue::testing
