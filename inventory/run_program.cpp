#include "run_program.h"

#include "app_object.h"
#include "application.h"
#include "frm_tip.h"
#include "module_inventory.h"
#include "program_hooks.h"

namespace inventory {

void UseInventoryTips() {
    const BuildDesign& design = Design();
    const std::string file = design.tipsFile;
    if (design.tipsInDataFolder) {
        orvanta::frmTip::UseLoadProcedure(
            orvanta::LoadTipsFromFile([file] { return Inventory::gsDataPath + "/" + file; }, file));
    } else {
        orvanta::frmTip::UseLoadProcedure(
            orvanta::LoadTipsFromFile([file] { return vb::App().Path() + "/" + file; }, file));
    }
}

int RunProgram(Build build, int argc, char** argv) {
    vb::SetCommandLine(argc, argv);
    SetProgramBuild(build);
    forms::Application app(argc, argv);
    forms::SetAppTitle(vb::App().Title());
    UseInventoryTips();
    return app.Run([] { Inventory::Main(); });
}

}  // namespace inventory
