#pragma once
// Dir: whether files exist, and the files a pattern matches.
#include <string>

namespace vb {

// The name part of the first file that `path` names, "" when there is none.
// The name part may hold the wildcards * and ? (matched ignoring case, in
// name order); a path ending in '/' lists its folder. A name that exists only
// in another case is found under its own spelling; a name ending in ".exe"
// that is absent is found when the native program without the suffix exists
// (the name is returned as asked). Folders are not listed, and a missing
// folder gives "". Error 52 for a name Linux cannot hold (a NUL character).
std::string Dir(const std::string& path);

// The next name of the last pattern, "" when it has no more. Error 52 when
// no search is pending (none started, or the last one already gave "").
std::string Dir();

}  // namespace vb
