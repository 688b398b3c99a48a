// The main window's composer tree filled from generated catalogues of
// several sizes: loading frmMain opens the composer list and, composer by
// composer, that composer's albums, adding a tree node for each. The time
// per product (us_per_product, wall clock) shows whether the fill grows with
// the products alone or with products times composers.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "app_object.h"
#include "application.h"
#include "cls_manage_login.h"
#include "dao.h"
#include "frm_main.h"
#include "generated_catalogue.h"
#include "mod_main.h"
#include "program_build.h"
#include "registered_control.h"
#include "unload_all_forms.h"

namespace {

namespace fs = std::filesystem;

// One generated catalogue per size, made on first use and removed at exit.
class Catalogues {
public:
    ~Catalogues() {
        std::error_code ignored;
        if (!root_.empty()) fs::remove_all(root_, ignored);
    }
    fs::path ProgramFolder(int products, int composers) {
        if (root_.empty()) root_ = catalogue::bench::MakeTempFolder("catalogue-tree-bench");
        auto& folder = made_[{products, composers}];
        if (folder.empty()) {
            folder = catalogue::bench::MakeGeneratedCatalogue(
                root_ / (std::to_string(products) + "-" + std::to_string(composers)), products, composers);
        }
        return folder;
    }

private:
    fs::path root_;
    std::map<std::pair<int, int>, fs::path> made_;
};

Catalogues& catalogues() {
    static Catalogues c;
    return c;
}

void BM_MainWindowTreeFill(benchmark::State& state) {
    const int products = static_cast<int>(state.range(0));
    const int composers = static_cast<int>(state.range(1));
    const fs::path program = catalogues().ProgramFolder(products, composers);
    vb::App().SetPathForTesting(program.string());
    catalogue::SetProgramBuild(catalogue::Build::C);
    catalogue::modMain::gsDbMode = "Access";
    catalogue::modMain::gobjLogin = std::make_shared<catalogue::clsManageLogin>();
    catalogue::modMain::gdbMain =
        dao::OpenDatabase((program / "data" / catalogue::modMain::kDatabaseFile).string(), vb::Variant(), false, "");

    int nodes = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto& mainWindow = forms::Default<catalogue::frmMain>();
        forms::Load(mainWindow);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        nodes = mainWindow.treMain.Nodes().Count();
        state.PauseTiming();
        orvanta::UnloadAllForms();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    catalogue::modMain::gdbMain->Close();
    catalogue::modMain::gdbMain.reset();
    state.counters["nodes"] = nodes;
    state.counters["us_per_product"] = seconds * 1e6 / static_cast<double>(state.iterations()) / products;
}
BENCHMARK(BM_MainWindowTreeFill)
    ->ArgNames({"products", "composers"})
    ->Args({25000, 1000})
    ->Args({50000, 1000})
    ->Args({100000, 1000})
    ->Args({200000, 1000})
    ->Args({100000, 1})
    ->Args({100000, 100})
    ->Args({100000, 10000})
    ->Args({100000, 100000})
    ->Args({25000, 25000})
    ->Args({50000, 50000})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const fs::path registry = catalogue::bench::MakeTempFolder("catalogue-tree-bench-registry");
    setenv("ORVANTA_REGISTRY_DIR", registry.c_str(), 1);
    if (!bench::RegisterTestControl()) return 1;
    forms::EnsureQtApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(registry, ignored);
    return 0;
}
