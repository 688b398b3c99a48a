#include "list_entries.h"

#include <limits>
#include <stdexcept>

namespace forms {

namespace {
// The buffer is rewritten once unused bytes are this many and half of it.
constexpr std::size_t kRewriteAbove = 4096;
}

std::size_t ListEntries::append(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("list entry text");
    const std::size_t offset = texts_.size();
    texts_.append(text);
    return offset;
}

void ListEntries::dropText(const Item& item) {
    unused_ += item.length;
    if (unused_ < kRewriteAbove || unused_ * 2 < texts_.size()) return;
    std::string kept;
    kept.reserve(texts_.size() - unused_);
    for (Item& each : items_) {
        const std::size_t offset = kept.size();
        kept.append(texts_, each.offset, each.length);
        each.offset = offset;
    }
    texts_.swap(kept);
    unused_ = 0;
}

void ListEntries::insert(std::size_t index, std::string_view text) {
    const std::size_t offset = append(text);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index),
                  Item{offset, static_cast<std::uint32_t>(text.size()), 0});
}

void ListEntries::erase(std::size_t index) {
    const Item gone = items_[index];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    dropText(gone);
}

void ListEntries::clear() {
    std::string().swap(texts_);
    std::vector<Item>().swap(items_);
    unused_ = 0;
}

std::string_view ListEntries::text(std::size_t index) const {
    const Item& item = items_[index];
    return std::string_view(texts_).substr(item.offset, item.length);
}

void ListEntries::setText(std::size_t index, std::string_view text) {
    const Item old = items_[index];
    // The new text may be a view of the buffer itself: copy before appending.
    const std::string copy(text);
    items_[index].offset = append(copy);
    items_[index].length = static_cast<std::uint32_t>(copy.size());
    dropText(old);
}

}  // namespace forms
