#pragma once
// The test driver: runs real forms under a test. While a Driver exists,
// message boxes are not shown but answered from its script and recorded,
// each modal show runs the next queued callback inside the modal loop, and
// its helpers act on the real Qt widgets as a user would (mouse clicks, key
// strokes, choosing entries, the close box). It is part of vbforms_testing,
// which only tests link; the runtime knows it only as its ScriptedUser.
//
//     forms::testing::Driver driver;             // resets the runtime
//     driver.AnswerMsgBox(forms::vbYes);
//     driver.OnModal([&](forms::Form& dlg) {    // runs inside dlg's modal loop
//         auto& login = static_cast<frmLogin&>(dlg);
//         driver.Type(login.txtPassword, "secret");
//         driver.Click(login.cmdOK);             // the handler unloads the dialog
//     });
//     forms::Default<frmMain>().mnuLogin_Click();
//     EXPECT_EQ(driver.MessageBoxes().at(0).title, "Orvanta Login");
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "acting_as_user.h"
#include "scripted_user.h"

namespace forms {
class CheckBox;
class ComboBox;
class CommandButton;
class Control;
class Form;
class ListBox;
class Menu;
class OptionButton;
class TextBox;
}  // namespace forms

namespace forms::testing {

struct RecordedMessageBox {
    std::string title;   // as shown (the application title when none was given)
    std::string text;
    int style = 0;
    int answer = 0;
    bool scripted = true;  // false when the script was empty and the default button answered
};

class Driver : private ScriptedUser {
public:
    // Resets the forms runtime (every form destroyed without events, default
    // instances dropped) and takes over message boxes and modal shows.
    Driver();
    // Resets the runtime again.
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    static Driver* Current();

    // ---- message boxes ----
    // Queues answers, used in order. With the queue empty a box is answered
    // with its default button and recorded as not scripted.
    void AnswerMsgBox(int answer);
    void AnswerMsgBoxes(std::initializer_list<int> answers);
    const std::vector<RecordedMessageBox>& MessageBoxes() const { return boxes_; }
    void ClearMessageBoxes() { boxes_.clear(); }

    // ---- modal shows ----
    // Queues a callback for the next modal show; it runs inside the modal
    // loop. When the callback returns and the form is still shown modally,
    // the driver closes it with its close box. A modal show with no callback
    // queued is closed the same way at once (and recorded).
    void OnModal(std::function<void(Form&)> action);
    // Names of the forms shown modally, in order.
    const std::vector<std::string>& ModalShows() const { return modals_; }
    // Names of the menus shown with PopupMenu (not shown under the driver).
    const std::vector<std::string>& PopupMenus() const { return popups_; }

    // ---- acting as a user ----
    // Mouse click on a visible, enabled button (false otherwise).
    bool Click(CommandButton& button);
    bool Click(CheckBox& box);
    bool Click(OptionButton& option);
    // Mouse click on any control with a widget (labels, images, pictures).
    bool ClickControl(Control& control);
    bool DoubleClickControl(Control& control);
    // Chooses a menu item as from the menu bar (false when hidden, disabled
    // or a separator).
    bool ChooseMenu(Menu& item);
    // Gives the text box the focus and types the text one key at a time:
    // KeyDown, KeyPress (with key preview), the character as the handlers
    // left it, KeyUp; the text box raises Change for each character it takes.
    // "\r" is Enter, "\b" Backspace, "\x1b" Esc, "\t" Tab.
    void Type(TextBox& box, const std::string& text);
    // Presses one key on a control's widget (or the form's window): a Qt key
    // code (Qt::Key_*) and the character it types (0 for none).
    void PressKey(Control& control, int qtKey, char32_t character = 0);
    void PressKey(Form& form, int qtKey, char32_t character = 0);
    // Moves the focus to a control as the user would (LostFocus of the old,
    // GotFocus of the new).
    void Focus(Control& control);
    // Chooses an entry of a combo or list box by index or text (false when
    // there is no such entry or the control is disabled).
    bool Choose(ComboBox& combo, int index);
    bool Choose(ComboBox& combo, const std::string& text);
    bool Choose(ListBox& list, int index);
    bool Choose(ListBox& list, const std::string& text);
    // Closes the form's window with its close box (QueryUnload mode 0).
    void Close(Form& form);
    // Lets pending events, timers and deferred deletions run.
    void ProcessEvents(int milliseconds = 0);

private:
    // The runtime's hooks (see scripted_user.h).
    int MsgBoxAnswer(const std::string& title, const std::string& text, int style) override;
    void ModalShown(Form& form) override;
    void PopupShown(Menu& menu) override;

    std::deque<int> answers_;
    std::vector<RecordedMessageBox> boxes_;
    std::deque<std::function<void(Form&)>> modalActions_;
    std::vector<std::string> modals_;
    std::vector<std::string> popups_;
};

}  // namespace forms::testing
