#include "flexgrid.h"
#include "flexgrid_source_watch.h"

#include <algorithm>
#include <cstdlib>

#include <QAbstractTableModel>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QStyle>
#include <QTableView>

#include "application.h"
#include "datacontrol_widget.h"
#include "err.h"
#include "form.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

namespace {

[[noreturn]] void SubscriptOutOfRange() { vb::RaiseError(381); }
[[noreturn]] void InvalidRow() { throw vb::VBError(30009, "Invalid Row value"); }
[[noreturn]] void InvalidCol() { throw vb::VBError(30010, "Invalid Col value"); }

constexpr Twips kDefaultColWidth = 960;

bool LooksNumeric(const std::string& s) {
    if (s.empty()) return false;
    char* end = nullptr;
    std::strtod(s.c_str(), &end);
    while (end && *end == ' ') ++end;
    return end && *end == '\0' && s.find_first_not_of(" ") != std::string::npos;
}

Qt::Alignment QtAlignment(int a, bool numeric) {
    switch (a) {
    case 0: return Qt::AlignLeft | Qt::AlignTop;
    case 1: return Qt::AlignLeft | Qt::AlignVCenter;
    case 2: return Qt::AlignLeft | Qt::AlignBottom;
    case 3: return Qt::AlignHCenter | Qt::AlignTop;
    case 4: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 5: return Qt::AlignHCenter | Qt::AlignBottom;
    case 6: return Qt::AlignRight | Qt::AlignTop;
    case 7: return Qt::AlignRight | Qt::AlignVCenter;
    case 8: return Qt::AlignRight | Qt::AlignBottom;
    default: return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}

}  // namespace

// ---- the table model: the grid's cells as the view reads them ----

class FlexGridModel : public QAbstractTableModel {
public:
    FlexGridModel(FlexGrid* grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}
    FlexGrid* grid_;
    int rows_ = 0, cols_ = 0;  // as the view knows them

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!grid_ || !index.isValid()) return {};
        const int r = index.row(), c = index.column();
        switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(grid_->Cell(r, c));
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(grid_->Alignment(r, c)));
        case Qt::BackgroundRole: {
            const QPalette p = QApplication::palette();
            if (grid_->IsFixed(r, c)) return p.brush(QPalette::Button);
            if (grid_->IsHighlighted(r, c)) return p.brush(QPalette::Highlight);
            return p.brush(QPalette::Base);
        }
        case Qt::ForegroundRole: {
            const QPalette p = QApplication::palette();
            if (grid_->IsFixed(r, c)) return p.brush(QPalette::ButtonText);
            if (grid_->IsHighlighted(r, c)) return p.brush(QPalette::HighlightedText);
            return p.brush(QPalette::Text);
        }
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    // Brings the view to the grid's size.
    void Resize(int rows, int cols) {
        if (cols != cols_) {
            beginResetModel();
            rows_ = rows;
            cols_ = cols;
            endResetModel();
            return;
        }
        if (rows > rows_) {
            beginInsertRows({}, rows_, rows - 1);
            rows_ = rows;
            endInsertRows();
        } else if (rows < rows_) {
            beginRemoveRows({}, rows, rows_ - 1);
            rows_ = rows;
            endRemoveRows();
        }
    }
    void RemoveRow(int row) {
        beginRemoveRows({}, row, row);
        --rows_;
        endRemoveRows();
    }
    void InsertRow(int row) {
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    }
    void Changed(int r0, int c0, int r1, int c1) {
        if (rows_ == 0 || cols_ == 0) return;
        r0 = std::clamp(r0, 0, rows_ - 1);
        r1 = std::clamp(r1, 0, rows_ - 1);
        c0 = std::clamp(c0, 0, cols_ - 1);
        c1 = std::clamp(c1, 0, cols_ - 1);
        emit dataChanged(index(std::min(r0, r1), std::min(c0, c1)), index(std::max(r0, r1), std::max(c0, c1)));
    }
};

