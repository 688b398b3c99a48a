// Filling the platform's controls on a shown form: a tree of 10,000 nodes
// (100 composers with 99 albums each, keyed as the catalogue keys them) and
// a flexible grid of 10,000 rows of 6 columns. Each run ends with the
// pending window events handled, so drawing the result is counted too.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "flexgrid.h"
#include "forms.h"
#include "treeview.h"

namespace {

class frmBench : public forms::Form {
public:
    frmBench() : Form("frmBench") {
        Caption("Bench");
        ClientSize(9000, 6000);
    }
    forms::TreeView treMain{this, "treMain", 120, 120, 4000, 5700};
    forms::FlexGrid grdRows{this, "grdRows", 4200, 120, 4600, 5700};
};

frmBench& ShownForm() {
    frmBench& f = forms::Default<frmBench>();
    if (!f.Visible()) f.Show();
    return f;
}

void BM_FillTree10000Nodes(benchmark::State& state) {
    frmBench& f = ShownForm();
    for (auto _ : state) {
        forms::Nodes& nodes = f.treMain.Nodes();
        nodes.Clear();
        for (int c = 0; c < 100; ++c) {
            const std::string composer = "Composer " + std::to_string(c);
            nodes.Add({}, forms::tvwLast, composer, composer);
            for (int a = 0; a < 99; ++a) {
                const int product = c * 99 + a;
                nodes.Add(composer, forms::tvwChild, "P " + std::to_string(product), "Album " + std::to_string(product));
            }
        }
        nodes(vb::Variant(1)).Expanded(true);
        QApplication::processEvents();
        benchmark::DoNotOptimize(nodes.Count());
    }
}
BENCHMARK(BM_FillTree10000Nodes)->Unit(benchmark::kMillisecond);

void BM_FillGrid10000RowsBy6Columns(benchmark::State& state) {
    frmBench& f = ShownForm();
    forms::FlexGrid& g = f.grdRows;
    for (auto _ : state) {
        g.Clear();
        g.Rows(1);
        g.Rows(10001);
        g.Cols(6);
        for (int c = 0; c < 6; ++c) g.TextMatrix(0, c, "FIELD" + std::to_string(c));
        for (int r = 1; r <= 10000; ++r) {
            for (int c = 0; c < 6; ++c) g.TextMatrix(r, c, std::to_string(r * 10 + c));
        }
        g.Row(g.Rows() - 1);
        QApplication::processEvents();
        benchmark::DoNotOptimize(g.Rows());
    }
}
BENCHMARK(BM_FillGrid10000RowsBy6Columns)->Unit(benchmark::kMillisecond);

void BM_GridAddItem10000Rows(benchmark::State& state) {
    frmBench& f = ShownForm();
    forms::FlexGrid& g = f.grdRows;
    for (auto _ : state) {
        g.Rows(1);
        g.Cols(6);
        for (int r = 1; r <= 10000; ++r) {
            const std::string n = std::to_string(r);
            g.AddItem(n + "\tPending\tComposer " + n + "\tAlbum " + n + "\t1\t15.99");
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(g.Rows());
    }
}
BENCHMARK(BM_GridAddItem10000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    forms::detail::ResetRuntime();
    return 0;
}
