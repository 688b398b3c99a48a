// The rows of the samples window's DataWindows as the tables show them:
// many orders, a retrieval replacing the one before, display formats applied
// to the cells shown, Null names in the drop-down and the graph, and an edit
// through the drop-down.
#include <QAbstractItemModel>
#include <QBarCategoryAxis>
#include <QChartView>
#include <QColor>
#include <QComboBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include "chart_category_labels.h"
#include "dao.h"
#include "hanzel_runtime.h"
#include "vm_state.h"

namespace {

using namespace hanzel;
using V = std::vector<std::string>;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }
u32 global(const char* name) { return pbvm::At<pbvm::PbValue>(runtime().GlobalRecord(name))->value; }

class SamplesWindowRows : public test::HanzelTest {
protected:
    void change(const std::string& sql) {
        auto db = dao::OpenDatabase("tavorin.mdb");
        db->Execute(sql);
        db->Close();
    }
    QMainWindow* openSamples() {
        runtime().StartApplication("");
        auto* main = qobject_cast<QMainWindow*>(runtime().Window("w_main1"));
        if (!main) return nullptr;
        main->findChild<QPushButton*>("cb_main_next")->click();
        return qobject_cast<QMainWindow*>(runtime().Window("w_samples"));
    }
    QAbstractItemModel* orderTable() {
        auto* samples = runtime().Window("w_samples");
        auto* table = samples ? samples->findChild<QWidget*>("dw_order_info")->findChild<QTableView*>() : nullptr;
        return table ? table->model() : nullptr;
    }
    QTableView* orderView() {
        return runtime().Window("w_samples")->findChild<QWidget*>("dw_order_info")->findChild<QTableView*>();
    }
    u32 orderInfo() {
        const u32 tab = runtime().FieldObject(global("w_samples"), 39);
        return runtime().FieldObject(runtime().FieldObject(tab, 37), 35);
    }
    std::vector<V> shown(QAbstractItemModel* model) {
        std::vector<V> out;
        for (int r = 0; r < model->rowCount(); ++r) {
            V row;
            for (int c = 0; c < model->columnCount(); ++c) row.push_back(model->index(r, c).data().toString().toStdString());
            out.push_back(row);
        }
        return out;
    }
    void click(const char* label) {
        auto* tree = runtime().Window("w_samples")->findChild<QTreeWidget*>("tv_product");
        auto found = tree->findItems(QString::fromLatin1(label), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << label;
        emit tree->itemClicked(found.front(), 0);
    }
};

TEST_F(SamplesWindowRows, ThousandsOfOrdersFillTheTableAndTheDataStore) {
    change("WITH RECURSIVE n(k) AS (SELECT 100 UNION ALL SELECT k + 1 FROM n WHERE k < 5099) "
           "INSERT INTO OrderData SELECT k, 36000 + k, k % 1000, '1', 1 + k % 6 FROM n");
    ASSERT_TRUE(openSamples());
    EXPECT_TRUE(messages_.empty());
    QAbstractItemModel* model = orderTable();
    ASSERT_TRUE(model);
    ASSERT_EQ(model->rowCount(), 5002);
    const std::vector<V> texts = runtime().DataWindowTexts(orderInfo());
    EXPECT_EQ(shown(model), texts);
    // Order 5099: day 41099 (9 July 2012), quantity 99, customer 1 + 5099 % 6.
    const V last = {"Widget", "Foster and Sons", "9-Jul-12", "99", "$4.75", "$470.25"};
    EXPECT_NE(std::find(texts.begin(), texts.end(), last), texts.end());
    EXPECT_EQ(runtime().DataWindowTexts(runtime().FieldObject(global("w_samples"), 40)).size(), 5011u);
    // Another product's orders take the place of the thousands.
    click("Gizmo Deluxe");
    EXPECT_EQ(shown(model), (std::vector<V>{{"Gizmo Deluxe", "Evergreen Stores", "20-Apr-98", "12", "$11.25", "$135.00"}}));
    click("Thing Division");
    EXPECT_EQ(model->rowCount(), 0);
    click("Widget");
    EXPECT_EQ(model->rowCount(), 5002);
}

TEST_F(SamplesWindowRows, FormatsColoursAndAlignmentApplyToTheCellsShown) {
    change("UPDATE product SET priceperunit = -4.75 WHERE productid = '1'");
    change("UPDATE OrderData SET quantity = NULL WHERE orderid = 10");
    ASSERT_TRUE(openSamples());
    QAbstractItemModel* model = orderTable();
    ASSERT_TRUE(model);
    EXPECT_EQ(shown(model), (std::vector<V>{{"Widget", "Abbott Hardware", "2-Mar-98", "48", "($4.75)", "($228.00)"},
                                            {"Widget", "Delta Tool Works", "6-Jul-98", "", "($4.75)", ""}}));
    EXPECT_EQ(model->index(0, 4).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(model->index(0, 5).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model->index(0, 3).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model->index(1, 5).data(Qt::ForegroundRole).isValid());  // Null has no colour
    const auto right = QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model->index(0, 3).data(Qt::TextAlignmentRole), right);
    EXPECT_EQ(model->index(0, 4).data(Qt::TextAlignmentRole), right);
    EXPECT_FALSE(model->index(0, 1).data(Qt::TextAlignmentRole).isValid());
    EXPECT_FALSE(model->index(0, 2).data(Qt::TextAlignmentRole).isValid());  // a date
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::UserRole).toString(), "dwt_customer_name");
    EXPECT_TRUE(model->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    // Only the drop-down column edits.
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, 4)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, 4), "$1.00"));
}

