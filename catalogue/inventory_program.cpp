#include "inventory_program.h"

#include "app_object.h"
#include "dir_search.h"
#include "err.h"
#include "error_report.h"
#include "msgbox.h"
#include "program_build.h"
#include "shell_program.h"

namespace catalogue {

namespace {

// The program folder's copy of `program`, started quoted so that a folder
// with blanks in its path works.
void StartFromProgramFolder(const std::string& program) {
    const std::string path = vb::App().Path() + "/" + program;
    std::string found;
    try {
        found = vb::Dir(path);
    } catch (const vb::VBError& e) {
        // A name the file system cannot hold is a file that is not there.
        if (e.number() != vb::errors::BadFileNameOrNumber) throw;
        vb::Err().Set(e);
    }
    if (found.empty()) {
        forms::MsgBox(program + " " +
                          " could not be found. This file should be in the same directory as the image files. "
                          "Please log in as Database Admin and select Admin -> Options. Verify that the Image "
                          "Path refers to the directory containing the Orvanta Online image files.",
                      forms::vbOKOnly, "Cannot Find File");
        return;
    }
    vb::Shell("\"" + path + "\"", vb::vbNormalFocus);
}

}  // namespace

void StartInventoryProgram() {
    const std::string build = ProgramFileDescription();
    if (build == "OrvantaA") {
        vb::OnErrorGoTo([] { vb::Shell("StockwiseA.exe", vb::vbNormalFocus); },
                        [] { orvanta::ReportUnexpectedError("clsManageMain.AdminTable"); });
    } else if (build == "OrvantaB") {
        StartFromProgramFolder("StockwiseB.exe");
    } else if (build == "OrvantaC") {
        StartFromProgramFolder("StockwiseC.exe");
    }
}

}  // namespace catalogue
