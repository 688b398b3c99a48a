#include "inventory_pictures.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QVector>

namespace inventory {

namespace {

// The sixteen colours of the standard palette.
const QVector<QRgb>& Palette16() {
    static const QVector<QRgb> colours{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colours;
}

const QColor kBlack(0, 0, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0), kOlive(128, 128, 0), kNavy(0, 0, 128),
    kTeal(0, 128, 128), kSilver(192, 192, 192), kGrey(128, 128, 128), kRed(255, 0, 0), kYellow(255, 255, 0),
    kBlue(0, 0, 255), kWhite(255, 255, 255);

// The palette entry that stands for "no colour": the background, which lets
// the button face show through. Drawings never use it.
constexpr int kTransparentEntry = 13;  // magenta

// Draws a picture of `size` pixels without blending, so that it keeps to
// the sixteen colours; the background stays transparent.
template <class Draw>
forms::PictureRef SixteenColours(int size, Draw draw, int type = 1) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(Palette16()[kTransparentEntry]));
    {
        QPainter p(&image);
        draw(p);
    }
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Palette16(), Qt::ThresholdDither);
    indexed.setColor(kTransparentEntry, qRgba(0, 0, 0, 0));
    return std::make_shared<forms::Picture>(QPixmap::fromImage(indexed), type);
}

void Outline(QPainter& p, const QColor& fill, qreal width = 1.5) {
    p.setPen(QPen(kBlack, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

void DrawRecord(QPainter& p, const QRectF& sleeve, const QColor& sleeveColour, const QColor& label) {
    Outline(p, sleeveColour);
    p.drawRect(sleeve);
    const qreal margin = sleeve.width() * 0.1;
    const QRectF disc = sleeve.adjusted(margin, margin, -margin, -margin);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlack);
    p.drawEllipse(disc);
    p.setPen(QPen(kGrey, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc.adjusted(disc.width() * 0.15, disc.height() * 0.15, -disc.width() * 0.15,
                                -disc.height() * 0.15));
    p.setPen(Qt::NoPen);
    p.setBrush(label);
    const QPointF centre = disc.center();
    p.drawEllipse(centre, disc.width() * 0.18, disc.height() * 0.18);
    p.setBrush(kWhite);
    p.drawEllipse(centre, 1.5, 1.5);
}

}  // namespace

forms::PictureRef SuppliersPicture() {
    return SixteenColours(48, [](QPainter& p) {
        Outline(p, kRed);
        p.drawRect(QRectF(3, 12, 27, 20));  // the load
        Outline(p, kBlue);
        QPolygonF cab;
        cab << QPointF(30, 18) << QPointF(39, 18) << QPointF(45, 26) << QPointF(45, 32) << QPointF(30, 32);
        p.drawPolygon(cab);
        Outline(p, kWhite, 1);
        p.drawRect(QRectF(33, 20, 6, 5));  // window
        Outline(p, kGrey);
        p.drawRect(QRectF(3, 32, 42, 3));
        Outline(p, kBlack);
        for (qreal x : {11.0, 37.0}) p.drawEllipse(QPointF(x, 37), 5, 5);
        p.setBrush(kSilver);
        for (qreal x : {11.0, 37.0}) p.drawEllipse(QPointF(x, 37), 2, 2);
    });
}

forms::PictureRef PurchaseOrdersPicture() {
    return SixteenColours(48, [](QPainter& p) {
        Outline(p, kWhite);
        QPolygonF sheet;
        sheet << QPointF(8, 4) << QPointF(32, 4) << QPointF(40, 12) << QPointF(40, 44) << QPointF(8, 44);
        p.drawPolygon(sheet);
        p.setPen(QPen(kNavy, 2));
        for (int y = 16; y <= 36; y += 5) p.drawLine(QPointF(13, y), QPointF(y == 36 ? 24 : 35, y));
        p.setPen(QPen(kBlack, 1.5));
        p.drawLine(QPointF(32, 4), QPointF(32, 12));
        p.drawLine(QPointF(32, 12), QPointF(40, 12));
        // The pen.
        p.setPen(QPen(kBlack, 1));
        p.setBrush(kYellow);
        QPolygonF pen;
        pen << QPointF(44, 22) << QPointF(47, 25) << QPointF(31, 41) << QPointF(27, 42) << QPointF(28, 38);
        p.drawPolygon(pen);
        p.setBrush(kMaroon);
        p.drawEllipse(QPointF(27.5, 41.5), 1.2, 1.2);
    });
}

forms::PictureRef ProductsPicture() {
    return SixteenColours(48, [](QPainter& p) {
        DrawRecord(p, QRectF(4, 4, 40, 40), kTeal, kYellow);
    });
}

forms::PictureRef RestorePicture() {
    return SixteenColours(48, [](QPainter& p) {
        // A database drum.
        Outline(p, kOlive);
        p.drawRect(QRectF(6, 14, 24, 26));
        p.drawEllipse(QRectF(6, 34, 24, 10));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(7, 14, 22, 25));
        Outline(p, kYellow);
        p.drawEllipse(QRectF(6, 9, 24, 10));
        p.setPen(QPen(kBlack, 1.5));
        p.drawLine(QPointF(6, 14), QPointF(6, 39));
        p.drawLine(QPointF(30, 14), QPointF(30, 39));
        // The arrow turning back.
        p.setPen(QPen(kGreen, 4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(22, 6, 22, 22), 200 * 16, -250 * 16);
        p.setPen(QPen(kBlack, 1));
        p.setBrush(kGreen);
        QPolygonF head;
        head << QPointF(17, 17) << QPointF(28, 17) << QPointF(22, 25);
        p.drawPolygon(head);
    });
}

forms::PictureRef HelpPicture() {
    return SixteenColours(48, [](QPainter& p) {
        Outline(p, kYellow);
        QPainterPath bubble;
        bubble.addEllipse(QRectF(4, 3, 40, 36));
        QPolygonF tail;
        tail << QPointF(12, 32) << QPointF(8, 46) << QPointF(22, 37);
        bubble.addPolygon(tail);
        p.drawPath(bubble.simplified());
        QFont font("DejaVu Sans");
        font.setPixelSize(28);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kNavy);
        p.drawText(QRectF(4, 3, 40, 36), Qt::AlignCenter, "?");
    });
}

forms::PictureRef ExitPicture() {
    return SixteenColours(48, [](QPainter& p) {
        Outline(p, kGrey);
        p.drawRect(QRectF(6, 4, 24, 40));  // the door frame
        Outline(p, kMaroon);
        QPolygonF door;
        door << QPointF(6, 4) << QPointF(20, 9) << QPointF(20, 47) << QPointF(6, 44);
        p.drawPolygon(door);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(17, 27), 1.5, 1.5);
        // The arrow leaving.
        p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(26, 24), QPointF(40, 24));
        p.setPen(QPen(kBlack, 1));
        p.setBrush(kRed);
        QPolygonF head;
        head << QPointF(38, 16) << QPointF(47, 24) << QPointF(38, 32);
        p.drawPolygon(head);
    });
}

