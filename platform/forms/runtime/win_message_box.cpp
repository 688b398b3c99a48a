#include "win_message_box.h"

#include "msgbox.h"

namespace com {

int MessageBox(HWND, const char* text, const char* caption, UINT type) {
    return forms::MsgBox(text ? text : "", static_cast<int>(type), caption ? caption : "Error");
}

}  // namespace com
