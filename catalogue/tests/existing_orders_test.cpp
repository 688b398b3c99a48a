// The existing orders of the logged-in customer: the grid, its columns and
// cancelling an order.
#include <QFontMetrics>
#include <QTableView>
#include <QWidget>

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
        // The title bar and the menu bar take more than 900 twips less the
        // buttons: they stay 180 twips above the client area's lower edge.
        const forms::Twips top = window.ScaleHeight() - 375 - 180;
        EXPECT_LT(top, 6000 - 900);
        EXPECT_EQ(window.cmdClose.Top(), top);
        EXPECT_EQ(window.cmdCancelOrder.Top(), top);
        EXPECT_EQ(window.FlexigridOrders.Height(), top - 240 - 480);
        EXPECT_EQ(window.FlexigridOrders.Width(), 9000 - 360);
        EXPECT_EQ(window.cmdClose.Left(), 9000 - 1215 - 240);
        window.Move(0, 0, 300, 1200);  // too small: the grid keeps its size
        EXPECT_EQ(window.FlexigridOrders.Width(), 9000 - 360);
    });
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

// Both buttons lie wholly inside the client area, the grid above them.
void ExpectButtonsInside(frmExisting& window) {
    for (forms::CommandButton* button : {&window.cmdCancelOrder, &window.cmdClose}) {
        EXPECT_GE(button->Top(), 0) << button->Name();
        EXPECT_LE(button->Top() + button->Height(), window.ScaleHeight()) << button->Name();
        EXPECT_GE(button->Left(), 0) << button->Name();
        EXPECT_LE(button->Left() + button->Width(), window.ScaleWidth()) << button->Name();
    }
    EXPECT_LE(window.FlexigridOrders.Top() + window.FlexigridOrders.Height(), window.cmdClose.Top());
}

TEST_F(ExistingOrders, ButtonsStayInsideTheWindow) {
    LogInAs("Margaret Olsen");
    WithOrders([&](frmExisting& window) {
        // As designed: the buttons where the form has them.
        ExpectButtonsInside(window);
        EXPECT_EQ(window.cmdClose.Top(), 3720);
        EXPECT_EQ(window.cmdCancelOrder.Top(), 3720);

        window.Move(0, 0, 12000, 8000);
        ExpectButtonsInside(window);
        EXPECT_EQ(window.cmdClose.Left(), 12000 - 1215 - 240);
        window.Move(0, 0, 7000, 3000);
        ExpectButtonsInside(window);
        EXPECT_EQ(window.FlexigridOrders.Height(), window.cmdClose.Top() - 240 - 480);

        // From the user's side too: the window made smaller by its frame.
        window.Window()->resize(500, 260);
        ExpectButtonsInside(window);
        driver().Click(window.cmdClose);
    });
    EXPECT_FALSE(forms::Default<frmExisting>().IsLoaded());
}

TEST_F(ExistingOrders, EveryHeaderAndFirstRowFitsItsColumn) {
    LogInAs("Margaret Olsen");
    WithOrders([&](frmExisting& window) {
        forms::FlexGrid& grid = window.FlexigridOrders;
        ASSERT_GT(grid.Rows(), 1);
        const forms::Twips padding = grid.CellTextPadding();
        for (int c = 0; c < grid.Cols(); ++c) {
            for (int r : {0, 1}) {
                // Measured in the grid's own font, as the grid draws it.
                const QFontMetrics metrics(grid.View()->font());
                const forms::Twips drawn =
                    forms::PixelsToTwips(metrics.horizontalAdvance(QString::fromStdString(grid.TextMatrix(r, c))));
                EXPECT_LE(drawn + padding, grid.ColWidth(c)) << grid.TextMatrix(r, c);
            }
        }
        // A column whose texts fit keeps the grid's width for it.
        EXPECT_EQ(grid.ColWidth(0), 960);
        driver().Click(window.cmdClose);
    });
}

}  // namespace
}  // namespace catalogue::testing
