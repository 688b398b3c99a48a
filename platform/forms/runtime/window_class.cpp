#include "window_class.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <map>
#include <mutex>

#include "member_names.h"
#include "window_table.h"

namespace com {

namespace {

struct ClassRecord {
    WNDCLASS wc;
    std::string name;
    ATOM atom = 0;
};

// The class table and its lock are never destroyed: libraries unloaded at
// exit take their classes back from their destructors, after the exit
// handlers that would have destroyed a static table.
std::recursive_mutex& Lock() {
    static auto* m = new std::recursive_mutex;
    return *m;
}
std::map<std::string, ClassRecord>& Classes() {  // by lower-case name
    static auto* classes = new std::map<std::string, ClassRecord>;
    return *classes;
}
ATOM nextAtom = 0xC000;

const ClassRecord* ClassOf(HWND hwnd) {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    auto it = Classes().find(forms::detail::Lower(win::GetClassName(hwnd)));
    return it == Classes().end() ? nullptr : &it->second;
}

LPARAM PointParam(const QPoint& p) {
    return static_cast<LPARAM>((p.x() & 0xFFFF) | (p.y() & 0xFFFF) << 16);
}

// A window of a registered class: its events become the class procedure's
// messages.
class ClassWindow final : public QWidget {
public:
    ClassWindow(QWidget* parent, bool paintsBackground) : QWidget(parent), paintsBackground_(paintsBackground) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setCursor(Qt::ArrowCursor);
    }
    HWND hwnd = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!hwnd) return;
        QPainter painter(this);
        DeviceContext dc(&painter);
        if (paintsBackground_) {
            RECT r{0, 0, width(), height()};
            FillWindowRect(&dc, &r);
        }
        SendMessage(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    }
    void resizeEvent(QResizeEvent*) override {
        if (hwnd) SendMessage(hwnd, WM_SIZE, 0, PointParam(QPoint(width(), height())));
    }
    void mousePressEvent(QMouseEvent* e) override {
        Mouse(e->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Mouse(e->button() == Qt::RightButton ? WM_RBUTTONUP : WM_LBUTTONUP, e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(WM_LBUTTONDBLCLK, e); }
    void mouseMoveEvent(QMouseEvent* e) override { Mouse(WM_MOUSEMOVE, e); }

private:
    void Mouse(UINT msg, QMouseEvent* e) {
        if (hwnd) SendMessage(hwnd, msg, 0, PointParam(e->position().toPoint()));
    }
    bool paintsBackground_;
};

ClassWindow* WindowOf(HWND hwnd) { return dynamic_cast<ClassWindow*>(win::WidgetOf(hwnd)); }

}  // namespace

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const std::string key = forms::detail::Lower(wc->lpszClassName);
    if (Classes().count(key)) return 0;
    ClassRecord r;
    r.wc = *wc;
    r.name = wc->lpszClassName;
    r.wc.lpszClassName = nullptr;  // the record keeps its own copy of the name
    r.wc.lpszMenuName = nullptr;
    r.atom = nextAtom++;
    const ATOM atom = r.atom;
    Classes().emplace(key, std::move(r));
    return atom;
}

BOOL UnregisterClass(const char* className, HINSTANCE) {
    if (!className) return FALSE;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return Classes().erase(forms::detail::Lower(className)) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, const char* className, WNDCLASS* out) {
    if (!className) return FALSE;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    auto it = Classes().find(forms::detail::Lower(className));
    if (it == Classes().end()) return FALSE;
    if (out) {
        *out = it->second.wc;
        out->lpszClassName = it->second.name.c_str();
    }
    return TRUE;
}

HCURSOR LoadCursor(HINSTANCE, int id) { return id == IDC_ARROW ? static_cast<HCURSOR>(id) : 0; }

HWND CreateWindowEx(DWORD, const char* className, const char*, DWORD style, int x, int y, int width, int height,
                    HWND parent, void*, HINSTANCE, void* param) {
    WNDCLASS wc;
    if (!className || !GetClassInfo(nullptr, className, &wc)) return 0;
    const std::string name = wc.lpszClassName;
    QWidget* parentWidget = nullptr;
    if (parent) {
        parentWidget = win::WidgetOf(parent);
        if (!win::IsWindow(parent) || !parentWidget) return 0;
    } else if (style & WS_CHILD) {
        return 0;
    }
    auto* widget = new ClassWindow(parentWidget, wc.hbrBackground != 0);
    widget->setGeometry(x, y, std::max(0, width), std::max(0, height));
    const HWND hwnd = win::CreateWindowHandle(widget, name, style, parent);
    if (!hwnd) {
        delete widget;
        return 0;
    }
    widget->hwnd = hwnd;
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
        win::DestroyWindow(hwnd);
        delete widget;
        return 0;
    }
    if (style & WS_VISIBLE) widget->show();
    widget->winId();  // a native window of its own from the start
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    ClassWindow* widget = WindowOf(hwnd);
    if (!widget || !win::IsWindow(hwnd)) return FALSE;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    widget->hwnd = 0;
    win::DestroyWindow(hwnd);
    delete widget;
    return TRUE;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!win::IsWindow(hwnd)) return 0;
    WNDPROC proc = nullptr;
    if (const ClassRecord* r = ClassOf(hwnd)) proc = r->wc.lpfnWndProc;
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    QWidget* w = win::WidgetOf(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->width(), w->height()};
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    QWidget* w = win::WidgetOf(hwnd);
    if (!w) return FALSE;
    w->setGeometry(x, y, std::max(0, width), std::max(0, height));
    if (repaint) w->update();
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int show) {
    QWidget* w = win::WidgetOf(hwnd);
    if (!w) return FALSE;
    const bool was = w->isVisible();
    const std::uint32_t style = win::GetWindowStyle(hwnd);
    if (show == SW_HIDE) {
        w->hide();
        win::SetWindowStyle(hwnd, style & ~WS_VISIBLE);
    } else {
        w->show();
        win::SetWindowStyle(hwnd, style | WS_VISIBLE);
    }
    return was ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    QWidget* w = win::WidgetOf(hwnd);
    return w && w->isVisible() ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    QWidget* w = win::WidgetOf(hwnd);
    if (!w) return FALSE;
    if (rect) {
        w->update(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    } else {
        w->update();
    }
    return TRUE;
}

}  // namespace com
