#include "chart_category_labels.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QPointer>
#include <QSet>

namespace charts {

namespace {

// The keeper's object name, and the axis property that holds the categories
// as given (read by whichever copy of this code asks).
constexpr char kKeeperName[] = "categoryLabelKeeper";
constexpr char kCategoriesProperty[] = "categoryLabels";
// The axis gives each label the plot's width over one more than the number
// of categories, less some space on either side.
// The chart leaves at least this much, or half a line, beside each label.
constexpr qreal kLabelPadding = 8;
// Passes over the labels after one change of the chart's size: each pass
// changes the plot a little, and two settle it.
constexpr int kPassesPerSize = 3;

// Keeps the categories as given and breaks the axis's labels to fit.
class CategoryLabelKeeper : public QObject {
public:
    CategoryLabelKeeper(QChart* chart, QBarCategoryAxis* axis, QStringList categories)
        : QObject(axis), chart_(chart), axis_(axis), categories_(std::move(categories)) {
        setObjectName(kKeeperName);
        axis->setProperty(kCategoriesProperty, categories_);
        connect(chart, &QChart::plotAreaChanged, this, [this] { Fit(); });
        connect(chart, &QGraphicsWidget::geometryChanged, this, [this] { passes_ = 0; });
    }
    void Fit() {
        if (!chart_ || !axis_ || fitting_ || passes_ >= kPassesPerSize || categories_.isEmpty()) return;
        const QFontMetricsF metrics(axis_->labelsFont());
        const qreal padding = std::max(kLabelPadding, metrics.height() / 2);
        const qreal width = chart_->plotArea().width() / (categories_.size() + 1) - 2 * padding;
        if (width <= 0) return;
        QStringList shown;
        QSet<QString> seen;
        bool turn = false;
        for (const QString& c : categories_) {
            QString label = BrokenLabel(c, axis_->labelsFont(), width);
            for (const QString& line : label.split(QStringLiteral("<br>")))
                turn = turn || metrics.horizontalAdvance(line) > width;
            // The axis holds each text once: a broken text that another
            // category already has stays whole.
            if (seen.contains(label)) label = c;
            seen.insert(label);
            shown << label;
        }
        // A word wider than its room: the labels stand on end, whole, where
        // the room is at least a line high.
        turn = turn && width >= metrics.height();
        if (turn) shown = categories_;
        const int angle = turn ? -90 : 0;
        if (shown == axis_->categories() && angle == axis_->labelsAngle()) return;
        ++passes_;
        fitting_ = true;
        axis_->setCategories(shown);
        axis_->setLabelsAngle(angle);
        fitting_ = false;
    }

private:
    QPointer<QChart> chart_;
    QPointer<QBarCategoryAxis> axis_;
    QStringList categories_;
    bool fitting_ = false;
    int passes_ = 0;
};

QObject* KeeperOf(const QBarCategoryAxis* axis) {
    return axis ? axis->findChild<QObject*>(kKeeperName, Qt::FindDirectChildrenOnly) : nullptr;
}

// The pieces a label may break into: after each blank (which is dropped at
// a break) and after each hyphen.
QStringList Pieces(const QString& label) {
    QStringList pieces;
    QString piece;
    for (QChar ch : label) {
        piece += ch;
        if (ch == u' ' || ch == u'-') {
            pieces << piece;
            piece.clear();
        }
    }
    if (!piece.isEmpty()) pieces << piece;
    return pieces;
}

}  // namespace

QString BrokenLabel(const QString& label, const QFont& font, qreal width) {
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(label) <= width) return label;
    const QStringList pieces = Pieces(label);
    if (pieces.size() < 2) return label;
    QStringList lines;
    QString line;
    for (const QString& piece : pieces) {
        const QString joined = line + piece;
        if (!line.isEmpty() && metrics.horizontalAdvance(joined.trimmed()) > width) {
            lines << line.trimmed();
            line = piece;
        } else {
            line = joined;
        }
    }
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
    if (lines.size() < 2) return label;
    for (QString& l : lines) l = l.toHtmlEscaped();
    return lines.join(QStringLiteral("<br>"));
}

void SetCategoryLabels(QChart* chart, QBarCategoryAxis* axis, const QStringList& categories) {
    delete KeeperOf(axis);
    axis->setCategories(categories);
    auto* keeper = new CategoryLabelKeeper(chart, axis, categories);
    keeper->Fit();
}

QStringList CategoryLabels(QBarCategoryAxis* axis) {
    if (!axis) return {};
    const QVariant given = axis->property(kCategoriesProperty);
    return given.isValid() ? given.toStringList() : axis->categories();
}

}  // namespace charts
