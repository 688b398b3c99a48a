#include "dw_rows.h"

#include <algorithm>
#include <cstring>

#include "err.h"

namespace pbvm {

namespace {

// Text blocks start small (most DataWindows bring back a few rows) and
// double up to this size; a text of more than a quarter of it gets a block
// of its own.
constexpr std::size_t kFirstBlock = 4096, kLargestBlock = 256 * 1024;

std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

double doubleOf(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

DwRows& DwRows::operator=(DwRows&& other) noexcept {
    if (this == &other) return *this;
    columns_ = other.columns_;
    kinds_ = std::move(other.kinds_);
    bits_ = std::move(other.bits_);
    blocks_ = std::move(other.blocks_);
    current_ = std::exchange(other.current_, nullptr);
    blockUsed_ = std::exchange(other.blockUsed_, 0);
    blockSize_ = std::exchange(other.blockSize_, 0);
    other.kinds_.clear();
    other.bits_.clear();
    other.blocks_.clear();
    return *this;
}

void DwRows::reserve(std::size_t rows) {
    kinds_.reserve(rows * columns_);
    bits_.reserve(rows * columns_);
}

const char* DwRows::keep(std::string_view text) {
    const std::uint32_t length = static_cast<std::uint32_t>(text.size());
    const std::size_t need = sizeof length + text.size();
    char* place;
    if (need > kLargestBlock / 4) {
        blocks_.push_back(vb::NewSystemBlock<char>(need));
        place = blocks_.back().get();
    } else {
        if (!current_ || blockSize_ - blockUsed_ < need) {
            blockSize_ = std::max(current_ ? std::min(blockSize_ * 2, kLargestBlock) : kFirstBlock, need);
            blocks_.push_back(vb::NewSystemBlock<char>(blockSize_));
            current_ = blocks_.back().get();
            blockUsed_ = 0;
        }
        place = current_ + blockUsed_;
        blockUsed_ += need;
    }
    std::memcpy(place, &length, sizeof length);
    std::memcpy(place + sizeof length, text.data(), text.size());
    return place;
}

DwRows::Cell DwRows::encode(const vb::Variant& value) {
    switch (value.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
        return {static_cast<std::uint8_t>(value.Type()), 0};
    case vb::VarType::Boolean:
        return {static_cast<std::uint8_t>(vb::VarType::Boolean), value.rawBool() ? 1u : 0u};
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Currency:
        return {static_cast<std::uint8_t>(value.Type()), static_cast<std::uint64_t>(value.rawInt())};
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Date:
        return {static_cast<std::uint8_t>(value.Type()), bitsOf(value.rawDouble())};
    case vb::VarType::String: {
        const std::string& s = value.rawString();
        return {static_cast<std::uint8_t>(vb::VarType::String),
                s.empty() ? 0 : reinterpret_cast<std::uint64_t>(keep(s))};
    }
    default:
        break;
    }
    try {
        return encode(vb::Variant(value.ToString()));
    } catch (const vb::VBError&) {
        return {static_cast<std::uint8_t>(vb::VarType::Null), 0};
    }
}

void DwRows::append(const vb::Variant& value) {
    if (columns_ == 0) return;
    const Cell cell = encode(value);
    kinds_.push_back(cell.kind);
    bits_.push_back(cell.bits);
}

void DwRows::set(std::size_t row, int column, const vb::Variant& value) {
    if (row >= size() || column < 0 || column >= columns_) return;
    const Cell cell = encode(value);
    kinds_[at(row, column)] = cell.kind;
    bits_[at(row, column)] = cell.bits;
}

vb::VarType DwRows::kind(std::size_t row, int column) const {
    if (row >= size() || column < 0 || column >= columns_) return vb::VarType::Null;
    return static_cast<vb::VarType>(kinds_[at(row, column)]);
}

std::string_view DwRows::text(std::size_t row, int column) const {
    if (kind(row, column) != vb::VarType::String) return {};
    const auto* place = reinterpret_cast<const char*>(bits_[at(row, column)]);
    if (!place) return {};
    std::uint32_t length;
    std::memcpy(&length, place, sizeof length);
    return {place + sizeof length, length};
}

vb::Variant DwRows::value(std::size_t row, int column) const {
    const vb::VarType k = kind(row, column);
    const std::uint64_t bits = k == vb::VarType::Null ? 0 : bits_[at(row, column)];
    switch (k) {
    case vb::VarType::Empty:
        return vb::Variant();
    case vb::VarType::Boolean:
        return vb::Variant(bits != 0);
    case vb::VarType::Integer:
        return vb::Variant(static_cast<std::int16_t>(bits));
    case vb::VarType::Long:
        return vb::Variant(static_cast<int>(static_cast<std::int64_t>(bits)));
    case vb::VarType::Currency:
        return vb::Variant(vb::Currency::FromScaled(static_cast<std::int64_t>(bits)));
    case vb::VarType::Single:
        return vb::Variant(static_cast<float>(doubleOf(bits)));
    case vb::VarType::Double:
        return vb::Variant(doubleOf(bits));
    case vb::VarType::Date:
        return vb::Variant(vb::Date{doubleOf(bits)});
    case vb::VarType::String:
        return vb::Variant(std::string(text(row, column)));
    default:
        return vb::Variant::Null();
    }
}

void DwRows::clear() {
    kinds_ = decltype(kinds_)();
    bits_ = decltype(bits_)();
    blocks_ = decltype(blocks_)();
    current_ = nullptr;
    blockUsed_ = blockSize_ = 0;
}

}  // namespace pbvm
