#include "row_store.h"

#include <algorithm>
#include <cstring>

namespace dao {

namespace {
// Text blocks start small and double up to kBlock, so a recordset of a few
// rows does not hold a quarter megabyte.
constexpr std::size_t kFirstBlock = 4 * 1024;
constexpr std::size_t kBlock = 256 * 1024;
}

const char* RowStore::keep(const char* text, std::size_t length) {
    if (length == 0) return "";
    if (length > kBlock / 4) {
        // A long text gets a block of its own, placed before the current one.
        auto own = std::make_unique_for_overwrite<char[]>(length);
        std::memcpy(own.get(), text, length);
        const char* p = own.get();
        blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::move(own));
        return p;
    }
    if (blocks_.empty() || blockUsed_ + length > blockSize_) {
        std::size_t size = blocks_.empty() ? kFirstBlock : std::min(blockSize_ * 2, kBlock);
        size = std::max(size, length);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        blockUsed_ = 0;
        blockSize_ = size;
    }
    char* p = blocks_.back().get() + blockUsed_;
    std::memcpy(p, text, length);
    blockUsed_ += length;
    return p;
}

void RowStore::set(std::size_t row, int column, sqlite3_stmt* stmt, int from) {
    Cell& c = at(row, column);
    c.length = 0;
    switch (sqlite3_column_type(stmt, from)) {
    case SQLITE_INTEGER:
        c.kind = StoredValue::Integer;
        c.i = sqlite3_column_int64(stmt, from);
        break;
    case SQLITE_FLOAT:
        c.kind = StoredValue::Real;
        c.d = sqlite3_column_double(stmt, from);
        break;
    case SQLITE_NULL:
        c.kind = StoredValue::Null;
        c.i = 0;
        break;
    default: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, from));
        std::size_t n = static_cast<std::size_t>(sqlite3_column_bytes(stmt, from));
        c.kind = StoredValue::Text;
        c.text = keep(t ? t : "", n);
        c.length = static_cast<std::uint32_t>(n);
    }
    }
}

void RowStore::append(sqlite3_stmt* stmt) {
    std::size_t row = rows();
    cells.resize(cells.size() + static_cast<std::size_t>(columns));
    deleted.push_back(0);
    for (int c = 0; c < columns; ++c) set(row, c, stmt, c);
}

StoredValue RowStore::stored(std::size_t row, int column) const {
    const Cell& c = at(row, column);
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

}  // namespace dao
