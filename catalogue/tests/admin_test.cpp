// The administration grid: deleting records, the protected admin customer
// and the automatic restore of the sample data.
#include <gtest/gtest.h>

#include "application.h"
#include "catalogue_session.h"
#include "dao.h"
#include "dbgrid.h"
#include "frm_admin.h"
#include "frm_main.h"

namespace catalogue::testing {
namespace {

class Admin : public CatalogueSession {
protected:
    void SetUp() override {
        CatalogueSession::SetUp();
        Open(Build::C);
        LogInAs("Database Admin");
        driver().ClearMessageBoxes();
    }
    // Opens the grid on customers (1) or orders (2) from the Admin menu.
    void WithGrid(std::int16_t choice, const std::function<void(frmAdmin&)>& inside) {
        driver().OnModal([inside](forms::Form& form) { inside(dynamic_cast<frmAdmin&>(form)); });
        ASSERT_TRUE(driver().ChooseMenu(Main().mnuAdminChoice(choice)));
    }
    // Clicks the grid row whose key is `key`, then Delete Record.
    void Delete(frmAdmin& admin, int key) {
        auto rs = admin.dataAdmin.Recordset();
        ASSERT_TRUE(rs);
        for (long row = 0; row < rs->RecordCount(); ++row) {
            if (rs->PeekValue(row, 0).ToLong() == key) {
                ASSERT_TRUE(forms::testing::ClickCell(admin.dbgridAdmin, static_cast<int>(row), 1));
                ASSERT_EQ(admin.dbgridAdmin.Columns()(vb::Variant(0)).Value().ToLong(), key);
                driver().Click(admin.cmdDelete);
                return;
            }
        }
        FAIL() << "no row " << key;
    }
    long GridRows(frmAdmin& admin) { return admin.dataAdmin.Recordset()->RecordCount(); }
};

TEST_F(Admin, DeletesTheSelectedCustomer) {
    const long customers = Count("CUSTOMERS");
    WithGrid(1, [&](frmAdmin& admin) {
        EXPECT_EQ(admin.Caption(), "Orvanta Online Administration - CUSTOMERS");
        EXPECT_EQ(admin.dbgridAdmin.Caption(), "Orvanta Online");
        EXPECT_EQ(GridRows(admin), customers);
        Delete(admin, 3);
        EXPECT_EQ(GridRows(admin), customers - 1);
        driver().Click(admin.cmdClose);
    });
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Value("SELECT NAME FROM CUSTOMERS WHERE CUSTID = 3"), "<none>");
    EXPECT_EQ(Count("ORDERS"), 12);  // the customer's orders stay
    // Close only hides the form; the next choice sets it up again.
    EXPECT_TRUE(forms::Default<frmAdmin>().IsLoaded());
    WithGrid(2, [&](frmAdmin& admin) {
        EXPECT_EQ(admin.Caption(), "Orvanta Online Administration - ORDERS");
        Delete(admin, 5);
    });
    EXPECT_EQ(Count("ORDERS"), 11);
}

TEST_F(Admin, TheAdminCustomerIsProtectedInAnyCase) {
    for (const std::string name : {"Admin", "ADMIN", "aDmIn"}) {
        Execute("UPDATE CUSTOMERS SET NAME = '" + name + "' WHERE CUSTID = 1");
        WithGrid(1, [&](frmAdmin& admin) { Delete(admin, 1); });
        EXPECT_EQ(LastBox().title, "Required User");
        EXPECT_EQ(LastBox().text, "You cannot delete the Admin user!");
        EXPECT_EQ(Value("SELECT NAME FROM CUSTOMERS WHERE CUSTID = 1"), name);
    }
    EXPECT_EQ(driver().MessageBoxes().size(), 3u);
}

TEST_F(Admin, EmptiedOrdersBringTheSampleDataBack) {
    Execute("DELETE FROM ORDERS WHERE ORDERID <> 7");
    Execute("DELETE FROM PRODUCTS WHERE PRODID = 16");
    WithGrid(2, [&](frmAdmin& admin) {
        Delete(admin, 7);
        EXPECT_EQ(GridRows(admin), 12);  // the grid shows the restored rows
    });
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Restore Database");
    EXPECT_EQ(Rows("ORDERS"), Rows("ORDERSbak"));
    EXPECT_EQ(Rows("PRODUCTS"), Rows("PRODUCTSbak"));
}

TEST_F(Admin, OnlyTheAdminCustomerLeftBringsTheSampleDataBack) {
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID NOT IN (1, 5)");
    WithGrid(1, [&](frmAdmin& admin) { Delete(admin, 5); });
    EXPECT_EQ(LastBox().title, "Restore Database");
    EXPECT_EQ(Rows("CUSTOMERS"), Rows("CUSTOMERSbak"));
}

TEST_F(Admin, KeyZeroIsNoSelectionAndAFailingDeleteIsReported) {
    Execute("INSERT INTO CUSTOMERS VALUES (0, 'Zero', 'x', 'y', 'z')");
    WithGrid(1, [&](frmAdmin& admin) {
        Delete(admin, 0);
        EXPECT_EQ(LastBox().title, "Selection Error");
        EXPECT_EQ(LastBox().text, "You need to select an entry first.");
        EXPECT_EQ(LastBox().style, forms::vbInformation);

        Execute("DROP TABLE CUSTOMERS");
        Delete(admin, 4);
        EXPECT_EQ(LastBox().title, "Unexpected error in frmAdmin.cmdDelete_Click");
    });
    EXPECT_EQ(driver().MessageBoxes().size(), 2u);
}

TEST_F(Admin, ButtonsAndGridFollowTheWindow) {
    WithGrid(1, [&](frmAdmin& admin) {
        // As designed: the buttons where the form has them, inside it.
        EXPECT_EQ(admin.cmdDelete.Top(), 3900);
        EXPECT_EQ(admin.cmdClose.Top(), 3900);
        admin.Move(0, 0, 10000, 6000);
        // The title bar takes more than 480 twips: the buttons stay 120
        // twips above the client area's lower edge.
        const forms::Twips top = admin.ScaleHeight() - 375 - 120;
        EXPECT_LT(top, 6000 - 375 - 480);
        EXPECT_EQ(admin.cmdDelete.Top(), top);
        EXPECT_EQ(admin.cmdClose.Top(), top);
        EXPECT_LE(admin.cmdClose.Top() + admin.cmdClose.Height(), admin.ScaleHeight());
        EXPECT_LE(admin.cmdClose.Left() + admin.cmdClose.Width(), admin.ScaleWidth());
        EXPECT_EQ(admin.cmdClose.Left(), 10000 - 1575 - 240);
        EXPECT_EQ(admin.dbgridAdmin.Top(), 120);
        EXPECT_EQ(admin.dbgridAdmin.Width(), admin.cmdClose.Left() + 1575 - admin.cmdDelete.Left());
        EXPECT_EQ(admin.dbgridAdmin.Height(), admin.cmdDelete.Top() - 240);
        // Narrowed until Close would leave the form: it keeps its place.
        const forms::Twips left = admin.cmdClose.Left();
        admin.Move(0, 0, 1000, 6000);
        EXPECT_EQ(admin.cmdClose.Left(), left);
    });
}

}  // namespace
}  // namespace catalogue::testing
