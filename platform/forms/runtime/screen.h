#pragma once
// The Screen object: mouse pointer for the whole program, the active form,
// and the screen's size in twips.
#include <cstdint>

#include "twips.h"

namespace forms {

class Form;
class Control;

constexpr std::int16_t vbDefault = 0;
constexpr std::int16_t vbArrow = 1;
constexpr std::int16_t vbHourglass = 11;

class ScreenObject {
public:
    // 0 default; 11 hourglass (busy cursor over every window of the program).
    std::int16_t MousePointer() const;
    void MousePointer(std::int16_t pointer);
    Form* ActiveForm() const;
    Control* ActiveControl() const;
    Twips Width() const;
    Twips Height() const;
    Twips TwipsPerPixelX() const { return TwipsPerPixel; }
    Twips TwipsPerPixelY() const { return TwipsPerPixel; }
};

// The one Screen object: forms::Screen.MousePointer(11);
inline ScreenObject Screen;

}  // namespace forms
