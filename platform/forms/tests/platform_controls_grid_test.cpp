// The flexible grid: size, cells, widths in twips, rows added and removed,
// the current cell and the selection from code and from clicks.
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "platform_controls_forms.h"

using forms::Default;
using pctest::ErrorOf;
using pctest::frmExisting;

namespace {

// Fills the grid as the existing-orders window does: a header row with the
// field names, then one row per order.
void FillOrders(forms::FlexGrid& g, int orders) {
    const char* names[] = {"ORDERID", "STATUS", "COMPOSER", "COMPOSITION", "QUANTITY", "TOTAL"};
    g.Rows(orders + 1);
    g.Cols(6);
    for (int c = 0; c < 6; ++c) g.TextMatrix(0, c, names[c]);
    for (int r = 1; r <= orders; ++r) {
        g.TextMatrix(r, 0, std::to_string(100 + r));
        g.TextMatrix(r, 1, "Pending");
        g.TextMatrix(r, 2, "Composer " + std::to_string(r));
    }
}

TEST(PlatformFlexGrid, SizeCellsAndTheirErrors) {
    forms::testing::Driver driver;
    forms::FlexGrid& g = Default<frmExisting>().FlexigridOrders;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    FillOrders(g, 3);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(0, 3), "COMPOSITION");
    EXPECT_EQ(g.TextMatrix(2, 0), "102");
    EXPECT_EQ(g.TextMatrix(3, 5), "");
    EXPECT_EQ(ErrorOf([&] { g.TextMatrix(4, 0); }), 381);
    EXPECT_EQ(ErrorOf([&] { g.TextMatrix(0, 6, "x"); }), 381);
    EXPECT_EQ(ErrorOf([&] { g.Rows(0); }), 30009);  // fewer than the fixed rows
    EXPECT_EQ(ErrorOf([&] { g.Row(4); }), 30009);
    EXPECT_EQ(ErrorOf([&] { g.Col(-1); }), 30010);

    // The widget shows the cells.
    auto* view = g.View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->model()->rowCount(), 4);
    EXPECT_EQ(view->model()->columnCount(), 6);
    EXPECT_EQ(view->model()->index(2, 2).data().toString().toStdString(), "Composer 2");

    // Clear empties the cells and keeps the size.
    g.Clear();
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    EXPECT_EQ(view->model()->index(0, 0).data().toString().toStdString(), "");

    // Shrinking keeps the current cell inside the grid.
    g.Row(3);
    g.Rows(2);
    EXPECT_EQ(g.Row(), 1);
    g.Rows(1);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.RowSel(), 0);
    EXPECT_EQ(view->model()->rowCount(), 1);
}

TEST(PlatformFlexGrid, ColumnWidthsInTwips) {
    forms::testing::Driver driver;
    forms::FlexGrid& g = Default<frmExisting>().FlexigridOrders;
    FillOrders(g, 1);
    const forms::Twips initial = g.ColWidth(2);
    EXPECT_GT(initial, 0);
    g.ColWidth(2, 2550);
    EXPECT_EQ(g.ColWidth(2), 2550);
    EXPECT_EQ(g.View()->columnWidth(2), 170);  // 15 twips a pixel
    g.ColWidth(-1, 1500);
    EXPECT_EQ(g.ColWidth(2), 1500);
    EXPECT_EQ(g.ColWidth(5), 1500);
    EXPECT_EQ(ErrorOf([&] { g.ColWidth(6); }), 381);
    EXPECT_EQ(ErrorOf([&] { g.ColWidth(0, -1); }), 380);
    // Widths stay with the columns when more columns come.
    g.Cols(7);
    EXPECT_EQ(g.ColWidth(2), 1500);
    EXPECT_EQ(g.ColWidth(6), initial);
}

TEST(PlatformFlexGrid, RowsAddedAndRemoved) {
    forms::testing::Driver driver;
    forms::FlexGrid& g = Default<frmExisting>().FlexigridOrders;
    FillOrders(g, 3);
    // The last row becomes current; the selection follows it.
    g.Row(g.Rows() - 1);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(g.Text(), "Pending");  // column 1 is current
    g.RemoveItem(2);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(2, 0), "103");
    EXPECT_EQ(g.RowSel(), 2);  // still on order 103
    EXPECT_EQ(g.View()->model()->rowCount(), 3);
    EXPECT_EQ(ErrorOf([&] { g.RemoveItem(0); }), 30009);  // the header
    EXPECT_EQ(ErrorOf([&] { g.RemoveItem(3); }), 30009);
    g.RemoveItem(1);
    EXPECT_EQ(ErrorOf([&] { g.RemoveItem(1); }), 30015);  // the last order row stays
    EXPECT_EQ(g.Rows(), 2);

    g.AddItem("200\tShipped\tHaydn");
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(2, 2), "Haydn");
    EXPECT_EQ(g.TextMatrix(2, 3), "");
    g.AddItem("150\tOpen", 1);
    EXPECT_EQ(g.TextMatrix(1, 0), "150");
    EXPECT_EQ(g.TextMatrix(3, 0), "200");
    EXPECT_EQ(ErrorOf([&] { g.AddItem("x", 9); }), 30009);
}

