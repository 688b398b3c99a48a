// The flexible grid's current row when rows are removed: the current row
// itself (the next row takes its place, or the new last row), a row before
// it (it moves up with its row) and a row after it (it stays).
#include <QTableView>

#include <gtest/gtest.h>

#include "platform_controls_forms.h"

using forms::Default;
using pctest::frmExisting;

namespace {

// A header row, then orders 101 to 100 + orders in rows 1 to orders.
void FillOrders(forms::FlexGrid& g, int orders) {
    g.Rows(orders + 1);
    g.Cols(3);
    g.TextMatrix(0, 0, "ORDERID");
    for (int r = 1; r <= orders; ++r) g.TextMatrix(r, 0, std::to_string(100 + r));
}

std::string CurrentOrder(forms::FlexGrid& g) { return g.TextMatrix(g.Row(), 0); }

class FlexGridRemoval : public ::testing::Test {
protected:
    void SetUp() override {
        f_ = &Default<frmExisting>();
        f_->Show();
        FillOrders(grid(), 5);
    }
    forms::FlexGrid& grid() { return f_->FlexigridOrders; }
    // The row the widget shows as current.
    int shownRow() { return grid().View()->currentIndex().row(); }

    forms::testing::Driver driver_;
    frmExisting* f_ = nullptr;
};

TEST_F(FlexGridRemoval, RemovingTheCurrentRowLeavesTheNextRowCurrentInItsPlace) {
    forms::FlexGrid& g = grid();
    g.Row(3);
    ASSERT_EQ(CurrentOrder(g), "103");
    g.RemoveItem(3);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(CurrentOrder(g), "104");
    EXPECT_EQ(shownRow(), 3);

    g.Row(1);
    g.RemoveItem(1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(CurrentOrder(g), "102");
    EXPECT_EQ(shownRow(), 1);
}

TEST_F(FlexGridRemoval, RemovingTheCurrentLastRowMakesTheNewLastRowCurrent) {
    forms::FlexGrid& g = grid();
    g.Row(5);
    g.RemoveItem(5);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(CurrentOrder(g), "104");
    EXPECT_EQ(shownRow(), 4);
}

TEST_F(FlexGridRemoval, RemovingARowBeforeTheCurrentOneKeepsTheSameOrderCurrent) {
    forms::FlexGrid& g = grid();
    g.Row(4);
    g.RemoveItem(2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(CurrentOrder(g), "104");
    EXPECT_EQ(shownRow(), 3);
    g.RemoveItem(1);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(CurrentOrder(g), "104");
}

TEST_F(FlexGridRemoval, RemovingARowAfterTheCurrentOneLeavesItWhereItIs) {
    forms::FlexGrid& g = grid();
    g.Row(2);
    g.RemoveItem(4);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(CurrentOrder(g), "102");
    EXPECT_EQ(shownRow(), 2);
    g.RemoveItem(g.Rows() - 1);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(CurrentOrder(g), "102");
}

TEST_F(FlexGridRemoval, TheColumnStaysWhenTheRowGoes) {
    forms::FlexGrid& g = grid();
    g.Row(3);
    g.Col(2);
    g.RemoveItem(3);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(grid().View()->currentIndex().column(), 2);
}

}  // namespace
