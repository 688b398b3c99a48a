#pragma once
// The rows of a DataWindow as a Qt table model: one column per label and
// column of its presentation, each cell formatted from the stored row when
// the view asks for it (only the rows it paints or measures), nothing kept
// per row or cell. Drop-down DataWindow columns edit with a list of the
// other object's display values, written back into the rows.
#include <QAbstractTableModel>
#include <QFont>
#include <QStyledItemDelegate>
#include <memory>

#include "dw_state.h"

namespace pbvm {

QFont DwQtFont(const DwFont& font, bool bold = false);

class DwTableModel : public QAbstractTableModel {
public:
    DwTableModel(std::shared_ptr<DwState> state, QObject* parent);

    // Around a change of the rows (a Retrieve): the views forget what they
    // knew of the old rows, then learn the new ones.
    void beginRowsChange() { beginResetModel(); }
    void endRowsChange() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    const DwShown* shown(int column) const;
    std::shared_ptr<DwState> state_;
};

// The editor of a drop-down DataWindow column: a combo box of the display
// values the drop-down retrieved last.
class DwDropDownDelegate : public QStyledItemDelegate {
public:
    DwDropDownDelegate(QObject* parent, std::shared_ptr<DwState> state, std::string column)
        : QStyledItemDelegate(parent), state_(std::move(state)), column_(std::move(column)) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    std::shared_ptr<DwState> state_;
    std::string column_;
};

}  // namespace pbvm
