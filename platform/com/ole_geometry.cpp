#include "ole_interfaces.h"

namespace com {

namespace {
// 2540 HIMETRIC per inch, 96 pixels per inch; halves round away from zero.
LONG Scale(LONG value, LONG mul, LONG div) {
    const long long v = static_cast<long long>(value) * mul;
    return static_cast<LONG>(v >= 0 ? (v + div / 2) / div : -((-v + div / 2) / div));
}
}  // namespace

LONG PixelsToHimetric(LONG pixels) { return Scale(pixels, 2540, 96); }
LONG HimetricToPixels(LONG himetric) { return Scale(himetric, 96, 2540); }

}  // namespace com
