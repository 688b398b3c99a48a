#include "tree_images.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace catalogue {

namespace {

QPixmap Canvas() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

// A head and shoulders, for a composer.
forms::PictureRef ComposerTreeImage() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2b, 0x3a, 0x67), 1));
    p.setBrush(QColor(0x5b, 0x7d, 0xb1));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    QPainterPath shoulders;
    shoulders.moveTo(2, 15);
    shoulders.cubicTo(2, 9, 14, 9, 14, 15);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.end();
    return std::make_shared<forms::Picture>(pixmap);
}

// A pair of quavers, for a composition.
forms::PictureRef CompositionTreeImage() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x7e, 0x25, 0x53);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(1.5, 10.5, 5, 4));
    p.drawEllipse(QRectF(9.5, 9, 5, 4));
    p.setPen(QPen(ink, 1.5));
    p.drawLine(QPointF(6, 12.5), QPointF(6, 2.5));
    p.drawLine(QPointF(14, 11), QPointF(14, 1));
    p.setPen(QPen(ink, 2.5));
    p.drawLine(QPointF(6, 3), QPointF(14, 1.5));
    p.end();
    return std::make_shared<forms::Picture>(pixmap);
}

}  // namespace catalogue
