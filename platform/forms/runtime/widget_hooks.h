#pragma once
// Internal: how widgets are tied to their controls and forms, and how their
// key, focus and mouse events reach the events of the controls.
#include <cstdint>

#include <Qt>

class QWidget;

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace forms::detail {

// Ties a control's widget (or a part of it, such as a combo box's line edit)
// to the control: key, focus and mouse events raise the control's events.
void HookWidget(QWidget* w, Control* c);
// Ties a form's window and client area to the form.
void HookFormWidget(QWidget* w, Form* f);
void UnhookWidget(QWidget* w);
Control* ControlOfWidget(const QWidget* w);
Form* FormOfWidget(const QWidget* w);

// Key codes as KeyDown reports them, from Qt key codes.
std::int16_t VirtualKeyOf(int qtKey);
// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(Qt::KeyboardModifiers m);
// 1 left, 2 right, 4 middle.
std::int16_t MouseButtonOf(Qt::MouseButton b);

}  // namespace forms::detail