// The view: selection and the current cell are the grid's own, driven by
// the mouse and the arrow keys.
class FlexGridView : public QTableView {
public:
    FlexGridView(FlexGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}
    FlexGrid* grid_;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (grid_ && e->button() == Qt::LeftButton) {
            const QModelIndex i = indexAt(e->position().toPoint());
            if (i.isValid()) {
                grid_->UserPressed(i.row(), i.column(), e->modifiers() & Qt::ShiftModifier);
                dragging_ = true;
            }
        }
        setFocus(Qt::MouseFocusReason);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (grid_ && dragging_ && (e->buttons() & Qt::LeftButton)) {
            const QModelIndex i = indexAt(e->position().toPoint());
            if (i.isValid()) grid_->UserDragged(i.row(), i.column());
        }
    }
    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }
    void mouseDoubleClickEvent(QMouseEvent*) override {}
    void keyPressEvent(QKeyEvent* e) override {
        if (!grid_) return QTableView::keyPressEvent(e);
        const bool extend = e->modifiers() & Qt::ShiftModifier;
        const int page = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
        switch (e->key()) {
        case Qt::Key_Up: grid_->UserMoved(-1, 0, extend); break;
        case Qt::Key_Down: grid_->UserMoved(1, 0, extend); break;
        case Qt::Key_Left: grid_->UserMoved(0, -1, extend); break;
        case Qt::Key_Right: grid_->UserMoved(0, 1, extend); break;
        case Qt::Key_PageUp: grid_->UserMoved(-page, 0, extend); break;
        case Qt::Key_PageDown: grid_->UserMoved(page, 0, extend); break;
        default: QAbstractScrollArea::keyPressEvent(e); return;
        }
        e->accept();
    }

private:
    bool dragging_ = false;
};

// ---- FlexGrid ----

FlexGrid::FlexGrid(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
    cells_.assign(2, std::vector<std::string>(2));
    state_.colWidths.assign(2, -1);
    state_.rowHeights.assign(2, -1);
    state_.colAlignments.assign(2, 9);
}

FlexGrid::~FlexGrid() {
    if (widget_) FlexGrid::DestroyNative();
    Follow(nullptr);
}

QTableView* FlexGrid::View() const { return static_cast<QTableView*>(widget_); }

void FlexGrid::CheckRow(std::int32_t row, int error) const {
    if (row < 0 || row >= state_.rows) {
        if (error == 381) SubscriptOutOfRange();
        InvalidRow();
    }
}

void FlexGrid::CheckCol(std::int32_t col, int error) const {
    if (col < 0 || col >= state_.cols) {
        if (error == 381) SubscriptOutOfRange();
        InvalidCol();
    }
}

// ---- size ----

std::int32_t FlexGrid::Rows() const {
    Touch();
    return state_.rows;
}

void FlexGrid::Rows(std::int32_t rows) {
    Touch();
    if (rows < state_.fixedRows || rows < 0) InvalidRow();
    Resize(rows, state_.cols);
}

std::int32_t FlexGrid::Cols() const {
    Touch();
    return state_.cols;
}

void FlexGrid::Cols(std::int32_t cols) {
    Touch();
    if (cols < state_.fixedCols || cols < 0) InvalidCol();
    Resize(state_.rows, cols);
}

void FlexGrid::Resize(std::int32_t rows, std::int32_t cols) {
    const auto r = static_cast<std::size_t>(rows), c = static_cast<std::size_t>(cols);
    if (c != static_cast<std::size_t>(state_.cols)) {
        for (auto& line : cells_) line.resize(c);
        state_.colWidths.resize(c, -1);
        state_.colAlignments.resize(c, 9);
    }
    cells_.resize(r, std::vector<std::string>(c));
    state_.rowHeights.resize(r, -1);
    state_.rows = rows;
    state_.cols = cols;
    // The current cell and the selection stay inside the grid.
    auto clampRow = [&](std::int32_t v) { return std::clamp(v, 0, std::max(0, rows - 1)); };
    auto clampCol = [&](std::int32_t v) { return std::clamp(v, 0, std::max(0, cols - 1)); };
    state_.row = clampRow(state_.row);
    state_.rowSel = clampRow(state_.rowSel);
    state_.col = clampCol(state_.col);
    state_.colSel = clampCol(state_.colSel);
    if (model_) {
        model_->Resize(rows, cols);
        ApplySizes();
        ApplyCurrent();
    }
}

