#include "dw_table_model.h"

#include <QColor>
#include <QComboBox>

namespace pbvm {

QFont DwQtFont(const DwFont& f, bool bold) {
    QFont font(QString::fromStdString(f.face));
    font.setPointSize(f.size < 0 ? -f.size : 10);
    font.setBold(bold || f.weight >= 700);
    return font;
}

DwTableModel::DwTableModel(std::shared_ptr<DwState> state, QObject* parent)
    : QAbstractTableModel(parent), state_(std::move(state)) {}

const DwShown* DwTableModel::shown(int column) const {
    if (!state_->definition || column < 0 || column >= static_cast<int>(state_->definition->shown.size())) return nullptr;
    return &state_->definition->shown[column];
}

int DwTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !state_->definition ? 0 : static_cast<int>(state_->rows.size());
}

int DwTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !state_->definition ? 0 : static_cast<int>(state_->definition->shown.size());
}

QVariant DwTableModel::data(const QModelIndex& index, int role) const {
    const DwShown* s = shown(index.column());
    if (!s || index.row() < 0 || static_cast<std::size_t>(index.row()) >= state_->rows.size()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ForegroundRole && role != Qt::TextAlignmentRole)
        return {};
    const vb::Variant value = ShownValue(*state_->definition, *s, state_->rows, static_cast<std::size_t>(index.row()));
    if (role == Qt::TextAlignmentRole) {
        if (value.IsNumericType()) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }
    const DwText text = FormatDwValue(value, s->format);
    if (role == Qt::ForegroundRole) {
        if (text.colour.empty()) return {};
        return QColor(QString::fromStdString(text.colour));
    }
    return QString::fromStdString(text.text);
}

QVariant DwTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const DwShown* s = orientation == Qt::Horizontal ? shown(section) : nullptr;
    if (!s) return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(s->label);
    case Qt::FontRole:
        return DwQtFont(state_->definition->font, s->boldLabel);
    case Qt::UserRole:
        return QString::fromStdString(s->labelName);
    default:
        return {};
    }
}

Qt::ItemFlags DwTableModel::flags(const QModelIndex& index) const {
    const DwShown* s = shown(index.column());
    if (!s) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!s->dropDown.empty()) flags |= Qt::ItemIsEditable;
    return flags;
}

bool DwTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const DwShown* s = shown(index.column());
    if (role != Qt::EditRole || !s || s->dropDown.empty() || index.row() < 0) return false;
    const int column = state_->definition->columnIndex(s->column);
    if (column < 0 || static_cast<std::size_t>(index.row()) >= state_->rows.size()) return false;
    state_->rows.set(static_cast<std::size_t>(index.row()), column, vb::Variant(value.toString().toStdString()));
    emit dataChanged(index, index);
    return true;
}

QWidget* DwDropDownDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    auto it = state_->dropDowns.find(column_);
    if (it == state_->dropDowns.end()) return combo;
    const DwDropDown& list = it->second;
    QStringList items;
    items.reserve(static_cast<int>(list.rows.size()));
    for (std::size_t r = 0; r < list.rows.size(); ++r)
        items << QString::fromStdString(FormatDwValue(list.rows.value(r, list.display), "[general]").text);
    combo->addItems(items);
    return combo;
}

void DwDropDownDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static_cast<QComboBox*>(editor)->setCurrentText(index.data().toString());
}

void DwDropDownDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QComboBox*>(editor)->currentText());
}

}  // namespace pbvm
