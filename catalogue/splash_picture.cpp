#include "splash_picture.h"

#include <QPixmap>

namespace catalogue {

forms::PictureRef SplashPicture() {
    return std::make_shared<forms::Picture>(QPixmap(QStringLiteral(":/catalogue/splash.png")));
}

}  // namespace catalogue
