// Key, focus and mouse events of the widgets, turned into the events of
// their controls and forms: KeyDown, KeyPress (with the form's key preview;
// the character code is passed by reference, 0 discards the key and another
// code types that character instead), KeyUp, GotFocus, Validate, LostFocus,
// MouseDown, MouseUp, MouseMove, Click and DblClick; Enter and Esc reach the
// form's default and cancel buttons.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "application.h"
#include "command_button.h"
#include "control.h"
#include "form.h"
#include "user_control.h"
#include "widget_hooks.h"

namespace forms::detail {

namespace {

constexpr const char* kControlProperty = "forms_control";
constexpr const char* kFormProperty = "forms_form";

bool g_reinjecting = false;

std::int16_t CharOf(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0;
    default: break;
    }
    const QString t = e->text();
    if (t.isEmpty()) return 0;
    const char16_t u = t.at(0).unicode();
    if (u == 127) return 0;  // Delete types nothing
    return static_cast<std::int16_t>(u <= 0x7fff ? u : '?');
}

int QtKeyForChar(std::int16_t k) {
    if (k == 13) return Qt::Key_Return;
    if (k == 8) return Qt::Key_Backspace;
    if (k == 27) return Qt::Key_Escape;
    if (k == 9) return Qt::Key_Tab;
    if (k >= 'a' && k <= 'z') return Qt::Key_A + (k - 'a');
    if (k >= 'A' && k <= 'Z') return Qt::Key_A + (k - 'A');
    if (k >= '0' && k <= '9') return Qt::Key_0 + (k - '0');
    if (k == ' ') return Qt::Key_Space;
    return 0;
}

bool StillTied(const QPointer<QWidget>& w, Control* c) { return w && ControlOfWidget(w) == c; }

// The default (Enter) or cancel (Esc) button of a form, when it can be pressed.
CommandButton* ButtonFor(Form& f, bool isDefault) {
    for (Control* c : f.Controls()) {
        auto* b = dynamic_cast<CommandButton*>(c);
        if (!b || !b->Widget() || !b->Widget()->isVisible() || !b->Widget()->isEnabled()) continue;
        if (isDefault ? b->Default() : b->Cancel()) return b;
    }
    return nullptr;
}

void PressButton(CommandButton* b) {
    auto* pb = qobject_cast<QPushButton*>(b->Widget());
    if (pb) pb->click();
}

bool HandleControlKeyPress(QWidget* w, Control* c, QKeyEvent* e) {
    Form& f = c->Parent();
    QPointer<QWidget> guard(w);
    std::int16_t shift = ShiftState(e->modifiers());
    std::int16_t vk = VirtualKeyOf(e->key());
    if (vk != 0) {
        if (f.KeyPreview()) RaiseEvent([&] { f.RaiseKeyDown(vk, shift); });
        if (vk != 0 && c->KeyDown && StillTied(guard, c)) RaiseEvent([&] { c->KeyDown(vk, shift); });
        if (!StillTied(guard, c)) return true;
    }
    std::int16_t k = CharOf(e);
    if (vk == 0 && VirtualKeyOf(e->key()) != 0 && k == 0) return true;  // KeyDown discarded it
    if (k == 0) return false;
    if (k == 13 || k == 27) {
        if (k == 13 && dynamic_cast<CommandButton*>(c)) {
            PressButton(static_cast<CommandButton*>(c));
            return true;
        }
        if (CommandButton* b = ButtonFor(f, k == 13)) {
            PressButton(b);
            return true;
        }
    }
    const std::int16_t original = k;
    if (f.KeyPreview()) RaiseEvent([&] { f.RaiseKeyPress(k); });
    if (k != 0 && c->KeyPress && StillTied(guard, c)) RaiseEvent([&] { c->KeyPress(k); });
    if (!StillTied(guard, c) || k == 0) return true;
    if (k == original) return false;
    QKeyEvent changed(QEvent::KeyPress, QtKeyForChar(k), e->modifiers() & ~Qt::ShiftModifier,
                      QString(QChar(static_cast<char16_t>(k))));
    g_reinjecting = true;
    QCoreApplication::sendEvent(w, &changed);
    g_reinjecting = false;
    return true;
}

bool HandleFormKeyPress(Form* f, QKeyEvent* e) {
    std::int16_t shift = ShiftState(e->modifiers());
    std::int16_t vk = VirtualKeyOf(e->key());
    if (vk != 0) RaiseEvent([&] { f->RaiseKeyDown(vk, shift); });
    std::int16_t k = CharOf(e);
    if (k == 0 || !f->IsLoaded()) return vk == 0 && VirtualKeyOf(e->key()) != 0;
    if (k == 13 || k == 27) {
        if (CommandButton* b = ButtonFor(*f, k == 13)) {
            PressButton(b);
            return true;
        }
    }
    RaiseEvent([&] { f->RaiseKeyPress(k); });
    return true;
}

class EventHooks : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w) return false;
        switch (e->type()) {
        case QEvent::KeyPress: return KeyPress(w, static_cast<QKeyEvent*>(e));
        case QEvent::KeyRelease: return KeyRelease(w, static_cast<QKeyEvent*>(e));
        case QEvent::FocusIn: FocusIn(w, static_cast<QFocusEvent*>(e)); return false;
        case QEvent::FocusOut: FocusOut(w, static_cast<QFocusEvent*>(e)); return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: Mouse(w, static_cast<QMouseEvent*>(e)); return false;
        default: return false;
        }
    }

