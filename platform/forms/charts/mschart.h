#pragma once
// The chart: a grid of numbers with labelled rows and columns, drawn as bars
// (or lines) over Qt Charts. With SeriesInRows each row is a series (its
// label in the legend) over the columns as categories; otherwise each column
// is a series over the rows. Rows and columns count from 1.
//
//     forms::MSChart MSChart1{this, "MSChart1", 4800, 840, 4335, 3015};
//     MSChart1.SeriesInRows(true);
//     MSChart1.RowCount(4);
//     MSChart1.ColumnCount(4);
//     MSChart1.RowLabel(1, "January");
//     MSChart1.ColumnLabel(1, "Widget Division");
//     MSChart1.SetData(1, 1, 12);
//
// The chart lives in its own library (vbforms_chart), the only one that
// links Qt Charts.
#include <cstdint>
#include <string>
#include <vector>

#include "control.h"

class QChart;

namespace forms {

// ChartType values drawn.
constexpr std::int16_t VtChChartType2dBar = 1;
constexpr std::int16_t VtChChartType2dLine = 3;

class MSChart : public Control {
public:
    MSChart(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 4815,
            Twips height = 3015);
    std::string TypeName() const override { return "MSChart"; }
    const char* WindowClass() const override { return "MSChartWndClass"; }

    // ---- the data grid ----
    // At least 1; new cells hold 0 and new labels "R<n>" / "C<n>". Error 380 below 1.
    std::int16_t RowCount() const;
    void RowCount(std::int16_t rows);
    std::int16_t ColumnCount() const;
    void ColumnCount(std::int16_t columns);
    // Error 380 for a row or column outside the grid.
    double Data(std::int16_t row, std::int16_t column) const;
    void SetData(std::int16_t row, std::int16_t column, double value);
    std::string RowLabel(std::int16_t row) const;
    void RowLabel(std::int16_t row, const std::string& label);
    std::string ColumnLabel(std::int16_t column) const;
    void ColumnLabel(std::int16_t column, const std::string& label);
    // The current cell that Data, RowLabel and ColumnLabel reach late-bound.
    std::int16_t Row() const;
    void Row(std::int16_t row);
    std::int16_t Column() const;
    void Column(std::int16_t column);

    // ---- drawing ----
    bool SeriesInRows() const;
    void SeriesInRows(bool v);
    bool ShowLegend() const;
    void ShowLegend(bool v);
    // VtChChartType2dBar (the default) or VtChChartType2dLine; error 380 otherwise.
    std::int16_t ChartType() const;
    void ChartType(std::int16_t type);

    // ---- what is drawn ----
    int SeriesCount() const;
    std::string SeriesLabel(int series) const;           // from 1
    std::vector<double> SeriesValues(int series) const;  // one per category
    std::vector<std::string> Categories() const;
    // The Qt chart, null while not loaded.
    QChart* Chart() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void CheckRow(std::int16_t row) const;
    void CheckColumn(std::int16_t column) const;
    void Redraw();

    struct State {
        std::vector<std::string> rowLabels{"R1", "R2", "R3", "R4", "R5"};
        std::vector<std::string> columnLabels{"C1", "C2", "C3", "C4"};
        std::vector<std::vector<double>> data = std::vector<std::vector<double>>(5, std::vector<double>(4, 0.0));
        std::int16_t row = 1, column = 1;
        bool seriesInRows = false;
        bool showLegend = false;
        std::int16_t chartType = VtChChartType2dBar;
    };
    State state_, design_;
    QChart* chart_ = nullptr;
};

}  // namespace forms
