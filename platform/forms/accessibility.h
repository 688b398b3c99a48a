#pragma once
// Internal: how forms and controls look to accessibility tools (screen
// readers, and GUI testing tools that reach the programs over AT-SPI).
//
// A form's window is a frame named by its caption, or a dialog while it is
// shown modally with a fixed border. Every control's widget carries the
// control's name as its accessible description; a menu item carries it too.
// Picture boxes and images are images, the status bar is a status bar that
// shows its panels, and the flexible grid is a table whose fixed row gives
// the column headers. The rest keeps Qt's own interfaces.
class QAccessibleInterface;
class QAction;
class QObject;
class QString;

namespace forms::detail {

// Installs the interfaces above (after the QApplication exists; once).
void InstallAccessibility();

// Drops an interface Qt made for `object` before the object was tied to its
// form or control, so that the next query gets the one described above.
void RefreshAccessible(QObject* object);

// Marks a menu item's action with its control name.
void SetMenuItemName(QAction* action, const QString& name);
// The control name of a menu item's action, or an empty text.
QString MenuItemName(const QAction* action);

// Made by the flexible grid and the status bar (in their own files).
QAccessibleInterface* NewAccessibleFlexGrid(QObject* view);
QAccessibleInterface* NewAccessibleStatusBar(QObject* bar);
QAccessibleInterface* NewAccessibleMenuItem(QAction* action);

// Every interface the forms make derives from this, so that a stale one
// made by Qt can be told apart.
class OwnAccessible {
public:
    virtual ~OwnAccessible() = default;
};

}  // namespace forms::detail
