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
    } else if (name == "Custom052!") {  // a company: a building with windows
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(170, 150, 120));
        p.drawRect(5, 3, 14, 19);
        p.setBrush(QColor(250, 240, 150));
        for (int y = 6; y < 18; y += 5)
            for (int x = 8; x < 17; x += 5) p.drawRect(x, y, 3, 3);
    } else if (name == "Custom053!") {  // a division: a folder
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(2, 5, 8, 4);
        p.drawRect(2, 8, 20, 13);
    } else if (name == "Custom041!") {  // a product: a box
        p.setPen(QPen(QColor(40, 60, 120), 1));
        p.setBrush(QColor(110, 150, 220));
        p.drawRect(4, 8, 16, 13);
        p.setBrush(QColor(160, 190, 240));
        p.drawRect(4, 4, 16, 4);
    } else {
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::lightGray);
        p.drawRect(3, 3, 18, 18);
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace pbvm
