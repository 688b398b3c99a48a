#pragma once
// Module modMain: the catalogue program's entry procedure, the program-wide
// state that every form and class shares, and the restore of the sample data.
#include <functional>
#include <memory>
#include <string>

namespace dao {
class Database;
}

namespace catalogue {

class clsManageLogin;

namespace modMain {

// The open catalogue database, from start-up to the end of the process.
extern std::shared_ptr<dao::Database> gdbMain;
// The one login-state object, created before the database is opened.
extern std::shared_ptr<clsManageLogin> gobjLogin;
// The database mode ("Access"), shown in the status bar followed by " mode".
extern std::string gsDbMode;
// False until the first OK in the login dialog.
extern bool gbLoggedIn;

// gdbMain and gobjLogin; error 91 while they are not set.
dao::Database& Database();
clsManageLogin& Login();

// The program's entry point: splash, database, optional silent restore, the
// main window loaded, the login dialog, the main window shown.
void Main();

// Resets CUSTOMERS, ORDERS and PRODUCTS from their backup tables: "Yes"
// asks first, "No" gives notice first, "None" says nothing; any other
// choice only shows that it is not valid. The statements run in one
// transaction: the tables are either all restored or all as they were,
// whatever stops the program meanwhile. An error rolls back and is reported.
void Restore(const std::string& choice);

// Called inside the restore's transaction with the number of its statements
// run so far: 0 before the first, then after each. Empty by default; tests
// stop the program there.
void SetRestoreStatementHook(std::function<void(int statementsRun)> hook);

// The name of the catalogue database file.
inline constexpr const char* kDatabaseFile = "orvanta.mdb";

}  // namespace modMain
}  // namespace catalogue
