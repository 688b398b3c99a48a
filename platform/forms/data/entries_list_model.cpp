#include "entries_list_model.h"

namespace forms::detail {

void EntriesListModel::SetEntries(std::shared_ptr<const ComboEntries> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int EntriesListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !entries_) return 0;
    return static_cast<int>(entries_->size());
}

QVariant EntriesListModel::data(const QModelIndex& index, int role) const {
    if (!entries_ || !index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= entries_->size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const std::string_view text = entries_->text(static_cast<std::size_t>(index.row()));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace forms::detail
