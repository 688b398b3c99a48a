#include "showcase_pictures.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace hanzelvb {

namespace {

const QColor kInk(0x1f, 0x3a, 0x5f);
const QColor kLeaf(0x3c, 0x9d, 0x5d);
const QColor kPaper(0xfb, 0xf8, 0xef);

// A tick in a rounded square, the mark of a passed test.
void DrawTick(QPainter& p, const QRectF& box) {
    p.setPen(QPen(kInk, box.width() / 14));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, box.width() / 6, box.width() / 6);
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.55);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.75);
    tick.lineTo(box.left() + box.width() * 0.80, box.top() + box.height() * 0.25);
    p.setPen(QPen(kLeaf, box.width() / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

}  // namespace

forms::PictureRef BulletPicture() {
    static const forms::PictureRef picture = [] {
        QPixmap pixmap(20, 18);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        arrow.moveTo(3, 3);
        arrow.lineTo(16, 9);
        arrow.lineTo(3, 15);
        arrow.lineTo(7, 9);
        arrow.closeSubpath();
        p.setPen(QPen(kInk, 1));
        p.setBrush(kLeaf);
        p.drawPath(arrow);
        p.end();
        return std::make_shared<forms::Picture>(pixmap);
    }();
    return picture;
}

forms::PictureRef CardPicture() {
    static const forms::PictureRef picture = [] {
        QPixmap pixmap(270, 280);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 280);
        sky.setColorAt(0, QColor(0x2d, 0x5f, 0x8b));
        sky.setColorAt(1, QColor(0x9c, 0xc3, 0xd5));
        p.fillRect(pixmap.rect(), sky);
        // The card: a form with a title bar, a tree, fields and a button.
        const QRectF card(30, 40, 210, 200);
        p.setPen(QPen(kInk, 2));
        p.setBrush(kPaper);
        p.drawRoundedRect(card, 8, 8);
        p.setBrush(kInk);
        p.drawRect(QRectF(card.left(), card.top() + 8, card.width(), 18));
        p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1));
        for (int i = 0; i < 5; ++i) {
            const qreal y = card.top() + 44 + i * 22;
            p.drawLine(QPointF(card.left() + 16 + (i % 3 ? 12 : 0), y), QPointF(card.left() + 80, y));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(card.left() + 100, y - 7, 90, 14));
        }
        p.setBrush(QColor(0xdd, 0xdd, 0xdd));
        p.drawRoundedRect(QRectF(card.left() + 120, card.bottom() - 34, 70, 22), 4, 4);
        DrawTick(p, QRectF(170, 190, 70, 70));
        p.end();
        return std::make_shared<forms::Picture>(pixmap);
    }();
    return picture;
}

forms::PictureRef NamePlatePicture() {
    static const forms::PictureRef picture = [] {
        QPixmap pixmap(240, 40);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(0, 2, 240, 36), 18, 18);
        DrawTick(p, QRectF(8, 8, 24, 24));
        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(40, 2, 196, 36), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Hanzel! with VB"));
        p.end();
        return std::make_shared<forms::Picture>(pixmap);
    }();
    return picture;
}

forms::PictureRef AboutIcon() {
    static const forms::PictureRef picture = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        DrawTick(p, QRectF(2, 2, 28, 28));
        p.end();
        return std::make_shared<forms::Picture>(pixmap, 3);
    }();
    return picture;
}

}  // namespace hanzelvb