std::int32_t FlexGrid::FixedRows() const {
    Touch();
    return state_.fixedRows;
}

void FlexGrid::FixedRows(std::int32_t rows) {
    Touch();
    if (rows < 0 || rows > state_.rows) throw vb::VBError(30011, "Invalid FixedRows value");
    state_.fixedRows = rows;
    if (model_) model_->Changed(0, 0, state_.rows - 1, state_.cols - 1);
}

std::int32_t FlexGrid::FixedCols() const {
    Touch();
    return state_.fixedCols;
}

void FlexGrid::FixedCols(std::int32_t cols) {
    Touch();
    if (cols < 0 || cols > state_.cols) throw vb::VBError(30012, "Invalid FixedCols value");
    state_.fixedCols = cols;
    if (model_) model_->Changed(0, 0, state_.rows - 1, state_.cols - 1);
}

// ---- cells ----

std::string FlexGrid::TextMatrix(std::int32_t row, std::int32_t col) const {
    Touch();
    CheckRow(row, 381);
    CheckCol(col, 381);
    return Cell(row, col);
}

void FlexGrid::TextMatrix(std::int32_t row, std::int32_t col, const std::string& text) {
    Touch();
    CheckRow(row, 381);
    CheckCol(col, 381);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    if (model_) model_->Changed(row, col, row, col);
}

std::string FlexGrid::Text() const {
    Touch();
    if (state_.rows == 0 || state_.cols == 0) return {};
    return Cell(state_.row, state_.col);
}

void FlexGrid::Text(const std::string& text) {
    Touch();
    if (state_.rows == 0 || state_.cols == 0) InvalidRow();
    TextMatrix(state_.row, state_.col, text);
}

