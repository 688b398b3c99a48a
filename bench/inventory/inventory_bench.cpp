// The inventory's data layer on a large products table: fetching every row
// (SELECT and GetRows), numbering a new record (NEXT ID), and restoring the
// table from its backup. Each runs at 25,000, 50,000 and 100,000 rows, so
// that growth with the table's size shows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "c_database.h"
#include "c_table.h"
#include "module_inventory.h"

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

void BM_SelectAllProducts(benchmark::State& state) {
    CTable& products = Products(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vb::Variant rows = Inventory::gobjDataBase().GetData("SELECT", products);
        benchmark::DoNotOptimize(rows);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectAllProducts)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)
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