TEST_F(SamplesWindowRows, NullNamesShowEmptyInTheDropDownAndTheGraph) {
    change("UPDATE Customer SET customername = NULL WHERE customerid = 6");
    change("UPDATE product SET product = NULL WHERE productid = '2'");
    QMainWindow* samples = openSamples();
    ASSERT_TRUE(samples);
    EXPECT_TRUE(messages_.empty()) << messages_.front().text;
    ASSERT_EQ(runtime().DataWindowTexts(orderInfo()).size(), 2u);
    // The drop-down lists every customer, the one without a name as empty.
    QTableView* view = orderView();
    std::unique_ptr<QWidget> editor(view->itemDelegateForColumn(1)->createEditor(view, {}, view->model()->index(0, 1)));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_TRUE(combo);
    ASSERT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->itemText(5), "");
    // A choice in the drop-down goes into the row.
    combo->setCurrentIndex(3);
    view->itemDelegateForColumn(1)->setModelData(combo, view->model(), view->model()->index(1, 1));
    EXPECT_EQ(runtime().DataWindowTexts(orderInfo())[1][1], "Delta Tool Works");
    EXPECT_EQ(runtime().DataWindowTexts(orderInfo())[0][1], "Abbott Hardware");
    // The graph has a bar for the product without a name.
    auto* chart = samples->findChild<QWidget*>("dw_graph_2")->findChild<QChartView*>();
    ASSERT_TRUE(chart);
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(axis);
    QStringList names = charts::CategoryLabels(axis);
    names.sort();
    EXPECT_EQ(names, (QStringList{"", "Gizmo", "Gizmo Deluxe", "Super-Widget", "Widget"}));
}

TEST_F(SamplesWindowRows, ANewDataWindowObjectShowsItsRowsInItsOwnTable) {
    ASSERT_TRUE(openSamples());
    pbvm::Object* control = pbvm::FindObject(orderInfo());
    ASSERT_TRUE(control);
    pbvm::LoadDataObject(*control, "d_customer_info");
    pbvm::PbValue result{};
    ASSERT_TRUE(pbvm::CallDataWindowFunction(*control, 301, 0, 0, result));
    EXPECT_EQ(result.value, 6u);
    // The table showing is the new one, and it knows the six rows.
    QTableView* shown = nullptr;
    for (auto* view : runtime().Window("w_samples")->findChild<QWidget*>("dw_order_info")->findChildren<QTableView*>())
        if (view->model()->columnCount() == 7) shown = view;
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->verticalHeader()->count(), 6);
    EXPECT_EQ(shown->model()->index(1, 0).data().toString(), "Bright Lights Supply");
}

}  // namespace
