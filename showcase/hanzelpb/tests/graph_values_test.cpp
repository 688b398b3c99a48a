// The samples window's graph dw_graph_2: each series holds the values of its
// own column, product by product, as the sample database has them.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QMainWindow>
#include <QPushButton>

#include <map>

#include "chart_category_labels.h"
#include "dao.h"
#include "hanzel_runtime.h"

namespace {

using namespace hanzel;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }

// Series label -> category -> value, as the chart holds them.
using GraphValues = std::map<std::string, std::map<std::string, double>>;

class GraphValuesTest : public test::HanzelTest {
protected:
    // Opens the start window and then the samples window; the graph's values.
    GraphValues shownValues() {
        GraphValues out;
        runtime().StartApplication("");
        auto* main = qobject_cast<QMainWindow*>(runtime().Window("w_main1"));
        if (!main) return out;
        main->findChild<QPushButton*>("cb_main_next")->click();
        auto* samples = qobject_cast<QMainWindow*>(runtime().Window("w_samples"));
        if (!samples) return out;
        auto* control = samples->findChild<QWidget*>("dw_graph_2");
        auto* view = control ? control->findChild<QChartView*>() : nullptr;
        if (!view) return out;
        auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
        auto* axis = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
        if (!series || !axis) return out;
        const QStringList categories = charts::CategoryLabels(axis);
        for (QBarSet* set : series->barSets()) {
            EXPECT_EQ(set->count(), categories.size()) << set->label().toStdString();
            auto& values = out[set->label().toStdString()];
            for (int i = 0; i < set->count() && i < categories.size(); ++i)
                values[categories[i].toStdString()] = set->at(i);
        }
        return out;
    }
    void execute(const std::string& sql) {
        auto db = dao::OpenDatabase("tavorin.mdb");
        db->Execute(sql);
        db->Close();
    }
};

TEST_F(GraphValuesTest, EachSeriesHoldsItsOwnColumnPerProduct) {
    const GraphValues shown = shownValues();
    const GraphValues expected = {
        {"Cost Per Unit",
         {{"Widget", 2.5}, {"Mini-Widget", 1.6}, {"Super-Widget", 5.1}, {"Gizmo", 3.2}, {"Gizmo Deluxe", 6.4}}},
        {"Price Per Unit",
         {{"Widget", 4.75}, {"Mini-Widget", 2.95}, {"Super-Widget", 9.5}, {"Gizmo", 5.99}, {"Gizmo Deluxe", 11.25}}},
    };
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& [series, values] : expected) {
        ASSERT_TRUE(shown.count(series)) << series;
        ASSERT_EQ(shown.at(series).size(), values.size()) << series;
        for (const auto& [product, value] : values) {
            ASSERT_TRUE(shown.at(series).count(product)) << series << " " << product;
            EXPECT_DOUBLE_EQ(shown.at(series).at(product), value) << series << " " << product;
        }
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(GraphValuesTest, ValuesFollowTheDatabaseAndANullIsZero) {
    // Values that tell every column and row apart: a swap of series or of
    // products shows.
    execute("UPDATE product SET costperunit = 10 + CAST(productid AS INTEGER), "
            "priceperunit = 20 + CAST(productid AS INTEGER)");
    execute("UPDATE product SET costperunit = NULL WHERE productid = '4'");
    const GraphValues shown = shownValues();
    ASSERT_EQ(shown.size(), 2u);
    const std::map<std::string, int> ids = {
        {"Widget", 1}, {"Mini-Widget", 2}, {"Super-Widget", 3}, {"Gizmo", 4}, {"Gizmo Deluxe", 5}};
    for (const auto& [product, id] : ids) {
        ASSERT_TRUE(shown.at("Cost Per Unit").count(product)) << product;
        EXPECT_DOUBLE_EQ(shown.at("Cost Per Unit").at(product), product == "Gizmo" ? 0.0 : 10.0 + id) << product;
        EXPECT_DOUBLE_EQ(shown.at("Price Per Unit").at(product), 20.0 + id) << product;
    }
    EXPECT_EQ(shown.at("Cost Per Unit").count("Thing Classic"), 0u);  // outside the graph's selection
}

}  // namespace
