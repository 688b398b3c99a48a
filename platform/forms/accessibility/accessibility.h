#pragma once
// Internal: how forms and controls look to accessibility tools (screen
// readers, and GUI testing tools that reach the programs over AT-SPI).
//
// A form's window is a frame named by its caption, or a dialog while it is
// shown modally with a fixed border. Every control's widget carries the
// control's name as its accessible description; a menu item carries it too.
// Picture boxes and images are images, the status bar is a status bar that
// shows its panels, and the flexible grid is a table whose fixed row gives
// the column headers. A tab strip or tabbed dialog is a panel of its tabs and
// its pages, each page a panel named by its tab. A control of the program's
// own that works as a check box is a check box. The rest keeps Qt's own
// interfaces.
#include "menu_accessible.h"

class QAccessibleInterface;
class QObject;
class QWidget;

namespace forms::detail {

// Installs the interfaces above (after the QApplication exists; once).
void InstallAccessibility();

// Drops an interface Qt made for `object` before the object was tied to its
// form or control, so that the next query gets the one described above.
void RefreshAccessible(QObject* object);

// Menu items' names and interfaces (menu_accessible.h), and the mark of
// every interface the forms make.
using qtaccess::MenuItemName;
using qtaccess::NewAccessibleMenuItem;
using qtaccess::OwnAccessible;
using qtaccess::SetMenuItemName;

// Made by the flexible grid, the status bar, the tab controls and the
// program's own check boxes (in their own files).
QAccessibleInterface* NewAccessibleFlexGrid(QObject* view);
QAccessibleInterface* NewAccessibleStatusBar(QObject* bar);
QAccessibleInterface* NewAccessibleTabControl(QObject* widget);
QAccessibleInterface* NewAccessibleTabPage(QObject* page);
QAccessibleInterface* NewAccessibleCheckable(QObject* widget);
// The widget of a check box of the program's own (checkable_control.h).
bool IsCheckableWidget(const QWidget* w);
// The widget of a tab strip or tabbed dialog, and one of their pages.
bool IsTabControlWidget(const QWidget* w);
bool IsTabPageWidget(const QWidget* w);

}  // namespace forms::detail
