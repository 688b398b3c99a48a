#pragma once
// The category axis of a chart (Qt Charts) with room for its labels, in both
// runtimes: a label wider than its category's share of the plot breaks into
// lines at blanks and after hyphens, so that each can be read whole instead
// of ending in "..."; where even a word is too wide, the labels stand on end.
// The labels follow the chart's size.
#include <QFont>
#include <QStringList>

class QBarCategoryAxis;
class QChart;

namespace charts {

// Gives `axis` (added to `chart`, along the bottom) the categories, each
// shown in as many lines as its room needs.
void SetCategoryLabels(QChart* chart, QBarCategoryAxis* axis, const QStringList& categories);

// The categories as given to SetCategoryLabels, whatever lines they are
// shown in; the axis's own texts for an axis set up otherwise.
QStringList CategoryLabels(QBarCategoryAxis* axis);

// `label` in lines no wider than `width` for `font` (an HTML text with line
// breaks), or unchanged when it fits or has nowhere to break.
QString BrokenLabel(const QString& label, const QFont& font, qreal width);

}  // namespace charts
