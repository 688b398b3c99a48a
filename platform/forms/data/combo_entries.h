#pragma once
// The entries of a data-bound list: for each row of its row source the text
// shown and the value chosen with it, kept compactly (the texts in one
// buffer, each value in 9 bytes plus its text), so that a list over a
// million rows takes tens of megabytes and is freed in a few steps.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "variant.h"

namespace forms {

class ComboEntries {
public:
    std::size_t size() const { return textEnds_.size(); }
    bool empty() const { return textEnds_.empty(); }
    void reserve(std::size_t entries);
    // Adds an entry; `value` must be Empty, Null, a number, a date, a
    // Boolean or a text.
    void add(std::string_view text, const vb::Variant& value);

    std::string_view text(std::size_t index) const;
    vb::Variant value(std::size_t index) const;
    // Whether entry `index`'s value is the same as `other`: numbers by value,
    // anything else as texts without regard to case; never when either is
    // Empty or Null.
    bool sameValue(std::size_t index, const vb::Variant& other) const;

private:
    std::string texts_;
    std::vector<std::size_t> textEnds_;
    // Values: the kind, and the number's bits or where its text starts in
    // valueTexts_ (its length first).
    std::vector<vb::VarType> kinds_;
    std::vector<std::uint64_t> bits_;
    std::string valueTexts_;
};

// Whether two values are the same for a data-bound list (see sameValue).
bool SameListValue(const vb::Variant& a, const vb::Variant& b);

}  // namespace forms
