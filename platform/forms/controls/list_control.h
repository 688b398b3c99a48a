#pragma once
// What combo boxes and list boxes share: a list of entries, each with a text
// and a 32-bit item data value, the selected entry (ListIndex, -1 for none)
// and the index of the entry added last (NewIndex).
#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

#include "control.h"
#include "list_entries.h"

namespace forms {

namespace detail {
class ListEntriesModel;
}

class ListControl : public Control {
public:
    ListControl(ControlParent parent, std::string name);

    // Adds an entry at `index` (at the end when -1, or in order when Sorted);
    // error 5 when index is beyond the end.
    void AddItem(const std::string& item, std::int32_t index = -1);
    // Error 5 when the index is not an entry.
    void RemoveItem(std::int32_t index);
    void Clear();
    std::int32_t ListCount() const;
    // The text of an entry; "" for an index beyond the list.
    std::string List(std::int32_t index) const;
    void List(std::int32_t index, const std::string& text);
    // Error 381 when the index is not an entry.
    std::int32_t ItemData(std::int32_t index) const;
    void ItemData(std::int32_t index, std::int32_t value);
    // -1: nothing selected. Setting it raises Click; error 380 out of range.
    std::int32_t ListIndex() const;
    void ListIndex(std::int32_t index);
    // Index of the entry added last; -1 when none.
    std::int32_t NewIndex() const;
    // Keeps entries in alphabetical order (design time).
    bool Sorted() const;
    void Sorted(bool v);
    std::int32_t TopIndex() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    struct ListState {
        ListEntries entries;
        std::int32_t listIndex = -1;
        std::int32_t newIndex = -1;
        bool sorted = false;
    };
    // The model the widget shows the entries through; it lives as long as
    // the widget that is its parent.
    detail::ListEntriesModel* NewEntriesModel(QObject* parent);
    // Tells the widget's views of entries added and not yet shown.
    void FlushEntries() const;
    // The widget shows `index` as the selected entry (-1: none).
    virtual void WidgetSelect(std::int32_t index) = 0;
    // The widget's list was emptied.
    virtual void WidgetCleared() {}
    // Called after ListIndex changed (by the user or code).
    virtual void SelectionChanged();
    // The user selected an entry in the widget.
    void UserSelected(std::int32_t index);
    ListState list_, listDesign_;
    bool syncing_ = false;

private:
    // Where an entry goes in a sorted list: after every entry that is not
    // greater, ignoring case.
    std::int32_t SortedPosition(const std::string& item) const;
    QPointer<detail::ListEntriesModel> model_;
};

}  // namespace forms