void FlexGrid::AddItem(const std::string& item, std::int32_t index) {
    Touch();
    if (index < -1 || index > state_.rows) InvalidRow();
    const std::size_t at = index < 0 ? cells_.size() : static_cast<std::size_t>(index);
    std::vector<std::string> line(static_cast<std::size_t>(state_.cols));
    std::size_t start = 0;
    for (std::size_t c = 0; c < line.size(); ++c) {
        const std::size_t tab = item.find('\t', start);
        line[c] = item.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    state_.rowHeights.insert(state_.rowHeights.begin() + static_cast<std::ptrdiff_t>(at), -1);
    ++state_.rows;
    if (model_) model_->InsertRow(static_cast<int>(at));
}

void FlexGrid::RemoveItem(std::int32_t row) {
    Touch();
    if (row < state_.fixedRows || row >= state_.rows) InvalidRow();
    if (state_.rows - 1 <= state_.fixedRows) throw vb::VBError(30015, "Cannot remove last non-fixed row");
    cells_.erase(cells_.begin() + row);
    state_.rowHeights.erase(state_.rowHeights.begin() + row);
    --state_.rows;
    auto keep = [&](std::int32_t v) { return std::min(v > row ? v - 1 : v, state_.rows - 1); };
    state_.row = keep(state_.row);
    state_.rowSel = keep(state_.rowSel);
    if (model_) {
        model_->RemoveRow(row);
        ApplyCurrent();
    }
}

void FlexGrid::Clear() {
    Touch();
    for (auto& line : cells_) std::fill(line.begin(), line.end(), std::string());
    if (model_) model_->Changed(0, 0, state_.rows - 1, state_.cols - 1);
}

// ---- widths ----

Twips FlexGrid::ColWidth(std::int32_t col) const {
    Touch();
    CheckCol(col, 381);
    const Twips w = state_.colWidths[static_cast<std::size_t>(col)];
    return w < 0 ? kDefaultColWidth : w;
}

void FlexGrid::ColWidth(std::int32_t col, Twips width) {
    Touch();
    if (width < 0) vb::RaiseError(380);
    if (col == -1) {
        std::fill(state_.colWidths.begin(), state_.colWidths.end(), width);
    } else {
        CheckCol(col, 381);
        state_.colWidths[static_cast<std::size_t>(col)] = width;
    }
    ApplySizes();
}

Twips FlexGrid::CellTextPadding() const {
    // The cells draw their text inside the style's item margin on each side;
    // the grid line takes one pixel at the right of each cell.
    const QWidget* v = widget_;
    const QStyle* style = v ? v->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
    return PixelsToTwips(2 * margin + 1);
}

Twips FlexGrid::RowHeight(std::int32_t row) const {
    Touch();
    CheckRow(row, 381);
    const Twips h = state_.rowHeights[static_cast<std::size_t>(row)];
    if (h >= 0) return h;
    QFont f;
    font_->ApplyTo(f);
    return PixelsToTwips(QFontMetrics(f).height() + 4);
}

void FlexGrid::RowHeight(std::int32_t row, Twips height) {
    Touch();
    if (height < 0) vb::RaiseError(380);
    if (row == -1) {
        std::fill(state_.rowHeights.begin(), state_.rowHeights.end(), height);
    } else {
        CheckRow(row, 381);
        state_.rowHeights[static_cast<std::size_t>(row)] = height;
    }
    ApplySizes();
}

std::int16_t FlexGrid::ColAlignment(std::int32_t col) const {
    Touch();
    CheckCol(col, 381);
    return state_.colAlignments[static_cast<std::size_t>(col)];
}

void FlexGrid::ColAlignment(std::int32_t col, std::int16_t alignment) {
    Touch();
    if (alignment < 0 || alignment > 9) vb::RaiseError(380);
    if (col == -1) {
        std::fill(state_.colAlignments.begin(), state_.colAlignments.end(), alignment);
    } else {
        CheckCol(col, 381);
        state_.colAlignments[static_cast<std::size_t>(col)] = alignment;
    }
    if (model_) model_->Changed(0, 0, state_.rows - 1, state_.cols - 1);
}

int FlexGrid::Alignment(int row, int col) const {
    const std::int16_t a = state_.colAlignments[static_cast<std::size_t>(col)];
    return static_cast<int>(QtAlignment(a, a == 9 && LooksNumeric(Cell(row, col))));
}

// ---- current cell and selection ----

std::int32_t FlexGrid::Row() const {
    Touch();
    return state_.row;
}

void FlexGrid::Row(std::int32_t row) {
    Touch();
    CheckRow(row, 30009);
    SetCurrent(row, state_.col, row, state_.col);
}

std::int32_t FlexGrid::Col() const {
    Touch();
    return state_.col;
}

void FlexGrid::Col(std::int32_t col) {
    Touch();
    CheckCol(col, 30010);
    SetCurrent(state_.row, col, state_.row, col);
}

std::int32_t FlexGrid::RowSel() const {
    Touch();
    return state_.rowSel;
}

void FlexGrid::RowSel(std::int32_t row) {
    Touch();
    CheckRow(row, 30009);
    SetCurrent(state_.row, state_.col, row, state_.colSel);
}

std::int32_t FlexGrid::ColSel() const {
    Touch();
    return state_.colSel;
}

void FlexGrid::ColSel(std::int32_t col) {
    Touch();
    CheckCol(col, 30010);
    SetCurrent(state_.row, state_.col, state_.rowSel, col);
}

std::int16_t FlexGrid::SelectionMode() const {
    Touch();
    return state_.selectionMode;
}

void FlexGrid::SelectionMode(std::int16_t mode) {
    Touch();
    if (mode < 0 || mode > 2) vb::RaiseError(380);
    state_.selectionMode = mode;
}

bool FlexGrid::AllowBigSelection() const {
    Touch();
    return state_.allowBigSelection;
}

void FlexGrid::AllowBigSelection(bool v) {
    Touch();
    state_.allowBigSelection = v;
}

std::int32_t FlexGrid::TopRow() const {
    Touch();
    if (QTableView* v = View()) {
        const int r = v->rowAt(0);
        if (r >= 0) return std::max(r, state_.fixedRows);
    }
    return std::min(state_.fixedRows, std::max(0, state_.rows - 1));
}

void FlexGrid::TopRow(std::int32_t row) {
    Touch();
    CheckRow(row, 30009);
    if (QTableView* v = View()) v->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

std::array<std::int32_t, 4> FlexGrid::SelectedBlock() const {
    return {std::min(state_.row, state_.rowSel), std::min(state_.col, state_.colSel), std::max(state_.row, state_.rowSel),
            std::max(state_.col, state_.colSel)};
}

bool FlexGrid::IsHighlighted(int row, int col) const {
    const int r0 = std::min(state_.row, state_.rowSel), r1 = std::max(state_.row, state_.rowSel);
    const int c0 = std::min(state_.col, state_.colSel), c1 = std::max(state_.col, state_.colSel);
    if (r0 == r1 && c0 == c1) return false;  // a single cell shows only its focus
    if (row == state_.row && col == state_.col) return false;
    return row >= r0 && row <= r1 && col >= c0 && col <= c1;
}

void FlexGrid::SetCurrent(std::int32_t row, std::int32_t col, std::int32_t rowSel, std::int32_t colSel) {
    const State before = state_;
    if (state_.selectionMode == 1 && state_.cols > 0) {
        col = std::min(state_.fixedCols, state_.cols - 1);
        colSel = state_.cols - 1;
    } else if (state_.selectionMode == 2 && state_.rows > 0) {
        row = std::min(state_.fixedRows, state_.rows - 1);
        rowSel = state_.rows - 1;
    }
    state_.row = row;
    state_.col = col;
    state_.rowSel = rowSel;
    state_.colSel = colSel;
    if (model_) {
        // Repaint what was and what is selected.
        model_->Changed(std::min({before.row, before.rowSel, row, rowSel}), std::min({before.col, before.colSel, col, colSel}),
                        std::max({before.row, before.rowSel, row, rowSel}), std::max({before.col, before.colSel, col, colSel}));
        ApplyCurrent();
    }
    const bool moved = before.row != row || before.col != col;
    const bool selChanged = moved || before.rowSel != rowSel || before.colSel != colSel;
    if (moved && RowColChange) Raise(RowColChange);
    if (selChanged && SelChange) Raise(SelChange);
}

void FlexGrid::UserPressed(int row, int col, bool extend) {
    const int fr = state_.fixedRows, fc = state_.fixedCols;
    const int lastRow = state_.rows - 1, lastCol = state_.cols - 1;
    const bool fixedRow = row < fr, fixedCol = col < fc;
    if (fixedRow || fixedCol) {
        if (!state_.allowBigSelection || lastRow < fr || lastCol < fc) return;
        if (fixedRow && fixedCol) {
            SetCurrent(fr, fc, lastRow, lastCol);
        } else if (fixedRow) {
            SetCurrent(fr, col, lastRow, col);
        } else {
            SetCurrent(row, fc, row, lastCol);
        }
        return;
    }
    if (extend) {
        SetCurrent(state_.row, state_.col, row, col);
    } else {
        SetCurrent(row, col, row, col);
    }
}

void FlexGrid::UserDragged(int row, int col) {
    row = std::clamp(row, state_.fixedRows, std::max(state_.fixedRows, state_.rows - 1));
    col = std::clamp(col, state_.fixedCols, std::max(state_.fixedCols, state_.cols - 1));
    if (row >= state_.rows || col >= state_.cols) return;
    SetCurrent(state_.row, state_.col, row, col);
}

void FlexGrid::UserMoved(int dRow, int dCol, bool extend) {
    if (state_.rows <= state_.fixedRows || state_.cols <= state_.fixedCols) return;
    const int fromRow = extend ? state_.rowSel : state_.row;
    const int fromCol = extend ? state_.colSel : state_.col;
    const int row = std::clamp(fromRow + dRow, state_.fixedRows, state_.rows - 1);
    const int col = std::clamp(fromCol + dCol, state_.fixedCols, state_.cols - 1);
    if (extend) {
        SetCurrent(state_.row, state_.col, row, col);
    } else {
        SetCurrent(row, col, row, col);
    }
    if (QTableView* v = View()) v->scrollTo(model_->index(row, col));
}

std::pair<int, int> FlexGrid::CellAt(int x, int y) const {
    QTableView* v = View();
    if (!v) return {-1, -1};
    const QModelIndex i = v->indexAt(v->viewport()->mapFrom(v, QPoint(x, y)));
    return {i.isValid() ? i.row() : -1, i.isValid() ? i.column() : -1};
}

// ---- the widget ----

QWidget* FlexGrid::CreateWidget(QWidget* parent) {
    auto* v = new FlexGridView(this, parent);
    model_ = new FlexGridModel(this, v);
    v->setModel(model_);
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setShowGrid(true);
    v->setWordWrap(false);
    v->setCornerButtonEnabled(false);
    // Beyond the last row and column the grid shows its dark background.
    QPalette palette = v->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Dark));
    v->setPalette(palette);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->verticalHeader()->setMinimumSectionSize(1);
    v->horizontalHeader()->setMinimumSectionSize(0);
    detail::HookWidget(v->viewport(), this);
    return v;
}

