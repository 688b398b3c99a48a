#pragma once
// Window handles: our own table of windows, each backed by a Qt widget, with
// class names, style bits, parents, owning threads and window properties.
#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace win {

using HWND = std::uintptr_t;       // 0 is no window
using HANDLE = std::uintptr_t;     // a property value

// Style bits of the windows the programs look at.
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;

// Creates a handle for `widget` (which may be null for a windowless entry
// used in tests). The handle lives until DestroyWindow or until the widget is
// destroyed, whichever comes first; its properties go with it. The creating
// thread is recorded as the owner. Handles are never reused within a process.
// Returns 0 when `parent` is neither 0 nor a window. A widget has at most one
// handle: for a widget that already has one, that handle is returned unchanged.
HWND CreateWindowHandle(QWidget* widget, const std::string& className, std::uint32_t style,
                        HWND parent);
// Destroys the handle and, as on the platform, the handles of all windows
// below it. The widgets themselves are left to their owners.
void DestroyWindow(HWND hwnd);

bool IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);                 // 0 for a top-level window
std::string GetClassName(HWND hwnd);       // "" when not a window
std::uint32_t GetWindowStyle(HWND hwnd);   // 0 when not a window
// Thread id (as the table records it) of the thread that created the window;
// writes the process id to *processId when given. 0 when not a window.
std::uint64_t GetWindowThreadProcessId(HWND hwnd, std::uint32_t* processId = nullptr);
QWidget* WidgetOf(HWND hwnd);
HWND HandleOf(const QWidget* widget);      // 0 when the widget has none
std::vector<HWND> ChildWindows(HWND parent);  // direct children, in creation order
// Window walks: the windows with no parent, in creation order; every window
// below `parent`, depth first, each level in creation order.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> DescendantWindows(HWND parent);
// Moves hwnd under newParent (0: top level). Returns the previous parent, or
// 0 without changing anything when either is not a window or when newParent
// is hwnd itself or lies below it.
HWND SetParent(HWND hwnd, HWND newParent);
// Replaces the style bits; returns the previous ones (0 when not a window).
std::uint32_t SetWindowStyle(HWND hwnd, std::uint32_t style);

// Window properties. Names compare without regard to case and keep the case
// they were first set with. SetProp returns false when hwnd is not a window
// or the name is empty. On X11 each property is also an X11 property of the
// widget's native window (see native_property_mirror.h).
bool SetProp(HWND hwnd, const std::string& name, HANDLE value);
HANDLE GetProp(HWND hwnd, const std::string& name);      // 0 when absent
HANDLE RemoveProp(HWND hwnd, const std::string& name);   // returns the removed value, 0 when absent
bool HasProp(HWND hwnd, const std::string& name);        // set, even when to 0
std::vector<std::string> PropNames(HWND hwnd);           // in the order first set

}  // namespace win
