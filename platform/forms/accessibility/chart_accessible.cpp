#include "chart_accessible.h"

#include <algorithm>

#include <QAbstractBarSeries>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QXYSeries>

#include "chart_category_labels.h"
#include "menu_accessible.h"

namespace qtaccess {

namespace {

// What a chart shows, read from it when asked: values[series][category].
struct ChartData {
    QStringList series;
    QStringList categories;
    QList<QList<double>> values;
    QList<QAbstractSeries*> owners;  // the series each row of values comes from
    QList<int> setIndex;             // the bar set within its series, -1 for a line
};

ChartData Read(const QChart* chart) {
    ChartData d;
    if (!chart) return d;
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
            d.categories = charts::CategoryLabels(categories);
            break;
        }
    }
    qsizetype points = 0;
    for (QAbstractSeries* s : chart->series()) {
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
            const QList<QBarSet*> sets = bars->barSets();
            for (int i = 0; i < sets.size(); ++i) {
                QList<double> values;
                for (int v = 0; v < sets[i]->count(); ++v) values << sets[i]->at(v);
                d.series << sets[i]->label();
                d.values << values;
                d.owners << s;
                d.setIndex << i;
                points = std::max(points, values.size());
            }
        } else if (auto* line = qobject_cast<QXYSeries*>(s)) {
            QList<double> values;
            for (const QPointF& p : line->points()) values << p.y();
            d.series << line->name();
            d.values << values;
            d.owners << s;
            d.setIndex << -1;
            points = std::max(points, values.size());
        }
    }
    // A point beyond the named categories is known by its number.
    for (qsizetype c = d.categories.size(); c < points; ++c) d.categories << QString::number(c + 1);
    return d;
}

QString NumberText(double v) { return QString::number(v, 'f', QLocale::FloatingPointShortest); }

// A data point: row = category, column = series.
class AccessibleDataPoint : public QAccessibleInterface, public QAccessibleTableCellInterface, public OwnAccessible {
public:
    AccessibleDataPoint(QChartView* view, int row, int column) : view_(view), row_(row), column_(column) {}

    bool isValid() const override {
        if (!view_) return false;
        const ChartData d = Read(view_->chart());
        return column_ < d.series.size() && row_ < d.values[column_].size();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const ChartData d = Read(view_->chart());
        const QString value = NumberText(d.values[column_][row_]);
        switch (t) {
        case QAccessible::Name: return d.series[column_] + QStringLiteral(", ") + d.categories[row_] + QStringLiteral(": ") + value;
        case QAccessible::Value: return value;
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.readOnly = true;
        if (!view_->isVisible() || rect().isEmpty()) s.invisible = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    // ---- table cell ----
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<QChartView> view_;
    int row_, column_;
};

// Where the point is drawn, in screen coordinates: its bar, or a small
// square around a line's point; empty while the chart is not shown.
QRect AccessibleDataPoint::rect() const {
    if (!view_ || !view_->isVisible() || !view_->chart()) return {};
    QChart* chart = view_->chart();
    const ChartData d = Read(chart);
    if (column_ >= d.series.size() || row_ >= d.values[column_].size()) return {};
    QAbstractSeries* series = d.owners[column_];
    const double value = d.values[column_][row_];
    const QPointF top = chart->mapToPosition(QPointF(row_, value), series);
    QRectF area;
    if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
        const QPointF base = chart->mapToPosition(QPointF(row_, 0), series);
        const qreal category = chart->plotArea().width() / std::max<qsizetype>(1, d.categories.size());
        const qreal group = category * bars->barWidth();
        const qreal bar = group / std::max<qsizetype>(1, bars->count());
        const qreal left = top.x() - group / 2 + d.setIndex[column_] * bar;
        area = QRectF(QPointF(left, std::min(top.y(), base.y())), QPointF(left + bar, std::max(top.y(), base.y())));
    } else {
        area = QRectF(top - QPointF(3, 3), QSizeF(6, 6));
    }
    area = area.intersected(chart->plotArea());
    if (area.isEmpty()) return {};
    const QRect inView = view_->mapFromScene(chart->mapToScene(area)).boundingRect();
    return inView.translated(view_->viewport()->mapToGlobal(QPoint(0, 0)));
}

class AccessibleChart : public QAccessibleWidget, public QAccessibleTableInterface, public OwnAccessible {
public:
    explicit AccessibleChart(QChartView* view) : QAccessibleWidget(view, QAccessible::Chart) {}
    ~AccessibleChart() override { DropPoints(); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString own = QAccessibleWidget::text(t);
            if (!own.isEmpty()) return own;
            return View()->chart() ? View()->chart()->title() : QString();
        }
        return QAccessibleWidget::text(t);
    }

    // ---- children: the data points, category by category ----
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (index < 0 || columns == 0) return nullptr;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* point = dynamic_cast<const AccessibleDataPoint*>(child);
        if (!point || point->parent() != this) return -1;
        return point->rowIndex() * columnCount() + point->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* c = child(i);
            if (c && c->rect().contains(x, y)) return c;
        }
        return nullptr;
    }

    // ---- table: a row per category, a column per series ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const ChartData d = Read(View()->chart());
        if (row < 0 || column < 0 || column >= d.series.size() || row >= d.values[column].size()) return nullptr;
        return Point(row, column);
    }
    int rowCount() const override { return static_cast<int>(Read(View()->chart()).categories.size()); }
    int columnCount() const override { return static_cast<int>(Read(View()->chart()).series.size()); }
    QString columnDescription(int column) const override { return Read(View()->chart()).series.value(column); }
    QString rowDescription(int row) const override { return Read(View()->chart()).categories.value(row); }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The points read the chart when asked: nothing to keep up to date.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QChartView* View() const { return static_cast<QChartView*>(widget()); }

    // The interface of a point, made once.
    QAccessibleInterface* Point(int row, int column) const {
        const qint64 key = (static_cast<qint64>(row) << 32) | static_cast<quint32>(column);
        if (auto it = points_.constFind(key); it != points_.constEnd()) {
            if (QAccessibleInterface* point = QAccessible::accessibleInterface(*it)) return point;
        }
        auto* point = new AccessibleDataPoint(View(), row, column);
        points_.insert(key, QAccessible::registerAccessibleInterface(point));
        return point;
    }
    void DropPoints() {
        for (QAccessible::Id id : std::as_const(points_)) QAccessible::deleteAccessibleInterface(id);
        points_.clear();
    }

    mutable QHash<qint64, QAccessible::Id> points_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className != QLatin1String("QChartView")) return nullptr;
    auto* view = qobject_cast<QChartView*>(object);
    return view ? NewAccessibleChart(view) : nullptr;
}

}  // namespace

void InstallChartAccessibility() {
    static const bool installed = (QAccessible::installFactory(&Factory), true);
    (void)installed;
}

QAccessibleInterface* NewAccessibleChart(QChartView* view) { return new AccessibleChart(view); }

void ChartChanged(QChartView* view) {
    if (!view || !QAccessible::isActive()) return;
    QAccessibleEvent event(view, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

}  // namespace qtaccess
