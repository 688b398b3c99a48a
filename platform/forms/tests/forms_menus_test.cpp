// Menus: titles and items with access keys, separators, visibility and
// enabled state through parents, menu arrays, pop-up menus.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "test_forms.h"

using forms::Default;

namespace {

class frmMain : public forms::Form {
public:
    frmMain() : Form("frmMain") {
        Caption("Orvanta Online");
        mnuLogin.Click = [this] { log.Add("mnuLogin_Click"); };
        mnuAdminChoice.Click = [this](std::int16_t index) { log.Add("mnuAdminChoice_Click " + std::to_string(index)); };
        mnuRestore.Click = [this] { log.Add("mnuRestore_Click"); };
        mnuDelete.Click = [this] { log.Add("mnuDelete_Click"); };
        mnuPopup.Visible(false);
        div.Visible(false);
    }
    formtest::EventLog log;
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuLogin{&mnuFile, "mnuLogin", "&Login As New User..."};
    forms::ControlArray<forms::Menu> mnuRecent{&mnuFile, "mnuRecent", forms::Element(1, "&1 orvanta.mdb")};
    forms::Menu div{&mnuFile, "div", "-"};
    forms::Menu mnuFileClose{&mnuFile, "mnuFileClose", "E&xit"};
    forms::Menu mnuAdmin{this, "mnuAdmin", "&Admin"};
    forms::ControlArray<forms::Menu> mnuAdminChoice{&mnuAdmin, "mnuAdminChoice", forms::Element(1, "&Customers..."),
                                                    forms::Element(2, "&Orders..."),
                                                    forms::Element(3, "&Inventory...")};
    forms::Menu mnuBreak1{&mnuAdmin, "mnuBreak1", "-"};
    forms::Menu mnuRestore{&mnuAdmin, "mnuRestore", "&Restore Database"};
    forms::Menu mnuPopup{this, "mnuPopup", "popup"};
    forms::Menu mnuDelete{&mnuPopup, "mnuDelete", "Delete Selected Record"};
};

std::vector<std::string> Texts(QMenu* m) {
    std::vector<std::string> out;
    for (QAction* a : m->actions()) {
        if (!a->isVisible()) continue;
        out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    }
    return out;
}

TEST(FormMenus, MenusAreBuiltInDeclarationOrder) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    f.Show();
    auto* bar = f.Window()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> titles;
    for (QAction* a : bar->actions()) {
        if (a->isVisible()) titles.push_back(a->text().toStdString());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Admin"}));
    EXPECT_EQ(Texts(f.mnuAdmin.Submenu()),
              (std::vector<std::string>{"&Customers...", "&Orders...", "&Inventory...", "-", "&Restore Database"}));
    // A menu array with one element sits where it is declared.
    EXPECT_EQ(Texts(f.mnuFile.Submenu()),
              (std::vector<std::string>{"&Login As New User...", "&1 orvanta.mdb", "E&xit"}));
    EXPECT_EQ(f.mnuAdminChoice(2).Action()->objectName().toStdString(), "mnuAdminChoice(2)");
}

TEST(FormMenus, ChoosingItemsRaisesClickWithTheIndex) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    f.Show();
    EXPECT_TRUE(driver.ChooseMenu(f.mnuLogin));
    EXPECT_TRUE(driver.ChooseMenu(f.mnuAdminChoice(3)));
    EXPECT_FALSE(driver.ChooseMenu(f.mnuBreak1));
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"mnuLogin_Click", "mnuAdminChoice_Click 3"}));
}

TEST(FormMenus, HiddenOrDisabledMenusCannotBeChosen) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    f.Show();
    f.mnuBreak1.Visible(false);
    f.mnuRestore.Visible(false);
    EXPECT_EQ(Texts(f.mnuAdmin.Submenu()),
              (std::vector<std::string>{"&Customers...", "&Orders...", "&Inventory..."}));
    EXPECT_FALSE(driver.ChooseMenu(f.mnuRestore));
    f.mnuRestore.Visible(true);
    f.mnuAdmin.Visible(false);  // its items go with it
    EXPECT_FALSE(f.mnuAdmin.Action()->isVisible());
    EXPECT_FALSE(driver.ChooseMenu(f.mnuRestore));
    f.mnuAdmin.Visible(true);
    f.mnuAdmin.Enabled(false);
    EXPECT_FALSE(driver.ChooseMenu(f.mnuAdminChoice(1)));
    f.mnuAdmin.Enabled(true);
    EXPECT_TRUE(driver.ChooseMenu(f.mnuRestore));
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"mnuRestore_Click"}));
}

TEST(FormMenus, MenuStateReturnsToDesignOnReload) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    f.mnuAdmin.Visible(false);
    f.mnuLogin.Checked(true);
    EXPECT_TRUE(f.mnuLogin.Action()->isChecked());
    forms::Unload(f);
    EXPECT_TRUE(f.mnuAdmin.Visible());
    EXPECT_FALSE(f.mnuLogin.Checked());
}

TEST(FormMenus, MenuElementsLoadedAtRunTimeJoinTheirArray) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    forms::Menu& extra = f.mnuAdminChoice.Load(4);
    extra.Caption("&Suppliers...");
    EXPECT_EQ(Texts(f.mnuAdmin.Submenu()), (std::vector<std::string>{"&Customers...", "&Orders...", "&Inventory...",
                                                                      "&Suppliers...", "-", "&Restore Database"}));
    EXPECT_TRUE(driver.ChooseMenu(extra));
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"mnuAdminChoice_Click 4"}));
}

TEST(FormMenus, PopupMenusAreRecordedUnderTheDriver) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    f.Show();
    f.PopupMenu(f.mnuPopup);
    EXPECT_EQ(driver.PopupMenus(), (std::vector<std::string>{"mnuPopup"}));
    // A hidden title can still be used as a pop-up menu; its items work.
    EXPECT_TRUE(f.mnuDelete.Action()->isVisible());
    f.mnuDelete.Action()->trigger();
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"mnuDelete_Click"}));
}

TEST(FormMenus, AFormWithOnlyHiddenTitlesShowsNoMenuBar) {
    forms::testing::Driver driver;
    frmMain& f = Default<frmMain>();
    const forms::Twips withBar = f.Height();
    f.mnuFile.Visible(false);
    f.mnuAdmin.Visible(false);
    EXPECT_FALSE(f.Window()->findChild<QMenuBar*>()->isVisibleTo(f.Window()));
    EXPECT_EQ(f.Height(), withBar - 300);
}

}  // namespace
