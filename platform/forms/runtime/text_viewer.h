#pragma once
// The program's own viewer for text files: a window of its own showing a
// file read-only, for Shell "notepad FILE" where the desktop has no viewer.
#include <string>
#include <vector>

class QWidget;

namespace forms {

// Opens a window titled with the file's name that shows its text (UTF-8, else
// Latin-1) read-only; false when the file cannot be read. Each call
// opens a window of its own, closed and freed by the user.
bool ShowTextFile(const std::string& path);

// The viewer windows open now, in no particular order (for tests).
std::vector<QWidget*> TextViewerWindows();

}  // namespace forms
