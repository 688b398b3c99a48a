#include "about_pictures.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace catalogue {

namespace {

// A record, seen from above, on a square sleeve.
void DrawRecord(QPainter& p, int size, const QBrush& sleeve, const QColor& label) {
    p.setPen(Qt::NoPen);
    p.setBrush(sleeve);
    p.drawRect(0, 0, size, size);
    p.setBrush(QColor(0x10, 0x10, 0x14));
    const qreal margin = size * 0.12;
    p.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(size * 0.22, size * 0.22, size * 0.56, size * 0.56));
    p.setPen(Qt::NoPen);
    p.setBrush(label);
    p.drawEllipse(QRectF(size * 0.36, size * 0.36, size * 0.28, size * 0.28));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(size * 0.47, size * 0.47, size * 0.06, size * 0.06));
}

}  // namespace

forms::PictureRef AboutPicture() {
    QPixmap pixmap(48, 48);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sleeve(0, 0, 48, 48);
    sleeve.setColorAt(0, QColor(0x1d, 0x2b, 0x53));
    sleeve.setColorAt(1, QColor(0x7e, 0x25, 0x53));
    DrawRecord(p, 48, sleeve, QColor(0xf0, 0xc0, 0x60));
    p.end();
    return std::make_shared<forms::Picture>(pixmap);
}

forms::PictureRef AboutIcon() {
    QPixmap pixmap(32, 32);
    QPainter p(&pixmap);
    // Sixteen-colour palette only: navy sleeve, black record, yellow label.
    DrawRecord(p, 32, QBrush(QColor(0, 0, 0x80)), QColor(0xff, 0xff, 0));
    p.end();
    return std::make_shared<forms::Picture>(pixmap, 3);
}

forms::PictureRef AboutMiscIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0, 0));
    p.drawEllipse(QRectF(6, 20, 10, 8));
    p.setPen(QPen(QColor(0x80, 0, 0), 2));
    p.drawLine(QPointF(15, 24), QPointF(15, 4));
    p.drawLine(QPointF(15, 4), QPointF(24, 9));
    p.end();
    return std::make_shared<forms::Picture>(pixmap, 3);
}

}  // namespace catalogue
