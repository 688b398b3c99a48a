#include "picture.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
// Pixels at 96 dpi to HIMETRIC (0.01 mm).
int ToHimetric(int px) { return static_cast<int>((px * 2540 + 48) / 96); }
}  // namespace

int Picture::Width() const { return IsEmpty() ? 0 : ToHimetric(pixmap_.width()); }
int Picture::Height() const { return IsEmpty() ? 0 : ToHimetric(pixmap_.height()); }

vb::Variant Picture::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "width") return vb::Variant(Width());
    if (n == "height") return vb::Variant(Height());
    if (n == "type") return vb::Variant(static_cast<std::int16_t>(Type()));
    if (n == "handle") return vb::Variant(IsEmpty() ? 0 : static_cast<int>(pixmap_.cacheKey() & 0x7fffffff));
    return vb::Object::GetMember(name);
}

PictureRef LoadPicture(const std::string& path) {
    if (path.empty()) return std::make_shared<Picture>();
    EnsureQtApplication();
    QString file = QString::fromStdString(path);
    QFileInfo info(file);
    if (!info.exists() && file.contains('\\')) {
        // A path joined with the Windows separator.
        QString alt = file;
        alt.replace('\\', '/');
        if (QFileInfo::exists(alt)) {
            file = alt;
            info = QFileInfo(file);
        }
    }
    if (!info.exists() || !info.isFile()) vb::RaiseError(53);
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull()) vb::RaiseError(481);
    const int type = (format == "ico" || format == "cur") ? 3 : 1;
    return std::make_shared<Picture>(QPixmap::fromImage(image), type);
}

PictureRef PictureFromVariant(const vb::Variant& v) {
    if (v.IsEmpty()) return nullptr;
    vb::ObjectRef o = v.ToObject();
    if (!o) return nullptr;
    auto p = std::dynamic_pointer_cast<Picture>(o);
    if (!p) vb::RaiseError(13);
    return p;
}

}  // namespace forms
