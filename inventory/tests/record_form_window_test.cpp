// How the record forms look inside the main window: tiled into the area
// below the toolbar they scroll to every control, and the transaction
// grids' headers are whole in the faces drawn for the forms' fonts.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>

#include "frm_main_inventory.h"
#include "frm_po.h"
#include "frm_products.h"
#include "inventory_fixture.h"
#include "twips.h"

namespace inventory::testing {
namespace {

class RecordFormWindows : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        ASSERT_TRUE(RunMain());
    }
    // Opens a record form as the main window's button does: tiled.
    template <class F>
    F& OpenFrom(forms::CommandButton& (*button)(frmMainInventory&)) {
        EXPECT_TRUE(driver().Click(button(forms::Default<frmMainInventory>())));
        return forms::Default<F>();
    }
};

// The grid of a tiled form, scrolled down to: all of it lies in the sub-window,
// and its last row in the grid (or the grid scrolls itself).
void ExpectEveryRowReachable(forms::Form& form, forms::FlexGrid& grid) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form.Window());
    ASSERT_NE(sub, nullptr);
    auto* scroller = qobject_cast<QScrollArea*>(sub->widget());
    ASSERT_NE(scroller, nullptr) << "the sub-window does not scroll";
    QWidget* gridWidget = grid.Widget();
    // Smaller than the form: the sub-window scrolls.
    const QPoint gridBottom = gridWidget->mapTo(scroller->widget(), QPoint(0, gridWidget->height()));
    ASSERT_GT(gridBottom.y(), scroller->viewport()->height());
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
    const QRect shown = scroller->viewport()->rect();
    const QRect gridRect(gridWidget->mapTo(scroller->viewport(), QPoint(0, 0)), gridWidget->size());
    EXPECT_TRUE(shown.contains(gridRect)) << "grid at " << gridRect.y() << ".." << gridRect.bottom()
                                          << ", sub-window shows 0.." << shown.bottom();
    QTableView* view = grid.View();
    ASSERT_NE(view, nullptr);
    const int lastRow = grid.Rows() - 1;
    const QRect lastRect = view->visualRect(view->model()->index(lastRow, 0));
    EXPECT_TRUE(view->viewport()->rect().contains(lastRect) || view->verticalScrollBar()->maximum() > 0);
}

TEST_F(RecordFormWindows, TiledRecordFormsScrollToEveryTransactionRow) {
    Execute("DELETE FROM tblTransactions WHERE PurchaseOrderID=1");
    for (int id = 201; id <= 208; ++id)
        Execute("INSERT INTO tblTransactions VALUES (" + std::to_string(id) +
                ", '10/1/2026', 3, 1, 'row', '12.50', 4, 4, 0, 0)");
    frmPO& po = OpenFrom<frmPO>([](frmMainInventory& m) -> forms::CommandButton& { return m.cmdPO; });
    ASSERT_TRUE(po.Visible());
    ASSERT_EQ(po.grdTransaction.Rows(), 9);
    // Tiled into the area below the toolbar, which is lower than the form.
    QMdiArea* area = forms::Default<frmMainInventory>().Area();
    EXPECT_EQ(po.Window()->geometry(), area->viewport()->rect());
    EXPECT_LT(area->viewport()->height(), forms::TwipsToPixels(po.ScaleHeight()));
    ExpectEveryRowReachable(po, po.grdTransaction);

    frmProducts& products =
        OpenFrom<frmProducts>([](frmMainInventory& m) -> forms::CommandButton& { return m.cmdProducts; });
    ASSERT_TRUE(products.Visible());
    ExpectEveryRowReachable(products, products.grdTransaction);
}

// A form as large as the area it is tiled into has nothing to scroll.
TEST_F(RecordFormWindows, AFormWithRoomToSpareDoesNotScroll) {
    frmMainInventory& main = forms::Default<frmMainInventory>();
    main.Move(main.Left(), main.Top(), main.Width(), main.Height() + 3000);
    frmPO& po = OpenFrom<frmPO>([](frmMainInventory& m) -> forms::CommandButton& { return m.cmdPO; });
    auto* scroller = qobject_cast<QScrollArea*>(qobject_cast<QMdiSubWindow*>(po.Window())->widget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);
    // The form fills the sub-window.
    EXPECT_EQ(scroller->widget()->size(), scroller->viewport()->size());
}

TEST_F(RecordFormWindows, TransactionGridHeadersAreWhole) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "the Liberation fonts are not installed (fonts-liberation)";
    frmPO& po = OpenFrom<frmPO>([](frmMainInventory& m) -> forms::CommandButton& { return m.cmdPO; });
    QTableView* view = po.grdTransaction.View();
    ASSERT_NE(view, nullptr);
    const QFontMetrics metrics(view->font());
    const int padding = forms::TwipsToPixels(po.grdTransaction.CellTextPadding());
    for (int c = 0; c < po.grdTransaction.Cols(); ++c) {
        const std::string header = po.grdTransaction.TextMatrix(0, c);
        EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(header)) + padding, view->columnWidth(c))
            << header;
    }
}

}  // namespace
}  // namespace inventory::testing
