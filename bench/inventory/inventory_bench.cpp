// The inventory's data layer on a large products table: fetching every row
// (SELECT and GetRows), numbering a new record (NEXT ID), and restoring the
// table from its backup. Each runs at 25,000, 50,000 and 100,000 rows, so
// that growth with the table's size shows; the fetch also at 1,000,000, with
// its limit (limit_ms) and the memory its result holds per row. The time
// over the limit is the "ratio" of the fetch.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "c_database.h"
#include "c_table.h"
#include "module_inventory.h"
#include "process_memory.h"
#include "sqlite_limit.h"
#include "statement_capture.h"

namespace {

using namespace inventory;

// A database in a temporary folder whose tblProducts and tblProductsBak
// each hold `rows` rows.
class BenchDatabase {
public:
    explicit BenchDatabase(int rows) {
        std::string pattern = (std::filesystem::temp_directory_path() / "inventory-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / Inventory::kDatabaseFile).c_str(), &db);
        const std::string script = R"(
BEGIN;
CREATE TABLE tblProducts (ProductID LONG NOT NULL PRIMARY KEY, Composition TEXT(255), Description LONGTEXT,
  Composer TEXT(255), Conductor TEXT(255), Performer TEXT(255), Image TEXT(255), UnitPrice CURRENCY, ReorderLevel LONG);
CREATE TABLE tblProductsBak AS SELECT * FROM tblProducts WHERE 0;
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < )" + std::to_string(rows) + R"()
  INSERT INTO tblProductsBak SELECT k, 'Composition number ' || k, 'A recording described in a sentence.',
    'Composer ' || (k % 50), 'A. Conductor', 'Festival Orchestra', 'album' || k || '.jpg', 9.99 + k % 10, k % 20 FROM n;
INSERT INTO tblProducts SELECT * FROM tblProductsBak;
COMMIT;
)";
        sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    ~BenchDatabase() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Folder() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

// The data layer opened on a database of `rows` products, as start-up
// opens it.
CTable& Products(int rows) {
    static std::map<int, std::unique_ptr<BenchDatabase>> databases;
    static int opened = 0;
    auto& database = databases[rows];
    if (!database) database = std::make_unique<BenchDatabase>(rows);
    if (opened != rows) {
        Inventory::ResetModuleState();
        CDataBase& db = Inventory::gobjDataBase();
        db.sName = Inventory::kDatabaseFile;
        db.sPath = database->Folder();
        db.Open_Database();
        Inventory::DefineTables();
        opened = rows;
    }
    return Inventory::gtblProducts();
}

// The fetch against its limit (the statement it sends, through SQLite's C
// API, measured after each fetch), and the memory the returned array and the
// table's recordset hold per row.
void BM_SelectAllProducts(benchmark::State& state) {
    const auto rows = static_cast<double>(state.range(0));
    CTable& products = Products(static_cast<int>(state.range(0)));
    double limit = 0, held = 0, fetch = 0;
    for (auto _ : state) {
        state.PauseTiming();
        products.rst.reset();
        const long before = bench::ResidentKb();
        bench::StartCapture();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        vb::Variant array = Inventory::gobjDataBase().GetData("SELECT", products);
        benchmark::DoNotOptimize(array);
        fetch += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        const std::vector<std::string> statements = bench::StopCapture();
        held += static_cast<double>(bench::ResidentKb() - before) * 1024.0;
        array = vb::Variant();
        limit += bench::MeasureSqliteLimit(Inventory::gobjDataBase().DatabaseFilePath(), statements).seconds;
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["limit_ms"] = limit / iterations * 1000.0;
    state.counters["ratio"] = limit > 0 ? fetch / limit : 0.0;
    state.counters["bytes_per_row"] = held / iterations / rows;
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectAllProducts)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
    ->Iterations(5)->Complexity(benchmark::oN);

void BM_NextRecordId(benchmark::State& state) {
    CTable& products = Products(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Inventory::NextRecordId(products));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NextRecordId)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Iterations(5)->Complexity(benchmark::oN);

void BM_RestoreProducts(benchmark::State& state) {
    CTable& products = Products(static_cast<int>(state.range(0)));
    for (auto _ : state) products.Restore();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RestoreProducts)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Iterations(3)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
