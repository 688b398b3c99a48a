#pragma once
// Internal: the keyed collections of the platform's controls (a status
// bar's panels, a tab strip's tabs, an image list's pictures, a tree's
// nodes). Their items are numbered from 1 in order, and each may carry a
// key that no other item has. A number names an item by its index, a
// string by its key; the errors are the collections' own.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "err.h"
#include "variant.h"

namespace forms::detail {

[[noreturn]] inline void IndexOutOfBounds() { throw vb::VBError(35600, "Index out of bounds"); }
[[noreturn]] inline void ElementNotFound() { throw vb::VBError(35601, "Element not found"); }
[[noreturn]] inline void KeyNotUnique() { throw vb::VBError(35602, "Key is not unique in collection"); }
// An item used after it was taken out of its collection.
[[noreturn]] inline void ItemRemoved() { throw vb::VBError(35605, "Control has been deleted"); }

// The error for an index or key that names no item: 35600 for an index,
// 35601 for a key.
[[noreturn]] inline void NoSuchItem(const vb::Variant& indexOrKey) {
    if (indexOrKey.IsNumericType()) IndexOutOfBounds();
    ElementNotFound();
}

// The item that an index (from 1) or a key names, or null. `byKey` looks up
// a key that is not empty; Empty, Null, objects and arrays name no item.
template <class T, class ByKey>
T* FindItem(const std::vector<std::shared_ptr<T>>& items, const vb::Variant& indexOrKey, ByKey byKey) {
    if (indexOrKey.IsNumericType()) {
        const long i = indexOrKey.ToLong();
        if (i < 1 || i > static_cast<long>(items.size())) return nullptr;
        return items[static_cast<std::size_t>(i - 1)].get();
    }
    if (indexOrKey.IsEmpty() || indexOrKey.IsNull() || indexOrKey.IsObject() || indexOrKey.IsArray())
        return nullptr;
    const std::string key = indexOrKey.ToString();
    return key.empty() ? nullptr : byKey(key);
}

// The items of a collection kept in one list. T keeps its place in
// `index_` and its key in `key_`, and makes this class its friend.
template <class T>
class KeyedItems {
public:
    using Ref = std::shared_ptr<T>;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<Ref>& All() const { return items_; }

    // Null when the index or key names no item.
    T* Find(const vb::Variant& indexOrKey) const {
        return FindItem(items_, indexOrKey, [this](const std::string& key) -> T* {
            for (const Ref& item : items_) {
                if (item->key_ == key) return item.get();
            }
            return nullptr;
        });
    }

    // Errors 35600 (index) and 35601 (key) when there is no such item.
    T& Item(const vb::Variant& indexOrKey) const {
        if (T* item = Find(indexOrKey)) return *item;
        NoSuchItem(indexOrKey);
    }

    // Whether an item may be added at `index` (0: at the end) with `key`:
    // error 35600 for a place beyond the end, 35602 for a key in use.
    void CheckNew(int index, const std::string& key) const {
        if (index < 0 || index > Count() + 1) IndexOutOfBounds();
        if (!key.empty() && Find(vb::Variant(key))) KeyNotUnique();
    }

    // Puts an item checked with CheckNew at `index` (0: at the end).
    void Insert(int index, Ref item) {
        const std::size_t at = index == 0 ? items_.size() : static_cast<std::size_t>(index - 1);
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
        Renumber();
    }

    // Takes an item of this list out; returns the place (from 0) it had.
    std::size_t Erase(const T& item) {
        const std::size_t at = static_cast<std::size_t>(item.index_ - 1);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
        Renumber();
        return at;
    }

    // Replaces every item.
    void Assign(std::vector<Ref> items) {
        items_ = std::move(items);
        Renumber();
    }

    void Clear() { items_.clear(); }

private:
    void Renumber() {
        for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i + 1);
    }

    std::vector<Ref> items_;
};

}  // namespace forms::detail
