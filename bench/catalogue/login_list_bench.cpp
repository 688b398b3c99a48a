// The login dialog's list of customers over catalogues with many customers:
// the dialog's activation fills lstUserName from "SELECT CUSTOMERS.* FROM
// CUSTOMERS;", a name and a key per customer. Each size runs in a process of
// its own, so that its memory figures are its own, and is measured against
// the same statement read through SQLite's C API in the same run.
//
//     catalogue_login_bench                 10,000, 100,000 and 1,000,000
//     catalogue_login_bench CUSTOMERS       one size
#include <QApplication>

#include <malloc.h>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app_object.h"
#include "application.h"
#include "cls_manage_login.h"
#include "dao.h"
#include "frm_existing_login.h"
#include "generated_catalogue.h"
#include "mod_main.h"
#include "process_memory.h"
#include "program_build.h"
#include "registered_control.h"
#include "sqlite_limit.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kStatement = "SELECT CUSTOMERS.* FROM CUSTOMERS;";

// Bytes the heap has handed out and not taken back.
double HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void Execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

// Adds customers 2 .. `customers` + 1 after the sample's own, with names,
// streets and towns of everyday length.
void AddCustomers(const fs::path& database, int customers) {
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + database.string());
    Execute(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO CUSTOMERS VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr);
    const char* first[] = {"Henry", "Alice", "Marta", "Jonas", "Priya", "Oskar", "Lena", "Tomas"};
    const char* last[] = {"Walsh", "Berg", "Okafor", "Lindqvist", "Moreau", "Ito", "Novak", "Reyes"};
    char name[64], street[64], town[64];
    for (int i = 0; i < customers; ++i) {
        const int id = 1000 + i;
        std::snprintf(name, sizeof name, "%s %s %d", first[i % 8], last[(i / 8) % 8], i);
        std::snprintf(street, sizeof street, "%d Harbour Street", 1 + i % 400);
        std::snprintf(town, sizeof town, "Portland, OR %05d", 97000 + i % 999);
        sqlite3_bind_int(insert, 1, id);
        sqlite3_bind_text(insert, 2, name, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, street, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, town, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, "(503) 555-0199", -1, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Execute(db, "COMMIT");
    sqlite3_close(db);
}

int RunOne(int customers) {
    const fs::path root = catalogue::bench::MakeTempFolder("catalogue-login-bench");
    setenv("ORVANTA_REGISTRY_DIR", (root / "registry").c_str(), 1);
    fs::create_directories(root / "registry");
    if (!bench::RegisterTestControl()) return 1;
    const fs::path program = catalogue::bench::MakeGeneratedCatalogue(root / "catalogue", 1000, 100);
    const fs::path database = program / "data" / catalogue::modMain::kDatabaseFile;
    AddCustomers(database, customers);

    forms::EnsureQtApplication();
    vb::App().SetPathForTesting(program.string());
    catalogue::SetProgramBuild(catalogue::Build::C);
    catalogue::modMain::gsDbMode = "Access";
    catalogue::modMain::gobjLogin = std::make_shared<catalogue::clsManageLogin>();
    catalogue::modMain::gdbMain = dao::OpenDatabase(database.string(), vb::Variant(), false, "");

    malloc_trim(0);
    const double heapBefore = HeapInUse();
    const long residentBefore = bench::ResidentKb();
    bench::ResetPeakResident();

    // Loading the dialog activates it, which fills the list (the phase includes
    // making the dialog, a few milliseconds).
    Clock::time_point start = Clock::now();
    auto& dialog = forms::Default<catalogue::frmExistingLogin>();
    forms::Load(dialog);
    QApplication::processEvents();  // the list shows its entries
    const double fill = Since(start);
    const double heapHeld = HeapInUse();
    const long peak = bench::PeakResidentKb();
    const int entries = dialog.lstUserName.ListCount();

    start = Clock::now();
    forms::Unload(dialog);
    QApplication::processEvents();
    const double leave = Since(start);

    const bench::LimitRun limit = bench::MeasureSqliteLimit(database.string(), {kStatement});
    const double perEntry = (heapHeld - heapBefore) / entries;
    const double perEntryPeak = 1024.0 * static_cast<double>(peak - residentBefore) / entries;
    std::printf("%9d customers: fill %.3f s, limit %.3f s (%.1fx), %.0f B held per entry (peak %.0f B; %.0f B of data per row), leave %.3f s\n",
                entries, fill, limit.seconds, fill / limit.seconds, perEntry, perEntryPeak,
                static_cast<double>(limit.bytes) / static_cast<double>(limit.rows), leave);
    catalogue::modMain::gdbMain->Close();
    catalogue::modMain::gdbMain.reset();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc > 1) return RunOne(std::atoi(argv[1]));
    int status = 0;
    for (const char* size : {"10000", "100000", "1000000"}) {
        const pid_t child = fork();
        if (child == 0) {
            execl("/proc/self/exe", argv[0], size, static_cast<char*>(nullptr));
            _exit(127);
        }
        int childStatus = 0;
        waitpid(child, &childStatus, 0);
        if (!WIFEXITED(childStatus) || WEXITSTATUS(childStatus) != 0) status = 1;
    }
    return status;
}