void FlexGrid::ApplyState() {
    model_->Resize(state_.rows, state_.cols);
    ApplySizes();
    ApplyCurrent();
    if (Control* source = DataSource()) Follow(source);
}

void FlexGrid::ApplySizes() {
    QTableView* v = View();
    if (!v) return;
    QFont f = v->font();
    const int defaultHeight = QFontMetrics(f).height() + 4;
    v->verticalHeader()->setDefaultSectionSize(defaultHeight);
    v->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(kDefaultColWidth));
    for (int c = 0; c < state_.cols; ++c) {
        const Twips w = state_.colWidths[static_cast<std::size_t>(c)];
        v->setColumnWidth(c, TwipsToPixels(w < 0 ? kDefaultColWidth : w));
    }
    for (int r = 0; r < state_.rows; ++r) {
        const Twips h = state_.rowHeights[static_cast<std::size_t>(r)];
        if (h >= 0) v->setRowHeight(r, TwipsToPixels(h));
    }
}

void FlexGrid::ApplyCurrent() {
    QTableView* v = View();
    if (!v || state_.rows == 0 || state_.cols == 0) return;
    const bool blocked = v->selectionModel()->blockSignals(true);
    v->selectionModel()->setCurrentIndex(model_->index(state_.row, state_.col), QItemSelectionModel::NoUpdate);
    v->selectionModel()->blockSignals(blocked);
}

