// The real test control on the catalogue's forms: registered from the program
// folder, it publishes its markers on the main window and on the login dialog
// over it, and withdraws the dialog's when the dialog unloads.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "real_test_control.h"

namespace catalogue::testing {
namespace {

using zevote::testing::PublishedValue;
using zevote::testing::PublishesOn;
using zevote::testing::ReadMarkers;
using zevote::testing::WithdrawalWatch;
using zevote::testing::WithdrewFromForm;
using V = std::vector<std::uint32_t>;

class TestControlMarkers : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        registry_ = std::make_unique<zevote::testing::TemporaryRegistry>();
        ASSERT_TRUE(zevote::testing::RegisterTestControl());
        OpenDatabaseAsMain();
    }
    void TearDown() override {
        CatalogueTest::TearDown();
        registry_.reset();
    }

    std::unique_ptr<zevote::testing::TemporaryRegistry> registry_;
};

TEST_F(TestControlMarkers, MainWindowAndLoginDialogPublishAndTheDialogWithdrawsAtUnload) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    const win::HWND mainWindow = main.hWnd();
    const std::uint32_t pMain = PublishedValue(main.ZEVOTest1);
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});

    // The dialog is a form of its own; the main window, where a control
    // registered last, holds a second record for the dialog's control while
    // the dialog is up, and still names its own control.
    bool shown = false;
    driver().OnModal([&](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        shown = true;
        const win::HWND loginWindow = login.hWnd();
        ASSERT_NE(loginWindow, mainWindow);
        const std::uint32_t pLogin = PublishedValue(login.ZEVOTest1);
        EXPECT_TRUE(PublishesOn(login.ZEVOTest1, loginWindow));
        EXPECT_EQ(ReadMarkers(loginWindow).list, V{pLogin});
        EXPECT_EQ(ReadMarkers(mainWindow).list, (V{pMain, pLogin}));
        EXPECT_EQ(ReadMarkers(mainWindow).dispatch, pMain);

        WithdrawalWatch going(login.ZEVOTest1, loginWindow);
        driver().Click(login.cmdOK);
        EXPECT_FALSE(login.IsLoaded());
        EXPECT_TRUE(WithdrewFromForm(going));
        EXPECT_FALSE(win::IsWindow(loginWindow));
    });
    forms::Default<frmExistingLogin>().Show(forms::vbModal);
    ASSERT_TRUE(shown);

    // Only the dialog's record went from the main window.
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});

    WithdrawalWatch mainGoing(main.ZEVOTest1, mainWindow);
    forms::Unload(main);
    EXPECT_TRUE(WithdrewFromForm(mainGoing));
}

}  // namespace
}  // namespace catalogue::testing
