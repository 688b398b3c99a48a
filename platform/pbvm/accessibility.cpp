// How the runtime's windows look to accessibility tools (screen readers, and
// GUI testing tools that reach the programs over AT-SPI): every control's
// widget and menu item carries the object's name as its description, a
// DataWindow graph is a chart of its data, and the rest keeps Qt's own
// interfaces.
#include <QAccessible>
#include <QAction>

#include "chart_accessible.h"
#include "menu_accessible.h"
#include "vm_state.h"

namespace pbvm {

namespace {

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    if (!action || qtaccess::MenuItemName(action).isEmpty()) return nullptr;
    return qtaccess::NewAccessibleMenuItem(action);
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(&Factory), qtaccess::InstallChartAccessibility(), true);
    (void)installed;
}

}  // namespace pbvm
