#pragma once
// The rows a Retrieve brings back, kept compactly: one byte for each cell's
// kind and eight for its value (whole numbers, amounts, dates and other
// numbers inline; a text as the place of its characters in shared text
// blocks), row after row in two arrays. The arrays grow geometrically (or
// are sized once from the row count when it is known), no row or cell has an
// allocation of its own, and clearing frees everything in one step.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "system_blocks.h"
#include "variant.h"

namespace pbvm {

class DwRows {
public:
    DwRows() = default;
    explicit DwRows(int columns) : columns_(columns < 0 ? 0 : columns) {}
    DwRows(DwRows&& other) noexcept { *this = std::move(other); }
    DwRows& operator=(DwRows&& other) noexcept;
    DwRows(const DwRows&) = delete;
    DwRows& operator=(const DwRows&) = delete;

    int columns() const { return columns_; }
    std::size_t size() const { return columns_ ? kinds_.size() / columns_ : 0; }
    bool empty() const { return size() == 0; }

    // Room for `rows` rows in all, so that appending them allocates no more.
    void reserve(std::size_t rows);
    // Appends the next cell of the last row (a new row after the last one is
    // complete). Values of kinds the rows do not keep (objects, arrays) are
    // kept as their text.
    void append(const vb::Variant& value);
    // Replaces a cell; the replaced text stays in its block until clear().
    void set(std::size_t row, int column, const vb::Variant& value);

    // The cell's value: Null for a cell beyond the rows or the columns.
    vb::Variant value(std::size_t row, int column) const;
    vb::VarType kind(std::size_t row, int column) const;
    // The characters of a text cell, without copying (empty for the others).
    std::string_view text(std::size_t row, int column) const;

    // Frees every row and text at once.
    void clear();

private:
    struct Cell {
        std::uint8_t kind;
        std::uint64_t bits;
    };
    Cell encode(const vb::Variant& value);
    const char* keep(std::string_view text);
    std::size_t at(std::size_t row, int column) const { return row * columns_ + column; }

    int columns_ = 0;
    std::vector<std::uint8_t> kinds_;   // vb::VarType of each cell
    std::vector<std::uint64_t> bits_;   // its value; for a text, the address of its length and characters
    std::vector<vb::SystemBlock<char>> blocks_;
    char* current_ = nullptr;  // the block texts go into
    std::size_t blockUsed_ = 0, blockSize_ = 0;
};

}  // namespace pbvm
