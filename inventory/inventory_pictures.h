#pragma once
// The inventory program's pictures. The toolbar buttons': 48 by 48 pixels in the
// sixteen colours of the standard palette, drawn by the program.
#include "picture.h"

namespace inventory {

forms::PictureRef SuppliersPicture();  // a delivery truck
forms::PictureRef PurchaseOrdersPicture();  // an order form with a pen
forms::PictureRef ProductsPicture();  // a record on its sleeve
forms::PictureRef RestorePicture();  // a database drum with a turning arrow
forms::PictureRef HelpPicture();  // a question mark in a bubble
forms::PictureRef ExitPicture();  // an open door with an arrow leaving

// The About box's pictures: a picture of the product (build C) and a 32 by
// 32 icon in sixteen colours (build B); the splash window's logo.
forms::PictureRef AboutPicture();
forms::PictureRef AboutIcon();
forms::PictureRef SplashLogo();

}  // namespace inventory
