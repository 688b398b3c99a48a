#pragma once
// The runtime's Collection: an ordered list of values, each optionally under
// a text key. Keys ignore case. Positions count from 1.
#include <cstddef>
#include <string>
#include <vector>

#include "variant.h"

namespace vb {

class Collection : public Object {
public:
    // Adds `item` at the end, or before / after the member that `before` or
    // `after` names (by key or position). A key must be a text (else error
    // 13) not yet in use (else error 457); giving both before and after, or
    // naming a key that is absent, is error 5; a position out of range is
    // error 9.
    void Add(const Variant& item, const Variant& key = {}, const Variant& before = {},
             const Variant& after = {});
    // The member under a key (absent: error 5) or at a 1-based position
    // (out of range: error 9).
    Variant Item(const Variant& index) const;
    long Count() const { return static_cast<long>(entries_.size()); }
    // Removes the member under a key or at a position (same errors as Item).
    void Remove(const Variant& index);

    // For Each: members in order. Removing members while iterating ends the
    // loop early instead of failing.
    class const_iterator {
    public:
        const_iterator(const Collection* c, std::size_t i) : c_(c), i_(i) {}
        const Variant& operator*() const { return c_->entries_[i_].item; }
        const_iterator& operator++() { ++i_; return *this; }
        bool operator!=(const const_iterator&) const { return i_ < c_->entries_.size(); }
        bool operator==(const const_iterator& o) const { return !(*this != o); }
    private:
        const Collection* c_;
        std::size_t i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, entries_.size()}; }

    // Late-bound access: Count, Item, Add, Remove.
    std::string TypeName() const override { return "Collection"; }
    Variant GetMember(const std::string& name) override;
    Variant CallMember(const std::string& name, const std::vector<Variant>& args) override;

private:
    struct Entry {
        Variant item;
        std::string key;
        bool hasKey = false;
    };
    std::vector<Entry> entries_;

    // Zero-based position of the member a key or position names; raises the
    // errors Item raises.
    std::size_t positionOf(const Variant& index) const;
};

}  // namespace vb
