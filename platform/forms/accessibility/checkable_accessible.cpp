// A control of the program's own that works as a check box, as accessibility
// tools see it: a check box named by its caption, checked or not, whose press
// and toggle actions click it as the user would. The pictures and the label
// it is drawn with are not shown as children of their own.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "accessibility.h"
#include "checkable_control.h"
#include "control.h"
#include "widget_hooks.h"

namespace forms {

namespace detail {

namespace {

CheckableControl* CheckableOf(const QWidget* w) {
    Control* c = w ? ControlOfWidget(w) : nullptr;
    return c && c->Widget() == w ? dynamic_cast<CheckableControl*>(c) : nullptr;
}

class AccessibleCheckable : public QAccessibleWidget, public OwnAccessible {
public:
    explicit AccessibleCheckable(QWidget* w) : QAccessibleWidget(w, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        const CheckableControl* c = CheckableOf(widget());
        if (t == QAccessible::Name && c) return QString::fromStdString(c->CheckBoxCaption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        const CheckableControl* c = CheckableOf(widget());
        s.checked = c && c->CheckBoxChecked();
        return s;
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override {
        if (!widget()->isEnabled()) return {};
        return {pressAction(), toggleAction()};
    }
    void doAction(const QString& name) override {
        if (!widget()->isEnabled() || (name != pressAction() && name != toggleAction())) return;
        // Later, from the event loop as a click would: the click may show a
        // modal form, and the tool that asked waits for an answer.
        QPointer<QWidget> w = widget();
        QMetaObject::invokeMethod(
            w.data(),
            [w] {
                if (CheckableControl* c = CheckableOf(w)) c->ClickAsUser();
            },
            Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

}  // namespace

bool IsCheckableWidget(const QWidget* w) { return CheckableOf(w) != nullptr; }

QAccessibleInterface* NewAccessibleCheckable(QObject* w) { return new AccessibleCheckable(static_cast<QWidget*>(w)); }

}  // namespace detail

void CheckedStateChanged(Control& control) {
    QWidget* w = control.Widget();
    if (!w || !QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(w, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace forms
