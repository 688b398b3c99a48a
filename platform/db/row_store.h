#pragma once
// The rows of a recordset, kept compactly. Rows live in chunks allocated
// without initialising them: the first chunks are small (a query of a few
// rows takes a few hundred bytes), later ones double up to a fixed size, so
// growing never moves or zero-fills rows already read. A value takes 8 bytes
// and its kind one more; a text is kept, after its length, in shared text
// blocks that likewise start small and double. The table row of each row
// (for updatable recordsets) and its deleted mark live in the same chunk.
// Nothing is freed row by row: closing releases the chunks and the blocks,
// the large ones straight back to the system.
#include <sqlite3.h>

#include <bit>
#include <cstring>
#include <cstdint>
#include <memory>
#include <vector>

#include "field_type.h"
#include "system_blocks.h"

namespace dao {

// One value of a row, as read from the store.
struct Cell {
    union {
        std::int64_t i;
        double d;
        const char* text;
    };
    std::uint32_t length = 0;
    StoredValue::Kind kind = StoredValue::Null;
};

class RowStore {
public:
    // `numbered`: every row also keeps the table row it came from.
    RowStore(int columns, bool numbered);
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    int columns() const { return columns_; }
    std::size_t rows() const { return rows_; }

    Cell at(std::size_t row, int column) const {
        std::size_t chunk, offset;
        locate(row, chunk, offset);
        const Chunk& c = chunks_[chunk];
        const std::size_t cell = offset * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
        Cell out;
        out.kind = static_cast<StoredValue::Kind>(c.kinds[cell]);
        const std::uint64_t value = c.values[cell];
        switch (out.kind) {
        case StoredValue::Integer: out.i = static_cast<std::int64_t>(value); break;
        case StoredValue::Real: std::memcpy(&out.d, &value, sizeof value); break;
        case StoredValue::Text: {
            // A text is kept as its length (4 bytes, unaligned) followed by
            // its bytes.
            const char* record = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(value));
            std::memcpy(&out.length, record, sizeof out.length);
            out.text = record + sizeof out.length;
            break;
        }
        default: out.i = 0;
        }
        return out;
    }
    std::int64_t rowid(std::size_t row) const;

    // Appends the statement's current row: its first `columns` columns, and
    // (numbered) the table row from column `columns`.
    void append(sqlite3_stmt* stmt);
    // Appends a row of Nulls for table row `rowid`.
    void appendNulls(std::int64_t rowid);
    // Copies column `from` of the statement's row into cell (row, column).
    void set(std::size_t row, int column, sqlite3_stmt* stmt, int from);
    // Cell (row, column) as a value of its own, kept after the cell changes.
    StoredValue stored(std::size_t row, int column) const;
    // Binds a cell to parameter `index`.
    static void bind(sqlite3_stmt* stmt, int index, const Cell& cell);

    // --- deleted rows and the numbering of the others ---
    bool deleted(std::size_t row) const {
        if (deletedCount_ == 0) return false;
        std::size_t chunk, offset;
        locate(row, chunk, offset);
        return chunks_[chunk].deleted[offset] != 0;
    }
    void markDeleted(std::size_t row);
    std::size_t liveCount() const { return rows_ - deletedCount_; }
    // The row at 0-based place `position` among the rows not deleted.
    std::size_t liveRow(std::size_t position) const { return deletedCount_ == 0 ? position : live()[position]; }
    // The place among the rows not deleted of the first such row at or
    // after `row`.
    std::size_t livePosition(std::size_t row) const;

private:
    struct Chunk {
        vb::SystemBlock<std::byte> memory;
        std::uint64_t* values;   // rows x columns
        std::int64_t* rowids;    // rows (numbered stores)
        std::uint8_t* kinds;     // rows x columns
        std::uint8_t* deleted;   // rows
    };
    // Chunk of a row and the row's place in it: chunk 0 holds kFirstChunk
    // rows, each later one twice its predecessor's up to kChunk; the chunks
    // from row kChunk on hold kChunk rows each.
    static constexpr int kFirstChunkBits = 4;
    static constexpr int kChunkBits = 12;
    static constexpr std::size_t kFirstChunk = std::size_t{1} << kFirstChunkBits;
    static constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;
    static constexpr std::size_t kGrowingChunks = kChunkBits - kFirstChunkBits;  // chunks 1..8 double
    static void locate(std::size_t row, std::size_t& chunk, std::size_t& offset) {
        if (row < kFirstChunk) {
            chunk = 0;
            offset = row;
        } else if (row < kChunk) {
            chunk = static_cast<std::size_t>(std::bit_width(row >> kFirstChunkBits));
            offset = row - (kFirstChunk << (chunk - 1));
        } else {
            chunk = kGrowingChunks + (row >> kChunkBits);
            offset = row & (kChunk - 1);
        }
    }
    std::size_t chunkCapacity(std::size_t chunk) const;
    // The place of a new row at the end, adding a chunk when the last is full.
    void grow(std::size_t& chunk, std::size_t& offset);
    void store(const Chunk& c, std::size_t cell, sqlite3_stmt* stmt, int from);
    // Keeps a text (after its length) in the blocks; returns where the
    // length is.
    const char* keep(const char* text, std::size_t length);
    const std::vector<std::uint32_t>& live() const;

    int columns_;
    bool numbered_;
    std::size_t rows_ = 0;
    std::vector<Chunk> chunks_;
    std::vector<vb::SystemBlock<char>> blocks_;
    std::size_t blockUsed_ = 0, blockSize_ = 0;
    std::size_t deletedCount_ = 0;
    mutable std::vector<std::uint32_t> live_;  // rows not deleted, while any are
    mutable bool liveDirty_ = true;
};

}  // namespace dao
