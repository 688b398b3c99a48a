#include "combo_entries.h"

#include <cstring>

#include "text_functions.h"

namespace forms {

namespace {

bool IsNumberKind(vb::VarType t) {
    switch (t) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Currency:
    case vb::VarType::Boolean: return true;
    default: return false;
    }
}

double DoubleOf(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::uint64_t BitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof d);
    return bits;
}

}  // namespace

bool SameListValue(const vb::Variant& a, const vb::Variant& b) {
    if (a.IsNull() || a.IsEmpty() || b.IsNull() || b.IsEmpty()) return false;
    if (a.IsNumericType() && b.IsNumericType()) return a.ToDouble() == b.ToDouble();
    return vb::StrComp(a.ToString(), b.ToString(), vb::CompareMethod::Text) == 0;
}

void ComboEntries::reserve(std::size_t entries) {
    textEnds_.reserve(entries);
    kinds_.reserve(entries);
    bits_.reserve(entries);
}

void ComboEntries::add(std::string_view text, const vb::Variant& value) {
    texts_.append(text);
    textEnds_.push_back(texts_.size());
    std::uint64_t bits = 0;
    switch (value.Type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Currency: bits = static_cast<std::uint64_t>(value.rawInt()); break;
    case vb::VarType::Boolean: bits = value.rawBool() ? 1 : 0; break;
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Date: bits = BitsOf(value.rawDouble()); break;
    case vb::VarType::String: {
        bits = valueTexts_.size();
        const std::uint32_t n = static_cast<std::uint32_t>(value.rawString().size());
        valueTexts_.append(reinterpret_cast<const char*>(&n), sizeof n);
        valueTexts_.append(value.rawString());
        break;
    }
    default: break;
    }
    kinds_.push_back(value.Type());
    bits_.push_back(bits);
}

std::string_view ComboEntries::text(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : textEnds_[index - 1];
    return std::string_view(texts_).substr(begin, textEnds_[index] - begin);
}

vb::Variant ComboEntries::value(std::size_t index) const {
    const std::uint64_t bits = bits_[index];
    switch (kinds_[index]) {
    case vb::VarType::Null: return vb::Variant::Null();
    case vb::VarType::Integer: return vb::Variant(static_cast<std::int16_t>(bits));
    case vb::VarType::Long: return vb::Variant::Long(static_cast<std::int32_t>(bits));
    case vb::VarType::Currency: return vb::Variant(vb::Currency::FromScaled(static_cast<std::int64_t>(bits)));
    case vb::VarType::Boolean: return vb::Variant(bits != 0);
    case vb::VarType::Single: return vb::Variant(static_cast<float>(DoubleOf(bits)));
    case vb::VarType::Double: return vb::Variant(DoubleOf(bits));
    case vb::VarType::Date: return vb::Variant(vb::Date{DoubleOf(bits)});
    case vb::VarType::String: {
        std::uint32_t n;
        std::memcpy(&n, valueTexts_.data() + bits, sizeof n);
        return vb::Variant(valueTexts_.substr(bits + sizeof n, n));
    }
    default: return vb::Variant();
    }
}

bool ComboEntries::sameValue(std::size_t index, const vb::Variant& other) const {
    const vb::VarType kind = kinds_[index];
    if (kind == vb::VarType::Empty || kind == vb::VarType::Null || other.IsNull() || other.IsEmpty()) return false;
    // The common case, a key number against a key number, without making
    // the entry's value.
    if (IsNumberKind(kind) && other.IsNumericType() && kind != vb::VarType::Currency &&
        kind != vb::VarType::Boolean && kind != vb::VarType::Single) {
        const std::uint64_t bits = bits_[index];
        const double mine = kind == vb::VarType::Double ? DoubleOf(bits)
                                                        : static_cast<double>(static_cast<std::int64_t>(bits));
        return mine == other.ToDouble();
    }
    return SameListValue(value(index), other);
}

}  // namespace forms
