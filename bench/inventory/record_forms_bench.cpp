// The inventory's record forms and reports on large tables: opening the
// products form over 100,000 products and stepping Next 1,000 times, the
// purchase-order form filling its grid with 10,000 transactions, and a
// labelled report of 100,000 products.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "application.h"
#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "frm_main_inventory.h"
#include "frm_po.h"
#include "frm_products.h"
#include "module_inventory.h"
#include "registered_control.h"

namespace {

namespace fs = std::filesystem;
using namespace inventory;

constexpr int kProducts = 100000;
constexpr int kTransactions = 10000;

// A copy of the sample database with 100,000 products and 10,000
// transactions booked against purchase order 1 (two for each of 5,000
// products), opened as start-up opens it. Each move of the products form
// searches the transactions of the product it shows.
class BenchData {
public:
    BenchData() {
        std::string pattern = (fs::temp_directory_path() / "inventory-forms-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        fs::copy_file(fs::path(INVENTORY_SAMPLE_DATA_DIR) / Inventory::kDatabaseFile, dir_ / Inventory::kDatabaseFile);
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / Inventory::kDatabaseFile).c_str(), &db);
        const std::string script = R"(
BEGIN;
WITH RECURSIVE n(k) AS (SELECT 1000 UNION ALL SELECT k + 1 FROM n WHERE k < )" +
                                   std::to_string(1000 + kProducts - 17) + R"()
  INSERT INTO tblProducts SELECT k, 'Composition number ' || k, 'A recording described in a sentence.',
    'Composer ' || (k % 50), 'A. Conductor', 'Festival Orchestra', 'album' || k || '.jpg', 9.99 + k % 10, k % 20 FROM n;
WITH RECURSIVE n(k) AS (SELECT 1000 UNION ALL SELECT k + 1 FROM n WHERE k < )" +
                                   std::to_string(1000 + kTransactions - 1) + R"()
  INSERT INTO tblTransactions SELECT k, '10/1/2026', 1000 + k % 5000, 1, 'Bulk', 12.5, 4, 4, 0, 0 FROM n;
COMMIT;
)";
        sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        CDataBase& database = Inventory::gobjDataBase();
        database.sName = Inventory::kDatabaseFile;
        database.sPath = dir_.string();
        database.Open_Database();
        Inventory::DefineTables();
        Inventory::gdbInventory = dao::OpenDatabase((dir_ / Inventory::kDatabaseFile).string());
        forms::Default<frmMainInventory>().Show();
    }
    ~BenchData() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path Folder() const { return dir_; }

private:
    fs::path dir_;
};

BenchData& Data() {
    static BenchData data;
    return data;
}

void BM_OpenProductsForm(benchmark::State& state) {
    Data();
    for (auto _ : state) {
        frmProducts& form = forms::Default<frmProducts>();
        form.Show();
        benchmark::DoNotOptimize(form.txtID.Text());
        state.PauseTiming();
        forms::Unload(form);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenProductsForm)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ProductsNext1000(benchmark::State& state) {
    Data();
    frmProducts& form = forms::Default<frmProducts>();
    form.Show();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) form.cmdNext_Click();
        state.PauseTiming();
        form.datPrimaryRS.Recordset()->MoveFirst();
        state.ResumeTiming();
    }
    forms::Unload(form);
}
BENCHMARK(BM_ProductsNext1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PurchaseOrderGrid10000(benchmark::State& state) {
    Data();
    frmPO& form = forms::Default<frmPO>();
    form.Show();
    for (auto _ : state) {
        form.datPrimaryRS_Reposition();
        benchmark::DoNotOptimize(form.grdTransaction.Rows());
    }
    if (form.grdTransaction.Rows() < kTransactions) state.SkipWithError("the grid is not filled");
    forms::Unload(form);
}
BENCHMARK(BM_PurchaseOrderGrid10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LabelledReport100000(benchmark::State& state) {
    Data();
    const fs::path old = fs::current_path();
    fs::current_path(Data().Folder());
    CTable& products = Inventory::gtblProducts();
    for (auto _ : state) {
        const std::string name = products.Report(false, false).ToString();
        state.PauseTiming();
        fs::remove(name);
        state.ResumeTiming();
    }
    fs::current_path(old);
}
BENCHMARK(BM_LabelledReport100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::string registry = (fs::temp_directory_path() / "inventory-forms-bench-registry-XXXXXX").string();
    if (!mkdtemp(registry.data())) return 1;
    setenv("ORVANTA_REGISTRY_DIR", registry.c_str(), 1);
    if (!bench::RegisterTestControl()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    forms::detail::ResetRuntime();
    std::error_code ignored;
    fs::remove_all(registry, ignored);
    return 0;
}
