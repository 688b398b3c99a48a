#include "gdi.h"

#include "resource_format.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include <map>
#include <memory>
#include <mutex>

namespace com {

struct Icon {
    QImage image;
};
struct Bitmap {
    QImage image;
};

namespace {

QColor Face() { return QApplication::palette().color(QPalette::Button); }

void Line(QPainter* p, const QColor& c, int x1, int y1, int x2, int y2) {
    p->setPen(c);
    p->drawLine(x1, y1, x2, y2);
}

// One ring of the edge: top/left in `light`, bottom/right in `dark`.
void Ring(QPainter* p, RECT& r, UINT flags, const QColor& light, const QColor& dark) {
    if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return;
    if (flags & BF_TOP) Line(p, light, r.left, r.top, r.right - 1, r.top);
    if (flags & BF_LEFT) Line(p, light, r.left, r.top, r.left, r.bottom - 1);
    if (flags & BF_BOTTOM) Line(p, dark, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    if (flags & BF_RIGHT) Line(p, dark, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_BOTTOM) --r.bottom;
    if (flags & BF_RIGHT) --r.right;
}

std::string IdKey(const ResourceId& id) { return id.IsNumber() ? "#" + std::to_string(id.number) : id.name; }

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    if (!dc || !rect) return FALSE;
    dc->drawn.push_back({DrawnItem::Edge, *rect, edge, flags, nullptr});
    RECT r = *rect;
    if (QPainter* p = dc->painter) {
        p->save();
        const QPalette pal = QApplication::palette();
        const QColor highlight = pal.color(QPalette::Light), light = pal.color(QPalette::Midlight);
        const QColor shadow = pal.color(QPalette::Dark), darkShadow = pal.color(QPalette::Shadow);
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            const bool raised = edge & BDR_RAISEDOUTER;
            Ring(p, r, flags, raised ? light : shadow, raised ? darkShadow : highlight);
        }
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            const bool raised = edge & BDR_RAISEDINNER;
            Ring(p, r, flags, raised ? highlight : darkShadow, raised ? shadow : light);
        }
        if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top) {
            p->fillRect(r.left, r.top, r.right - r.left, r.bottom - r.top, Face());
        }
        p->restore();
    } else {
        const int inset = ((edge & 3) ? 1 : 0) + ((edge & 12) ? 1 : 0);
        if (flags & BF_TOP) r.top += inset;
        if (flags & BF_LEFT) r.left += inset;
        if (flags & BF_BOTTOM) r.bottom -= inset;
        if (flags & BF_RIGHT) r.right -= inset;
    }
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    if (!dc || !icon) return FALSE;
    dc->drawn.push_back({DrawnItem::IconImage,
                         RECT{x, y, x + icon->image.width(), y + icon->image.height()}, 0, 0, icon});
    if (dc->painter) dc->painter->drawImage(x, y, icon->image);
    return TRUE;
}

BOOL FillWindowRect(HDC dc, const RECT* rect) {
    if (!dc || !rect) return FALSE;
    dc->drawn.push_back({DrawnItem::Fill, *rect, 0, 0, nullptr});
    if (dc->painter) {
        dc->painter->fillRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                              QApplication::palette().color(QPalette::Base));
    }
    return TRUE;
}

HICON LoadIcon(HINSTANCE module, const ResourceId& name) {
    static std::mutex lock;
    static std::map<std::pair<HINSTANCE, std::string>, std::unique_ptr<Icon>> icons;
    std::lock_guard<std::mutex> guard(lock);
    const auto key = std::make_pair(module, IdKey(name));
    if (auto it = icons.find(key); it != icons.end()) return it->second.get();
    const auto group = ResourceBytes(module, name, RT_GROUP_ICON);
    if (!group) return nullptr;
    const auto images = format::DecodeIconGroup(*group);
    if (images.empty()) return nullptr;
    const auto bytes = ResourceBytes(module, static_cast<int>(images.front()), RT_ICON);
    if (!bytes) return nullptr;
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
    if (image.isNull()) return nullptr;
    auto icon = std::make_unique<Icon>();
    icon->image = std::move(image);
    return (icons[key] = std::move(icon)).get();
}

BOOL DestroyIcon(HICON) { return TRUE; }

QImage IconImage(HICON icon) { return icon ? icon->image : QImage(); }

HBITMAP LoadBitmap(HINSTANCE module, const ResourceId& name) {
    const auto bytes = ResourceBytes(module, name, RT_BITMAP);
    if (!bytes) return nullptr;
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
    if (image.isNull()) return nullptr;
    return new Bitmap{std::move(image)};
}

BOOL DeleteBitmap(HBITMAP bitmap) {
    if (!bitmap) return FALSE;
    delete bitmap;
    return TRUE;
}

QImage BitmapImage(HBITMAP bitmap) { return bitmap ? bitmap->image : QImage(); }

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry() : QRect();
        return index == SM_CXSCREEN ? screen.width() : screen.height();
    }
    default:
        return 0;
    }
}

}  // namespace com
