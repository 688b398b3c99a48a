#pragma once
// The data-bound grid: shows every row of its data control's recordset, one
// column per field, with the field names as column headers and a marker at
// the current record. The current row follows the data control, and a click
// on a row (or the arrow keys) makes that record the data control's current
// one. Columns(i) (from 0) reads the current row.
//
//     forms::DBGrid dbgridAdmin{this, "dbgridAdmin", 120, 120, 8295, 3615};
//     frmAdmin::frmAdmin() : Form("frmAdmin") {
//         dbgridAdmin.DataSource(&dataAdmin);
//         dbgridAdmin.Caption("Orvanta Online");
//         dbgridAdmin.MouseUp = [this](std::int16_t Button, std::int16_t Shift, float X, float Y) { ... };
//     }
//
// Events: Click, DblClick, RowColChange, and the common mouse (with the
// button: 1 left, 2 right) and key events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bound_controls.h"
#include "control.h"

class QLabel;
class QTableView;

namespace forms {

class DBGrid;
class DBGridModel;

// One column of the grid, for the field at the same place in the recordset.
class Column : public vb::Object {
public:
    std::string TypeName() const override { return "Column"; }
    int ColIndex() const { return index_; }
    // The field's value in the current row; "" when there is no current row.
    vb::Variant Value() const;
    // The value as the grid shows it ("" for Null).
    std::string Text() const;
    std::string Caption() const;
    void Caption(const std::string& caption);
    std::string DataField() const;
    Twips Width() const;
    void Width(Twips width);
    bool Visible() const;
    void Visible(bool visible);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

private:
    friend class DBGrid;
    friend class Columns;
    void CheckAlive() const;
    DBGrid* grid_ = nullptr;
    int index_ = 0;
    std::string field_;
    std::string caption_;
    Twips width_ = -1;  // < 0: sized to its contents when filled
    bool visible_ = true;
};

class Columns : public vb::Object {
public:
    explicit Columns(DBGrid& grid) : grid_(grid) {}
    std::string TypeName() const override { return "Columns"; }
    int Count() const { return static_cast<int>(items_.size()); }
    // By 0-based index (error 6148 outside) or by field name or caption.
    Column& Item(const vb::Variant& indexOrName) const;
    Column& operator()(const vb::Variant& indexOrName) const { return Item(indexOrName); }

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class DBGrid;
    DBGrid& grid_;
    std::vector<std::shared_ptr<Column>> items_;
};

class DBGrid : public Control, public DataSourceFollower {
public:
    DBGrid(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 6495,
           Twips height = 2775);
    ~DBGrid() override;
    std::string TypeName() const override { return "DBGrid"; }
    const char* WindowClass() const override { return "DBGridWndClass"; }

    // The caption bar above the columns; hidden when empty.
    std::string Caption() const;
    void Caption(const std::string& caption);
    forms::Columns& Columns();
    // Whether the user may change, add or delete records in the grid. The
    // grid itself is for reading: these are kept for the program.
    bool AllowUpdate() const;
    void AllowUpdate(bool v);
    bool AllowAddNew() const;
    void AllowAddNew(bool v);
    bool AllowDelete() const;
    void AllowDelete(bool v);
    // The current column (0-based).
    std::int16_t Col() const;
    void Col(std::int16_t col);
    // The current record's place among the rows (0-based); -1 without one.
    long CurrentRow() const;
    // Reads the data control's rows again.
    void ReBind();

    std::function<void()> RowColChange;

    void DataSourceChanged(DataControl& source) override;
    void DataSourceGone(DataControl& source) override;

    // The table widget, or null while not loaded (for the test driver).
    QTableView* View() const { return view_; }

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

    // Used by the widget.
    std::shared_ptr<dao::Recordset> Source() const;
    void UserChoseRow(int row, int col);
    void UserMoved(int delta);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    friend class Column;
    void Follow(Control* source);
    void Reload(bool force);
    void ShowCurrent();
    void SizeColumns();

    struct State {
        std::string caption;
        bool allowUpdate = true;
        bool allowAddNew = false;
        bool allowDelete = false;
    };
    State state_, design_;
    std::shared_ptr<forms::Columns> columns_;
    std::int16_t col_ = 0;
    Control* followed_ = nullptr;
    const void* shownFrom_ = nullptr;
    int shownCount_ = -1;
    long shownCurrent_ = -2;
    QLabel* captionBar_ = nullptr;
    QTableView* view_ = nullptr;
    DBGridModel* model_ = nullptr;
};

}  // namespace forms
