// The login dialog, the login state and the Admin menu that follows it.
#include <gtest/gtest.h>

#include "application.h"
#include "catalogue_fixture.h"
#include "cls_manage_login.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "mod_main.h"

namespace catalogue::testing {
namespace {

class Login : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        OpenDatabaseAsMain();
        forms::Load(forms::Default<frmMain>());
    }

    frmMain& MainWindow() { return forms::Default<frmMain>(); }

    // Opens the dialog modally and runs `inside` in it.
    void WithDialog(const std::function<void(frmExistingLogin&)>& inside) {
        driver().OnModal([inside](forms::Form& form) { inside(dynamic_cast<frmExistingLogin&>(form)); });
        forms::Default<frmExistingLogin>().Show(forms::vbModal);
    }

    void LogInAs(const std::string& name, const std::string& password = "", bool remember = false) {
        WithDialog([&](frmExistingLogin& dialog) {
            ASSERT_TRUE(ChooseExactly(dialog, name));
            driver().Type(dialog.txtPassword, password);
            if (remember != (dialog.chkPassword.Value() == 1)) driver().Click(dialog.chkPassword);
            driver().Click(dialog.cmdOK);
        });
    }

    // Chooses the entry whose text is exactly `name` (case counts).
    bool ChooseExactly(frmExistingLogin& dialog, const std::string& name) {
        for (int i = 0; i < dialog.lstUserName.ListCount(); ++i) {
            if (dialog.lstUserName.List(i) == name) return driver().Choose(dialog.lstUserName, i);
        }
        return false;
    }

    // The Admin menu, its separator and Restore Database.
    std::tuple<bool, bool, bool> AdminMenus() {
        return {MainWindow().mnuAdmin.Visible(), MainWindow().mnuBreak1.Visible(),
                MainWindow().mnuRestore.Visible()};
    }
};

TEST_F(Login, ListsEveryCustomerWithItsKeyAndSelectsTheFirst) {
    std::vector<std::pair<std::string, int>> entries;
    std::int32_t selected = -2;
    std::string caption;
    WithDialog([&](frmExistingLogin& dialog) {
        for (int i = 0; i < dialog.lstUserName.ListCount(); ++i) {
            entries.emplace_back(dialog.lstUserName.List(i), dialog.lstUserName.ItemData(i));
        }
        selected = dialog.lstUserName.ListIndex();
        caption = dialog.Caption();
        EXPECT_EQ(dialog.txtPassword.PasswordChar(), "*");
        EXPECT_EQ(dialog.frameLogin.Caption(), "Account Info");
        EXPECT_EQ(dialog.lblLabels(0).Caption(), "Full Name:");
        EXPECT_EQ(dialog.lblLabels(1).Caption(), "Password:");
        EXPECT_EQ(dialog.chkPassword.Caption(), "Remember Password");
    });
    EXPECT_EQ(caption, "Orvanta Login");
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(Count("CUSTOMERS")));
    EXPECT_EQ(selected, 0);
    EXPECT_NE(std::find(entries.begin(), entries.end(), std::make_pair(std::string("Database Admin"), -2)),
              entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), std::make_pair(std::string("New Customer"), -3)),
              entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), std::make_pair(std::string("David Kim"), 3)),
              entries.end());
}

TEST_F(Login, DatabaseAdminShowsTheWholeAdminMenuAndIsTheAdministrator) {
    MainWindow().mnuAdmin.Visible(false);
    LogInAs("Database Admin");
    EXPECT_EQ(AdminMenus(), std::make_tuple(true, true, true));
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), -2);
    EXPECT_TRUE(modMain::gobjLogin->AdminLogin());
    EXPECT_TRUE(modMain::gbLoggedIn);
}

TEST_F(Login, AdminShowsTheAdminMenuWithoutRestore) {
    LogInAs("Admin");
    EXPECT_EQ(AdminMenus(), std::make_tuple(true, false, false));
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 1);
    EXPECT_FALSE(modMain::gobjLogin->AdminLogin());
}

TEST_F(Login, NamesCountInAnyCase) {
    Execute("INSERT INTO CUSTOMERS VALUES (20, 'ADMIN', '', '', '')");
    Execute("INSERT INTO CUSTOMERS VALUES (21, 'dAtAbAsE aDmIn', '', '', '')");
    LogInAs("dAtAbAsE aDmIn");
    EXPECT_EQ(AdminMenus(), std::make_tuple(true, true, true));
    EXPECT_FALSE(modMain::gobjLogin->AdminLogin());  // only CUSTID -2 is the administrator
    LogInAs("ADMIN");
    EXPECT_EQ(AdminMenus(), std::make_tuple(true, false, false));
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 20);
}

