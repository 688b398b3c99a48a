#pragma once
// The rows of a recordset, kept compactly: 16 bytes per value, texts in
// shared blocks (growing to 256 KB). 100,000 rows of ten columns take about 20 MB.
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "field_type.h"

namespace dao {

struct Cell {
    union {
        std::int64_t i;
        double d;
        const char* text;
    };
    std::uint32_t length = 0;
    StoredValue::Kind kind = StoredValue::Null;
};
static_assert(sizeof(Cell) == 16, "a cell is meant to take 16 bytes");

struct RowStore {
    explicit RowStore(int columns) : columns(columns) {}

    int columns;
    std::vector<Cell> cells;           // row-major, `columns` per row
    std::vector<std::uint8_t> deleted;  // one per row
    std::vector<std::int64_t> rowids;   // table row of each row (updatable recordsets)

    std::size_t rows() const { return deleted.size(); }
    const Cell& at(std::size_t row, int column) const { return cells[row * static_cast<std::size_t>(columns) + column]; }
    Cell& at(std::size_t row, int column) { return cells[row * static_cast<std::size_t>(columns) + column]; }

    // Appends the statement's current row: its first `columns` columns.
    void append(sqlite3_stmt* stmt);
    // Copies column `from` of the statement's row into cell (row, column).
    void set(std::size_t row, int column, sqlite3_stmt* stmt, int from);
    // Cell (row, column) as a value of its own, kept after the cell changes.
    StoredValue stored(std::size_t row, int column) const;
    // Binds a cell to parameter `index`.
    static void bind(sqlite3_stmt* stmt, int index, const Cell& cell);

private:
    const char* keep(const char* text, std::size_t length);
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0, blockSize_ = 0;
};

}  // namespace dao
