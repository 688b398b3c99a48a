#pragma once
// Which build of the catalogue application this program is. The three
// builds come from one source tree; their form designs differ (window
// placement, captions, controls and menu items that only some builds have),
// and each program is made as exactly one of them.
#include <string>

namespace catalogue {

enum class Build { A, B, C };

// The build this program was made as (build C until a program says otherwise).
Build ProgramBuild();
// Called once by each program's entry point before any form exists.
void SetProgramBuild(Build build);

// The file description of the program's version block ("OrvantaA",
// "OrvantaB", "OrvantaC"), on which the code shared by the builds branches
// at run time. A program without a version block (a test) is described as
// the build it was made as.
std::string ProgramFileDescription();

}  // namespace catalogue
