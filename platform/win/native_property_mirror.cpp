#include "native_property_mirror.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include "x11_properties.h"

namespace win::detail {
namespace {

bool OnGuiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Runs `f` on the GUI thread: now when already there, else queued.
template <typename F>
void OnGui(F&& f) {
    if (OnGuiThread()) {
        f();
    } else if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, std::forward<F>(f), Qt::QueuedConnection);
    }
}

void MirrorAll(QWidget* widget) {
    const WId window = widget->internalWinId();
    if (!window) return;
    const HWND hwnd = HandleOf(widget);
    if (!hwnd) return;
    for (const std::string& name : PropNames(hwnd)) x11::SetProperty(window, name, GetProp(hwnd, name));
}

class Mirror : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::WinIdChange || event->type() == QEvent::Show) &&
            watched->isWidgetType())
            MirrorAll(static_cast<QWidget*>(watched));
        return false;
    }
};

Mirror* TheMirror() {
    static QPointer<Mirror> mirror;
    if (!mirror) mirror = new Mirror(QCoreApplication::instance());
    return mirror;
}

}  // namespace

void WatchNativeWindow(QWidget* widget) {
    if (!widget || !x11::Active()) return;
    QPointer<QWidget> guarded(widget);
    OnGui([guarded] {
        if (!guarded) return;
        guarded->installEventFilter(TheMirror());
        MirrorAll(guarded);
    });
}

void MirrorProperty(HWND hwnd, const std::string& name) {
    if (!x11::Active()) return;
    OnGui([hwnd, name] {
        QWidget* widget = WidgetOf(hwnd);
        if (!widget || !widget->internalWinId()) return;
        if (HasProp(hwnd, name)) {
            x11::SetProperty(widget->internalWinId(), name, GetProp(hwnd, name));
        } else {
            x11::DeleteProperty(widget->internalWinId(), name);
        }
    });
}

void ClearMirroredProperties(QWidget* widget, std::vector<std::string> names) {
    if (!widget || names.empty() || !x11::Active()) return;
    QPointer<QWidget> guarded(widget);
    OnGui([guarded, names = std::move(names)] {
        if (!guarded || HandleOf(guarded)) return;
        for (const std::string& name : names) x11::DeleteProperty(guarded->internalWinId(), name);
    });
}

}  // namespace win::detail
