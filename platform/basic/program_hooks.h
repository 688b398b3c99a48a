#pragma once
// The running program's command line, the DoEvents hook and the text viewer
// hook.
#include <functional>
#include <string>

namespace vb {

// Records the command line; programs call it first thing in main. The
// arguments after the program name are joined with single blanks, each as
// given (a lone "-restore " keeps its trailing blank).
void SetCommandLine(int argc, const char* const* argv);
void SetCommandLine(int argc, char** argv);
// Command$: the command line after the program name, as one text.
std::string Command();

// DoEvents hands control to the window system so pending events are handled;
// the forms layer installs what that means. Without a hook it does nothing.
void SetDoEventsHook(std::function<void()> hook);
void DoEvents();

// Shows a text file in a read-only viewer window of the program's own; the
// forms layer installs what that means. Shell uses it for "notepad" where the
// desktop has no viewer of its own. False when no viewer is installed or the
// file cannot be read.
void SetTextViewerHook(std::function<bool(const std::string& path)> hook);
bool ShowTextFile(const std::string& path);

}  // namespace vb
