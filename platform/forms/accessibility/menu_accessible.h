#pragma once
// Menu items as accessibility tools see them, in both runtimes (Qt only): the
// caption without the access key marker as the name and the item's control
// name as the description, in the menu bar or the menu that shows it.
class QAccessibleInterface;
class QAction;
class QString;

namespace qtaccess {

// Every interface the runtimes make derives from this, so that a stale one
// made by Qt can be told apart.
class OwnAccessible {
public:
    virtual ~OwnAccessible() = default;
};

// Marks a menu item's action with its control name.
void SetMenuItemName(QAction* action, const QString& name);
// The control name of a menu item's action, or an empty text.
QString MenuItemName(const QAction* action);

// The interface of a menu item's action (one marked with its name).
QAccessibleInterface* NewAccessibleMenuItem(QAction* action);

}  // namespace qtaccess
