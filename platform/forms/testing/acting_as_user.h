#pragma once
// Acting on widgets as a user would, for tests: what the test driver's
// helpers share, and clicks on the platform controls' own parts (tabs, cells,
// tree nodes, the data control's buttons). The forms must be shown.
#include <string>

#include <QPoint>

class QTableView;
class QWidget;

namespace forms {
class DataControl;
class DBGrid;
class FlexGrid;
class Node;
class TabStrip;
class TreeView;
}  // namespace forms

namespace forms::testing {

// Whether a user could reach the widget: shown on a shown window, enabled.
bool Reachable(const QWidget* w);
// Makes the widget's window the active one, as a user's click would.
void Activate(QWidget* w);
// The centre of a cell of a reachable table, scrolled into view, with its
// window made active; (-1, -1) when the cell is not on screen.
QPoint CellCentre(QTableView* view, int row, int col);

// Clicks tab `index` (from 1) of the strip's widget; false when it cannot be
// reached.
bool ClickTab(TabStrip& strip, int index);

// Clicks one of the bar's buttons: "First", "Previous", "Next" or "Last";
// false when it cannot be reached.
bool ClickButton(DataControl& data, const std::string& which);

// Clicks a cell of the grid's widget with a mouse button (1 left, 2 right);
// false when the cell is not on screen.
bool ClickCell(DBGrid& grid, int row, int col, int button = 1);

// Clicks (or double-clicks) a cell of the grid's widget, with Shift held
// when `extend` is set; false when the cell is not on screen.
bool ClickCell(FlexGrid& grid, int row, int col, bool extend = false);
bool DoubleClickCell(FlexGrid& grid, int row, int col);

// Acts on the tree's widget as a user would (the form must be shown):
// clicks the node's text, or clicks its plus/minus box to open or close it.
// False when the node cannot be reached (not shown, a parent closed).
bool ClickNode(TreeView& tree, Node& node);
bool ClickExpander(TreeView& tree, Node& node);

}  // namespace forms::testing
