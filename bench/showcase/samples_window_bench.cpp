// pbhanzel's samples window over a generated sample database with many
// orders, opened with "Next" on the start window as a user opens it: the
// time until the window shows (its DataWindows' constructors have retrieved
// the orders of "Widget", the graph and the customers), until its open event
// is over (the data store has retrieved every order line) and until it has
// painted; the process's peak memory and what the window holds per order.
// Set against the limit: the statements the window's DataWindows send, run
// over the same file through SQLite's C API in the same process.
//
//     pbhanzel_samples_bench [ORDERS...]      (10000 100000 1000000)
//
// Each size runs in a process of its own, so that its peak is its own. The
// database has one customer per hundred orders (at least the six of the
// sample) and the sample's nine products; orders go round the products.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "dw_definition.h"
#include "export_table.h"
#include "process_memory.h"
#include "runtime.h"
#include "sqlite_limit.h"
#include "vm_imports.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

// The sample database with `orders` generated orders in place of its own.
long MakeDatabase(const fs::path& file, long orders) {
    fs::copy_file(fs::path(HANZEL_BIN_DIR) / "tavorin.mdb", file);
    const long customers = std::max(6L, orders / 100);
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + file.string());
    const std::string script =
        "BEGIN; DELETE FROM OrderData;"
        "WITH RECURSIVE n(k) AS (SELECT 7 UNION ALL SELECT k + 1 FROM n WHERE k < " + std::to_string(customers) + ")"
        " INSERT INTO Customer SELECT k, 'Customer number ' || k, k || ' Market Street', 'Springfield', 'IL',"
        " printf('%05d', k % 100000), '217-555-' || printf('%04d', k % 10000), NULL FROM n;"
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " + std::to_string(orders) + ")"
        " INSERT INTO OrderData SELECT k, 35856 + k % 2000 + (k % 97) / 97.0, 1 + k % 120, CAST(1 + k % 9 AS TEXT),"
        " 1 + (k * 7919) % " + std::to_string(customers) + " FROM n;"
        "COMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "?";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    sqlite3_close(db);
    return customers;
}

pbvm::DwDefinition Definition(const std::string& name) {
    std::ifstream in(fs::path(HANZEL_LIBRARY_DIR) / (name + ".dws"), std::ios::binary);
    const pbvm::Bytes text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string error;
    auto dw = pbvm::ParseDataWindow(text, error);
    if (!dw) throw std::runtime_error(name + ": " + error);
    return *dw;
}

// What the samples window retrieves, in its order: the orders of "Widget"
// twice (the selection event, then the tree's constructor), each time with
// the customers of the drop-down, the graph, the customers, then the data
// store's order lines.
std::vector<std::string> WindowStatements() {
    const auto orders = Definition("d_product"), dropDown = Definition("d_dddw_customer");
    return {orders.sql({"Widget"}),
            dropDown.sql({}),
            orders.sql({"widget"}),
            dropDown.sql({}),
            Definition("d_product_graph2").sql({}),
            Definition("d_customer_info").sql({}),
            Definition("d_printorder").sql({})};
}

// When the samples window shows.
class ShowWatch : public QObject {
public:
    Clock::time_point shown{};
    long peakAtShownKb = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && shown == Clock::time_point{} && object->objectName() == "w_samples") {
            shown = Clock::now();
            peakAtShownKb = bench::PeakResidentKb();
        }
        return false;
    }
};

// SQLNRows of the transaction object (the rows of the last Retrieve).
long LastRetrievedRows() {
    auto field = reinterpret_cast<std::uint32_t (*)(std::uint32_t, std::uint32_t, std::uint32_t)>(
        PBVM60_ProcByOrdinal(2458));
    pbvm::Runtime& runtime = pbvm::Runtime::Get();
    const std::uint32_t sqlca = pbvm::At<pbvm::PbValue>(runtime.GlobalRecord("sqlca"))->value;
    return static_cast<std::int32_t>(pbvm::At<pbvm::PbValue>(field(runtime.Context(), sqlca, 9))->value);
}

double LoadAverage() {
    double load = -1;
    if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf", &load) != 1) load = -1;
        std::fclose(f);
    }
    return load;
}

