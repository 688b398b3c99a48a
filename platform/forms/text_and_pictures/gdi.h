#pragma once
// Drawing for code outside the forms runtime (an ActiveX control): a device
// context over a QPainter that also records what was drawn, edges, icons and
// bitmaps from module resources, and system metrics.
#include <vector>

#include <QImage>

#include "ole_interfaces.h"
#include "resources.h"

class QPainter;

namespace com {

struct Icon;
using HICON = Icon*;
struct Bitmap;
using HBITMAP = Bitmap*;

// One drawing call, as a device context records it.
struct DrawnItem {
    enum Kind { Edge, IconImage, Fill } kind = Edge;
    RECT rect;        // Edge and Fill: the rectangle; IconImage: position and icon size
    UINT edge = 0;    // Edge
    UINT flags = 0;   // Edge
    HICON icon = nullptr;
};

// A device context: draws into `painter` when there is one, and records
// every call.
struct DeviceContext {
    explicit DeviceContext(QPainter* painter = nullptr) : painter(painter) {}
    QPainter* painter;
    std::vector<DrawnItem> drawn;
};

// Edges.
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1;
constexpr UINT BF_TOP = 0x2;
constexpr UINT BF_RIGHT = 0x4;
constexpr UINT BF_BOTTOM = 0x8;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x800;
constexpr UINT BF_ADJUST = 0x2000;

// Draws a 3-D edge on the sides in flags, filling the middle with the face
// colour for BF_MIDDLE; with BF_ADJUST the rectangle shrinks to the inside.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
// Draws the icon with its top-left corner at (x, y).
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// Fills the rectangle with the window colour (brush COLOR_WINDOW + 1).
BOOL FillWindowRect(HDC dc, const RECT* rect);

// The icon group `name` of the module (the image of its first icon);
// null when absent or not an image. Icons are shared: every load of the same
// icon hands back the same handle, valid while the process runs.
HICON LoadIcon(HINSTANCE module, const ResourceId& name);
BOOL DestroyIcon(HICON icon);  // shared icons stay; TRUE
QImage IconImage(HICON icon);  // null image for null

// A bitmap resource, decoded; null when absent. Free with DeleteBitmap.
HBITMAP LoadBitmap(HINSTANCE module, const ResourceId& name);
BOOL DeleteBitmap(HBITMAP bitmap);
QImage BitmapImage(HBITMAP bitmap);

// System metrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXICON = 11;  // 32
constexpr int SM_CYICON = 12;  // 32
int GetSystemMetrics(int index);

}  // namespace com
