// The real test control on the inventory's forms: registered from the program
// folder, it publishes its markers on the main window, on a record form inside
// it and on the dialogs, and withdraws them when each form unloads.
#include <gtest/gtest.h>

#include "frm_about.h"
#include "frm_main_inventory.h"
#include "frm_products.h"
#include "frm_restore_inventory.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "real_test_control.h"

namespace inventory::testing {
namespace {

using zevote::testing::PublishedValue;
using zevote::testing::PublishesOn;
using zevote::testing::ReadMarkers;
using zevote::testing::WithdrawalWatch;
using zevote::testing::WithdrewFromForm;
using V = std::vector<std::uint32_t>;

class TestControlMarkers : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        registry_ = std::make_unique<zevote::testing::TemporaryRegistry>();
        ASSERT_TRUE(zevote::testing::RegisterTestControl());
        OpenDataLayer();
        Inventory::gdbInventory = dao::OpenDatabase(DatabaseFile().string());
    }
    void TearDown() override {
        if (Inventory::gdbInventory) Inventory::gdbInventory->Close();
        Inventory::gdbInventory.reset();
        InventoryTest::TearDown();
        registry_.reset();
    }

    std::unique_ptr<zevote::testing::TemporaryRegistry> registry_;
};

TEST_F(TestControlMarkers, MainWindowAndRecordFormEachCarryTheirOwn) {
    frmMainInventory& main = forms::Default<frmMainInventory>();
    main.Show();
    const win::HWND mainWindow = main.hWnd();
    const std::uint32_t pMain = PublishedValue(main.ZEVOTest1);
    // The control sits in the client area; the markers go on the
    // multiple-document window itself.
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});
    EXPECT_TRUE(ReadMarkers(main.ZEVOTest1.ContainerWindow()).None());

    // A record form is a framed child of the client area: its own form for
    // the markers. The main window is forgotten as the form registered last,
    // so it gets no second record for the child's control.
    frmProducts& products = forms::Default<frmProducts>();
    products.Show();
    const win::HWND productsWindow = products.hWnd();
    ASSERT_NE(productsWindow, mainWindow);
    const std::uint32_t pProducts = PublishedValue(products.ZEVOTest1);
    EXPECT_TRUE(PublishesOn(products.ZEVOTest1, productsWindow));
    EXPECT_EQ(ReadMarkers(productsWindow).list, V{pProducts});
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});
    EXPECT_EQ(ReadMarkers(mainWindow).dispatch, pMain);

    WithdrawalWatch productsGoing(products.ZEVOTest1, productsWindow);
    forms::Unload(products);
    EXPECT_TRUE(WithdrewFromForm(productsGoing));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});

    WithdrawalWatch mainGoing(main.ZEVOTest1, mainWindow);
    forms::Unload(main);
    EXPECT_TRUE(WithdrewFromForm(mainGoing));
}

TEST_F(TestControlMarkers, DialogsPublishAndWithdrawOverTheOpenRecordForm) {
    frmMainInventory& main = forms::Default<frmMainInventory>();
    main.Show();
    frmProducts& products = forms::Default<frmProducts>();
    products.Show();
    const win::HWND productsWindow = products.hWnd();
    const std::uint32_t pProducts = PublishedValue(products.ZEVOTest1);

    // Each dialog is a form of its own. The form that registered last before
    // it holds a second record for the dialog's control while it is up: the
    // record form for the About box; for the restore dialog that form is the
    // About box, gone by then, so nothing else changes.
    auto check = [&](forms::Form& dialog, forms::ActiveXHost& control, forms::CommandButton& close,
                     bool afterProducts) {
        SCOPED_TRACE(dialog.Name());
        const win::HWND window = dialog.hWnd();
        const std::uint32_t p = PublishedValue(control);
        EXPECT_TRUE(PublishesOn(control, window));
        EXPECT_EQ(ReadMarkers(window).list, V{p});
        EXPECT_EQ(ReadMarkers(productsWindow).list, (afterProducts ? V{pProducts, p} : V{pProducts}));
        EXPECT_EQ(ReadMarkers(productsWindow).dispatch, pProducts);
        WithdrawalWatch going(control, window);
        driver().Click(close);
        EXPECT_FALSE(dialog.IsLoaded());
        EXPECT_TRUE(WithdrewFromForm(going));
        EXPECT_EQ(ReadMarkers(productsWindow).list, V{pProducts});
    };
    driver().OnModal([&](forms::Form& form) {
        auto& about = dynamic_cast<frmAbout&>(form);
        check(about, about.ZEVOTest1, about.cmdOK, true);
    });
    forms::Default<frmAbout>().Show(forms::vbModal);
    driver().OnModal([&](forms::Form& form) {
        auto& restore = dynamic_cast<frmRestoreInventory&>(form);
        check(restore, restore.ZEVOTest1, restore.cmdCancel, false);
    });
    forms::Default<frmRestoreInventory>().Show(forms::vbModal);
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_TRUE(PublishesOn(products.ZEVOTest1, productsWindow));
    forms::Unload(main);
}

}  // namespace
}  // namespace inventory::testing
