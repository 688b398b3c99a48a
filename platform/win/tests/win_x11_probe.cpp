// Helper of the X11 property tests: shows a window on the X display it is
// given, sets window properties on its handle and answers commands read from
// standard input, one per line, so the test can look at the native window
// with xprop between steps.
//
//   set NAME VALUE   SetProp on the form          -> "ok"
//   remove NAME      RemoveProp on the form       -> "ok"
//   recreate         destroy and create the form's native window -> "winid 0x..."
//   reparent         into another window and back to top level   -> "winid 0x..."
//   child            alien child with a property, then made native -> "child 0x..."
//   forget           DestroyWindow on the form's handle -> "ok"
//   quit
// The first line written is "winid 0x..." for the shown form.
#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "window_table.h"

namespace {

class Form : public QWidget {
public:
    void Recreate() {
        destroy();
        create();
        show();
    }
};

// Waits until the X server has handled every request sent so far.
void SyncWithServer() {
    QCoreApplication::processEvents();
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void Answer(const std::string& line) {
    SyncWithServer();
    std::cout << line << std::endl;
}

std::string Hex(WId id) {
    std::ostringstream s;
    s << "0x" << std::hex << id;
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::cout << "error not on xcb" << std::endl;
        return 2;
    }
    Form form;
    form.resize(200, 100);
    form.show();
    win::HWND hwnd = win::CreateWindowHandle(&form, "ThunderRT6FormDC", win::WS_CAPTION, 0);
    win::SetProp(hwnd, "ZEVSKIPME", 1);
    Answer("winid " + Hex(form.internalWinId()));

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "set") {
            std::string name;
            unsigned long long value = 0;
            in >> name >> std::hex >> value;
            win::SetProp(hwnd, name, static_cast<win::HANDLE>(value));
            Answer("ok");
        } else if (command == "remove") {
            std::string name;
            in >> name;
            win::RemoveProp(hwnd, name);
            Answer("ok");
        } else if (command == "recreate") {
            form.Recreate();
            Answer("winid " + Hex(form.internalWinId()));
        } else if (command == "reparent") {
            QWidget holder;
            form.setParent(&holder);
            form.setParent(nullptr);
            form.show();
            Answer("winid " + Hex(form.internalWinId()));
        } else if (command == "child") {
            auto* child = new QWidget(&form);
            win::HWND h = win::CreateWindowHandle(child, "ZEVOTestWndClass", win::WS_CHILD, hwnd);
            win::SetProp(h, "ZEVCHILD", 7);
            child->winId();  // now it gets a native window of its own
            Answer("child " + Hex(child->internalWinId()));
        } else if (command == "forget") {
            win::DestroyWindow(hwnd);
            Answer("ok");
        } else if (command == "quit") {
            break;
        } else {
            Answer("error unknown command");
        }
    }
    return 0;
}
