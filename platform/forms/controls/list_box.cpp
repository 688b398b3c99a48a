#include "list_box.h"

#include <QItemSelectionModel>
#include <QListView>

#include "application.h"
#include "err.h"
#include "list_entries_model.h"
#include "member_names.h"

namespace forms {

ListBox::ListBox(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : ListControl(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

std::string ListBox::Text() const { return List(ListIndex()); }

bool ListBox::Selected(std::int32_t index) const {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(381);
    if (auto* l = qobject_cast<QListView*>(widget_)) {
        FlushEntries();
        return l->selectionModel()->isSelected(l->model()->index(index, 0));
    }
    return index == list_.listIndex;
}

void ListBox::Selected(std::int32_t index, bool v) {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(381);
    if (multiSelect_ == 0) {
        if (v) ListIndex(index);
        else if (index == list_.listIndex) ListIndex(-1);
        return;
    }
    if (auto* l = qobject_cast<QListView*>(widget_)) {
        syncing_ = true;
        FlushEntries();
        l->selectionModel()->select(l->model()->index(index, 0),
                                    v ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
        syncing_ = false;
    }
}

std::int16_t ListBox::MultiSelect() const {
    Touch();
    return multiSelect_;
}

void ListBox::MultiSelect(std::int16_t v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    if (v < 0 || v > 2) vb::RaiseError(380);
    multiSelect_ = v;
}

std::int32_t ListBox::SelCount() const {
    Touch();
    if (auto* l = qobject_cast<QListView*>(widget_)) {
        FlushEntries();
        return static_cast<std::int32_t>(l->selectionModel()->selectedRows().size());
    }
    return list_.listIndex >= 0 ? 1 : 0;
}

QWidget* ListBox::CreateWidget(QWidget* parent) {
    auto* l = new QListView(parent);
    // Every entry is one line of text: the view lays out a million entries
    // without measuring each.
    l->setUniformItemSizes(true);
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    l->setModel(NewEntriesModel(l));
    l->setSelectionMode(multiSelect_ == 1   ? QAbstractItemView::MultiSelection
                        : multiSelect_ == 2 ? QAbstractItemView::ExtendedSelection
                                            : QAbstractItemView::SingleSelection);
    if (list_.listIndex >= 0) l->setCurrentIndex(l->model()->index(list_.listIndex, 0));
    // The selection, not the current row: a list that gets the focus makes
    // its first entry current without choosing it.
    QObject::connect(l->selectionModel(), &QItemSelectionModel::selectionChanged, connections_, [this, l] {
        if (syncing_ || multiSelect_ != 0) return;
        const auto selected = l->selectionModel()->selectedRows();
        const int row = selected.isEmpty() ? -1 : selected.first().row();
        if (row != list_.listIndex) UserSelected(row);
    });
    QObject::connect(l, &QListView::doubleClicked, connections_, [this] { RaiseEvent(DblClick); });
    return l;
}

void ListBox::ApplyState() {}

void ListBox::WidgetSelect(std::int32_t index) {
    auto* l = static_cast<QListView*>(widget_);
    if (index < 0) {
        l->clearSelection();
        l->setCurrentIndex(QModelIndex());
    } else {
        l->selectionModel()->setCurrentIndex(l->model()->index(index, 0), QItemSelectionModel::ClearAndSelect);
    }
}

vb::Variant ListBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "text") return vb::Variant(Text());
    if (n == "multiselect") return vb::Variant(MultiSelect());
    if (n == "selcount") return vb::Variant(SelCount());
    return ListControl::GetMember(name);
}

void ListBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "multiselect") return MultiSelect(value.ToInteger());
    if (n == "text") vb::RaiseError(383);
    ListControl::SetMember(name, value);
}

void ListBox::SaveDesign() {
    ListControl::SaveDesign();
    multiSelectDesign_ = multiSelect_;
}

void ListBox::RestoreDesign() {
    ListControl::RestoreDesign();
    multiSelect_ = multiSelectDesign_;
}

void ListBox::CopyStateFrom(const Control& other) {
    ListControl::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const ListBox*>(&other)) multiSelect_ = o->multiSelect_;
}

}  // namespace forms
