#pragma once
// Internal: the items of a collection by their keys, as a table of item
// pointers (open addressing, linear probing) that costs a few bytes per
// item. `KeyOf` gives an item's key; keys are compared exactly. The table
// does not own the items.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace forms::detail {

template <class T, class KeyOf>
class KeyIndex {
public:
    std::size_t Size() const { return size_; }

    // Null when no item has the key.
    T* Find(std::string_view key) const {
        if (items_.empty()) return nullptr;
        const std::uint32_t hash = Hash(key);
        for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
            T* item = items_[i];
            if (!item) return nullptr;
            if (hashes_[i] == hash && KeyOf{}(*item) == key) return item;
        }
    }

    // Adds an item whose key no item in the index has.
    void Insert(T* item) {
        if ((size_ + 1) * 5 > items_.size() * 4) Grow();
        Place(item, Hash(KeyOf{}(*item)));
        ++size_;
    }

    // Takes out an item that is in the index (under its present key).
    void Erase(const T* item) {
        if (items_.empty()) return;
        std::size_t hole = Hash(KeyOf{}(*item)) & Mask();
        while (items_[hole] != item) {
            if (!items_[hole]) return;
            hole = (hole + 1) & Mask();
        }
        // Move back the entries after the hole that may sit in it, so that
        // every entry stays reachable from its home slot.
        for (std::size_t next = (hole + 1) & Mask(); items_[next]; next = (next + 1) & Mask()) {
            const std::size_t home = hashes_[next] & Mask();
            const bool movable = next > hole ? (home <= hole || home > next) : (home <= hole && home > next);
            if (movable) {
                items_[hole] = items_[next];
                hashes_[hole] = hashes_[next];
                hole = next;
            }
        }
        items_[hole] = nullptr;
        --size_;
    }

    void Clear() {
        items_ = {};
        hashes_ = {};
        size_ = 0;
    }

private:
    static std::uint32_t Hash(std::string_view key) {
        const std::size_t h = std::hash<std::string_view>{}(key);
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }
    std::size_t Mask() const { return items_.size() - 1; }

    void Place(T* item, std::uint32_t hash) {
        std::size_t i = hash & Mask();
        while (items_[i]) i = (i + 1) & Mask();
        items_[i] = item;
        hashes_[i] = hash;
    }

    void Grow() {
        std::vector<T*> items = std::move(items_);
        std::vector<std::uint32_t> hashes = std::move(hashes_);
        const std::size_t capacity = items.empty() ? 16 : items.size() * 2;
        items_.assign(capacity, nullptr);
        hashes_.assign(capacity, 0);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i]) Place(items[i], hashes[i]);
        }
    }

    std::vector<T*> items_;             // a power of two long, or empty
    std::vector<std::uint32_t> hashes_;  // the hash of each item's key
    std::size_t size_ = 0;
};

}  // namespace forms::detail
