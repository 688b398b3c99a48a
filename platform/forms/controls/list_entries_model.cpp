#include "list_entries_model.h"

#include <QMetaObject>

namespace forms::detail {

ListEntriesModel::ListEntriesModel(std::function<QString(int)> textAt, QObject* parent)
    : QAbstractListModel(parent), textAt_(std::move(textAt)) {}

void ListEntriesModel::Inserted(int index) {
    if (index == shown_ + pending_) {
        ++pending_;
        if (!flushQueued_) {
            flushQueued_ = true;
            QMetaObject::invokeMethod(this, [this] { Flush(); }, Qt::QueuedConnection);
        }
        return;
    }
    Flush();
    beginInsertRows(QModelIndex(), index, index);
    ++shown_;
    endInsertRows();
}

void ListEntriesModel::Removed(int index) {
    Flush();
    beginRemoveRows(QModelIndex(), index, index);
    --shown_;
    endRemoveRows();
}

void ListEntriesModel::TextChanged(int index) {
    Flush();
    const QModelIndex at = createIndex(index, 0);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

void ListEntriesModel::Reset(int count) {
    beginResetModel();
    shown_ = count;
    pending_ = 0;
    endResetModel();
}

void ListEntriesModel::Flush() {
    flushQueued_ = false;
    if (pending_ == 0) return;
    beginInsertRows(QModelIndex(), shown_, shown_ + pending_ - 1);
    shown_ += pending_;
    pending_ = 0;
    endInsertRows();
}

int ListEntriesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

QVariant ListEntriesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) return textAt_(index.row());
    return {};
}

}  // namespace forms::detail
