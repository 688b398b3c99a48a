// hanzel_pictures FOLDER
// Draws the library's three bitmaps into FOLDER as 24-bit BMP files:
// welcome.bmp (256 x 25), bul.bmp (20 x 18) and pb.bmp (241 x 174).
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void put(std::vector<unsigned char>& b, std::size_t at, unsigned v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// Bottom-up rows of blue, green, red, each padded to four bytes.
bool writeBmp(const QImage& image, const std::string& path) {
    const int w = image.width(), h = image.height();
    const int row = (w * 3 + 3) & ~3;
    std::vector<unsigned char> b(54 + static_cast<std::size_t>(row) * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, static_cast<unsigned>(b.size()), 4);
    put(b, 10, 54, 4);
    put(b, 14, 40, 4);
    put(b, 18, static_cast<unsigned>(w), 4);
    put(b, 22, static_cast<unsigned>(h), 4);
    put(b, 26, 1, 2);
    put(b, 28, 24, 2);
    put(b, 34, static_cast<unsigned>(row * h), 4);
    put(b, 38, 3780, 4);
    put(b, 42, 3780, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            QRgb p = image.pixel(x, h - 1 - y);
            std::size_t at = 54 + static_cast<std::size_t>(y) * row + x * 3;
            b[at] = static_cast<unsigned char>(qBlue(p));
            b[at + 1] = static_cast<unsigned char>(qGreen(p));
            b[at + 2] = static_cast<unsigned char>(qRed(p));
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}

QImage welcome() {
    QImage image(256, 25, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 256, 0);
    g.setColorAt(0, QColor(0, 0, 128));
    g.setColorAt(1, QColor(192, 192, 192));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::white);
    QFont f("Arial");
    f.setPixelSize(17);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.drawText(QRect(6, 0, 250, 25), Qt::AlignVCenter | Qt::AlignLeft, "Welcome to Hanzel!");
    return image;
}

QImage bullet() {
    QImage image(20, 18, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(8, 7, 8);
    g.setColorAt(0, QColor(255, 255, 160));
    g.setColorAt(1, QColor(200, 40, 0));
    p.setBrush(g);
    p.setPen(QColor(120, 20, 0));
    p.drawEllipse(QRectF(3, 2, 14, 14));
    return image;
}

QImage product() {
    QImage image(241, 174, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 174);
    sky.setColorAt(0, QColor(30, 60, 140));
    sky.setColorAt(1, QColor(130, 170, 230));
    p.fillRect(image.rect(), sky);
    // A stack of building blocks: the pieces a window is made of.
    const QColor colours[] = {QColor(220, 60, 50), QColor(240, 190, 40), QColor(60, 160, 80), QColor(70, 110, 210)};
    for (int i = 0; i < 4; ++i) {
        QRectF block(28 + i * 46, 96 - (i % 2) * 22, 40, 40);
        p.setBrush(colours[i]);
        p.setPen(QPen(Qt::black, 1.5));
        p.drawRoundedRect(block, 5, 5);
    }
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(74, 40, 92, 30), 6, 6);
    QFont f("Arial");
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 30, 90));
    p.drawText(QRectF(74, 40, 92, 30), Qt::AlignCenter, "PB 6.0");
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 146, 241, 24), Qt::AlignCenter, "Tavorin Quentor: Hanzel!");
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: hanzel_pictures FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string folder = argv[1];
    bool ok = writeBmp(welcome(), folder + "/welcome.bmp") && writeBmp(bullet(), folder + "/bul.bmp") &&
              writeBmp(product(), folder + "/pb.bmp");
    if (!ok) std::fprintf(stderr, "hanzel_pictures: cannot write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