forms::PictureRef AboutPicture() {
    QImage image(96, 96, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shelf(0, 0, 0, 96);
    shelf.setColorAt(0, QColor(0x23, 0x3d, 0x4d));
    shelf.setColorAt(1, QColor(0x61, 0x8b, 0x4a));
    p.fillRect(image.rect(), shelf);
    // Three sleeves stacked on a shelf.
    DrawRecord(p, QRectF(8, 30, 40, 40), QColor(0xe0, 0x7a, 0x5f), QColor(0xf2, 0xcc, 0x8f));
    DrawRecord(p, QRectF(30, 20, 40, 40), QColor(0x3d, 0x40, 0x5b), QColor(0x81, 0xb2, 0x9a));
    DrawRecord(p, QRectF(52, 34, 36, 36), QColor(0xf4, 0xf1, 0xde), QColor(0xe0, 0x7a, 0x5f));
    p.fillRect(QRectF(0, 72, 96, 6), QColor(0x8d, 0x6e, 0x4c));
    p.end();
    return std::make_shared<forms::Picture>(QPixmap::fromImage(image));
}

forms::PictureRef AboutIcon() {
    return SixteenColours(
        32, [](QPainter& p) { DrawRecord(p, QRectF(1, 1, 30, 30), kNavy, kYellow); }, 3);
}

forms::PictureRef SplashLogo() {
    QImage image(120, 120, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 120, 120);
    back.setColorAt(0, QColor(0x1d, 0x35, 0x57));
    back.setColorAt(1, QColor(0x45, 0x7b, 0x9d));
    p.fillRect(image.rect(), back);
    // Boxes of records, stacked.
    const QColor box(0xe6, 0xb8, 0x6a), edge(0x7a, 0x55, 0x1f);
    p.setPen(QPen(edge, 2));
    p.setBrush(box);
    p.drawRect(QRectF(14, 62, 44, 40));
    p.drawRect(QRectF(62, 62, 44, 40));
    p.drawRect(QRectF(38, 20, 44, 40));
    DrawRecord(p, QRectF(46, 28, 28, 28), QColor(0xa8, 0xda, 0xdc), QColor(0xe6, 0x39, 0x46));
    p.end();
    return std::make_shared<forms::Picture>(QPixmap::fromImage(image));
}

}  // namespace inventory
