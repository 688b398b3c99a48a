// The samples window: opened from the start window, its tree and the orders
// of the clicked product, the DataWindows page, the data store, "<< Home",
// reopening, closes that wait for the window's own scripts, and a failed
// Retrieve.
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "chart_category_labels.h"
#include "dao.h"
#include "hanzel_runtime.h"

namespace {

using namespace hanzel;
using V = std::vector<std::string>;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }

u32 global(const char* name) { return pbvm::At<pbvm::PbValue>(runtime().GlobalRecord(name))->value; }

class SamplesWindow : public test::HanzelTest {
protected:
    QMainWindow* window(const std::string& name) { return qobject_cast<QMainWindow*>(runtime().Window(name)); }
    template <class W>
    W* control(const char* name) {
        QMainWindow* w = window("w_samples");
        return w ? w->findChild<W*>(QString::fromLatin1(name)) : nullptr;
    }
    // Start window, then Next.
    QMainWindow* openSamples() {
        runtime().StartApplication("");
        QMainWindow* main = window("w_main1");
        if (!main) return nullptr;
        main->findChild<QPushButton*>("cb_main_next")->click();
        return window("w_samples");
    }
    // A control object of the samples window by its fields: the page of the
    // tab control, then the control's field in the page.
    u32 pageControl(int page, int field) {
        const u32 tab = runtime().FieldObject(global("w_samples"), 39);
        return runtime().FieldObject(runtime().FieldObject(tab, page), field);
    }
    u32 orderInfo() { return pageControl(37, 35); }
    std::vector<std::pair<std::string, int>> treeItems() {
        std::vector<std::pair<std::string, int>> out;
        auto* tree = control<QTreeWidget>("tv_product");
        if (!tree) return out;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
            out.emplace_back(item->text(0).toStdString(), level);
            EXPECT_TRUE(item->childCount() == 0 || item->isExpanded()) << item->text(0).toStdString();
            for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), level + 1);
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), 1);
        return out;
    }
    void click(const char* label) {
        auto* tree = control<QTreeWidget>("tv_product");
        ASSERT_TRUE(tree);
        auto found = tree->findItems(QString::fromLatin1(label), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << label;
        emit tree->itemClicked(found.front(), 0);
    }
    std::vector<V> orders() { return runtime().DataWindowTexts(orderInfo()); }
};

const std::vector<std::pair<std::string, int>> kTree = {
    {"Star Distribution Co.", 1}, {"Widget Division", 2}, {"Widget", 3},        {"Mini-Widget", 3},
    {"Super-Widget", 3},          {"Gizmo Division", 2},  {"Gizmo", 3},         {"Gizmo Deluxe", 3},
    {"Thing Division", 2},        {"Thing Classic", 3},   {"New Thing", 3},     {"Service Division", 2},
    {"Corporate Training", 3},    {"Network Services", 3}};

TEST_F(SamplesWindow, NextOpensItWithTheTreeExpandedAndTheWidgetOrders) {
    QMainWindow* samples = openSamples();
    ASSERT_TRUE(samples);
    EXPECT_TRUE(messages_.empty()) << messages_.front().text;
    EXPECT_EQ(samples->windowTitle(), "Tavorin Quentor: Hanzel! with PowerBuilder 6.0 - Sample Controls");
    EXPECT_FALSE(window("w_main1"));
    auto* tabs = control<QTabWidget>("tab_control1");
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabText(0), "Common and Data Controls");
    EXPECT_EQ(tabs->tabText(1), "DataWindows");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(treeItems(), kTree);
    EXPECT_EQ(control<QTreeWidget>("tv_product")->currentItem()->text(0), "Widget");
    EXPECT_FALSE(control<QTreeWidget>("tv_product")->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(orders(), (std::vector<V>{{"Widget", "Abbott Hardware", "2-Mar-98", "48", "$4.75", "$228.00"},
                                        {"Widget", "Delta Tool Works", "6-Jul-98", "24", "$4.75", "$114.00"}}));
    auto* table = samples->findChild<QWidget*>("dw_order_info")->findChild<QTableView*>();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->model()->headerData(5, Qt::Horizontal).toString(), "Total Order Value");
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), "Abbott Hardware");
    // The customer column edits with the drop-down of customer names.
    QAbstractItemDelegate* dropDown = table->itemDelegateForColumn(1);
    ASSERT_TRUE(dropDown);
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(dropDown->createEditor(table, option, table->model()->index(0, 1)));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->itemText(0), "Abbott Hardware");
    EXPECT_FALSE(table->itemDelegateForColumn(2));
    EXPECT_EQ(control<QPushButton>("cb_home")->text(), "<< Home");
    // The hidden DataWindow stays empty and unseen; the data store holds
    // every order line.
    auto* hidden = samples->findChild<QWidget*>("dw_hidden");
    ASSERT_TRUE(hidden);
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_TRUE(runtime().DataWindowTexts(pageControl(37, 33)).empty());
    EXPECT_EQ(runtime().DataWindowTexts(runtime().FieldObject(global("w_samples"), 40)).size(), 11u);
}

