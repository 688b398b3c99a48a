#include "list_control.h"

#include <QString>

#include "application.h"
#include "err.h"
#include "list_entries_model.h"
#include "member_names.h"

namespace forms {

ListControl::ListControl(ControlParent parent, std::string name) : Control(parent, std::move(name)) {}

void ListControl::AddItem(const std::string& item, std::int32_t index) {
    Touch();
    const auto count = static_cast<std::int32_t>(list_.entries.size());
    if (index < -1 || index > count) vb::RaiseError(5);
    std::int32_t at = index;
    if (at == -1) at = list_.sorted ? SortedPosition(item) : count;
    list_.entries.insert(static_cast<std::size_t>(at), item);
    list_.newIndex = at;
    const bool selectionMoved = list_.listIndex >= at;
    if (selectionMoved) ++list_.listIndex;
    if (model_) {
        syncing_ = true;
        model_->Inserted(at);
        if (selectionMoved && widget_) {
            model_->Flush();
            WidgetSelect(list_.listIndex);
        }
        syncing_ = false;
    }
}

std::int32_t ListControl::SortedPosition(const std::string& item) const {
    const QString key = QString::fromStdString(item);
    // The first entry greater than the new one.
    std::size_t low = 0, high = list_.entries.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const std::string_view text = list_.entries.text(middle);
        const QString entry = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        if (QString::compare(key, entry, Qt::CaseInsensitive) < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return static_cast<std::int32_t>(low);
}

detail::ListEntriesModel* ListControl::NewEntriesModel(QObject* parent) {
    model_ = new detail::ListEntriesModel(
        [this](int row) {
            const std::string_view text = list_.entries.text(static_cast<std::size_t>(row));
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        },
        parent);
    model_->Reset(static_cast<int>(list_.entries.size()));
    return model_;
}

void ListControl::FlushEntries() const {
    if (model_) model_->Flush();
}

void ListControl::RemoveItem(std::int32_t index) {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(5);
    list_.entries.erase(static_cast<std::size_t>(index));
    if (list_.listIndex == index) {
        list_.listIndex = -1;
    } else if (list_.listIndex > index) {
        --list_.listIndex;
    }
    if (list_.newIndex >= static_cast<std::int32_t>(list_.entries.size())) list_.newIndex = -1;
    if (model_) {
        syncing_ = true;
        model_->Removed(index);
        if (widget_) WidgetSelect(list_.listIndex);
        syncing_ = false;
    }
}

void ListControl::Clear() {
    Touch();
    list_.entries.clear();
    list_.listIndex = -1;
    list_.newIndex = -1;
    if (model_) {
        syncing_ = true;
        model_->Reset(0);
        if (widget_) WidgetCleared();
        syncing_ = false;
    }
}

std::int32_t ListControl::ListCount() const {
    Touch();
    return static_cast<std::int32_t>(list_.entries.size());
}

std::string ListControl::List(std::int32_t index) const {
    Touch();
    if (index < -1) vb::RaiseError(381);
    if (index == -1) index = list_.listIndex;
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) return {};
    return std::string(list_.entries.text(static_cast<std::size_t>(index)));
}

void ListControl::List(std::int32_t index, const std::string& text) {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(381);
    list_.entries.setText(static_cast<std::size_t>(index), text);
    if (model_) {
        syncing_ = true;
        model_->TextChanged(index);
        syncing_ = false;
    }
}

std::int32_t ListControl::ItemData(std::int32_t index) const {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(381);
    return list_.entries.itemData(static_cast<std::size_t>(index));
}

void ListControl::ItemData(std::int32_t index, std::int32_t value) {
    Touch();
    if (index < 0 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(381);
    list_.entries.setItemData(static_cast<std::size_t>(index), value);
}

std::int32_t ListControl::ListIndex() const {
    Touch();
    return list_.listIndex;
}

void ListControl::ListIndex(std::int32_t index) {
    Touch();
    if (index < -1 || index >= static_cast<std::int32_t>(list_.entries.size())) vb::RaiseError(380);
    const bool changed = index != list_.listIndex;
    list_.listIndex = index;
    if (widget_) {
        syncing_ = true;
        FlushEntries();
        WidgetSelect(index);
        syncing_ = false;
    }
    if (changed) {
        SelectionChanged();
        if (Click && !detail::EndCalled()) Click();
    }
}

std::int32_t ListControl::NewIndex() const {
    Touch();
    return list_.newIndex;
}

bool ListControl::Sorted() const {
    Touch();
    return list_.sorted;
}

void ListControl::Sorted(bool v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    list_.sorted = v;
}

std::int32_t ListControl::TopIndex() const {
    Touch();
    return list_.entries.empty() ? -1 : 0;
}

void ListControl::SelectionChanged() {}

void ListControl::UserSelected(std::int32_t index) {
    if (syncing_) return;
    if (index < -1 || index >= static_cast<std::int32_t>(list_.entries.size())) return;
    list_.listIndex = index;
    SelectionChanged();
    RaiseEvent(Click);
}

vb::Variant ListControl::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "listcount") return vb::Variant(ListCount());
    if (n == "listindex") return vb::Variant(ListIndex());
    if (n == "newindex") return vb::Variant(NewIndex());
    if (n == "sorted") return vb::Variant(Sorted());
    if (n == "topindex") return vb::Variant(TopIndex());
    return Control::GetMember(name);
}

void ListControl::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "listindex") return ListIndex(value.ToLong());
    if (n == "sorted") return Sorted(value.ToBool());
    Control::SetMember(name, value);
}

vb::Variant ListControl::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "additem") {
        AddItem(detail::Arg(args, 0).ToString(), args.size() > 1 && !args[1].IsEmpty() ? args[1].ToLong() : -1);
        return {};
    }
    if (n == "removeitem") {
        RemoveItem(detail::Arg(args, 0).ToLong());
        return {};
    }
    if (n == "clear") {
        Clear();
        return {};
    }
    if (n == "list") return vb::Variant(List(detail::Arg(args, 0).ToLong()));
    if (n == "itemdata") return vb::Variant(ItemData(detail::Arg(args, 0).ToLong()));
    return Control::CallMember(name, args);
}

void ListControl::SaveDesign() {
    Control::SaveDesign();
    listDesign_ = list_;
}

void ListControl::RestoreDesign() {
    Control::RestoreDesign();
    list_ = listDesign_;
}

void ListControl::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const ListControl*>(&other)) list_ = o->list_;
}

}  // namespace forms
