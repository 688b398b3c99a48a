#pragma once
// Geometry of forms and controls is kept in twips; the screen is taken as
// 96 dots per inch, that is 15 twips per pixel.
#include <cmath>

namespace forms {

using Twips = float;
constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(Twips t) { return static_cast<int>(std::lround(t / TwipsPerPixel)); }
inline Twips PixelsToTwips(int px) { return static_cast<Twips>(px * TwipsPerPixel); }

// Move's top, width and height may be left out: they are then passed as
// kOmittedTwips.
constexpr Twips kOmittedTwips = -1e30f;
inline bool IsGivenTwips(Twips v) { return v > -1e29f; }

}  // namespace forms
