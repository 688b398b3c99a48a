// The inventory's phases that read whole tables, at 10,000, 100,000 and
// 1,000,000 rows, each against its limit: the statements the phase sent,
// caught as it prepared them, run again over the same file through SQLite's
// C API in the same run.
//
//     inventory_phases_bench [ROWS...]        (10000 100000 1000000)
//
// For each size a database is made with ROWS products and ROWS
// transactions; each phase then runs in a process of its own, so that the
// memory it holds and its peak are its own:
//   products      the Products form opened (all products), then closed
//   transactions  the Transactions form opened (all transactions, and all
//                 products in its product list), then closed
//   report        the labelled report of all products (StockwiseC's peak);
//                 its limit adds the time to write a file of the report's
//                 size
// The limit is the fastest of three runs of the statements. Memory per row
// is the resident growth while the form is open over the
// rows its recordsets hold; "own data" is the limit's bytes per row (texts
// as stored, 8 per number).
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "application.h"
#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "frm_main_inventory.h"
#include "frm_products.h"
#include "frm_transactions.h"
#include "module_inventory.h"
#include "process_memory.h"
#include "registered_control.h"
#include "sqlite_limit.h"
#include "statement_capture.h"

namespace {

namespace fs = std::filesystem;
using namespace inventory;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// The sample database with `rows` products and `rows` transactions (each
// product booked once, spread over the sample's purchase orders).
void MakeDatabase(const fs::path& file, int rows) {
    fs::copy_file(fs::path(INVENTORY_SAMPLE_DATA_DIR) / Inventory::kDatabaseFile, file);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    const std::string last = std::to_string(1000 + rows - 1);
    const std::string script = R"(
BEGIN;
WITH RECURSIVE n(k) AS (SELECT 1000 UNION ALL SELECT k + 1 FROM n WHERE k < )" + last + R"()
  INSERT INTO tblProducts SELECT k, 'Composition number ' || k, 'A recording described in a sentence.',
    'Composer ' || (k % 50), 'A. Conductor', 'Festival Orchestra', 'album' || k || '.jpg', 9.99 + k % 10, k % 20 FROM n;
WITH RECURSIVE n(k) AS (SELECT 1000 UNION ALL SELECT k + 1 FROM n WHERE k < )" + last + R"()
  INSERT INTO tblTransactions SELECT k, 46275 + k % 300, k, 1 + k % 10, 'Bulk', 12.5, 4, 4, 0, 0 FROM n;
COMMIT;
)";
    char* error = nullptr;
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error ? error : "cannot fill the database");
        std::exit(1);
    }
    sqlite3_close(db);
}

void OpenAsStartUpDoes(const fs::path& file) {
    CDataBase& database = Inventory::gobjDataBase();
    database.sName = file.filename().string();
    database.sPath = file.parent_path().string();
    database.Open_Database();
    Inventory::DefineTables();
    Inventory::gdbInventory = dao::OpenDatabase(file.string());
    forms::Default<frmMainInventory>().Show();
}

struct Figures {
    double seconds = 0;
    long residentBeforeKb = 0, residentAfterKb = 0, peakKb = 0;
    std::vector<std::string> statements;
};

template <class Phase>
Figures Measure(Phase&& phase) {
    Figures f;
    bench::ResetPeakResident();
    f.residentBeforeKb = bench::ResidentKb();
    bench::StartCapture();
    const Clock::time_point start = Clock::now();
    phase();
    f.seconds = Seconds(start);
    f.statements = bench::StopCapture();
    f.residentAfterKb = bench::ResidentKb();
    f.peakKb = bench::PeakResidentKb();
    return f;
}

// The fastest of three runs of the phase's statements.
bench::LimitRun Limit(const fs::path& file, const std::vector<std::string>& statements) {
    bench::LimitRun best = bench::MeasureSqliteLimit(file.string(), statements);
    for (int i = 0; i < 2; ++i) {
        const bench::LimitRun run = bench::MeasureSqliteLimit(file.string(), statements);
        if (run.seconds < best.seconds) best = run;
    }
    return best;
}

