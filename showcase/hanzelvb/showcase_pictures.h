#pragma once
// The showcase's pictures, drawn when first asked for.
#include "picture.h"

namespace hanzelvb {

// The 20 x 18 pixel bullet beside each kind of control on the start form.
forms::PictureRef BulletPicture();
// The start form's large picture: a test card with controls on it.
forms::PictureRef CardPicture();
// The start form's smaller picture: the card's name plate.
forms::PictureRef NamePlatePicture();
// The About box's icon.
forms::PictureRef AboutIcon();

}  // namespace hanzelvb
