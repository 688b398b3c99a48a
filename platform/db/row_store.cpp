#include "row_store.h"

#include <algorithm>
#include <cstring>

namespace dao {

namespace {

// Text blocks start small and double up to kBlock; a text longer than a
// quarter block gets a block of its own.
constexpr std::size_t kFirstBlock = 512;
constexpr std::size_t kBlock = 256 * 1024;

// A text is kept as its length (4 bytes, unaligned) followed by its bytes.
constexpr std::size_t kLengthBytes = sizeof(std::uint32_t);
constexpr char kEmptyText[kLengthBytes + 1] = {};

}  // namespace

RowStore::RowStore(int columns, bool numbered) : columns_(columns), numbered_(numbered) {}

RowStore::~RowStore() = default;

std::size_t RowStore::chunkCapacity(std::size_t chunk) const {
    if (chunk == 0) return kFirstChunk;
    return chunk <= kGrowingChunks ? kFirstChunk << (chunk - 1) : kChunk;
}

void RowStore::grow(std::size_t& chunk, std::size_t& offset) {
    locate(rows_, chunk, offset);
    if (chunk < chunks_.size()) return;
    const std::size_t capacity = chunkCapacity(chunk);
    const std::size_t cells = capacity * static_cast<std::size_t>(columns_);
    const std::size_t bytes = cells * sizeof(std::uint64_t) + (numbered_ ? capacity * sizeof(std::int64_t) : 0) +
                              cells + capacity;
    Chunk c;
    c.memory = vb::NewSystemBlock<std::byte>(bytes);
    std::byte* p = c.memory.get();
    c.values = reinterpret_cast<std::uint64_t*>(p);
    p += cells * sizeof(std::uint64_t);
    c.rowids = numbered_ ? reinterpret_cast<std::int64_t*>(p) : nullptr;
    if (numbered_) p += capacity * sizeof(std::int64_t);
    c.kinds = reinterpret_cast<std::uint8_t*>(p);
    c.deleted = c.kinds + cells;
    chunks_.push_back(std::move(c));
}

std::int64_t RowStore::rowid(std::size_t row) const {
    std::size_t chunk, offset;
    locate(row, chunk, offset);
    return numbered_ ? chunks_[chunk].rowids[offset] : 0;
}

const char* RowStore::keep(const char* text, std::size_t length) {
    if (length == 0) return kEmptyText;
    const std::uint32_t n = static_cast<std::uint32_t>(length);
    const std::size_t size = kLengthBytes + length;
    char* p;
    if (size > kBlock / 4) {
        // A long text gets a block of its own, placed before the current one.
        auto own = vb::NewSystemBlock<char>(size);
        p = own.get();
        blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::move(own));
    } else {
        if (blocks_.empty() || blockUsed_ + size > blockSize_) {
            std::size_t block = blocks_.empty() ? kFirstBlock : std::min(blockSize_ * 2, kBlock);
            block = std::max(block, size);
            blocks_.push_back(vb::NewSystemBlock<char>(block));
            blockUsed_ = 0;
            blockSize_ = block;
        }
        p = blocks_.back().get() + blockUsed_;
        blockUsed_ += size;
    }
    std::memcpy(p, &n, kLengthBytes);
    std::memcpy(p + kLengthBytes, text, length);
    return p;
}

// Each column is read through its value: one call to find it, then reads
// of the value itself. (The connection is opened without SQLite's locking,
// where a column's value may be read so; see connection.cpp.)
void RowStore::store(const Chunk& c, std::size_t cell, sqlite3_stmt* stmt, int from) {
    sqlite3_value* v = sqlite3_column_value(stmt, from);
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        c.kinds[cell] = StoredValue::Integer;
        c.values[cell] = static_cast<std::uint64_t>(sqlite3_value_int64(v));
        break;
    case SQLITE_FLOAT: {
        const double d = sqlite3_value_double(v);
        c.kinds[cell] = StoredValue::Real;
        std::memcpy(&c.values[cell], &d, sizeof d);
        break;
    }
    case SQLITE_NULL:
        c.kinds[cell] = StoredValue::Null;
        c.values[cell] = 0;
        break;
    default: {
        const char* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
        const std::size_t n = t ? static_cast<std::size_t>(sqlite3_value_bytes(v)) : 0;
        c.kinds[cell] = StoredValue::Text;
        c.values[cell] = reinterpret_cast<std::uintptr_t>(keep(t, n));
    }
    }
}

