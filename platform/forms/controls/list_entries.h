#pragma once
// The entries of a list or combo box, kept compactly: every text in one
// buffer, and per entry where its text lies and its item data (16 bytes).
// A text replaced or removed leaves its bytes behind until they make up half
// of the buffer; then the buffer is rewritten without them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

class ListEntries {
public:
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    void insert(std::size_t index, std::string_view text);
    void erase(std::size_t index);
    // Empties the list and gives its memory back.
    void clear();

    std::string_view text(std::size_t index) const;
    void setText(std::size_t index, std::string_view text);
    std::int32_t itemData(std::size_t index) const { return items_[index].itemData; }
    void setItemData(std::size_t index, std::int32_t value) { items_[index].itemData = value; }

    // Bytes held in the buffer by texts no entry uses any more.
    std::size_t unusedTextBytes() const { return unused_; }

private:
    struct Item {
        std::size_t offset;
        std::uint32_t length;
        std::int32_t itemData;
    };
    std::size_t append(std::string_view text);
    void dropText(const Item& item);

    std::string texts_;
    std::vector<Item> items_;
    std::size_t unused_ = 0;
};

}  // namespace forms
