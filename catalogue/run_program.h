#pragma once
// What each catalogue program does from its entry point on.
#include "program_build.h"

namespace catalogue {

// Runs the catalogue as `build`: records the command line, starts the forms
// runtime and runs modMain's Main, then the message loop until the last form
// is gone. Returns the exit code.
int RunProgram(Build build, int argc, char** argv);

}  // namespace catalogue
