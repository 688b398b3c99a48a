#pragma once
// The splash window's picture, built into the program.
#include "picture.h"

namespace catalogue {

forms::PictureRef SplashPicture();

}  // namespace catalogue
