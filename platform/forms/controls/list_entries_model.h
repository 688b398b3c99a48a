#pragma once
// The toolkit's view of a list or combo box's entries. The control keeps the
// entries; this model reads their texts where they are kept. Entries added
// at the end are told to the views in one step, when the event loop next
// runs or before any other change, so that filling a list with a million
// entries is one insertion for the views, not a million.
#include <QAbstractListModel>

#include <functional>

namespace forms::detail {

class ListEntriesModel : public QAbstractListModel {
    Q_OBJECT

public:
    // `textAt(row)` gives the text of an entry the model has been told of.
    explicit ListEntriesModel(std::function<QString(int)> textAt, QObject* parent = nullptr);

    // An entry was inserted at `index` (entries at the end wait for Flush).
    void Inserted(int index);
    // The entry at `index` was removed, or its text changed.
    void Removed(int index);
    void TextChanged(int index);
    // The control now holds `count` entries, none of them the old ones.
    void Reset(int count);
    // Tells the views of entries added at the end and not yet announced.
    void Flush();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::function<QString(int)> textAt_;
    int shown_ = 0;    // entries the views know of
    int pending_ = 0;  // entries added at the end since
    bool flushQueued_ = false;
};

}  // namespace forms::detail