private:
    static bool KeyPress(QWidget* w, QKeyEvent* e) {
        if (g_reinjecting) return false;
        QWidget* focus = w->window()->focusWidget();
        if (Control* c = ControlOfWidget(w)) {
            if (focus != w) return false;
            return HandleControlKeyPress(w, c, e);
        }
        if (Form* f = FormOfWidget(w)) {
            if (focus == w || (!focus && w->isWindow())) return HandleFormKeyPress(f, e);
        }
        return false;
    }

    static bool KeyRelease(QWidget* w, QKeyEvent* e) {
        if (e->isAutoRepeat()) return false;
        QWidget* focus = w->window()->focusWidget();
        std::int16_t shift = ShiftState(e->modifiers());
        std::int16_t vk = VirtualKeyOf(e->key());
        if (vk == 0) return false;
        if (Control* c = ControlOfWidget(w)) {
            if (focus != w) return false;
            Form& f = c->Parent();
            QPointer<QWidget> guard(w);
            if (f.KeyPreview()) RaiseEvent([&] { f.RaiseKeyUp(vk, shift); });
            if (vk != 0 && c->KeyUp && StillTied(guard, c)) RaiseEvent([&] { c->KeyUp(vk, shift); });
            return false;
        }
        if (Form* f = FormOfWidget(w)) {
            if (focus == w || (!focus && w->isWindow())) RaiseEvent([&] { f->RaiseKeyUp(vk, shift); });
        }
        return false;
    }

    static bool IgnoredReason(Qt::FocusReason r) {
        return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason;
    }

    static void FocusIn(QWidget* w, QFocusEvent* e) {
        Control* c = ControlOfWidget(w);
        if (!c || IgnoredReason(e->reason())) return;
        RaiseEvent(c->GotFocus);
    }

    static void FocusOut(QWidget* w, QFocusEvent* e) {
        Control* c = ControlOfWidget(w);
        if (!c || IgnoredReason(e->reason())) return;
        if (c->Validate) {
            bool cancel = false;
            RaiseEvent([&] { c->Validate(cancel); });
            if (cancel) {
                QPointer<QWidget> guard(w);
                QTimer::singleShot(0, w, [guard] {
                    if (guard) guard->setFocus(Qt::OtherFocusReason);
                });
                return;
            }
        }
        RaiseEvent(c->LostFocus);
    }

    static void Mouse(QWidget* w, QMouseEvent* e) {
        Control* c = ControlOfWidget(w);
        if (!c || dynamic_cast<UserControl*>(c)) return;
        const std::int16_t button = MouseButtonOf(e->button());
        const std::int16_t shift = ShiftState(e->modifiers());
        const QPointF p = e->position();
        const float x = static_cast<float>(p.x() * TwipsPerPixel);
        const float y = static_cast<float>(p.y() * TwipsPerPixel);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            if (c->MouseDown) RaiseEvent([&] { c->MouseDown(button, shift, x, y); });
            break;
        case QEvent::MouseButtonRelease: {
            QPointer<QWidget> guard(w);
            if (c->MouseUp) RaiseEvent([&] { c->MouseUp(button, shift, x, y); });
            if (c->RaisesMouseClicks() && StillTied(guard, c) && w->rect().contains(p.toPoint()))
                RaiseEvent(c->Click);
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (c->RaisesMouseClicks()) RaiseEvent(c->DblClick);
            break;
        case QEvent::MouseMove:
            if (c->MouseMove) {
                std::int16_t held = 0;
                if (e->buttons() & Qt::LeftButton) held |= 1;
                if (e->buttons() & Qt::RightButton) held |= 2;
                if (e->buttons() & Qt::MiddleButton) held |= 4;
                RaiseEvent([&] { c->MouseMove(held, shift, x, y); });
            }
            break;
        default: break;
        }
    }
};

EventHooks* Hooks() {
    static EventHooks* hooks = new EventHooks();  // lives for the whole process
    return hooks;
}

}  // namespace

void HookWidget(QWidget* w, Control* c) {
    w->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(c)));
    w->installEventFilter(Hooks());
}

void HookFormWidget(QWidget* w, Form* f) {
    w->setProperty(kFormProperty, QVariant::fromValue(reinterpret_cast<quintptr>(f)));
    w->installEventFilter(Hooks());
}

void UnhookWidget(QWidget* w) {
    w->setProperty(kControlProperty, QVariant());
    w->setProperty(kFormProperty, QVariant());
    w->removeEventFilter(Hooks());
}

Control* ControlOfWidget(const QWidget* w) {
    if (!w) return nullptr;
    const QVariant v = w->property(kControlProperty);
    return v.isValid() ? reinterpret_cast<Control*>(v.value<quintptr>()) : nullptr;
}

Form* FormOfWidget(const QWidget* w) {
    if (!w) return nullptr;
    const QVariant v = w->property(kFormProperty);
    return v.isValid() ? reinterpret_cast<Form*>(v.value<quintptr>()) : nullptr;
}

std::int16_t VirtualKeyOf(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<std::int16_t>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<std::int16_t>('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<std::int16_t>(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    default: break;
    }
    // Shifted digits and other printable keys: their unshifted key.
    switch (k) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

std::int16_t ShiftState(Qt::KeyboardModifiers m) {
    std::int16_t s = 0;
    if (m & Qt::ShiftModifier) s |= 1;
    if (m & Qt::ControlModifier) s |= 2;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

std::int16_t MouseButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

}  // namespace forms::detail