void FlexGrid::DestroyNative() {
    if (auto* v = static_cast<FlexGridView*>(widget_)) v->grid_ = nullptr;
    if (model_) model_->grid_ = nullptr;
    model_ = nullptr;  // deleted with the view
    Control::DestroyNative();
}

// ---- a data control's rows ----

void FlexGrid::Follow(Control* source) {
    if (followed_ == source) return;
    followed_ = source;
    filledFrom_ = nullptr;
    filledCount_ = -1;
    if (auto* data = dynamic_cast<DataControl*>(source)) {
        data->AddFollower(*this);
        FillFromSource();
    }
}

void FlexGrid::FillFromSource() {
    auto* data = dynamic_cast<DataControl*>(followed_);
    if (!data) return;
    std::shared_ptr<dao::Recordset> rs = data->Model().Recordset();
    const int count = rs ? rs->RecordCount() : 0;
    if (!watch_) {
        watch_ = std::make_unique<RecordsetWatch>([this] {
            filledFrom_ = nullptr;
            FillFromSource();
        });
    }
    watch_->Watch(rs);
    if (rs.get() == filledFrom_ && count == filledCount_) return;
    filledFrom_ = rs.get();
    filledCount_ = count;
    if (!rs) return;
    const int fields = rs->Fields().Count();
    const int fr = state_.fixedRows, fc = state_.fixedCols;
    Resize(std::max(fr + count, fr + 1), fc + fields);
    Clear();
    for (int f = 0; f < fields; ++f) {
        if (fr > 0) cells_[static_cast<std::size_t>(fr - 1)][static_cast<std::size_t>(fc + f)] = rs->Fields(f).Name();
    }
    for (int r = 0; r < count; ++r) {
        for (int f = 0; f < fields; ++f) {
            const vb::Variant v = rs->PeekValue(r, f);
            cells_[static_cast<std::size_t>(fr + r)][static_cast<std::size_t>(fc + f)] =
                v.IsNull() || v.IsEmpty() ? std::string() : v.ToString();
        }
    }
    if (model_) model_->Changed(0, 0, state_.rows - 1, state_.cols - 1);
}

