#include "tip_picture.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvanta {

forms::PictureRef TipPicture() {
    QPixmap pixmap(46, 46);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Rays.
    p.setPen(QPen(QColor(0xf0, 0xb4, 0x29), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23, 2), QPointF(23, 6));
    p.drawLine(QPointF(6, 9), QPointF(9, 12));
    p.drawLine(QPointF(40, 9), QPointF(37, 12));
    p.drawLine(QPointF(2, 22), QPointF(6, 22));
    p.drawLine(QPointF(44, 22), QPointF(40, 22));
    // Glass.
    QPainterPath glass;
    glass.addEllipse(QRectF(12, 9, 22, 22));
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x12), 1.5));
    p.setBrush(QColor(0xff, 0xe2, 0x6b));
    p.drawPath(glass);
    // Base.
    p.setBrush(QColor(0x9a, 0x9a, 0x9a));
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.drawRoundedRect(QRectF(17, 30, 12, 10), 2, 2);
    p.drawLine(QPointF(17, 33.5), QPointF(29, 33.5));
    p.drawLine(QPointF(17, 36.5), QPointF(29, 36.5));
    p.end();
    return std::make_shared<forms::Picture>(pixmap);
}

}  // namespace orvanta
