// Filling the platform's controls on a shown form: a tree of 10,000 nodes
// (100 composers with 99 albums each, keyed as the catalogue keys them) and
// a flexible grid of 10,000 rows of 6 columns. Each run ends with the
// pending window events handled, so drawing the result is counted too.
// The memory a tree node takes is reported as bytes_per_node.
#include <malloc.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "flexgrid.h"
#include "forms.h"
#include "imagelist.h"
#include "picture.h"
#include "treeview.h"

namespace {

class frmBench : public forms::Form {
public:
    frmBench() : Form("frmBench") {
        Caption("Bench");
        ClientSize(9000, 6000);
        treMain.ImageList(&imglstTree);
        for (Qt::GlobalColor colour : {Qt::darkBlue, Qt::darkRed}) {
            QPixmap picture(16, 16);
            picture.fill(colour);
            imglstTree.ListImages().Add(std::make_shared<forms::Picture>(picture));
        }
    }
    forms::ImageList imglstTree{this, "imglstTree", 120, 5800};
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

// Heap in use, small blocks and mapped ones.
std::size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// A catalogue's tree on a shown form: one composer for every 100 albums,
// album titles of about 30 characters, keys "P" blank number, the
// composer and album pictures of an image list; the first
// composer open and its first album selected, as the catalogue leaves it.
// bytes_per_node: the heap the nodes take (with the widget's share), per node.
void BM_TreeBytesPerNode(benchmark::State& state) {
    frmBench& f = ShownForm();
    const int albums = static_cast<int>(state.range(0));
    const int composers = albums / 100;
    static const char* const titles[] = {"Symphony No. 5 in C minor", "Goldberg Variations",
                                         "Piano Concerto No. 2", "The Four Seasons", "Requiem in D minor"};
    double bytesPerNode = 0;
    for (auto _ : state) {
        forms::Nodes& nodes = f.treMain.Nodes();
        nodes.Clear();
        QApplication::processEvents();
        const std::size_t before = HeapInUse();
        for (int c = 0; c < composers; ++c) {
            const std::string composer = "Composer " + std::to_string(c);
            nodes.Add({}, forms::tvwLast, composer, composer, 1);
            for (int a = c; a < albums; a += composers) {
                nodes.Add(composer, forms::tvwChild, "P " + std::to_string(a + 1),
                          std::string(titles[a % 5]) + " (" + std::to_string(a + 1) + ")", 2);
            }
        }
        nodes(vb::Variant(1)).Expanded(true);
        nodes(vb::Variant(2)).Selected(true);
        QApplication::processEvents();
        bytesPerNode = static_cast<double>(HeapInUse() - before) / nodes.Count();
    }
    f.treMain.Nodes().Clear();
    state.counters["bytes_per_node"] = bytesPerNode;
}
BENCHMARK(BM_TreeBytesPerNode)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
