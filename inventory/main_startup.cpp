// The inventory program's start-up.
#include "app_object.h"
#include "application.h"
#include "c_database.h"
#include "dao.h"
#include "data_path.h"
#include "dir_search.h"
#include "frm_main_inventory.h"
#include "frm_splash.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "program_build.h"
#include "program_hooks.h"

namespace inventory::Inventory {

namespace {

// How often start-up yields so that the splash paints and stays a moment.
constexpr int kSplashYields = 50000;

// The file the data-folder search looks for.
constexpr const char* kDataPathProbe = "inventory.mdb";

}  // namespace

void Main() {
    CDataBase& database = gobjDataBase();
    database.sName = kDatabaseFile;

    const std::string commandLine = vb::Command();
    if (!commandLine.empty()) {
        gsDataPath = commandLine;
    } else if (!vb::Dir(orvanta::GetDataPath(kDataPathProbe) + database.sName).empty()) {
        gsDataPath = orvanta::GetDataPath(kDataPathProbe);
    } else {
        gsDataPath = vb::App().Path();
    }
    database.sPath = gsDataPath;

    const std::string databaseFile = database.DatabaseFilePath();
    if (vb::Dir(databaseFile).empty()) {
        forms::MsgBox(databaseFile + " cannot be found. Please verify " + "that you have run the sample setup application.",
                      forms::vbCritical, "Data Access Error!");
        return;
    }

    frmSplash& splash = forms::Default<frmSplash>();
    forms::Load(splash);
    for (int i = 0; i < kSplashYields; ++i) vb::DoEvents();

    database.Open_Database();
    if (Design().opensFormsDatabase) gdbInventory = dao::OpenDatabase(databaseFile);
    DefineTables();

    // A key or a click may have closed the splash already.
    if (splash.IsLoaded()) forms::Unload(splash);
    forms::Default<frmMainInventory>().Show(forms::vbModeless);
}

}  // namespace inventory::Inventory
