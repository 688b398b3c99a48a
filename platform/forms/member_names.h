#pragma once
// Helpers for late-bound member access: member names compare without case.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "err.h"
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

}  // namespace forms::detail
