#pragma once
// Where a program named by a Windows file name lives on Linux: the name
// itself, or the native program without the ".exe" suffix.
#include <string>

namespace vb::detail {

// `folder` and `name` joined with '/'.
std::string JoinPath(const std::string& folder, const std::string& name);

bool IsRegularFile(const std::string& path);
bool IsExecutableFile(const std::string& path);
// True when `name` ends in ".exe" in any case.
bool HasExeSuffix(const std::string& name);
std::string WithoutExeSuffix(const std::string& name);

// The program file that `path` (with a folder) names: the path itself when it
// is an executable file, else the path without ".exe" when that is one; ""
// when neither exists.
std::string ResolveProgramFile(const std::string& path);

}  // namespace vb::detail
