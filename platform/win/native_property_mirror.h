#pragma once
// Keeps the X11 properties of a widget's native window equal to the window
// properties of its handle: sets them when the native window appears or is
// recreated (QEvent::WinIdChange, QEvent::Show) and on every change.
// Widgets without a native window of their own (Qt's alien child widgets)
// get their properties as soon as they have one. Does nothing off X11.
#include <string>
#include <utility>
#include <vector>

#include "window_table.h"

namespace win::detail {

// Starts watching the widget's native window. Call from any thread.
void WatchNativeWindow(QWidget* widget);

// Sets or deletes the named property (named as the table stores it) on
// hwnd's native window so that it matches the table. Call from any thread; done on the GUI thread.
void MirrorProperty(HWND hwnd, const std::string& name);

// Removes the named properties from a widget that no longer has a handle
// (the widget lives on). Call from any thread.
void ClearMirroredProperties(QWidget* widget, std::vector<std::string> names);

}  // namespace win::detail
