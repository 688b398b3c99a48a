#include "run_program.h"

#include "app_object.h"
#include "application.h"
#include "mod_main.h"
#include "program_hooks.h"

namespace catalogue {

int RunProgram(Build build, int argc, char** argv) {
    vb::SetCommandLine(argc, argv);
    SetProgramBuild(build);
    forms::Application app(argc, argv);
    forms::SetAppTitle(vb::App().Title());
    return app.Run([] { modMain::Main(); });
}

}  // namespace catalogue
