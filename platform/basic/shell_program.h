#pragma once
// Shell: starting another program without waiting for it.
#include <string>
#include <vector>

namespace vb {

// Window styles of Shell (the started program's windows are its own affair
// on Linux; the style is checked, not applied).
inline constexpr int vbHide = 0;
inline constexpr int vbNormalFocus = 1;
inline constexpr int vbMinimizedFocus = 2;
inline constexpr int vbMaximizedFocus = 3;
inline constexpr int vbNormalNoFocus = 4;
inline constexpr int vbMinimizedNoFocus = 6;

// Starts the program that `command` names and returns its process id at
// once. The first word is the program (in double quotes when it holds
// blanks); the rest are its arguments, split at blanks outside double
// quotes. A program without a folder is looked for in the program folder,
// the current folder, then PATH. "X.exe" is the native program "X" when only
// that exists. The started program is detached: it outlives us and leaves
// no zombie.
// "notepad FILE" shows the text file: the rest of the line is the one file
// name, passed as a full path to the desktop's handler (xdg-open on PATH),
// else shown in the program's own viewer window (program_hooks.h), when the
// returned id is this program's own.
// Error 53 when the program cannot be found or started, or the file has no
// viewer; error 5 for an unknown window style.
double Shell(const std::string& command, int windowStyle = vbMinimizedFocus);

// The program file and arguments that Shell would start for `command`;
// empty when the program cannot be found, and for a "notepad" without a
// desktop viewer.
std::vector<std::string> ResolveShellCommand(const std::string& command);

}  // namespace vb
