#pragma once
// Window classes and window procedures for windows that code outside the
// forms runtime creates (an ActiveX control's own window): a class is
// registered by name with its procedure, style, cursor and background; a
// window of it is a native child widget of its parent's widget in the window
// table (win::), painted and resized through its procedure's messages.
// Window properties are win::SetProp / win::GetProp / win::RemoveProp.
#include <cstdint>

#include "gdi.h"
#include "ole_interfaces.h"

namespace com {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = WORD;
using HCURSOR = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using WNDPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Class styles.
constexpr UINT CS_VREDRAW = 0x1;
constexpr UINT CS_HREDRAW = 0x2;
constexpr UINT CS_DBLCLKS = 0x8;
// Window styles (same values as win::).
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
// Cursors and system colours.
constexpr int IDC_ARROW = 32512;
constexpr int COLOR_WINDOW = 5;

// Messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;     // lParam: width | height << 16
constexpr UINT WM_PAINT = 0x000F;    // wParam: the HDC to draw into, or 0
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_MOUSEMOVE = 0x0200;  // lParam: x | y << 16
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_USER = 0x0400;

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = 0;
    HBRUSH hbrBackground = 0;  // COLOR_WINDOW + 1: the window colour
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
};

// The class atom (non-zero), or 0 when the name is missing or a class of
// that name is registered already. Names compare ignoring case.
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(const char* className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* out);
HCURSOR LoadCursor(HINSTANCE instance, int id);

// Creates a window of a registered class: a native child widget of the
// parent's widget (WS_CHILD), entered in the window table with the class
// name and style, then WM_CREATE (lParam: param) is sent. 0 when the class is
// not registered, the parent is not a window, or WM_CREATE answers -1.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
// Sends WM_DESTROY, then destroys the window (and its table entry and
// properties). FALSE when not a window of a registered class.
BOOL DestroyWindow(HWND hwnd);
// Calls the window's class procedure; DefWindowProc for other windows.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The default handling: 0 for every message.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int show);  // SW_HIDE 0, SW_SHOW 5
BOOL IsWindowVisible(HWND hwnd);
// Schedules a WM_PAINT.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

}  // namespace com
