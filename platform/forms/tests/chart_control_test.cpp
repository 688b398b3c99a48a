// The chart: series and categories from its data grid, both ways round, the
// legend, what Qt Charts is given to draw, category labels laid out whole,
// and the data as accessibility tools read it.
#include <QAccessible>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>

#include <gtest/gtest.h>

#include "chart_category_labels.h"
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
    EXPECT_EQ(Texts(charts::CategoryLabels(axis)), (std::vector<std::string>{kDivisions, kDivisions + 4}));
    EXPECT_TRUE(chart->legend()->isVisible());

    // Turned round: a series per division over the months.
    c.SetMember("SeriesInRows", vb::Variant(false));
    EXPECT_EQ(c.SeriesLabel(1), "Widget Division");
    EXPECT_EQ(c.SeriesValues(1), (std::vector<double>{11, 21, 31, 41}));
    bars = qobject_cast<QBarSeries*>(c.Chart()->series().at(0));
    EXPECT_EQ(bars->barSets().at(2)->label().toStdString(), "Thing Division");
    axis = qobject_cast<QBarCategoryAxis*>(c.Chart()->axes(Qt::Horizontal).at(0));
    EXPECT_EQ(Texts(charts::CategoryLabels(axis)), (std::vector<std::string>{kMonths, kMonths + 4}));

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

// The texts the chart's scene shows, in lines joined by blanks.
std::vector<std::string> ShownTexts(QChart* chart) {
    std::vector<std::string> out;
    for (QGraphicsItem* item : chart->scene()->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            out.push_back(text->toPlainText().replace(u'\n', u' ').replace(QChar::LineSeparator, u' ').toStdString());
    }
    return out;
}