void Print(const char* phase, int n, const Figures& f, const bench::LimitRun& limit, bool heldRows) {
    std::printf("%-22s %8d rows  %8.3f s  limit %7.3f s (%lld rows read, %zu statements)  ratio %5.2f\n", phase, n,
                f.seconds, limit.seconds, limit.rows, f.statements.size(),
                limit.seconds > 0 ? f.seconds / limit.seconds : 0.0);
    const double own = limit.rows ? static_cast<double>(limit.bytes) / static_cast<double>(limit.rows) : 0.0;
    if (heldRows && limit.rows)
        std::printf("%-22s %8d rows  held %7.1f MB = %6.1f B per row read (own data %5.1f B, target %5.1f B)\n", "",
                    n, (f.residentAfterKb - f.residentBeforeKb) / 1024.0,
                    (f.residentAfterKb - f.residentBeforeKb) * 1024.0 / static_cast<double>(limit.rows), own,
                    2 * own + 32);
    std::printf("%-22s %8d rows  peak %7.1f MB, resident after %7.1f MB\n", "", n, f.peakKb / 1024.0,
                f.residentAfterKb / 1024.0);
}

template <class FormType>
void FormPhase(const char* name, const fs::path& file, int n) {
    FormType* form = nullptr;
    const Figures open = Measure([&] {
        form = &forms::Default<FormType>();
        form->Show();
    });
    const bench::LimitRun limit = Limit(file, open.statements);
    Print(name, n, open, limit, true);
    if (std::getenv("BENCH_SHOW_STATEMENTS"))
        for (const std::string& sql : open.statements) std::printf("    %s\n", sql.c_str());
    // Closing includes what the event loop does at once after it: deleting
    // the form's widgets, whose models hold the lists' entries.
    const Figures close = Measure([&] {
        forms::Unload(*form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    std::printf("%-22s %8d rows  closed in %6.3f s, resident after %7.1f MB\n", "", n, close.seconds,
                close.residentAfterKb / 1024.0);
}

// Time to write `bytes` bytes into a new file through the C library, in
// blocks: what writing the report's file costs without making its lines.
double WriteLimit(const fs::path& path, std::size_t bytes) {
    std::vector<char> block(64 * 1024, 'x');
    const Clock::time_point start = Clock::now();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    for (std::size_t left = bytes; left > 0;) {
        const std::size_t n = std::min(left, block.size());
        std::fwrite(block.data(), 1, n, out);
        left -= n;
    }
    std::fclose(out);
    const double seconds = Seconds(start);
    fs::remove(path);
    return seconds;
}

void ReportPhase(const fs::path& file, int n) {
    const fs::path old = fs::current_path();
    fs::current_path(file.parent_path());
    std::string written;
    const Figures report = Measure([&] { written = Inventory::gtblProducts().Report(false, false).ToString(); });
    const auto bytes = static_cast<std::size_t>(fs::file_size(written));
    fs::remove(written);
    const double write = WriteLimit(file.parent_path() / "write-limit.txt", bytes);
    fs::current_path(old);
    const bench::LimitRun limit = Limit(file, report.statements);
    Print("report of products", n, report, limit, false);
    std::printf("%-22s %8d rows  the report's file: %.1f MB, written alone in %.3f s; ratio to limit + writing %5.2f;"
                " recordset held after it: %s\n",
                "", n, bytes / 1048576.0, write, report.seconds / (limit.seconds + write),
                Inventory::gtblProducts().rst ? "yes" : "no");
}

int RunPhase(int argc, char** argv, const std::string& phase, const fs::path& file, int n) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!bench::RegisterTestControl()) return 1;
    OpenAsStartUpDoes(file);
    if (phase == "products") FormPhase<frmProducts>("Products form", file, n);
    if (phase == "transactions") FormPhase<frmTransactions>("Transactions form", file, n);
    if (phase == "report") ReportPhase(file, n);
    std::fflush(stdout);
    _exit(0);  // the figures are out; tearing the program down is not measured
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {10000, 100000, 1000000};
    std::string folder = (fs::temp_directory_path() / "inventory-phases-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    setenv("ORVANTA_REGISTRY_DIR", (fs::path(folder) / "registry").c_str(), 1);
    fs::create_directories(fs::path(folder) / "registry");
    for (int n : sizes) {
        const fs::path dir = fs::path(folder) / std::to_string(n);
        fs::create_directories(dir);
        const fs::path file = dir / Inventory::kDatabaseFile;
        MakeDatabase(file, n);
        const char* only = std::getenv("BENCH_PHASE");  // one phase alone, for profiling
        for (const char* phase : {"products", "transactions", "report"}) {
            if (only && std::string(only) != phase) continue;
            std::fflush(stdout);
            if (pid_t child = fork(); child == 0) {
                RunPhase(argc, argv, phase, file, n);
            } else {
                int status = 0;
                waitpid(child, &status, 0);
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                    std::printf("%s at %d rows failed (status %d)\n", phase, n, status);
            }
        }
        fs::remove_all(dir);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
