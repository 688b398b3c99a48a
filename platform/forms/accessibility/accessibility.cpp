#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QWidget>

#include "datacontrol_widget.h"
#include "dbgrid.h"
#include "flexgrid.h"
#include "form.h"
#include "form_window.h"
#include "image.h"
#include "picture_box.h"
#include "statusbar.h"
#include "widget_hooks.h"

namespace forms::detail {

namespace {

// BorderStyle values of a window the user cannot resize.
bool IsFixedBorder(std::int16_t borderStyle) { return borderStyle == 1 || borderStyle == 3 || borderStyle == 4; }

// A form's own window: a frame named by the caption, a dialog while it is
// shown modally with a fixed border. Inside a multiple-document parent the
// sub-window is the frame and this is its client area.
class AccessibleFormWindow : public QAccessibleWidget, public OwnAccessible {
public:
    explicit AccessibleFormWindow(FormWindow* w) : QAccessibleWidget(w, QAccessible::Window) {}

    QAccessible::Role role() const override {
        if (!widget()->isWindow()) return QAccessible::Client;
        return IsDialog() ? QAccessible::Dialog : QAccessible::Window;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->isWindow()) return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (widget()->isWindow() && widget()->windowModality() != Qt::NonModal) s.modal = true;
        return s;
    }

private:
    bool IsDialog() const {
        const Form* form = FormOfWidget(widget());  // null once the form let its window go
        if (!form) return false;
        const bool modal = widget()->windowModality() != Qt::NonModal || form->IsModal();
        return modal && IsFixedBorder(form->RawBorderStyle());
    }
};

// A widget of ours that keeps Qt's behaviour under another role.
class AccessibleWithRole : public QAccessibleWidget, public OwnAccessible {
public:
    AccessibleWithRole(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
};

enum class Kind { None, FormWindow, MenuItem, Picture, StatusBar, FlexGrid, Panel, TabControl, TabPage, CheckBox };

// What the forms make for an object, from what the object is now: a form
// window by its type, a control's widget by its control.
Kind KindOf(QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) return MenuItemName(action).isEmpty() ? Kind::None : Kind::MenuItem;
    if (!object->isWidgetType()) return Kind::None;
    auto* w = static_cast<QWidget*>(object);
    if (dynamic_cast<FormWindow*>(w)) return Kind::FormWindow;
    if (IsTabPageWidget(w)) return Kind::TabPage;
    if (IsTabControlWidget(w)) return Kind::TabControl;
    if (IsCheckableWidget(w)) return Kind::CheckBox;
    Control* c = ControlOfWidget(w);
    if (!c || c->Widget() != w) return Kind::None;
    if (dynamic_cast<PictureBox*>(c) || dynamic_cast<Image*>(c)) return Kind::Picture;
    if (dynamic_cast<StatusBar*>(c)) return Kind::StatusBar;
    if (dynamic_cast<FlexGrid*>(c)) return Kind::FlexGrid;
    // Bordered boxes around a grid or a data control's buttons: not frames,
    // which tools take for windows.
    if (dynamic_cast<DBGrid*>(c) || dynamic_cast<DataControl*>(c)) return Kind::Panel;
    return Kind::None;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (!object) return nullptr;
    switch (KindOf(object)) {
    case Kind::None: return nullptr;
    case Kind::FormWindow: return new AccessibleFormWindow(static_cast<FormWindow*>(object));
    case Kind::MenuItem: return NewAccessibleMenuItem(static_cast<QAction*>(object));
    case Kind::Picture: return new AccessibleWithRole(static_cast<QWidget*>(object), QAccessible::Graphic);
    case Kind::StatusBar: return NewAccessibleStatusBar(object);
    case Kind::FlexGrid: return NewAccessibleFlexGrid(object);
    case Kind::Panel: return new AccessibleWithRole(static_cast<QWidget*>(object), QAccessible::Grouping);
    case Kind::TabControl: return NewAccessibleTabControl(object);
    case Kind::TabPage: return NewAccessibleTabPage(object);
    case Kind::CheckBox: return NewAccessibleCheckable(object);
    }
    return nullptr;
}

bool installed = false;

}  // namespace

void InstallAccessibility() {
    if (installed) return;
    installed = true;
    // Factories installed last are asked first: these come before Qt's.
    QAccessible::installFactory(&Factory);
}

void RefreshAccessible(QObject* object) {
    if (!installed || !object || KindOf(object) == Kind::None) return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (iface && !dynamic_cast<OwnAccessible*>(iface)) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

}  // namespace forms::detail
