#include "screen.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "application.h"
#include "form.h"

namespace forms {

namespace {
std::int16_t g_pointer = 0;
bool g_overridden = false;

Qt::CursorShape ShapeFor(std::int16_t pointer) {
    switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 15: return Qt::SizeAllCursor;
    case 99: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}
}  // namespace

std::int16_t ScreenObject::MousePointer() const { return g_pointer; }

void ScreenObject::MousePointer(std::int16_t pointer) {
    g_pointer = pointer;
    if (!QGuiApplication::instance()) {
        if (pointer == 0) g_overridden = false;
        return;
    }
    if (pointer == 0) {
        if (g_overridden) {
            while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
            g_overridden = false;
        }
        return;
    }
    if (g_overridden) {
        QGuiApplication::changeOverrideCursor(QCursor(ShapeFor(pointer)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(ShapeFor(pointer)));
        g_overridden = true;
    }
}

Form* ScreenObject::ActiveForm() const { return forms::ActiveForm(); }

Control* ScreenObject::ActiveControl() const {
    Form* f = forms::ActiveForm();
    return f ? f->ActiveControl() : nullptr;
}

Twips ScreenObject::Width() const {
    EnsureQtApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? PixelsToTwips(s->geometry().width()) : 0;
}

Twips ScreenObject::Height() const {
    EnsureQtApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? PixelsToTwips(s->geometry().height()) : 0;
}

}  // namespace forms