int RunOne(long orders) {
    char pattern[] = "/tmp/pbhanzel-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path folder = pattern;
    const fs::path database = folder / "tavorin.mdb";
    const long customers = MakeDatabase(database, orders);
    fs::copy_file(fs::path(HANZEL_BIN_DIR) / "tavorin.ini", folder / "tavorin.ini");
    fs::copy_file(fs::path(HANZEL_BIN_DIR) / "pb60.rtf", folder / "pb60.rtf");
    fs::current_path(folder);

    const std::vector<std::string> statements = WindowStatements();
    bench::LimitRun limit = bench::MeasureSqliteLimit(database.string(), statements);  // also warms the cache

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "pbhanzel";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    unsigned missing = 0;
    std::string error;
    if (!hanzel::FillImports(missing)) {
        std::fprintf(stderr, "the runtime lacks ordinal %u\n", missing);
        return 1;
    }
    pbvm::Runtime& runtime = pbvm::Runtime::Get();
    if (!runtime.Load(hanzel::g_exportDirectory, (fs::path(HANZEL_BIN_DIR) / "pbhanzel").string(), error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> messages;
    runtime.SetMessageBoxHandler([&](const pbvm::MessageBoxCall& call) {
        messages.push_back(call.title + ": " + call.text);
        return 1;
    });
    runtime.StartApplication("");
    auto* start = qobject_cast<QMainWindow*>(runtime.Window("w_main1"));
    if (!start) {
        std::fprintf(stderr, "the start window did not open\n");
        return 1;
    }
    QApplication::processEvents();
    ShowWatch watch;
    app.installEventFilter(&watch);

    const long before = bench::ResidentKb();
    bench::ResetPeakResident();
    const Clock::time_point next = Clock::now();
    start->findChild<QPushButton*>("cb_main_next")->click();
    const Clock::time_point opened = Clock::now();
    const long peakOpenedKb = bench::PeakResidentKb();
    QApplication::processEvents();
    const Clock::time_point painted = Clock::now();
    const long peakKb = bench::PeakResidentKb(), heldKb = bench::ResidentKb();
    const long storeRows = LastRetrievedRows();
    app.removeEventFilter(&watch);

    auto* samples = qobject_cast<QMainWindow*>(runtime.Window("w_samples"));
    const Clock::time_point home = Clock::now();
    if (samples) samples->findChild<QPushButton*>("cb_home")->click();
    const double closing = Seconds(home, Clock::now());

    const bench::LimitRun again = bench::MeasureSqliteLimit(database.string(), statements);
    if (again.seconds < limit.seconds) limit = again;

    std::printf("pbhanzel samples window: %ld orders, %ld customers (load average %.2f)\n", orders, customers,
                LoadAverage());
    for (const auto& m : messages) std::printf("  message: %s\n", m.c_str());
    std::printf("  Next to window shown              %8.3f s\n", Seconds(next, watch.shown));
    std::printf("  Next to open event over           %8.3f s  (every retrieval over; the store has %ld rows)\n",
                Seconds(next, opened), storeRows);
    std::printf("  Next to first paint over          %8.3f s\n", Seconds(next, painted));
    std::printf("  limit: the %zu statements         %8.3f s  (%lld rows, %lld bytes)\n", statements.size(),
                limit.seconds, limit.rows, limit.bytes);
    std::printf("  ratio to the limit                %8.2f x\n", Seconds(next, painted) / limit.seconds);
    std::printf("  resident before Next              %8.1f MB\n", before / 1024.0);
    std::printf("  peak at shown / open over / paint %8.1f / %.1f / %.1f MB\n", watch.peakAtShownKb / 1024.0,
                peakOpenedKb / 1024.0, peakKb / 1024.0);
    std::printf("  peak above the start window       %8.0f B per order\n", (peakKb - before) * 1024.0 / orders);
    std::printf("  held by the window                %8.0f B per order (the limit reads %.0f B per order)\n",
                (heldKb - before) * 1024.0 / orders, static_cast<double>(limit.bytes) / orders);
    std::printf("  Home: window closed, rows freed   %8.3f s\n", closing);
    std::fflush(stdout);

    runtime.EndApplication();
    std::error_code ignored;
    fs::current_path("/");
    fs::remove_all(folder, ignored);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atol(argv[i]));
    if (sizes.empty()) sizes = {10000, 100000, 1000000};
    int result = 0;
    for (long orders : sizes) {
        if (orders < 1) {
            std::fprintf(stderr, "usage: pbhanzel_samples_bench [ORDERS...]\n");
            return 2;
        }
        if (pid_t child = fork(); child == 0) {
            try {
                _exit(RunOne(orders));
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                _exit(1);
            }
        } else {
            int status = 0;
            waitpid(child, &status, 0);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) result = 1;
        }
    }
    return result;
}
