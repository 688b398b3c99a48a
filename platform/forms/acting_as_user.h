#pragma once
// Internal: what the helpers that act on widgets as a user would (the test
// driver's and the platform controls') share.
#include <QPoint>

class QTableView;
class QWidget;

namespace forms::testing {

// Whether a user could reach the widget: shown on a shown window, enabled.
bool Reachable(const QWidget* w);
// Makes the widget's window the active one, as a user's click would.
void Activate(QWidget* w);
// The centre of a cell of a reachable table, scrolled into view, with its
// window made active; (-1, -1) when the cell is not on screen.
QPoint CellCentre(QTableView* view, int row, int col);

}  // namespace forms::testing
