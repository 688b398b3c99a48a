#pragma once
// The flexible grid: a table of text cells. The first FixedRows rows and
// FixedCols columns are fixed (headers, drawn grey, never selected). The
// current cell is (Row, Col); the selection runs from there to
// (RowSel, ColSel). Widths and heights are in twips.
//
//     forms::FlexGrid FlexigridOrders{this, "FlexigridOrders", 120, 480, 8655, 3015};
//     FlexigridOrders.Rows(n + 1);
//     FlexigridOrders.TextMatrix(0, 0, "ORDERID");
//     FlexigridOrders.ColWidth(0, 1200);
//
// Events: Click and DblClick (the mouse), SelChange and RowColChange, and
// the common mouse and key events. When its DataSource is a data control the
// grid shows that control's recordset: the field names in row 0 and one row
// per record, from column 1 on.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bound_controls.h"
#include "control.h"

class QTableView;

namespace forms {

class FlexGridModel;
class RecordsetWatch;

class FlexGrid : public Control, public DataSourceFollower {
public:
    FlexGrid(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 4815,
             Twips height = 2415);
    ~FlexGrid() override;
    std::string TypeName() const override { return "MSFlexGrid"; }
    const char* WindowClass() const override { return "FlexGridWndClass"; }

    // ---- size ----
    // Fewer rows than FixedRows (columns than FixedCols): error 30009 (30010).
    std::int32_t Rows() const;
    void Rows(std::int32_t rows);
    std::int32_t Cols() const;
    void Cols(std::int32_t cols);
    std::int32_t FixedRows() const;
    void FixedRows(std::int32_t rows);  // error 30011 when more than Rows
    std::int32_t FixedCols() const;
    void FixedCols(std::int32_t cols);  // error 30012 when more than Cols

    // ---- cells ----
    // Error 381 for a row or column outside the grid.
    std::string TextMatrix(std::int32_t row, std::int32_t col) const;
    void TextMatrix(std::int32_t row, std::int32_t col, const std::string& text);
    // The text of the current cell.
    std::string Text() const;
    void Text(const std::string& text);
    // Adds a row (at the end, or before `index`); the text's tab-separated
    // parts go to the columns from 0 on. Error 30009 for a bad index.
    void AddItem(const std::string& item, std::int32_t index = -1);
    // Removes a row; error 30009 for a row outside the grid, 30015 for the
    // last row below the fixed ones.
    void RemoveItem(std::int32_t row);
    // Empties every cell; rows and columns stay.
    void Clear();

    // ---- widths, in twips ----
    // Error 381 for a column outside the grid; ColWidth(-1, w) sets them all.
    Twips ColWidth(std::int32_t col) const;
    // The width a cell takes beside its text: the margins left and right of
    // the text and the grid line. A text fits in a column when its width and
    // this together are no wider than the column.
    Twips CellTextPadding() const;
    void ColWidth(std::int32_t col, Twips width);
    Twips RowHeight(std::int32_t row) const;
    void RowHeight(std::int32_t row, Twips height);
    // 0 left ... 8 right bottom, 9 general (numbers right, text left).
    std::int16_t ColAlignment(std::int32_t col) const;
    void ColAlignment(std::int32_t col, std::int16_t alignment);

    // ---- current cell and selection ----
    // Setting Row or Col makes the current cell the whole selection. Errors 30009
    // (rows) and 30010 (columns) outside the grid.
    std::int32_t Row() const;
    void Row(std::int32_t row);
    std::int32_t Col() const;
    void Col(std::int32_t col);
    std::int32_t RowSel() const;
    void RowSel(std::int32_t row);
    std::int32_t ColSel() const;
    void ColSel(std::int32_t col);
    // 0 free, 1 whole rows, 2 whole columns.
    std::int16_t SelectionMode() const;
    void SelectionMode(std::int16_t mode);
    // A click on a fixed cell selects its whole row or column.
    bool AllowBigSelection() const;
    void AllowBigSelection(bool v);
    // First row and column shown below and right of the fixed ones.
    std::int32_t TopRow() const;
    void TopRow(std::int32_t row);

    std::function<void()> SelChange;
    std::function<void()> RowColChange;

    // The row and column under a point of the widget (in pixels); -1 when
    // none. For the test driver.
    std::pair<int, int> CellAt(int x, int y) const;
    // The table widget, or null while not loaded.
    QTableView* View() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void DataSourceChanged(DataControl& source) override;
    void DataSourceGone(DataControl& source) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

    // Used by the widget.
    const std::string& Cell(int row, int col) const { return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]; }
    bool IsFixed(int row, int col) const { return row < state_.fixedRows || col < state_.fixedCols; }
    // The size without loading the form (for the accessibility interface).
    std::int32_t RawRows() const { return state_.rows; }
    std::int32_t RawCols() const { return state_.cols; }
    std::int32_t RawFixedRows() const { return state_.fixedRows; }
    std::int32_t RawFixedCols() const { return state_.fixedCols; }
    // The block from the current cell to (RowSel, ColSel): first row, first
    // column, last row, last column.
    std::array<std::int32_t, 4> SelectedBlock() const;
    bool IsHighlighted(int row, int col) const;
    int Alignment(int row, int col) const;
    void UserPressed(int row, int col, bool extend);
    void UserDragged(int row, int col);
    void UserMoved(int dRow, int dCol, bool extend);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void CheckRow(std::int32_t row, int error) const;
    void CheckCol(std::int32_t col, int error) const;
    void Resize(std::int32_t rows, std::int32_t cols);
    void SetCurrent(std::int32_t row, std::int32_t col, std::int32_t rowSel, std::int32_t colSel);
    void ApplySizes();
    void ApplyCurrent();
    void FillFromSource();
    void Follow(Control* source);

    struct State {
        std::int32_t rows = 2, cols = 2;
        std::int32_t fixedRows = 1, fixedCols = 1;
        std::int32_t row = 1, col = 1, rowSel = 1, colSel = 1;
        std::int16_t selectionMode = 0;
        bool allowBigSelection = true;
        std::vector<Twips> colWidths;   // per column; < 0: the default width
        std::vector<Twips> rowHeights;  // per row; < 0: the default height
        std::vector<std::int16_t> colAlignments;
    };
    State state_, design_;
    std::vector<std::vector<std::string>> cells_, designCells_;
    FlexGridModel* model_ = nullptr;
    Control* followed_ = nullptr;
    int followId_ = 0;
    const void* filledFrom_ = nullptr;
    int filledCount_ = -1;
    // Refills the grid when the shown rows change in place (a refresh, a
    // record saved or deleted).
    std::unique_ptr<RecordsetWatch> watch_;
};

}  // namespace forms
