#pragma once
// The picture beside the tip of the day.
#include "picture.h"

namespace orvanta {

// A lit light bulb, 46 by 46 pixels.
forms::PictureRef TipPicture();

}  // namespace orvanta