TEST(PlatformFlexGrid, ClicksSetTheCurrentCellAndSelection) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    forms::FlexGrid& g = f.FlexigridOrders;
    f.Show();
    FillOrders(g, 5);
    std::vector<std::string> changes;
    g.SelChange = [&] { changes.push_back("SelChange"); };
    ASSERT_TRUE(forms::testing::ClickCell(g, 2, 3));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(g.ColSel(), 3);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Click"}));
    EXPECT_EQ(changes.size(), 1u);
    // Shift extends the selection; Row stays where it was.
    ASSERT_TRUE(forms::testing::ClickCell(g, 4, 1, true));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 1);
    EXPECT_TRUE(g.IsHighlighted(3, 2));
    EXPECT_FALSE(g.IsHighlighted(2, 3));  // the current cell shows its focus only
    // A click on a header cell selects its whole column.
    ASSERT_TRUE(forms::testing::ClickCell(g, 0, 2));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), 5);
    EXPECT_EQ(g.Col(), 2);
    f.log.clear();
    ASSERT_TRUE(forms::testing::DoubleClickCell(g, 3, 2));
    EXPECT_EQ(f.log.back(), "DblClick 3");
    // By row: a click selects the whole row.
    g.SelectionMode(1);
    ASSERT_TRUE(forms::testing::ClickCell(g, 4, 3));
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.ColSel(), 5);
}

TEST(PlatformFlexGrid, LateBoundIndexedMembers) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    vb::ObjectRef g = f.GetMember("FlexigridOrders").ToObject();
    g->SetMember("Rows", vb::Variant(3));
    g->SetMember("Cols", vb::Variant(6));
    g->CallMember("TextMatrix", {vb::Variant(1), vb::Variant(0), vb::Variant("17")});
    EXPECT_EQ(g->CallMember("TextMatrix", {vb::Variant(1), vb::Variant(0)}).ToString(), "17");
    g->CallMember("ColWidth", {vb::Variant(0), vb::Variant(1234)});
    EXPECT_EQ(g->CallMember("ColWidth", {vb::Variant(0)}).ToDouble(), 1234);
    g->SetMember("Row", vb::Variant(2));
    EXPECT_EQ(g->GetMember("RowSel").ToLong(), 2);
    g->CallMember("RemoveItem", {vb::Variant(1)});
    EXPECT_EQ(g->GetMember("Rows").ToLong(), 2);
    g->CallMember("Clear", {});
    EXPECT_EQ(ErrorOf([&] { g->GetMember("Columns"); }), 438);
}

}  // namespace

namespace {

TEST(PlatformFlexGrid, KeysMoveTheCurrentCellInsideTheGrid) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    forms::FlexGrid& g = f.FlexigridOrders;
    f.Show();
    FillOrders(g, 3);
    int moves = 0;
    g.RowColChange = [&] { ++moves; };
    ASSERT_TRUE(forms::testing::ClickCell(g, 1, 1));
    moves = 0;
    QTest::keyClick(g.View(), Qt::Key_Down);
    QTest::keyClick(g.View(), Qt::Key_Right);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
    QTest::keyClick(g.View(), Qt::Key_Up);
    QTest::keyClick(g.View(), Qt::Key_Up);  // not into the fixed row
    EXPECT_EQ(g.Row(), 1);
    QTest::keyClick(g.View(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(g.View(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(g.View(), Qt::Key_Down, Qt::ShiftModifier);  // stops at the last row
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(moves, 3);
}

TEST(PlatformFlexGrid, FixedCellsAlignmentAndDesignValues) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    forms::FlexGrid& g = f.FlexigridOrders;
    f.Show();
    FillOrders(g, 2);
    EXPECT_EQ(ErrorOf([&] { g.FixedRows(4); }), 30011);
    EXPECT_EQ(ErrorOf([&] { g.FixedCols(7); }), 30012);
    // Numbers stand right, texts left, unless the column says otherwise.
    auto alignment = [&](int r, int c) {
        return g.View()->model()->index(r, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(1, 0), Qt::AlignRight);
    EXPECT_EQ(alignment(1, 1), Qt::AlignLeft);
    g.ColAlignment(1, 4);
    EXPECT_EQ(alignment(1, 1), Qt::AlignHCenter);
    EXPECT_EQ(ErrorOf([&] { g.ColAlignment(1, 10); }), 380);

    // Without a fixed column the first column can be chosen.
    g.FixedCols(0);
    ASSERT_TRUE(forms::testing::ClickCell(g, 2, 0));
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.Text(), "102");
    // Without big selection a header click selects nothing.
    g.AllowBigSelection(false);
    ASSERT_TRUE(forms::testing::ClickCell(g, 0, 3));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 0);
    g.RowHeight(1, 600);
    EXPECT_EQ(g.RowHeight(1), 600);
    EXPECT_EQ(g.View()->rowHeight(1), 40);

    // A new load starts from the designed grid.
    forms::Unload(f);
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    EXPECT_EQ(g.View()->model()->rowCount(), 2);
}

}  // namespace
