#include "acting_as_user.h"

#include <QApplication>
#include <QTableView>
#include <QWidget>

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

}  // namespace forms::testing
