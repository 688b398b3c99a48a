#pragma once
// The pictures of the About box.
#include "picture.h"

namespace catalogue {

// Build C: a photograph-like picture of a record sleeve, 48 by 48 pixels.
forms::PictureRef AboutPicture();
// Builds A and B: a 32 by 32 icon in sixteen colours.
forms::PictureRef AboutIcon();
// Build A's second picture box: a small icon of a note.
forms::PictureRef AboutMiscIcon();

}  // namespace catalogue
