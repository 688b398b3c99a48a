// What tells the three builds apart: the main window's design and menus, and
// each program's version block.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "application.h"
#include "catalogue_fixture.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "frm_splash.h"
#include "mod_main.h"

namespace catalogue::testing {
namespace {

class Builds : public CatalogueTest {
protected:
    frmMain& LoadAs(Build build) {
        SetProgramBuild(build);
        OpenDatabaseAsMain();
        frmMain& window = forms::Default<frmMain>();
        forms::Load(window);
        return window;
    }
    static std::vector<std::string> MenuItems(forms::Menu& menu) {
        std::vector<std::string> names;
        for (forms::Menu* item : menu.Items()) {
            names.push_back(item->QualifiedName() + (item->Visible() ? "" : " (hidden)") + " " + item->Caption());
        }
        return names;
    }
    static bool Has(frmMain& window, const std::string& name) {
        return window.Controls().Find(name) != nullptr;
    }
};

TEST_F(Builds, BuildCDesign) {
    frmMain& window = LoadAs(Build::C);
    EXPECT_EQ(window.Left(), 2715);
    EXPECT_EQ(window.Top(), 1095);
    EXPECT_EQ(window.Width(), 10905);
    EXPECT_EQ(window.Height(), 5610);
    EXPECT_EQ(window.cmdOrder.Caption(), "Order It!");
    ASSERT_TRUE(window.lblChooseAlbum && window.lblSeeInfo && window.lblOrder);
    EXPECT_EQ(window.lblChooseAlbum->Caption(), "1. Choose an Album");
    EXPECT_EQ(window.lblSeeInfo->Caption(), "2. See Album Details");
    EXPECT_EQ(window.lblOrder->Caption(), "3. Place Order");
    EXPECT_TRUE(Has(window, "lblChooseAlbum") && Has(window, "lblSeeInfo") && Has(window, "lblOrder"));
    // The composer shows beside "Composition:".
    EXPECT_EQ(window.lblCompositionLabel.Caption(), "Composition:");
    EXPECT_EQ(window.lblComposition2.Caption(), "Beethoven");

    EXPECT_EQ(MenuItems(window.mnuFile),
              (std::vector<std::string>{"mnuLogin &Login As New User...", "mnuFileClose E&xit"}));
    EXPECT_EQ(MenuItems(window.mnuOrder),
              (std::vector<std::string>{"mnuPlaceOrder &Place New Order...",
                                        "mnuOrderStatus &View Existing Order Status...", "div (hidden) -",
                                        "mnuPlaceSpecialOrder (hidden) &Place a Special Order..."}));
    EXPECT_EQ(MenuItems(window.mnuAdmin),
              (std::vector<std::string>{"mnuAdminChoice(1) &Customers...", "mnuAdminChoice(2) &Orders...",
                                        "mnuAdminChoice(3) &Inventory...", "mnuBreak1 -",
                                        "mnuRestore &Restore Database"}));
    EXPECT_EQ(MenuItems(window.mnuHelp),
              (std::vector<std::string>{"mnuTip &Tip of the day...", "mnuHelpAbout &About Orvanta Online"}));
    EXPECT_EQ(window.mnuFile.Caption(), "&File");
    EXPECT_EQ(window.mnuOrder.Caption(), "&Order");
    EXPECT_EQ(window.mnuAdmin.Caption(), "&Admin");
    EXPECT_EQ(window.mnuHelp.Caption(), "&Help");
}

TEST_F(Builds, BuildBDesign) {
    frmMain& window = LoadAs(Build::B);
    EXPECT_EQ(window.Left(), 2010);
    EXPECT_EQ(window.Top(), 2070);
    EXPECT_EQ(window.Width(), 9240);
    EXPECT_EQ(window.Height(), 5595);
    EXPECT_EQ(window.cmdOrder.Caption(), "Order It!");
    EXPECT_TRUE(Has(window, "lblChooseAlbum") && Has(window, "lblSeeInfo") && Has(window, "lblOrder"));
    EXPECT_EQ(window.lblComposition2.Caption(), "Symphony No. 5 in C minor");

    EXPECT_EQ(MenuItems(window.mnuOrder),
              (std::vector<std::string>{"mnuPlaceOrder &Place New Order...",
                                        "mnuOrderStatus &View Existing Order Status..."}));
    EXPECT_EQ(window.mnuRestore.Caption(), "&Restore Database...");
    EXPECT_EQ(MenuItems(window.mnuHelp),
              (std::vector<std::string>{"mnuHelpTip &Tip of the day", "mnuHelpAbout &About Orvanta Online"}));
    EXPECT_FALSE(Has(window, "div") || Has(window, "mnuPlaceSpecialOrder") || Has(window, "mnuTip"));
}

TEST_F(Builds, BuildADesign) {
    frmMain& window = LoadAs(Build::A);
    EXPECT_EQ(window.Left(), 660);
    EXPECT_EQ(window.Top(), 2655);
    EXPECT_EQ(window.Width(), 8895);
    EXPECT_EQ(window.Height(), 6735);
    EXPECT_EQ(window.cmdOrder.Caption(), "press here to order");
    EXPECT_FALSE(window.lblChooseAlbum || window.lblSeeInfo || window.lblOrder);
    EXPECT_FALSE(Has(window, "lblChooseAlbum") || Has(window, "lblSeeInfo") || Has(window, "lblOrder"));
    EXPECT_EQ(window.lblComposition2.Caption(), "Symphony No. 5 in C minor");

    EXPECT_EQ(window.mnuRestore.Caption(), "&Restore Database...");
    EXPECT_EQ(MenuItems(window.mnuHelp), (std::vector<std::string>{"mnuHelpAbout &About Orvanta Online"}));
    EXPECT_FALSE(Has(window, "mnuTip") || Has(window, "mnuHelpTip") || Has(window, "div"));
}

TEST_F(Builds, TheSameCatalogueInEveryBuild) {
    for (Build build : {Build::A, Build::B, Build::C}) {
        forms::testing::Driver* outer = forms::testing::Driver::Current();
        ASSERT_NE(outer, nullptr);
        frmMain& window = LoadAs(build);
        EXPECT_EQ(window.Caption(), "Orvanta Online");
        EXPECT_EQ(window.treMain.Nodes().Count(), 22);
        EXPECT_EQ(window.statusMain.SimpleText(), "Data Retrieved");
        forms::ReleaseDefault<frmMain>();
        modMain::gdbMain.reset();
    }
}

// Build A and B close the program whatever unloads the main window; build C
// only when the user closes it.
TEST_F(Builds, ClosingRules) {
    for (Build build : {Build::A, Build::B, Build::C}) {
        SCOPED_TRACE(static_cast<int>(build));
        frmMain& window = LoadAs(build);
        forms::Default<frmExistingLogin>();
        forms::Load(forms::Default<frmSplash>());
        forms::Unload(window);
        const bool splashLeft = forms::Default<frmSplash>().IsLoaded();
        EXPECT_EQ(splashLeft, build == Build::C);
        if (splashLeft) forms::Unload(forms::Default<frmSplash>());
        forms::ReleaseDefault<frmMain>();
        forms::ReleaseDefault<frmSplash>();
        modMain::gdbMain.reset();
    }
}

std::string ProgramBytes(const std::string& program) {
    std::ifstream in(std::string(CATALOGUE_PROGRAM_DIR) + "/" + program, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VersionBlocks, EachProgramCarriesItsOwn) {
    for (const std::string letter : {"A", "B", "C"}) {
        const std::string program = "Orvanta" + letter;
        const std::string bytes = ProgramBytes(program);
        ASSERT_FALSE(bytes.empty()) << program << " has not been built";
        // Each text ends in a NUL; the linker may share it with the tail of a
        // longer text ("About Orvanta Online").
        for (const std::string& text :
             {program + ".exe", "Orvanta Online " + letter, std::string("Orvanta Online"), std::string("1.00.0038"),
              std::string("Copyright (c) Orvanta Software. All rights reserved.")}) {
            EXPECT_NE(bytes.find(text + std::string(1, '\0')), std::string::npos) << program << " lacks " << text;
        }
    }
}

}  // namespace
}  // namespace catalogue::testing