TEST_F(Login, OtherCustomersHideTheAdminMenu) {
    LogInAs("Database Admin");
    LogInAs("Susan Patel", "anything at all");
    EXPECT_FALSE(MainWindow().mnuAdmin.Visible());
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 6);
    EXPECT_EQ(modMain::gobjLogin->LatestPassword(), "anything at all");
    EXPECT_TRUE(modMain::gobjLogin->AdminLogin());  // never set back
}

TEST_F(Login, ExitBeforeTheFirstLoginCancelAfterwards) {
    WithDialog([&](frmExistingLogin& dialog) {
        EXPECT_EQ(dialog.cmdCancel.Caption(), "E&xit");
        driver().Click(dialog.cmdOK);
    });
    WithDialog([&](frmExistingLogin& dialog) {
        EXPECT_EQ(dialog.cmdCancel.Caption(), "Cancel");
        driver().Click(dialog.cmdCancel);
    });
    EXPECT_FALSE(forms::ProgramEnded());
    EXPECT_TRUE(MainWindow().IsLoaded());
}

TEST_F(Login, CancelKeepsThePreviousLoginAndMenus) {
    LogInAs("Admin", "secret", true);
    WithDialog([&](frmExistingLogin& dialog) {
        ASSERT_TRUE(driver().Choose(dialog.lstUserName, "Henry Walsh"));
        driver().Type(dialog.txtPassword, "other");
        driver().Click(dialog.cmdCancel);
    });
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 1);
    EXPECT_EQ(modMain::gobjLogin->LatestPassword(), "secret");
    EXPECT_EQ(AdminMenus(), std::make_tuple(true, false, false));
    EXPECT_FALSE(forms::Default<frmExistingLogin>().IsLoaded());
}

TEST_F(Login, RememberedPasswordComesBackTicked) {
    LogInAs("David Kim", "pa55", true);
    EXPECT_EQ(modMain::gobjLogin->LatestRememberPassword(), 1);
    WithDialog([&](frmExistingLogin& dialog) {
        EXPECT_EQ(dialog.chkPassword.Value(), 1);
        EXPECT_EQ(dialog.txtPassword.Text(), "pa55");
        EXPECT_EQ(dialog.lstUserName.ListIndex(), 0);  // a fresh dialog starts at the first name
        driver().Click(dialog.cmdCancel);
    });
}

TEST_F(Login, UnrememberedPasswordOpensEmpty) {
    LogInAs("David Kim", "pa55", false);
    EXPECT_EQ(modMain::gobjLogin->LatestPassword(), "pa55");
    WithDialog([&](frmExistingLogin& dialog) {
        EXPECT_EQ(dialog.chkPassword.Value(), 0);
        EXPECT_EQ(dialog.txtPassword.Text(), "");
        driver().Click(dialog.cmdCancel);
    });
}

TEST_F(Login, OkWithAnEmptyListKeepsTheLoginButCompletesIt) {
    LogInAs("Laura Bennett");
    Execute("DELETE FROM CUSTOMERS");
    MainWindow().mnuAdmin.Visible(true);
    WithDialog([&](frmExistingLogin& dialog) {
        EXPECT_EQ(dialog.lstUserName.ListCount(), 0);
        EXPECT_EQ(dialog.lstUserName.ListIndex(), -1);
        driver().Click(dialog.cmdOK);
    });
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 4);
    EXPECT_FALSE(MainWindow().mnuAdmin.Visible());
    EXPECT_TRUE(modMain::gbLoggedIn);
    EXPECT_FALSE(forms::Default<frmExistingLogin>().IsLoaded());
}

TEST_F(Login, UnreadableCustomersStillOpenTheDialog) {
    Execute("DROP TABLE CUSTOMERS");
    bool opened = false;
    WithDialog([&](frmExistingLogin& dialog) {
        opened = true;
        EXPECT_EQ(dialog.lstUserName.ListCount(), 0);
        EXPECT_EQ(dialog.cmdCancel.Caption(), "E&xit");  // the rest of the load still ran
        driver().Click(dialog.cmdOK);
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

}  // namespace
}  // namespace catalogue::testing
