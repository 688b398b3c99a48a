#pragma once
// Layout values computed as 16-bit integers, as the forms' resize handlers
// compute them. A value beyond the 16-bit range is held at its end instead
// of failing, so a window larger than 32767 twips still lays out.
#include <cstdint>

#include "variant.h"

namespace catalogue {

inline std::int16_t LayoutInteger(double twips) {
    if (twips >= 32767) return 32767;
    if (twips <= -32768) return -32768;
    return static_cast<std::int16_t>(vb::RoundHalfEven(twips));
}

}  // namespace catalogue
