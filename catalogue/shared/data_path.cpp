#include "data_path.h"

#include "app_object.h"
#include "dir_search.h"
#include "in_str_last.h"
#include "text_functions.h"

namespace orvanta {

std::string GetDataPath(const std::string& databaseFile) {
    const std::string programFolder = vb::App().Path();
    const std::string inProgramFolder = programFolder + "/data/";
    const std::string besideProgramFolder =
        vb::Left(programFolder, InStrLast(programFolder, "/")) + "data/";

    if (!vb::Dir(inProgramFolder + databaseFile).empty()) return inProgramFolder;
    if (!vb::Dir(besideProgramFolder + databaseFile).empty()) return besideProgramFolder;
    return programFolder + "/";
}

}  // namespace orvanta
