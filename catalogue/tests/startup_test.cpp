// Start-up of the catalogue, end to end, over a copy of the sample database.
#include <gtest/gtest.h>

#include <filesystem>

#include "application.h"
#include "catalogue_fixture.h"
#include "cls_manage_login.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "frm_splash.h"
#include "mod_main.h"
#include "screen.h"

namespace catalogue::testing {
namespace {

using StartUp = CatalogueTest;

// Logs in as `name` in the next login dialog.
void LogInAs(forms::testing::Driver& driver, const std::string& name) {
    driver.OnModal([&driver, name](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        ASSERT_TRUE(driver.Choose(login.lstUserName, name));
        driver.Click(login.cmdOK);
    });
}

TEST_F(StartUp, OpensTheCatalogueAndShowsTheMainWindowAfterTheLogin) {
    LogInAs(driver(), "Margaret Olsen");
    ASSERT_TRUE(RunMain());

    EXPECT_EQ(driver().ModalShows(), std::vector<std::string>{"frmExistingLogin"});
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(modMain::gsDbMode, "Access");
    ASSERT_TRUE(modMain::gdbMain);
    EXPECT_TRUE(modMain::gbLoggedIn);
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 2);

    auto& mainWindow = forms::Default<frmMain>();
    EXPECT_TRUE(mainWindow.Visible());
    EXPECT_EQ(mainWindow.statusMain.SimpleText(), "Access mode");
    EXPECT_EQ(mainWindow.Caption(), "Orvanta Online");
    EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);

    // The splash stays loaded but hidden until the program ends.
    auto& splash = forms::Default<frmSplash>();
    EXPECT_TRUE(splash.IsLoaded());
    EXPECT_FALSE(splash.Visible());
    EXPECT_FALSE(forms::Default<frmExistingLogin>().IsLoaded());
}

TEST_F(StartUp, RestoreOnTheCommandLineResetsTheTablesWithoutAsking) {
    const std::string customers = Rows("CUSTOMERSbak");
    const std::string orders = Rows("ORDERSbak");
    const std::string products = Rows("PRODUCTSbak");
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID = 4");
    Execute("DELETE FROM ORDERS");
    Execute("INSERT INTO PRODUCTS VALUES (99, 'Holst', 'The Planets', 'x', 'y', 9.99, 'z', 'holst.jpg')");
    SetCommand("-restore");

    // The tables are back before the main window shows: the login dialog
    // already lists the customer deleted above.
    bool listedRestoredCustomer = false;
    driver().OnModal([&](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        for (int i = 0; i < login.lstUserName.ListCount(); ++i) {
            if (login.lstUserName.List(i) == "Laura Bennett") listedRestoredCustomer = true;
        }
        EXPECT_FALSE(forms::Default<frmMain>().Visible());
        driver().Click(login.cmdOK);
    });
    ASSERT_TRUE(RunMain());

    EXPECT_TRUE(listedRestoredCustomer);
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Rows("CUSTOMERS"), customers);
    EXPECT_EQ(Rows("ORDERS"), orders);
    EXPECT_EQ(Rows("PRODUCTS"), products);
}

// Case and blanks matter: anything but exactly "-restore" leaves the data alone.
class RestoreWord : public CatalogueTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RestoreWord, DoesNotRestore) {
    Execute("DELETE FROM ORDERS");
    SetCommand(GetParam());
    driver().OnModal([&](forms::Form& form) {
        driver().Click(dynamic_cast<frmExistingLogin&>(form).cmdOK);
    });
    ASSERT_TRUE(RunMain());
    EXPECT_EQ(Count("ORDERS"), 0);
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(OtherCommandLines, RestoreWord,
                         ::testing::Values("-RESTORE", "-restore ", " -restore", "restore", "-Restore"));

TEST_F(StartUp, MissingDatabaseIsReportedAndEndsTheProgram) {
    std::filesystem::remove(DatabaseFile());
    std::string engineText;
    try {
        dao::OpenDatabase((ProgramFolder() / "orvanta.mdb").string());
    } catch (const vb::VBError& e) {
        engineText = e.description();
    }
    ASSERT_FALSE(engineText.empty());

    RunMain();

    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Failure to Access Database");
    EXPECT_EQ(box.text, engineText + ".  Orvanta Online will close now.");
    EXPECT_EQ(box.style, forms::vbOKOnly);
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_FALSE(forms::HasDefault<frmMain>());
    EXPECT_TRUE(driver().ModalShows().empty());
    EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);
}

TEST_F(StartUp, DatabaseBesideTheProgramFolderIsFound) {
    std::filesystem::rename(DataFolder(), ProgramFolder().parent_path() / "data");
    driver().OnModal([&](forms::Form& form) {
        driver().Click(dynamic_cast<frmExistingLogin&>(form).cmdOK);
    });
    ASSERT_TRUE(RunMain());
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_TRUE(forms::Default<frmMain>().Visible());
}

TEST_F(StartUp, ExitInTheFirstLoginEndsTheProgramWithoutTheMainWindow) {
    driver().OnModal([&](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        EXPECT_EQ(login.cmdCancel.Caption(), "E&xit");
        driver().Click(login.cmdCancel);
    });
    EXPECT_FALSE(RunMain());
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_FALSE(modMain::gbLoggedIn);
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), -1);
}

TEST_F(StartUp, ClosingTheFirstLoginLeavesNobodyLoggedIn) {
    // No action queued: the driver closes the dialog with its close box.
    ASSERT_TRUE(RunMain());
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), -1);
    EXPECT_FALSE(modMain::gbLoggedIn);

    auto& mainWindow = forms::Default<frmMain>();
    EXPECT_TRUE(mainWindow.Visible());
    // The menus stay as designed: the Admin menu with all its items.
    EXPECT_TRUE(mainWindow.mnuAdmin.Visible());
    EXPECT_TRUE(mainWindow.mnuBreak1.Visible());
    EXPECT_TRUE(mainWindow.mnuRestore.Visible());

    // The next dialog still offers to end the program.
    std::string caption;
    driver().OnModal([&](forms::Form& form) {
        caption = dynamic_cast<frmExistingLogin&>(form).cmdCancel.Caption();
    });
    forms::Default<frmExistingLogin>().Show(forms::vbModal);
    EXPECT_EQ(caption, "E&xit");
}

TEST_F(StartUp, ClosingTheMainWindowEndsTheProgram) {
    driver().OnModal([&](forms::Form& form) {
        driver().Click(dynamic_cast<frmExistingLogin&>(form).cmdOK);
    });
    ASSERT_TRUE(RunMain());
    driver().Close(forms::Default<frmMain>());
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
}

}  // namespace
}  // namespace catalogue::testing
