// The existing orders of the logged-in customer: the grid, its columns and
// cancelling an order.
#include <gtest/gtest.h>

#include "application.h"
#include "catalogue_session.h"
#include "frm_existing.h"
#include "frm_main.h"

namespace catalogue::testing {
namespace {

class ExistingOrders : public CatalogueSession {
protected:
    void SetUp() override {
        CatalogueSession::SetUp();
        Open(Build::C);
    }
    // Opens the window from the Order menu and runs `inside` in it.
    void WithOrders(const std::function<void(frmExisting&)>& inside) {
        driver().OnModal([inside](forms::Form& form) { inside(dynamic_cast<frmExisting&>(form)); });
        ASSERT_TRUE(driver().ChooseMenu(Main().mnuOrderStatus));
    }
    static std::vector<std::string> Row(frmExisting& window, int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < window.FlexigridOrders.Cols(); ++c) cells.push_back(window.FlexigridOrders.TextMatrix(row, c));
        return cells;
    }
    const std::vector<std::string> header_{"ORDERID", "STATUS", "COMPOSER", "COMPOSITION", "QUANTITY", "TOTAL"};
};

TEST_F(ExistingOrders, NoneShowsTheHeaderAndNothingToCancel) {
    LogInAs("Admin");
    WithOrders([&](frmExisting& window) {
        EXPECT_EQ(window.Caption(), "View Existing Orders");
        EXPECT_EQ(window.lblName.Caption(), "Orders for Admin");
        EXPECT_EQ(window.FlexigridOrders.Rows(), 1);
        EXPECT_EQ(Row(window, 0), header_);
        driver().Click(window.cmdCancelOrder);
        driver().Click(window.cmdClose);
    });
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "No Order Selected");
    EXPECT_EQ(LastBox().text, "You need to select an order first.");
    EXPECT_FALSE(forms::Default<frmExisting>().IsLoaded());
}

TEST_F(ExistingOrders, CancellingTheOnlyOrderLeavesTheHeader) {
    Execute("DELETE FROM ORDERS WHERE ORDERID = 4");
    LogInAs("David Kim");
    WithOrders([&](frmExisting& window) {
        ASSERT_EQ(window.FlexigridOrders.Rows(), 2);
        EXPECT_EQ(Row(window, 1), (std::vector<std::string>{"3", "Shipped", "Mozart", "Symphony No. 40 in G minor",
                                                            "1", "15.99"}));
        EXPECT_EQ(window.FlexigridOrders.Row(), 1);  // the last row is current
        driver().Click(window.cmdCancelOrder);
        EXPECT_EQ(window.FlexigridOrders.Rows(), 1);
        driver().ChooseMenu(window.mnuDelete);  // does nothing
        driver().ChooseMenu(window.mnuClose);
    });
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ORDERS WHERE CUSTID = 3"), "0");
    EXPECT_EQ(Count("ORDERS"), 10);
}

TEST_F(ExistingOrders, SeveralOrdersAndTheSelectedOneCancelled) {
    Execute("INSERT INTO ORDERS VALUES (13, 2, '12/05/26', 'Visa', '4111', '08/28', 16, 2, 28.98, "
            "'Order Initiated')");
    LogInAs("Margaret Olsen");
    WithOrders([&](frmExisting& window) {
        ASSERT_EQ(window.FlexigridOrders.Rows(), 4);
        EXPECT_EQ(Row(window, 0), header_);
        EXPECT_EQ(window.FlexigridOrders.TextMatrix(1, 0), "1");
        EXPECT_EQ(window.FlexigridOrders.TextMatrix(3, 3), "Gloria in D major");
        // The long composition is wider than its column: 1.7 times its text.
        EXPECT_EQ(window.FlexigridOrders.ColWidth(3),
                  static_cast<float>(vb::RoundHalfEven(1.7 * window.TextWidth("Symphony No. 5 in C minor"))));

        // Rows 1 to 2 selected: only the end of the selection goes.
        window.FlexigridOrders.Row(1);
        window.FlexigridOrders.RowSel(2);
        driver().Click(window.cmdCancelOrder);
        EXPECT_EQ(window.FlexigridOrders.Rows(), 3);
        EXPECT_EQ(window.FlexigridOrders.TextMatrix(2, 0), "13");
    });
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ORDERS WHERE ORDERID = 2"), "0");
    EXPECT_EQ(Count("ORDERS"), 12);
}

TEST_F(ExistingOrders, BadKeyOrFailingDeleteChangesNothing) {
    LogInAs("David Kim");
    WithOrders([&](frmExisting& window) {
        window.FlexigridOrders.TextMatrix(2, 0, "4 OR 1=1");
        window.FlexigridOrders.Row(2);
        driver().Click(window.cmdCancelOrder);
        EXPECT_EQ(window.FlexigridOrders.Rows(), 3);

        Execute("DROP TABLE ORDERS");
        window.FlexigridOrders.Row(1);
        driver().Click(window.cmdCancelOrder);
        EXPECT_EQ(window.FlexigridOrders.Rows(), 3);
    });
    ASSERT_EQ(driver().MessageBoxes().size(), 2u);
    for (const auto& box : driver().MessageBoxes()) {
        EXPECT_EQ(box.title, "Unexpected error in frmExisting.cmdCancelOrder_Click");
    }
}

TEST_F(ExistingOrders, CustomerWithoutARowAndResizing) {
    LogInAs("David Kim");
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID = 3");
    WithOrders([&](frmExisting& window) {
        EXPECT_EQ(window.lblName.Caption(), "Orders for ");
        EXPECT_EQ(window.FlexigridOrders.Rows(), 1);

        window.Move(0, 0, 9000, 6000);
        EXPECT_EQ(window.cmdClose.Top(), 6000 - 900);
        EXPECT_EQ(window.cmdCancelOrder.Top(), 6000 - 900);
        EXPECT_EQ(window.FlexigridOrders.Height(), 6000 - 900 - 240 - 480);
        EXPECT_EQ(window.FlexigridOrders.Width(), 9000 - 360);
        EXPECT_EQ(window.cmdClose.Left(), 9000 - 1215 - 240);
        window.Move(0, 0, 300, 1200);  // too small: the grid keeps its size
        EXPECT_EQ(window.FlexigridOrders.Width(), 9000 - 360);
    });
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

}  // namespace
}  // namespace catalogue::testing