bool Shows(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// As wide as the showcase's chart, in a form of its own.
class frmWideChart : public forms::Form {
public:
    frmWideChart() : Form("frmWideChart") {
        ClientSize(14500, 6500);
        MSChart1.SeriesInRows(true);
        MSChart1.ShowLegend(true);
        MSChart1.RowCount(4);
        MSChart1.ColumnCount(4);
        for (std::int16_t r = 1; r <= 4; ++r) {
            MSChart1.RowLabel(r, kMonths[r - 1]);
            MSChart1.ColumnLabel(r, kDivisions[r - 1]);
            for (std::int16_t c = 1; c <= 4; ++c) MSChart1.SetData(r, c, 12 + r * c);
        }
    }
    forms::MSChart MSChart1{this, "MSChart1", 240, 240, 8835, 2595};
};

TEST(ChartControl, CategoryLabelsAreLaidOutWhole) {
    forms::testing::Driver driver;
    frmWideChart& f = Default<frmWideChart>();
    f.Show();
    driver.ProcessEvents(50);
    std::vector<std::string> shown = ShownTexts(f.MSChart1.Chart());
    for (const char* division : kDivisions) EXPECT_TRUE(Shows(shown, division)) << division;
    for (const std::string& text : shown) EXPECT_EQ(text.find("..."), std::string::npos) << text;

    // Wider, they stand on one line; narrower again, they break again.
    auto* axis = qobject_cast<QBarCategoryAxis*>(f.MSChart1.Chart()->axes(Qt::Horizontal).at(0));
    EXPECT_NE(Texts(axis->categories()), (std::vector<std::string>{kDivisions, kDivisions + 4}));
    f.MSChart1.Width(14000);
    driver.ProcessEvents(50);
    EXPECT_EQ(Texts(axis->categories()), (std::vector<std::string>{kDivisions, kDivisions + 4}));
    EXPECT_EQ(axis->labelsAngle(), 0);
    f.MSChart1.Width(7500);
    driver.ProcessEvents(50);
    shown = ShownTexts(f.MSChart1.Chart());
    for (const char* division : kDivisions) EXPECT_TRUE(Shows(shown, division)) << division;
    for (const std::string& text : shown) EXPECT_EQ(text.find("..."), std::string::npos) << text;

    // Too narrow for a word but tall: the labels stand on end, whole.
    f.MSChart1.Move(240, 240, 5500, 6000);
    driver.ProcessEvents(50);
    EXPECT_EQ(axis->labelsAngle(), -90);
    shown = ShownTexts(f.MSChart1.Chart());
    for (const char* division : kDivisions) EXPECT_TRUE(Shows(shown, division)) << division;
    for (const std::string& text : shown) EXPECT_EQ(text.find("..."), std::string::npos) << text;
    forms::Unload(f);
}

TEST(ChartLabels, BreakAtBlanksAndAfterHyphensOnlyWhenTooWide) {
    QFont font;
    const QFontMetricsF metrics(font);
    const qreal word = metrics.horizontalAdvance(QStringLiteral("Division"));
    EXPECT_EQ(charts::BrokenLabel("Widget Division", font, 1000).toStdString(), "Widget Division");
    EXPECT_EQ(charts::BrokenLabel("Widget Division", font, word + 2).toStdString(), "Widget<br>Division");
    EXPECT_EQ(charts::BrokenLabel("Super-Widget", font, word + 2).toStdString(), "Super-<br>Widget");
    EXPECT_EQ(charts::BrokenLabel("Supercalifragilistic", font, word).toStdString(), "Supercalifragilistic");
    // Words that fit together stay on a line; the text is kept as text.
    EXPECT_EQ(charts::BrokenLabel("A B Division & Co", font, word + 2).toStdString(), "A B<br>Division<br>&amp; Co");
}

QAccessibleInterface* ChartOf(forms::MSChart& c) { return QAccessible::queryAccessibleInterface(c.Widget()); }

std::vector<std::string> PointNames(QAccessibleInterface* chart) {
    std::vector<std::string> out;
    for (int i = 0; i < chart->childCount(); ++i) out.push_back(chart->child(i)->text(QAccessible::Name).toStdString());
    return out;
}

TEST(ChartControl, ToolsReadTheSeriesCategoriesAndValues) {
    QAccessible::setActive(true);
    forms::testing::Driver driver;
    frmChart& f = Default<frmChart>();
    forms::MSChart& c = f.MSChart1;
    f.Show();
    driver.ProcessEvents(20);
    QAccessibleInterface* chart = ChartOf(c);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Description).toStdString(), "MSChart1");

    // A point per series and category, category by category.
    ASSERT_EQ(chart->childCount(), 16);
    const std::vector<std::string> names = PointNames(chart);
    EXPECT_EQ(names[0], "January, Widget Division: 11");
    EXPECT_EQ(names[1], "February, Widget Division: 21");
    EXPECT_EQ(names[15], "April, Service Division: 44");
    QAccessibleInterface* point = chart->child(6);
    EXPECT_EQ(point->role(), QAccessible::Cell);
    EXPECT_EQ(point->text(QAccessible::Value).toStdString(), "32");
    EXPECT_EQ(chart->indexOfChild(point), 6);
    EXPECT_EQ(point->parent(), chart);
    // Drawn where the chart is: the taller bar is the higher one.
    const QRect view(c.Widget()->mapToGlobal(QPoint(0, 0)), c.Widget()->size());
    const QRect low = chart->child(0)->rect(), high = chart->child(3)->rect();
    EXPECT_TRUE(view.contains(low) && view.contains(high)) << view.width();
    EXPECT_FALSE(low.isEmpty());
    EXPECT_LT(high.top(), low.top());
    EXPECT_EQ(chart->childAt(high.center().x(), high.center().y()), chart->child(3));

    // The same as a table: a row per category, a column per series.
    QAccessibleTableInterface* table = chart->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->rowDescription(1).toStdString(), "Gizmo Division");
    EXPECT_EQ(table->columnDescription(2).toStdString(), "March");
    EXPECT_EQ(table->cellAt(1, 2)->text(QAccessible::Value).toStdString(), "32");
    EXPECT_EQ(table->cellAt(4, 0), nullptr);

    // Changed data reads at once; turned round, the series are the divisions.
    c.SetData(3, 2, 7.25);
    EXPECT_EQ(table->cellAt(1, 2)->text(QAccessible::Name).toStdString(), "March, Gizmo Division: 7.25");
    c.SeriesInRows(false);
    c.ColumnCount(2);
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(chart->childCount(), 8);
    EXPECT_EQ(chart->child(1)->text(QAccessible::Name).toStdString(), "Gizmo Division, January: 12");
    // Lines too.
    c.ChartType(forms::VtChChartType2dLine);
    EXPECT_EQ(chart->childCount(), 8);
    EXPECT_EQ(chart->child(7)->text(QAccessible::Name).toStdString(), "Gizmo Division, April: 42");
    forms::Unload(f);
    QAccessible::setActive(false);
}

}  // namespace
