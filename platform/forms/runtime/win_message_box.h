#pragma once
// MessageBox as code outside the forms runtime calls it (an ActiveX
// control's About box). It goes through the forms runtime's MsgBox, so the
// test driver answers and records it (its style is the type given).
#include "ole_interfaces.h"

namespace com {

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_APPLMODAL = 0x0;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows text under caption ("Error" when null) and returns the button
// pressed. The owner window is not used: the box is modal to the whole
// program.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace com
