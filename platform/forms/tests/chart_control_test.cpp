// The chart: series and categories from its data grid, both ways round, the
// legend, and what Qt Charts is given to draw.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLineSeries>

#include <gtest/gtest.h>

#include "error_of.h"
#include "forms.h"
#include "mschart.h"
#include "test_driver.h"

using forms::Default;
using formtest::ErrorOf;

namespace {

const char* kMonths[] = {"January", "February", "March", "April"};
const char* kDivisions[] = {"Widget Division", "Gizmo Division", "Thing Division", "Service Division"};

class frmChart : public forms::Form {
public:
    frmChart() : Form("frmChart") {
        Caption("Chart");
        ClientSize(6000, 4000);
        // Design-time data: a series per month over the divisions.
        MSChart1.SeriesInRows(true);
        MSChart1.ShowLegend(true);
        MSChart1.RowCount(4);
        MSChart1.ColumnCount(4);
        for (std::int16_t r = 1; r <= 4; ++r) {
            MSChart1.RowLabel(r, kMonths[r - 1]);
            for (std::int16_t c = 1; c <= 4; ++c) MSChart1.SetData(r, c, r * 10 + c);
        }
        for (std::int16_t c = 1; c <= 4; ++c) MSChart1.ColumnLabel(c, kDivisions[c - 1]);
    }
    forms::MSChart MSChart1{this, "MSChart1", 120, 120, 5000, 3500};
};

std::vector<std::string> Texts(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) out.push_back(s.toStdString());
    return out;
}

TEST(ChartControl, SeriesByRowsOverCategoriesByColumns) {
    forms::testing::Driver driver;
    frmChart& f = Default<frmChart>();
    forms::MSChart& c = f.MSChart1;
    f.Show();
    ASSERT_EQ(c.SeriesCount(), 4);
    EXPECT_EQ(c.SeriesLabel(1), "January");
    EXPECT_EQ(c.SeriesLabel(4), "April");
    EXPECT_EQ(c.Categories(), (std::vector<std::string>{kDivisions, kDivisions + 4}));
    EXPECT_EQ(c.SeriesValues(2), (std::vector<double>{21, 22, 23, 24}));

    // What Qt Charts draws: one bar set per month, the divisions below.
    QChart* chart = c.Chart();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(chart->series().at(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 4);
    EXPECT_EQ(bars->barSets().at(0)->label().toStdString(), "January");
    EXPECT_EQ(bars->barSets().at(3)->at(1), 42);
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).at(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(Texts(axis->categories()), (std::vector<std::string>{kDivisions, kDivisions + 4}));
    EXPECT_TRUE(chart->legend()->isVisible());

    // Turned round: a series per division over the months.
    c.SetMember("SeriesInRows", vb::Variant(false));
    EXPECT_EQ(c.SeriesLabel(1), "Widget Division");
    EXPECT_EQ(c.SeriesValues(1), (std::vector<double>{11, 21, 31, 41}));
    bars = qobject_cast<QBarSeries*>(c.Chart()->series().at(0));
    EXPECT_EQ(bars->barSets().at(2)->label().toStdString(), "Thing Division");
    axis = qobject_cast<QBarCategoryAxis*>(c.Chart()->axes(Qt::Horizontal).at(0));
    EXPECT_EQ(Texts(axis->categories()), (std::vector<std::string>{kMonths, kMonths + 4}));

    // Lines, and the legend hidden.
    c.ChartType(forms::VtChChartType2dLine);
    c.ShowLegend(false);
    ASSERT_EQ(c.Chart()->series().size(), 4);
    auto* line = qobject_cast<QLineSeries*>(c.Chart()->series().at(3));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->name().toStdString(), "Service Division");
    EXPECT_EQ(line->at(2).y(), 34);
    EXPECT_FALSE(c.Chart()->legend()->isVisible());
}

TEST(ChartControl, GridSizeCurrentCellAndErrors) {
    forms::testing::Driver driver;
    frmChart& f = Default<frmChart>();
    forms::MSChart& c = f.MSChart1;
    // The current cell late-bound.
    c.SetMember("Row", vb::Variant(3));
    c.SetMember("Column", vb::Variant(2));
    EXPECT_EQ(c.GetMember("Data").ToDouble(), 32);
    EXPECT_EQ(c.GetMember("RowLabel").ToString(), "March");
    c.SetMember("Data", vb::Variant(7.5));
    EXPECT_EQ(c.Data(3, 2), 7.5);

    // Growing adds zero cells with default labels; shrinking keeps the rest.
    c.RowCount(5);
    EXPECT_EQ(c.RowLabel(5), "R5");
    EXPECT_EQ(c.Data(5, 4), 0);
    c.ColumnCount(2);
    EXPECT_EQ(c.Categories(), (std::vector<std::string>{"Widget Division", "Gizmo Division"}));
    EXPECT_EQ(c.SeriesValues(1), (std::vector<double>{11, 12}));
    EXPECT_EQ(ErrorOf([&] { c.Data(6, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { c.SetData(1, 3, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { c.RowCount(0); }), 380);
    EXPECT_EQ(ErrorOf([&] { c.ChartType(14); }), 380);

    // Unloading goes back to the design-time data.
    f.Show();
    f.UnloadForm();
    EXPECT_EQ(c.RowCount(), 4);
    EXPECT_EQ(c.Data(3, 2), 32);
}

}  // namespace
