#include "acting_as_user.h"

#include <QApplication>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include "datacontrol_widget.h"
#include "dbgrid.h"
#include "flexgrid.h"
#include "form.h"
#include "tabstrip.h"
#include "treeview.h"

namespace forms::testing {

bool Reachable(const QWidget* w) { return w && w->isVisible() && w->isEnabled() && w->window()->isVisible(); }

void Activate(QWidget* w) {
    QWidget* win = w->window();
    win->activateWindow();
    QApplication::setActiveWindow(win);
}

QPoint CellCentre(QTableView* view, int row, int col) {
    if (!Reachable(view) || !view->model() || row < 0 || col < 0 || row >= view->model()->rowCount() ||
        col >= view->model()->columnCount())
        return {-1, -1};
    Activate(view);
    const QModelIndex i = view->model()->index(row, col);
    view->scrollTo(i);
    const QRect r = view->visualRect(i);
    if (!r.isValid() || !view->viewport()->rect().contains(r.center())) return {-1, -1};
    return r.center();
}

// The tab strip.
bool ClickTab(TabStrip& strip, int index) {
    strip.Parent().EnsureLoaded();
    QTabBar* bar = strip.TabBar();
    if (!Reachable(bar) || index < 1 || index > bar->count()) return false;
    Activate(bar);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index - 1).center());
    return true;
}

// The data control.
bool ClickButton(DataControl& data, const std::string& which) {
    data.Parent().EnsureLoaded();
    QWidget* w = data.Widget();
    if (!w) return false;
    auto* button = w->findChild<QToolButton*>(QString::fromStdString(which));
    if (!Reachable(button)) return false;
    Activate(button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    return true;
}

// The data-bound grid.
bool ClickCell(DBGrid& grid, int row, int col, int button) {
    grid.Parent().EnsureLoaded();
    QTableView* view = grid.View();
    const QPoint p = CellCentre(view, row, col);
    if (p.x() < 0) return false;
    const Qt::MouseButton b = button == 2 ? Qt::RightButton : button == 4 ? Qt::MiddleButton : Qt::LeftButton;
    QTest::mouseClick(view->viewport(), b, Qt::NoModifier, p);
    return true;
}

// The flex grid.
bool ClickCell(FlexGrid& grid, int row, int col, bool extend) {
    grid.Parent().EnsureLoaded();
    QTableView* view = grid.View();
    const QPoint p = CellCentre(view, row, col);
    if (p.x() < 0) return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, extend ? Qt::ShiftModifier : Qt::NoModifier, p);
    return true;
}

bool DoubleClickCell(FlexGrid& grid, int row, int col) {
    grid.Parent().EnsureLoaded();
    QTableView* view = grid.View();
    const QPoint p = CellCentre(view, row, col);
    if (p.x() < 0) return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    return true;
}

// The tree.
bool ClickNode(TreeView& tree, Node& node) {
    tree.Parent().EnsureLoaded();
    auto* w = static_cast<QTreeWidget*>(tree.Widget());
    QTreeWidgetItem* item = tree.ItemOfNode(node);
    if (!Reachable(w) || !item || item->isHidden()) return false;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) {
        if (!p->isExpanded()) return false;
    }
    Activate(w);
    w->scrollToItem(item);
    const QRect r = w->visualItemRect(item);
    if (!r.isValid()) return false;
    QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    return true;
}

bool ClickExpander(TreeView& tree, Node& node) {
    tree.Parent().EnsureLoaded();
    auto* w = static_cast<QTreeWidget*>(tree.Widget());
    QTreeWidgetItem* item = tree.ItemOfNode(node);
    if (!Reachable(w) || !item || item->childCount() == 0) return false;
    if (!w->rootIsDecorated() && !item->parent()) return false;
    Activate(w);
    w->scrollToItem(item);
    const QRect r = w->visualItemRect(item);
    if (!r.isValid()) return false;
    QTest::mouseClick(w->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(r.left() - w->indentation() / 2, r.center().y()));
    return true;
}

}  // namespace forms::testing
