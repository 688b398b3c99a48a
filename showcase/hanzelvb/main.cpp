// vbhanzel: the start form is all there is at start; the program ends when
// it unloads or Exit is chosen.
#include "app_object.h"
#include "application.h"
#include "frm_main.h"
#include "program_hooks.h"

int main(int argc, char** argv) {
    vb::SetCommandLine(argc, argv);
    forms::Application app(argc, argv);
    forms::SetAppTitle(vb::App().Title());
    return app.Run([] { forms::Default<hanzelvb::frmMain>().Show(); });
}
