#pragma once
// The running program's command line and the DoEvents hook.
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

}  // namespace vb
