#include "program_build.h"

#include "app_object.h"

namespace catalogue {

namespace {
Build programBuild = Build::C;
}

Build ProgramBuild() { return programBuild; }
void SetProgramBuild(Build build) { programBuild = build; }

std::string ProgramFileDescription() {
    const std::string description = vb::App().FileDescription();
    if (!description.empty()) return description;
    switch (programBuild) {
    case Build::A: return "OrvantaA";
    case Build::B: return "OrvantaB";
    case Build::C: break;
    }
    return "OrvantaC";
}

}  // namespace catalogue