void RowStore::set(std::size_t row, int column, sqlite3_stmt* stmt, int from) {
    std::size_t chunk, offset;
    locate(row, chunk, offset);
    store(chunks_[chunk], offset * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column), stmt, from);
}

void RowStore::append(sqlite3_stmt* stmt) {
    std::size_t chunk, offset;
    grow(chunk, offset);
    const Chunk& c = chunks_[chunk];
    const std::size_t first = offset * static_cast<std::size_t>(columns_);
    for (int column = 0; column < columns_; ++column)
        store(c, first + static_cast<std::size_t>(column), stmt, column);
    if (numbered_) c.rowids[offset] = sqlite3_column_int64(stmt, columns_);
    c.deleted[offset] = 0;
    ++rows_;
    if (deletedCount_) liveDirty_ = true;
}

void RowStore::appendNulls(std::int64_t rowid) {
    std::size_t chunk, offset;
    grow(chunk, offset);
    const Chunk& c = chunks_[chunk];
    const std::size_t first = offset * static_cast<std::size_t>(columns_);
    std::fill_n(c.kinds + first, columns_, static_cast<std::uint8_t>(StoredValue::Null));
    std::fill_n(c.values + first, columns_, std::uint64_t{0});
    if (numbered_) c.rowids[offset] = rowid;
    c.deleted[offset] = 0;
    ++rows_;
    if (deletedCount_) liveDirty_ = true;
}

StoredValue RowStore::stored(std::size_t row, int column) const {
    const Cell c = at(row, column);
    StoredValue v;
    v.kind = c.kind;
    if (c.kind == StoredValue::Integer) v.i = c.i;
    if (c.kind == StoredValue::Real) v.d = c.d;
    if (c.kind == StoredValue::Text) v.s.assign(c.text, c.length);
    return v;
}

void RowStore::bind(sqlite3_stmt* stmt, int index, const Cell& cell) {
    switch (cell.kind) {
    case StoredValue::Null: sqlite3_bind_null(stmt, index); break;
    case StoredValue::Integer: sqlite3_bind_int64(stmt, index, cell.i); break;
    case StoredValue::Real: sqlite3_bind_double(stmt, index, cell.d); break;
    case StoredValue::Text: sqlite3_bind_text(stmt, index, cell.text, static_cast<int>(cell.length), SQLITE_STATIC); break;
    }
}

// --- deleted rows --------------------------------------------------------------

void RowStore::markDeleted(std::size_t row) {
    std::size_t chunk, offset;
    locate(row, chunk, offset);
    std::uint8_t& mark = chunks_[chunk].deleted[offset];
    if (mark) return;
    mark = 1;
    ++deletedCount_;
    liveDirty_ = true;
}

// Without deleted rows a row's place is its index, and no list is kept.
const std::vector<std::uint32_t>& RowStore::live() const {
    if (liveDirty_) {
        live_.clear();
        live_.reserve(liveCount());
        for (std::size_t r = 0; r < rows_; ++r)
            if (!deleted(r)) live_.push_back(static_cast<std::uint32_t>(r));
        liveDirty_ = false;
    }
    return live_;
}

std::size_t RowStore::livePosition(std::size_t row) const {
    if (deletedCount_ == 0) return std::min(row, rows_);
    const auto& rows = live();
    return static_cast<std::size_t>(std::lower_bound(rows.begin(), rows.end(), static_cast<std::uint32_t>(row)) -
                                    rows.begin());
}

}  // namespace dao
