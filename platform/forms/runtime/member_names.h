#pragma once
// Helpers for late-bound member access: member names compare without case.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "err.h"
#include "twips.h"
#include "variant.h"

namespace forms::detail {

inline std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The argument at `i`, or error 450 (wrong number of arguments).
inline const vb::Variant& Arg(const std::vector<vb::Variant>& args, std::size_t i) {
    if (i >= args.size()) vb::RaiseError(450);
    return args[i];
}

// The argument at `i`, Empty when it was left out.
inline vb::Variant OptionalArg(const std::vector<vb::Variant>& args, std::size_t i) {
    return i < args.size() ? args[i] : vb::Variant();
}

// An optional number or text argument: `fallback` or "" when left out.
inline std::int32_t OptionalLong(const std::vector<vb::Variant>& args, std::size_t i, std::int32_t fallback) {
    return i < args.size() && !args[i].IsEmpty() ? args[i].ToLong() : fallback;
}
inline std::string OptionalString(const std::vector<vb::Variant>& args, std::size_t i) {
    return i < args.size() && !args[i].IsEmpty() ? args[i].ToString() : std::string();
}

// Move(Left, [Top], [Width], [Height]) called late-bound on a form or a
// control.
template <class Target>
void CallMove(Target& target, const std::vector<vb::Variant>& args) {
    auto given = [&](std::size_t i) {
        return i < args.size() && !args[i].IsEmpty() ? static_cast<Twips>(args[i].ToDouble()) : kOmittedTwips;
    };
    target.Move(static_cast<Twips>(Arg(args, 0).ToDouble()), given(1), given(2), given(3));
}

// An object as a value; Nothing for null.
inline vb::Variant ObjectVariant(vb::Object* o) {
    return o ? vb::Variant(o->shared_from_this()) : vb::Variant(vb::ObjectRef{});
}

}  // namespace forms::detail
