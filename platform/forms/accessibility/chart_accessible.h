#pragma once
// Charts (Qt Charts) as accessibility tools see them, in both runtimes: a
// chart named by its title whose children are its data points, each named
// "Series, Category: value" (its value as the Value text), and which is also
// a table with a row per category and a column per series (the category and
// the series as the row's and the column's descriptions).
class QAccessibleInterface;
class QChartView;

namespace qtaccess {

// Installs the interface for chart views (after the QApplication exists, and
// before the first chart view is made; once).
void InstallChartAccessibility();

QAccessibleInterface* NewAccessibleChart(QChartView* view);

// Tells listening tools that the chart shows other data.
void ChartChanged(QChartView* view);

}  // namespace qtaccess
