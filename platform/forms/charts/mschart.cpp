#include "mschart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include "chart_accessible.h"
#include "chart_category_labels.h"
#include "err.h"
#include "member_names.h"

namespace forms {

MSChart::MSChart(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

void MSChart::CheckRow(std::int16_t row) const {
    if (row < 1 || row > static_cast<std::int16_t>(state_.rowLabels.size())) vb::RaiseError(380);
}

void MSChart::CheckColumn(std::int16_t column) const {
    if (column < 1 || column > static_cast<std::int16_t>(state_.columnLabels.size())) vb::RaiseError(380);
}

// ---- the data grid ----

std::int16_t MSChart::RowCount() const {
    Touch();
    return static_cast<std::int16_t>(state_.rowLabels.size());
}

void MSChart::RowCount(std::int16_t rows) {
    Touch();
    if (rows < 1) vb::RaiseError(380);
    const std::size_t old = state_.rowLabels.size();
    state_.rowLabels.resize(static_cast<std::size_t>(rows));
    for (std::size_t r = old; r < state_.rowLabels.size(); ++r) state_.rowLabels[r] = "R" + std::to_string(r + 1);
    state_.data.resize(static_cast<std::size_t>(rows), std::vector<double>(state_.columnLabels.size(), 0.0));
    state_.row = std::min(state_.row, rows);
    Redraw();
}

std::int16_t MSChart::ColumnCount() const {
    Touch();
    return static_cast<std::int16_t>(state_.columnLabels.size());
}

void MSChart::ColumnCount(std::int16_t columns) {
    Touch();
    if (columns < 1) vb::RaiseError(380);
    const std::size_t old = state_.columnLabels.size();
    state_.columnLabels.resize(static_cast<std::size_t>(columns));
    for (std::size_t c = old; c < state_.columnLabels.size(); ++c) state_.columnLabels[c] = "C" + std::to_string(c + 1);
    for (auto& row : state_.data) row.resize(static_cast<std::size_t>(columns), 0.0);
    state_.column = std::min(state_.column, columns);
    Redraw();
}

double MSChart::Data(std::int16_t row, std::int16_t column) const {
    Touch();
    CheckRow(row);
    CheckColumn(column);
    return state_.data[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

void MSChart::SetData(std::int16_t row, std::int16_t column, double value) {
    Touch();
    CheckRow(row);
    CheckColumn(column);
    state_.data[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] = value;
    Redraw();
}

std::string MSChart::RowLabel(std::int16_t row) const {
    Touch();
    CheckRow(row);
    return state_.rowLabels[static_cast<std::size_t>(row - 1)];
}

void MSChart::RowLabel(std::int16_t row, const std::string& label) {
    Touch();
    CheckRow(row);
    state_.rowLabels[static_cast<std::size_t>(row - 1)] = label;
    Redraw();
}

std::string MSChart::ColumnLabel(std::int16_t column) const {
    Touch();
    CheckColumn(column);
    return state_.columnLabels[static_cast<std::size_t>(column - 1)];
}

void MSChart::ColumnLabel(std::int16_t column, const std::string& label) {
    Touch();
    CheckColumn(column);
    state_.columnLabels[static_cast<std::size_t>(column - 1)] = label;
    Redraw();
}

std::int16_t MSChart::Row() const {
    Touch();
    return state_.row;
}

void MSChart::Row(std::int16_t row) {
    Touch();
    CheckRow(row);
    state_.row = row;
}

std::int16_t MSChart::Column() const {
    Touch();
    return state_.column;
}

void MSChart::Column(std::int16_t column) {
    Touch();
    CheckColumn(column);
    state_.column = column;
}

// ---- drawing ----

bool MSChart::SeriesInRows() const {
    Touch();
    return state_.seriesInRows;
}

void MSChart::SeriesInRows(bool v) {
    Touch();
    state_.seriesInRows = v;
    Redraw();
}

bool MSChart::ShowLegend() const {
    Touch();
    return state_.showLegend;
}

void MSChart::ShowLegend(bool v) {
    Touch();
    state_.showLegend = v;
    Redraw();
}

std::int16_t MSChart::ChartType() const {
    Touch();
    return state_.chartType;
}

void MSChart::ChartType(std::int16_t type) {
    Touch();
    if (type != VtChChartType2dBar && type != VtChChartType2dLine) vb::RaiseError(380);
    state_.chartType = type;
    Redraw();
}

// ---- what is drawn ----

int MSChart::SeriesCount() const {
    return static_cast<int>(state_.seriesInRows ? state_.rowLabels.size() : state_.columnLabels.size());
}

std::string MSChart::SeriesLabel(int series) const {
    if (series < 1 || series > SeriesCount()) vb::RaiseError(380);
    const auto i = static_cast<std::size_t>(series - 1);
    return state_.seriesInRows ? state_.rowLabels[i] : state_.columnLabels[i];
}

std::vector<double> MSChart::SeriesValues(int series) const {
    if (series < 1 || series > SeriesCount()) vb::RaiseError(380);
    const auto i = static_cast<std::size_t>(series - 1);
    if (state_.seriesInRows) return state_.data[i];
    std::vector<double> values;
    for (const auto& row : state_.data) values.push_back(row[i]);
    return values;
}

std::vector<std::string> MSChart::Categories() const {
    return state_.seriesInRows ? state_.columnLabels : state_.rowLabels;
}

QChart* MSChart::Chart() const { return chart_; }

// ---- the widget ----

QWidget* MSChart::CreateWidget(QWidget* parent) {
    qtaccess::InstallChartAccessibility();
    chart_ = new QChart();
    chart_->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart_, parent);  // the view owns the chart
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void MSChart::ApplyState() { Redraw(); }

void MSChart::Redraw() {
    if (!chart_) return;
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    QStringList categories;
    for (const std::string& c : Categories()) categories << QString::fromStdString(c);
    auto* xAxis = new QBarCategoryAxis();
    auto* yAxis = new QValueAxis();
    chart_->addAxis(xAxis, Qt::AlignBottom);
    chart_->addAxis(yAxis, Qt::AlignLeft);
    charts::SetCategoryLabels(chart_, xAxis, categories);
    double low = 0, high = 0;
    for (const auto& row : state_.data) {
        for (double v : row) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (high == low) high = low + 1;
    yAxis->setRange(low, high);
    yAxis->applyNiceNumbers();
    if (state_.chartType == VtChChartType2dLine) {
        for (int s = 1; s <= SeriesCount(); ++s) {
            auto* line = new QLineSeries();
            line->setName(QString::fromStdString(SeriesLabel(s)));
            const std::vector<double> values = SeriesValues(s);
            for (std::size_t i = 0; i < values.size(); ++i) line->append(static_cast<double>(i), values[i]);
            chart_->addSeries(line);
            line->attachAxis(xAxis);
            line->attachAxis(yAxis);
        }
    } else {
        auto* bars = new QBarSeries();
        for (int s = 1; s <= SeriesCount(); ++s) {
            auto* set = new QBarSet(QString::fromStdString(SeriesLabel(s)));
            for (double v : SeriesValues(s)) *set << v;
            bars->append(set);
        }
        chart_->addSeries(bars);
        bars->attachAxis(xAxis);
        bars->attachAxis(yAxis);
    }
    chart_->legend()->setVisible(state_.showLegend);
    chart_->legend()->setAlignment(Qt::AlignRight);
    qtaccess::ChartChanged(qobject_cast<QChartView*>(widget_));
}

void MSChart::DestroyNative() {
    chart_ = nullptr;  // deleted with its view
    Control::DestroyNative();
}

// ---- late binding ----

vb::Variant MSChart::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "rowcount") return vb::Variant(RowCount());
    if (n == "columncount") return vb::Variant(ColumnCount());
    if (n == "row") return vb::Variant(Row());
    if (n == "column") return vb::Variant(Column());
    if (n == "data") return vb::Variant(Data(Row(), Column()));
    if (n == "rowlabel") return vb::Variant(RowLabel(Row()));
    if (n == "columnlabel") return vb::Variant(ColumnLabel(Column()));
    if (n == "seriesinrows") return vb::Variant(SeriesInRows());
    if (n == "showlegend") return vb::Variant(ShowLegend());
    if (n == "charttype") return vb::Variant(ChartType());
    return Control::GetMember(name);
}

void MSChart::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "rowcount") return RowCount(value.ToInteger());
    if (n == "columncount") return ColumnCount(value.ToInteger());
    if (n == "row") return Row(value.ToInteger());
    if (n == "column") return Column(value.ToInteger());
    if (n == "data") return SetData(Row(), Column(), value.ToDouble());
    if (n == "rowlabel") return RowLabel(Row(), value.ToString());
    if (n == "columnlabel") return ColumnLabel(Column(), value.ToString());
    if (n == "seriesinrows") return SeriesInRows(value.ToBool());
    if (n == "showlegend") return ShowLegend(value.ToBool());
    if (n == "charttype") return ChartType(value.ToInteger());
    Control::SetMember(name, value);
}

// ---- design values ----

void MSChart::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void MSChart::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void MSChart::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const MSChart*>(&other)) state_ = o->state_;
}

}  // namespace forms
