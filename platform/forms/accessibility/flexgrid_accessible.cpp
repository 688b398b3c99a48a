// The flexible grid as accessibility tools see it: a table of the rows below
// the fixed ones, whose column headers are the fixed rows' texts (the field
// names when the grid shows a recordset). Its children are the header cells,
// then the cells row by row.
#include <algorithm>
#include <array>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTableView>

#include "accessibility.h"
#include "flexgrid.h"
#include "widget_hooks.h"

namespace forms::detail {

namespace {

constexpr int kHeaderRow = -1;

FlexGrid* GridOf(const QTableView* view) { return view ? dynamic_cast<FlexGrid*>(ControlOfWidget(view)) : nullptr; }

int BodyRows(const FlexGrid& g) { return std::max(0, g.RawRows() - g.RawFixedRows()); }

// The fixed rows' texts of a column, the non-empty ones joined by spaces.
QString HeaderText(const FlexGrid& g, int col) {
    QString text;
    for (int r = 0; r < g.RawFixedRows(); ++r) {
        const QString part = QString::fromStdString(g.Cell(r, col)).trimmed();
        if (part.isEmpty()) continue;
        if (!text.isEmpty()) text += u' ';
        text += part;
    }
    return text;
}

// Where a cell of the grid (counting the fixed rows) is on the screen; empty
// when it is scrolled out of sight.
QRect ScreenRect(const QTableView* view, int row, int col) {
    const QAbstractItemModel* model = view->model();
    if (!model || row >= model->rowCount() || col >= model->columnCount()) return {};
    const QRect r = view->visualRect(model->index(row, col)).intersected(view->viewport()->rect());
    return r.isEmpty() ? QRect() : r.translated(view->viewport()->mapToGlobal(QPoint(0, 0)));
}

class AccessibleFlexGrid;
AccessibleFlexGrid* TableOf(QTableView* view);

// A cell below the fixed rows (row and column counted from the first such
// row), or a column header (row kHeaderRow).
class AccessibleGridCell : public QAccessibleInterface, public QAccessibleTableCellInterface, public OwnAccessible {
public:
    AccessibleGridCell(QTableView* view, int row, int col) : view_(view), row_(row), col_(col) {}

    bool isValid() const override {
        const FlexGrid* g = GridOf(view_);
        if (!g || col_ >= g->RawCols()) return false;
        return row_ == kHeaderRow ? g->RawFixedRows() > 0 : row_ < BodyRows(*g);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const FlexGrid* g = GridOf(view_);
        if (t != QAccessible::Name || !g || !isValid()) return {};
        if (row_ == kHeaderRow) return HeaderText(*g, col_);
        return QString::fromStdString(g->Cell(row_ + g->RawFixedRows(), col_));
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const FlexGrid* g = GridOf(view_);
        if (!g || !isValid()) return {};
        if (row_ != kHeaderRow) return ScreenRect(view_, row_ + g->RawFixedRows(), col_);
        QRect r;
        for (int fixed = 0; fixed < g->RawFixedRows(); ++fixed) r = r.united(ScreenRect(view_, fixed, col_));
        return r;
    }

