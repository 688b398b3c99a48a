#pragma once
// The toolkit's view of a data-bound list's entries: a list model that reads
// the texts where the entries keep them, so filling a combo box with a
// million rows is one reset of its model, not a million insertions.
#include <QAbstractListModel>

#include <memory>

#include "combo_entries.h"

namespace forms::detail {

class EntriesListModel : public QAbstractListModel {
public:
    explicit EntriesListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}
    // Shows `entries` from now on (in one reset).
    void SetEntries(std::shared_ptr<const ComboEntries> entries);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const ComboEntries> entries_;
};

}  // namespace forms::detail
