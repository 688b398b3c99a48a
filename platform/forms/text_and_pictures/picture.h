#pragma once
// Pictures and LoadPicture: bitmaps, JPEG, GIF, PNG and icons from files.
#include <memory>
#include <string>

#include <QPixmap>

#include "variant.h"

namespace forms {

class Picture : public vb::Object {
public:
    Picture() = default;
    explicit Picture(QPixmap pixmap, int type = 1) : pixmap_(std::move(pixmap)), type_(type) {}
    std::string TypeName() const override { return "Picture"; }

    bool IsEmpty() const { return pixmap_.isNull(); }
    const QPixmap& Pixmap() const { return pixmap_; }
    // Size in HIMETRIC units (hundredths of a millimetre), as pictures report it.
    int Width() const;
    int Height() const;
    // 0 none, 1 bitmap, 3 icon.
    int Type() const { return IsEmpty() ? 0 : type_; }

    vb::Variant GetMember(const std::string& name) override;  // Width, Height, Type, Handle

private:
    QPixmap pixmap_;
    int type_ = 1;
};

using PictureRef = std::shared_ptr<Picture>;

// Loads a picture file. An empty path gives an empty picture; a missing file
// raises error 53 ("File not found"); a file that is no picture, error 481
// ("Invalid picture").
PictureRef LoadPicture(const std::string& path = {});

// The picture held by a Variant (Nothing or a Picture object); error 13 otherwise.
PictureRef PictureFromVariant(const vb::Variant& v);

}  // namespace forms