    QAccessible::Role role() const override {
        return row_ == kHeaderRow ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        if (rect().isEmpty()) s.invisible = true;
        s.readOnly = true;
        if (row_ == kHeaderRow) return s;
        const int modelRow = row_ + GridOf(view_)->RawFixedRows();
        s.selectable = true;
        if (isSelected()) s.selected = true;
        const QModelIndex current = view_->currentIndex();
        if (current.row() == modelRow && current.column() == col_) {
            s.focusable = true;
            if (view_->hasFocus()) s.focused = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface && row_ != kHeaderRow) return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // ---- table cell ----
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<QTableView> view_;
    int row_, col_;
};

class AccessibleFlexGrid : public QAccessibleWidget, public QAccessibleTableInterface, public OwnAccessible {
public:
    explicit AccessibleFlexGrid(QTableView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~AccessibleFlexGrid() override { DropCells(); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // ---- children: the header cells, then the cells row by row ----
    int childCount() const override {
        const FlexGrid* g = Grid();
        return g ? (HeaderCount() + BodyRows(*g) * g->RawCols()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        const FlexGrid* g = Grid();
        if (!g || index < 0 || g->RawCols() == 0) return nullptr;
        if (index < HeaderCount()) return Cell(kHeaderRow, index);
        index -= HeaderCount();
        return cellAt(index / g->RawCols(), index % g->RawCols());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const FlexGrid* g = Grid();
        auto* cell = dynamic_cast<const AccessibleGridCell*>(child);
        if (!g || !cell || cell->parent() != this) return -1;
        if (cell->role() == QAccessible::ColumnHeader) return cell->columnIndex();
        return HeaderCount() + cell->rowIndex() * g->RawCols() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const FlexGrid* g = Grid();
        if (!g) return nullptr;
        const QModelIndex i = View()->indexAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
        if (!i.isValid()) return nullptr;
        if (i.row() < g->RawFixedRows()) return Cell(kHeaderRow, i.column());
        return cellAt(i.row() - g->RawFixedRows(), i.column());
    }

    // ---- table ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int col) const override {
        const FlexGrid* g = Grid();
        if (!g || row < 0 || col < 0 || row >= BodyRows(*g) || col >= g->RawCols()) return nullptr;
        return Cell(row, col);
    }
    int rowCount() const override { return Grid() ? BodyRows(*Grid()) : 0; }
    int columnCount() const override { return Grid() ? Grid()->RawCols() : 0; }
    QString columnDescription(int col) const override {
        const FlexGrid* g = Grid();
        return g && col >= 0 && col < g->RawCols() ? HeaderText(*g, col) : QString();
    }
    // The fixed columns' texts of the row.
    QString rowDescription(int row) const override {
        const FlexGrid* g = Grid();
        if (!g || row < 0 || row >= BodyRows(*g)) return {};
        QStringList parts;
        for (int c = 0; c < g->RawFixedCols() && c < g->RawCols(); ++c)
            parts << QString::fromStdString(g->Cell(row + g->RawFixedRows(), c));
        return parts.join(u' ');
    }

    // The selection is the block from the current cell to (RowSel, ColSel).
    bool IsSelected(int row, int col) const {
        const auto [r0, c0, r1, c1] = Block();
        return row >= r0 && row <= r1 && col >= c0 && col <= c1;
    }
    int selectedCellCount() const override {
        const auto [r0, c0, r1, c1] = Block();
        return r1 < r0 || c1 < c0 ? 0 : (r1 - r0 + 1) * (c1 - c0 + 1);
    }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> out;
        const auto [r0, c0, r1, c1] = Block();
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) out << Cell(r, c);
        }
        return out;
    }
    QList<int> selectedRows() const override {
        QList<int> out;
        if (selectedCellCount() == 0) return out;
        const auto [r0, c0, r1, c1] = Block();
        if (c0 == 0 && c1 == columnCount() - 1) {
            for (int r = r0; r <= r1; ++r) out << r;
        }
        return out;
    }
    QList<int> selectedColumns() const override {
        QList<int> out;
        if (selectedCellCount() == 0) return out;
        const auto [r0, c0, r1, c1] = Block();
        if (r0 == 0 && r1 == rowCount() - 1) {
            for (int c = c0; c <= c1; ++c) out << c;
        }
        return out;
    }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool isColumnSelected(int col) const override { return selectedColumns().contains(col); }
    // The selection is the program's to set.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    // Rows or columns came or went: the cells are made again when asked for.
    // A changed text needs nothing: the cells read the grid when asked.
    void modelChange(QAccessibleTableModelChangeEvent* event) override {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) DropCells();
    }

    // The interface of a cell (row kHeaderRow: a column header), made once.
    QAccessibleInterface* Cell(int row, int col) const {
        const qint64 key = (static_cast<qint64>(row + 1) << 32) | static_cast<quint32>(col);
        if (auto it = cells_.constFind(key); it != cells_.constEnd()) {
            if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*it)) return cell;
        }
        auto* cell = new AccessibleGridCell(View(), row, col);
        cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

private:
    QTableView* View() const { return static_cast<QTableView*>(widget()); }
    FlexGrid* Grid() const { return GridOf(View()); }
    int HeaderCount() const {
        const FlexGrid* g = Grid();
        return g && g->RawFixedRows() > 0 ? g->RawCols() : 0;
    }
    // The selected block in table rows and columns: first row, first column,
    // last row, last column (last before first when nothing is selected).
    std::array<int, 4> Block() const {
        const FlexGrid* g = Grid();
        if (!g) return {0, 0, -1, -1};
        auto [r0, c0, r1, c1] = g->SelectedBlock();
        r0 = std::max(r0 - g->RawFixedRows(), 0);
        r1 -= g->RawFixedRows();
        return {r0, c0, r1, c1};
    }
    void DropCells() {
        for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

    mutable QHash<qint64, QAccessible::Id> cells_;
};

AccessibleFlexGrid* TableOf(QTableView* view) {
    return dynamic_cast<AccessibleFlexGrid*>(QAccessible::queryAccessibleInterface(view));
}

bool AccessibleGridCell::isSelected() const {
    AccessibleFlexGrid* table = TableOf(view_);
    return row_ != kHeaderRow && table && table->IsSelected(row_, col_);
}

QList<QAccessibleInterface*> AccessibleGridCell::columnHeaderCells() const {
    AccessibleFlexGrid* table = TableOf(view_);
    const FlexGrid* g = GridOf(view_);
    if (!table || !g || g->RawFixedRows() == 0) return {};
    return {table->Cell(kHeaderRow, col_)};
}

}  // namespace

QAccessibleInterface* NewAccessibleFlexGrid(QObject* view) { return new AccessibleFlexGrid(static_cast<QTableView*>(view)); }

}  // namespace forms::detail