void FlexGrid::DataSourceChanged(DataControl& source) {
    if (followed_ != &source) Follow(&source);
    FillFromSource();
}

void FlexGrid::DataSourceGone(DataControl& source) {
    if (followed_ == &source) followed_ = nullptr;
}

// ---- late binding ----

vb::Variant FlexGrid::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "rows") return vb::Variant(Rows());
    if (n == "cols") return vb::Variant(Cols());
    if (n == "fixedrows") return vb::Variant(FixedRows());
    if (n == "fixedcols") return vb::Variant(FixedCols());
    if (n == "text") return vb::Variant(Text());
    if (n == "row") return vb::Variant(Row());
    if (n == "col") return vb::Variant(Col());
    if (n == "rowsel") return vb::Variant(RowSel());
    if (n == "colsel") return vb::Variant(ColSel());
    if (n == "selectionmode") return vb::Variant(SelectionMode());
    if (n == "allowbigselection") return vb::Variant(AllowBigSelection());
    if (n == "toprow") return vb::Variant(TopRow());
    return Control::GetMember(name);
}

void FlexGrid::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "rows") return Rows(value.ToLong());
    if (n == "cols") return Cols(value.ToLong());
    if (n == "fixedrows") return FixedRows(value.ToLong());
    if (n == "fixedcols") return FixedCols(value.ToLong());
    if (n == "text") return Text(value.ToString());
    if (n == "row") return Row(value.ToLong());
    if (n == "col") return Col(value.ToLong());
    if (n == "rowsel") return RowSel(value.ToLong());
    if (n == "colsel") return ColSel(value.ToLong());
    if (n == "selectionmode") return SelectionMode(value.ToInteger());
    if (n == "allowbigselection") return AllowBigSelection(value.ToBool());
    if (n == "toprow") return TopRow(value.ToLong());
    if (n == "datasource") {
        Control* source = DataSourceFromVariant(value);
        DataSource(source);
        return Follow(source);
    }
    Control::SetMember(name, value);
}

vb::Variant FlexGrid::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    using detail::Arg;
    // Indexed properties: TextMatrix(r, c), ColWidth(c), RowHeight(r),
    // ColAlignment(c); a value after the indexes sets the property.
    if (n == "textmatrix") {
        if (args.size() >= 3) {
            TextMatrix(Arg(args, 0).ToLong(), Arg(args, 1).ToLong(), Arg(args, 2).ToString());
            return {};
        }
        return vb::Variant(TextMatrix(Arg(args, 0).ToLong(), Arg(args, 1).ToLong()));
    }
    if (n == "colwidth") {
        if (args.size() >= 2) {
            ColWidth(Arg(args, 0).ToLong(), static_cast<Twips>(Arg(args, 1).ToDouble()));
            return {};
        }
        return vb::Variant(ColWidth(Arg(args, 0).ToLong()));
    }
    if (n == "rowheight") {
        if (args.size() >= 2) {
            RowHeight(Arg(args, 0).ToLong(), static_cast<Twips>(Arg(args, 1).ToDouble()));
            return {};
        }
        return vb::Variant(RowHeight(Arg(args, 0).ToLong()));
    }
    if (n == "colalignment") {
        if (args.size() >= 2) {
            ColAlignment(Arg(args, 0).ToLong(), Arg(args, 1).ToInteger());
            return {};
        }
        return vb::Variant(ColAlignment(Arg(args, 0).ToLong()));
    }
    if (n == "additem") {
        AddItem(Arg(args, 0).ToString(), args.size() > 1 && !args[1].IsEmpty() ? args[1].ToLong() : -1);
        return {};
    }
    if (n == "removeitem") {
        RemoveItem(Arg(args, 0).ToLong());
        return {};
    }
    if (n == "clear") {
        Clear();
        return {};
    }
    return Control::CallMember(name, args);
}

// ---- design values ----

void FlexGrid::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
    designCells_ = cells_;
}

void FlexGrid::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    cells_ = designCells_;
    followed_ = nullptr;
    filledFrom_ = nullptr;
    filledCount_ = -1;
}

void FlexGrid::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const FlexGrid*>(&other)) {
        state_ = o->state_;
        cells_ = o->cells_;
    }
}

}  // namespace forms
