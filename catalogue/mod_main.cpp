#include "mod_main.h"

#include "app_object.h"
#include "application.h"
#include "cls_manage_login.h"
#include "dao.h"
#include "data_path.h"
#include "datetime.h"
#include "err.h"
#include "error_report.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "frm_splash.h"
#include "msgbox.h"
#include "program_hooks.h"
#include "screen.h"
#include "splash_wait.h"
#include "transaction_rollback.h"
#include "unload_all_forms.h"

namespace catalogue::modMain {

std::shared_ptr<dao::Database> gdbMain;
std::shared_ptr<clsManageLogin> gobjLogin;
std::string gsDbMode;
bool gbLoggedIn = false;

dao::Database& Database() {
    if (!gdbMain) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    return *gdbMain;
}

clsManageLogin& Login() {
    if (!gobjLogin) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    return *gobjLogin;
}

void Main() {
    forms::Screen.MousePointer(forms::vbHourglass);
    gsDbMode = "Access";

    const SplashStart splashStart = TakeSplashStart(vb::Timer());
    frmSplash& splash = forms::Default<frmSplash>();
    splash.Show(forms::vbModeless);
    splash.Refresh();

    gobjLogin = std::make_shared<clsManageLogin>();

    bool failed = false;
    vb::OnErrorGoTo(
        [&] {
            if (gsDbMode == "Access") {
                gdbMain = dao::OpenDatabase(orvanta::GetDataPath(kDatabaseFile) + kDatabaseFile,
                                            vb::Variant(), false, "");
                if (vb::Command() == "-restore") Restore("None");
            }
        },
        [&] { failed = true; });
    if (failed) {
        forms::Screen.MousePointer(forms::vbDefault);
        forms::MsgBox(vb::Err().Description + ".  Orvanta Online will close now.", forms::vbOKOnly,
                      "Failure to Access Database");
        orvanta::UnloadAllForms();
        return;
    }

    frmMain& mainWindow = forms::Default<frmMain>();
    forms::Load(mainWindow);

    WaitForSplash(splashStart, [] { return vb::Timer(); });
    splash.Hide();
    forms::Screen.MousePointer(forms::vbDefault);

    forms::Default<frmExistingLogin>().Show(forms::vbModal);

    mainWindow.Show(forms::vbModeless);
    mainWindow.Refresh();
    mainWindow.statusMain.SimpleText(gsDbMode + " mode");
    forms::Screen.MousePointer(forms::vbDefault);
}

namespace {

std::function<void(int)>& RestoreStatementHook() {
    static std::function<void(int)> hook;
    return hook;
}

void RestoreStatementReached(int statementsRun) {
    if (RestoreStatementHook()) RestoreStatementHook()(statementsRun);
}

}  // namespace

void SetRestoreStatementHook(std::function<void(int statementsRun)> hook) {
    RestoreStatementHook() = std::move(hook);
}

void Restore(const std::string& choice) {
    static const char* const statements[] = {
        "DELETE CUSTOMERS.* FROM CUSTOMERS;",
        "INSERT INTO CUSTOMERS SELECT CUSTOMERSbak.* FROM CUSTOMERSbak;",
        "DELETE ORDERS.* FROM ORDERS;",
        "INSERT INTO ORDERS SELECT ORDERSbak.* FROM ORDERSbak;",
        "DELETE PRODUCTS.* FROM PRODUCTS;",
        "INSERT INTO PRODUCTS SELECT PRODUCTSbak.* FROM PRODUCTSbak;",
    };
    dao::Database* pending = nullptr;  // the database while its transaction is open
    vb::OnErrorGoTo(
        [&] {
            if (choice == "Yes") {
                const int answer = forms::MsgBox(
                    "This action will reset all data in the customer, order, and product tables. "
                    "Do you wish to continue?",
                    forms::vbYesNo + forms::vbInformation + forms::vbDefaultButton2,
                    "Restore Database Warning!");
                if (answer != forms::vbYes) return;
            } else if (choice == "No") {
                forms::MsgBox(
                    "All records have been deleted. The data will now be reset to the original "
                    "customer, order, and product data. ",
                    forms::vbOKOnly, "Restore Database");
            } else if (choice != "None") {
                forms::MsgBox("modMain.Restore: Not a valid choice for Cancel argument.",
                              forms::vbOKOnly);
                return;
            }
            dao::Database& db = Database();
            db.BeginTrans();
            pending = &db;
            int statementsRun = 0;
            RestoreStatementReached(statementsRun);
            for (const char* sql : statements) {
                db.Execute(sql);
                RestoreStatementReached(++statementsRun);
            }
            db.CommitTrans();
            pending = nullptr;
        },
        [&] {
            if (pending) RollBackKeepingError(*pending);
            orvanta::ReportUnexpectedError("modMain.Restore");
        });
}

}  // namespace catalogue::modMain
