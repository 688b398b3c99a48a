#pragma once
// A stand-in for the user. While one is installed, message boxes are not
// shown but answered by it, each modal show is reported to it before its
// modal loop runs, and pop-up menus are reported instead of shown. Programs
// install none; the test driver installs itself.
#include <string>

namespace forms {

class Form;
class Menu;

class ScriptedUser {
public:
    virtual ~ScriptedUser() = default;
    // The answer (vbOK .. vbNo) to the box `title`/`text` of `style`.
    virtual int MsgBoxAnswer(const std::string& title, const std::string& text, int style) = 0;
    // `form` is shown modally; its modal loop starts when this returns.
    virtual void ModalShown(Form& form) = 0;
    // `menu` would pop up now.
    virtual void PopupShown(Menu& menu) = 0;
};

// Installs `user` (nullptr removes it); the runtime does not own it.
void SetScriptedUser(ScriptedUser* user);
// The installed stand-in, nullptr when the real user is at the keyboard.
ScriptedUser* CurrentScriptedUser();

}  // namespace forms
