#pragma once
// What each inventory program does from its entry point on.
#include "program_build.h"

namespace inventory {

// The tip form's load for the running build: build C reads "InventoryTips.txt"
// from the data folder chosen at start-up, build B "InventoryTipsB.txt"
// from the program folder.
void UseInventoryTips();

// Runs the inventory as `build`: records the command line, starts the forms
// runtime and runs Main, then the message loop until the last form is gone.
// Returns the exit code.
int RunProgram(Build build, int argc, char** argv);

}  // namespace inventory
