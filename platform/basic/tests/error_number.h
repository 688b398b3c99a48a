#pragma once
// The run-time error number a statement raises, 0 when it runs cleanly.
#include "err.h"

template <typename F>
int ErrorNumber(F statement) {
    try {
        statement();
    } catch (const vb::VBError& e) {
        return e.number();
    }
    return 0;
}
