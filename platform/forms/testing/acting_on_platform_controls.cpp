#include "acting_on_platform_controls.h"

#include <QComboBox>
#include <QTabBar>
#include <QTest>

#include "acting_as_user.h"
#include "dbcombo.h"
#include "form.h"
#include "sstab.h"

namespace forms::testing {

bool Choose(DBCombo& combo, int index) {
    combo.Parent().EnsureLoaded();
    auto* c = qobject_cast<QComboBox*>(combo.Widget());
    if (!Reachable(c) || index < 0 || index >= c->count()) return false;
    Activate(c);
    c->setFocus(Qt::MouseFocusReason);
    if (combo.Locked()) return false;
    c->setCurrentIndex(index);
    emit c->activated(index);
    return combo.MatchedWithList() && combo.Text() == c->itemText(index).toStdString();
}

bool Choose(DBCombo& combo, const std::string& text) {
    combo.Parent().EnsureLoaded();
    auto* c = qobject_cast<QComboBox*>(combo.Widget());
    if (!c) return false;
    const int index = c->findText(QString::fromStdString(text), Qt::MatchFixedString);
    return index >= 0 && Choose(combo, index);
}

bool ClickTab(SSTab& dialog, int tab) {
    dialog.Parent().EnsureLoaded();
    QTabBar* bar = dialog.TabBar();
    if (!Reachable(bar) || tab < 0 || tab >= bar->count() || !bar->isTabEnabled(tab)) return false;
    Activate(bar);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
    return true;
}

namespace {
bool ClickWith(Control& control, Qt::MouseButton button) {
    control.Parent().EnsureLoaded();
    QWidget* w = control.Widget();
    if (!Reachable(w)) return false;
    Activate(w);
    // The press goes where the pointer is: to a part of the control (a user
    // control's constituent) when one lies under its middle.
    const QPoint centre = w->rect().center();
    QWidget* target = w->childAt(centre);
    if (!target) target = w;
    QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(w, centre));
    return true;
}
}  // namespace

bool RightClick(Control& control) { return ClickWith(control, Qt::RightButton); }
bool MiddleClick(Control& control) { return ClickWith(control, Qt::MiddleButton); }

}  // namespace forms::testing
