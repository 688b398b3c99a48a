#pragma once
// The error number that a piece of code raises; 0 when it raises none.
#include <functional>

#include "err.h"

namespace formtest {

inline int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VBError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace formtest
