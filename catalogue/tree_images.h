#pragma once
// The two pictures of the composer tree: a composer and a composition.
#include "picture.h"

namespace catalogue {

forms::PictureRef ComposerTreeImage();
forms::PictureRef CompositionTreeImage();

}  // namespace catalogue