TEST_F(SamplesWindow, ClickingAProductShowsItsOrdersAndADivisionShowsNone) {
    ASSERT_TRUE(openSamples());
    click("Gizmo Deluxe");
    EXPECT_EQ(orders(), (std::vector<V>{{"Gizmo Deluxe", "Evergreen Stores", "20-Apr-98", "12", "$11.25", "$135.00"}}));
    click("Thing Division");
    EXPECT_TRUE(orders().empty());
    click("Network Services");
    EXPECT_EQ(orders().size(), 1u);
    click("Star Distribution Co.");
    EXPECT_TRUE(orders().empty());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SamplesWindow, TheDataWindowsPageHasTheGraphAndTheCustomers) {
    QMainWindow* samples = openSamples();
    ASSERT_TRUE(samples);
    auto* view = samples->findChild<QWidget*>("dw_graph_2")->findChild<QChartView*>();
    ASSERT_TRUE(view);
    auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
    ASSERT_TRUE(series);
    ASSERT_EQ(series->count(), 2);
    EXPECT_EQ(series->barSets()[0]->label(), "Cost Per Unit");
    EXPECT_EQ(series->barSets()[1]->label(), "Price Per Unit");
    auto* categories = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(categories);
    QStringList names = charts::CategoryLabels(categories);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Gizmo", "Gizmo Deluxe", "Mini-Widget", "Super-Widget", "Widget"}));
    EXPECT_EQ(categories->titleText(), "Product");
    EXPECT_EQ(view->chart()->axes(Qt::Vertical).value(0)->titleText(), "Dollars");
    auto customers = runtime().DataWindowTexts(pageControl(38, 35));
    ASSERT_EQ(customers.size(), 6u);
    EXPECT_EQ(customers[1][0], "Bright Lights Supply");
}

