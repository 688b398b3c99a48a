#pragma once
// More acting as a user, for tests: choosing an entry of a data-bound combo
// box, and clicking a control with the right or middle mouse button. The
// forms must be shown.
#include <string>

namespace forms {
class Control;
class DBCombo;
class SSTab;
}  // namespace forms

namespace forms::testing {

// Opens the combo's list and picks entry `index` (from 0) or the entry with
// that text; false when there is no such entry or the combo cannot be
// reached or is locked (it then keeps its entry).
bool Choose(DBCombo& combo, int index);
bool Choose(DBCombo& combo, const std::string& text);

// Clicks tab `tab` (from 0) of the tabbed dialog; false when it cannot be
// reached or the tab is disabled.
bool ClickTab(SSTab& dialog, int tab);

// Presses and releases a mouse button over the middle of the control's
// widget: MouseDown and MouseUp with the button (2 right, 4 middle), and what
// the control makes of such a click. False when the control cannot be reached.
bool RightClick(Control& control);
bool MiddleClick(Control& control);

}  // namespace forms::testing
