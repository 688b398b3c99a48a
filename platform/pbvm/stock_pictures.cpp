#include "stock_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pbvm {

QIcon StockPicture(const std::string& name) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == "Custom080!") {  // leave: an open door with an arrow
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(4, 3, 10, 18);
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.drawLine(11, 12, 21, 12);
        p.drawLine(17, 8, 21, 12);
        p.drawLine(17, 16, 21, 12);
    } else if (name == "Custom090!") {  // about: a blue disc with an "i"
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 200));
        p.drawEllipse(2, 2, 20, 20);
        p.setBrush(Qt::white);
        p.drawEllipse(10, 5, 4, 4);
        p.drawRect(10, 10, 4, 9);
    } else if (name == "Custom069!") {  // samples: four coloured tiles
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(220, 60, 60));
        p.drawRect(3, 3, 8, 8);
        p.setBrush(QColor(60, 170, 60));
        p.drawRect(13, 3, 8, 8);
        p.setBrush(QColor(60, 90, 220));
        p.drawRect(3, 13, 8, 8);
        p.setBrush(QColor(230, 200, 40));
        p.drawRect(13, 13, 8, 8);
    } else {
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::lightGray);
        p.drawRect(3, 3, 18, 18);
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace pbvm
