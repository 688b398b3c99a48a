#pragma once
// MsgBox: a message box with the runtime's button, icon and default-button
// styles, answering with the number of the button pressed.
#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// Buttons.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icons.
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button.
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Shows `prompt` with the buttons, icon and default button of `style`, under
// `title` (the application title when empty), and returns the answer 1..7.
// With a stand-in for the user installed, the answer is its (scripted_user.h).
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});

// The buttons a style offers, as answers in the order shown ({1}, {1,2}, {6,7}, ...).
std::vector<int> MsgBoxButtons(int style);
// The answer of the default button of a style.
int MsgBoxDefaultAnswer(int style);

}  // namespace forms