TEST_F(SamplesWindow, HomeAndTheControlMenuGoBackToASingleStartWindow) {
    ASSERT_TRUE(openSamples());
    control<QPushButton>("cb_home")->click();
    EXPECT_FALSE(window("w_samples"));
    ASSERT_TRUE(window("w_main1"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
    EXPECT_EQ(global("w_samples"), 0u);
    window("w_main1")->findChild<QPushButton*>("cb_main_next")->click();
    ASSERT_TRUE(window("w_samples"));
    window("w_samples")->close();
    EXPECT_FALSE(window("w_samples"));
    EXPECT_TRUE(window("w_main1"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
    EXPECT_TRUE(runtime().Running());
}

TEST_F(SamplesWindow, ReopeningRebuildsTheFourteenItemsAndANewDataStore) {
    for (int round = 0; round < 3; ++round) {
        if (round == 0) ASSERT_TRUE(openSamples());
        else window("w_main1")->findChild<QPushButton*>("cb_main_next")->click();
        ASSERT_TRUE(window("w_samples")) << round;
        EXPECT_EQ(treeItems(), kTree) << round;
        EXPECT_EQ(control<QTreeWidget>("tv_product")->currentItem()->text(0), "Widget");
        EXPECT_EQ(orders().size(), 2u);
        EXPECT_EQ(runtime().DataWindowTexts(runtime().FieldObject(global("w_samples"), 40)).size(), 11u);
        control<QPushButton>("cb_home")->click();
        ASSERT_TRUE(window("w_main1"));
    }
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
}

// Calls a window function of the samples window through the runtime with
// the tree view, a label, a data value and a parent handle (and a picture
// index for f_add_tree_node); the function's result.
pbvm::PbValue callTreeFunction(u32 window, u32 tree, u32 function, const char* label, pbvm::PbValue data,
                               u32 parent) {
    static char text[64];
    std::snprintf(text, sizeof text, "%s", label);
    auto make = reinterpret_cast<u32 (*)(u32, u32)>(PBVM60_ProcByOrdinal(2448));
    auto call = reinterpret_cast<u32 (*)(u32, u32, u32, u32, u32, u32)>(PBVM60_ProcByOrdinal(2384));
    const u32 records = pbvm::LowAlloc(8 * sizeof(pbvm::PbValue));
    auto* r = pbvm::At<pbvm::PbValue>(records);
    r[0] = {tree, pbvm::flag::kValue, 0x8027};
    r[1] = {make(runtime().Context(), pbvm::Low(text)), pbvm::flag::kValue, pbvm::type::kString};
    r[2] = data;
    r[3] = {parent, pbvm::flag::kLong, pbvm::type::kLong};
    r[4] = {2, pbvm::flag::kConstant, pbvm::type::kInteger};
    call(window, 0, function, function == 119 ? 5 : 4, records, records + 7 * sizeof(pbvm::PbValue));
    pbvm::PbValue result = r[7];
    EXPECT_EQ(r[1].type, pbvm::type::kEmpty);  // the function unwound its string argument
    pbvm::LowFree(records);
    return result;
}

TEST_F(SamplesWindow, TheWindowFunctionsInsertLastAndReturnTheRuntimesHandle) {
    ASSERT_TRUE(openSamples());
    const u32 samples = global("w_samples"), tree = pageControl(37, 36);
    ASSERT_NE(tree, 0u);
    pbvm::PbValue handle = callTreeFunction(samples, tree, 118, "Sprocket", {9, pbvm::flag::kConstant, pbvm::type::kLong}, 1);
    EXPECT_EQ(handle.type, pbvm::type::kInteger);
    EXPECT_EQ(handle.value, 15u);  // after the fourteen of the constructor
    handle = callTreeFunction(samples, tree, 119, "Cog", {0, pbvm::flag::kValue, pbvm::type::kString}, 15);
    EXPECT_EQ(handle.value, 16u);
    auto* top = control<QTreeWidget>("tv_product")->topLevelItem(0);
    ASSERT_EQ(top->childCount(), 5);
    EXPECT_EQ(top->child(4)->text(0), "Sprocket");
    ASSERT_EQ(top->child(4)->childCount(), 1);
    EXPECT_EQ(top->child(4)->child(0)->text(0), "Cog");
    // A parent the tree never handed out gets no item.
    handle = callTreeFunction(samples, tree, 118, "Lost", {1, pbvm::flag::kConstant, pbvm::type::kLong}, 99);
    EXPECT_EQ(static_cast<std::int16_t>(handle.value), -1);
}

// Each system call's end: whether the samples window was still there.
std::vector<bool> g_samplesThere;
u32 recordingEndSystemCall(u32) {
    g_samplesThere.push_back(global("w_samples") != 0);
    return 1;
}

TEST_F(SamplesWindow, CloseWaitsUntilTheWindowsScriptIsOverAndRunsOnce) {
    ASSERT_TRUE(openSamples());
    g_samplesThere.clear();
    {
        test::ImportOverride end(kEndSystemCall, reinterpret_cast<void*>(&recordingEndSystemCall));
        control<QPushButton>("cb_home")->click();
    }
    // Open and Close of the button, then Open and Close of the close event,
    // each with the window still there.
    EXPECT_EQ(g_samplesThere, (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(window("w_samples"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
}

TEST_F(SamplesWindow, AFailedRetrieveShowsTheDatabaseError) {
    ASSERT_TRUE(openSamples());
    {
        auto db = dao::OpenDatabase("tavorin.mdb");
        db->Execute("DROP TABLE OrderData");
        db->Close();
    }
    click("Gizmo");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "DataWindow Error");
    EXPECT_NE(messages_[0].text.find("dw_order_info"), std::string::npos) << messages_[0].text;
    EXPECT_NE(messages_[0].text.find("orderdata"), std::string::npos) << messages_[0].text;
    EXPECT_TRUE(orders().empty());
    const u32 sqlca = global("sqlca");
    EXPECT_EQ(static_cast<std::int32_t>(test::Field(sqlca, 8).value), -1);
    EXPECT_FALSE(test::FieldText(sqlca, 11).empty());
}

}  // namespace
