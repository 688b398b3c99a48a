// DataWindow controls and data stores: the DataWindow object named by their
// dataobject, the transaction object given by settransobject, Retrieve over
// its connection, and the presentation drawn with Qt: labels over columns
// with their display formats and drop-down DataWindows, or a graph.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QStackedLayout>
#include <QTableView>
#include <QValueAxis>

#include "chart_accessible.h"
#include "chart_category_labels.h"
#include "dao.h"
#include "dw_definition.h"
#include "dw_state.h"
#include "dw_table_model.h"
#include "err.h"
#include "vm_state.h"

namespace pbvm {

std::shared_ptr<dao::Database> ConnectedDatabase(u32 transaction);

namespace {

constexpr u32 kDwSetTransObject = 343, kDwRetrieveOne = 302, kDwRetrieveNone = 301;
constexpr u32 kDsSetTransObject = 216, kDsRetrieve = 175;
constexpr u32 kSqlCode = 8, kSqlNRows = 9, kDbCode = 10, kErrorText = 11;

const PbValue& arg(u32 first, u32 i) { return At<PbValue>(first)[i]; }
void setLong(PbValue& r, long n) { r = {static_cast<u32>(n), flag::kLong, type::kLong}; }

// A value as a list or a graph shows it without a display format.
QString plainText(const vb::Variant& value) { return QString::fromStdString(FormatDwValue(value, "[general]").text); }

void setTransactionResult(u32 transaction, long code, long rows, long dbCode, const std::string& text) {
    Object* t = FindObject(transaction);
    if (!t || t->sysClass != "transaction") return;
    auto put = [&](u32 field, long v) {
        if (PbValue* f = FieldRecord(*t, field)) *f = {static_cast<u32>(v), flag::kLong, type::kLong};
    };
    put(kSqlCode, code);
    put(kSqlNRows, rows);
    put(kDbCode, dbCode);
    if (PbValue* f = FieldRecord(*t, kErrorText)) {
        ReleaseValue(*f);
        *f = {NewString(text), flag::kValue, type::kString};
    }
}

// The presentation in the control's layout (one that a change of the
// DataWindow object replaced may wait for its deletion among the children).
QWidget* presentationOf(Object& o) {
    auto* layout = o.widget ? qobject_cast<QStackedLayout*>(o.widget->layout()) : nullptr;
    return layout ? layout->currentWidget() : nullptr;
}
QTableView* tableOf(Object& o) { return qobject_cast<QTableView*>(presentationOf(o)); }
QChartView* chartOf(Object& o) { return qobject_cast<QChartView*>(presentationOf(o)); }
DwTableModel* modelOf(Object& o) {
    QTableView* table = tableOf(o);
    return table ? dynamic_cast<DwTableModel*>(table->model()) : nullptr;
}

void drawGraph(Object& o, QChartView* view) {
    const DwDefinition& dw = *o.dw->definition;
    const DwGraph& g = *dw.graph;
    auto* chart = new QChart;
    auto* series = new QBarSeries(chart);
    const int category = dw.columnIndex(g.category);
    const DwRows& rows = o.dw->rows;
    QStringList categories;
    categories.reserve(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) categories << (category < 0 ? QString() : plainText(rows.value(r, category)));
    for (std::size_t i = 0; i < g.values.size(); ++i) {
        const std::string name = i < g.series.size() ? g.series[i] : g.values[i];
        auto* set = new QBarSet(QString::fromStdString(name));
        const int column = dw.columnIndex(g.values[i]);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const vb::Variant v = column >= 0 ? rows.value(r, column) : vb::Variant();
            *set << (v.IsNumericType() ? v.ToDouble() : 0.0);
        }
        series->append(set);
    }
    chart->addSeries(series);
    const QFont axisFont = DwQtFont(g.axisFont);
    auto* x = new QBarCategoryAxis(chart);
    x->setTitleText(QString::fromStdString(g.categoryLabel));
    x->setTitleFont(axisFont);
    auto* y = new QValueAxis(chart);
    y->setTitleText(QString::fromStdString(g.valueLabel));
    y->setTitleFont(axisFont);
    y->setLabelFormat("%.2f");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    charts::SetCategoryLabels(chart, x, categories);
    series->attachAxis(x);
    series->attachAxis(y);
    if (rows.empty()) y->setRange(0, 1);
    else y->applyNiceNumbers();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setToolTip(QString::fromStdString(g.seriesLabel));
    chart->setObjectName(QString::fromStdString(g.name));
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    qtaccess::ChartChanged(view);
}

// Shows the rows: the table's model learns them (it formats only the cells
// painted or measured), the graph is drawn again.
void draw(Object& o) {
    if (!o.dw || !o.dw->definition) return;
    if (QTableView* table = tableOf(o)) table->resizeColumnsToContents();
    if (QChartView* view = chartOf(o)) drawGraph(o, view);
}

// Replaces the rows, freeing the old ones first and at once; `fill` brings
// the new ones (and may throw, leaving none).
template <class Fill>
void replaceRows(Object& o, Fill fill) {
    DwTableModel* model = modelOf(o);
    if (model) model->beginRowsChange();
    o.dw->rows.clear();
    o.dw->dropDowns.clear();
    try {
        fill();
    } catch (...) {
        o.dw->rows.clear();
        o.dw->dropDowns.clear();
        if (model) model->endRowsChange();
        throw;
    }
    if (model) model->endRowsChange();
}

// Builds the control's presentation for its DataWindow object.
void buildPresentation(Object& o) {
    if (!o.widget || !o.dw) return;
    auto* layout = static_cast<QStackedLayout*>(o.widget->layout());
    while (layout->count()) {
        QWidget* w = layout->widget(0);
        layout->removeWidget(w);
        w->deleteLater();
    }
    if (!o.dw->definition) return;
    if (o.dw->definition->graph) {
        qtaccess::InstallChartAccessibility();
        auto* view = new QChartView(o.widget);
        view->setAccessibleDescription(QString::fromStdString(o.name));
        view->setRenderHint(QPainter::Antialiasing);
        layout->addWidget(view);
    } else {
        const DwDefinition& dw = *o.dw->definition;
        auto* table = new QTableView(o.widget);
        table->setModel(new DwTableModel(o.dw, table));
        table->setFont(DwQtFont(dw.font));
        for (int c = 0; c < static_cast<int>(dw.shown.size()); ++c)
            if (!dw.shown[c].dropDown.empty())
                table->setItemDelegateForColumn(c, new DwDropDownDelegate(table, o.dw, dw.shown[c].column));
        table->verticalHeader()->hide();
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::AllEditTriggers);
        layout->addWidget(table);
    }
    draw(o);
}

// The rows of a drop-down DataWindow, all retrieved, and its display column.
DwDropDown dropDownRows(const std::string& name, const std::string& column, dao::Database& db) {
    DwDropDown out;
    std::string error;
    auto data = LibraryBitmap(name + ".dwo");
    auto dw = data ? ParseDataWindow(*data, error) : std::nullopt;
    if (!dw) return out;
    out.display = dw->columnIndex(column);
    if (out.display >= 0) out.rows = RetrieveRows(*dw, db, {});
    return out;
}

long retrieve(Object& o, const std::vector<std::optional<std::string>>& arguments) {
    if (!o.dw || !o.dw->definition) {
        const std::string why = o.dw && !o.dw->error.empty() ? ": " + o.dw->error : std::string();
        ReportError("the DataWindow " + o.name + " has no DataWindow object" + why);
        return -1;
    }
    DwState& state = *o.dw;
    auto db = ConnectedDatabase(o.transaction);
    std::string error;
    long dbCode = 0;
    if (!db) {
        error = o.transaction ? "The transaction object is not connected." : "No transaction object is set.";
        dbCode = -1;
    } else {
        try {
            replaceRows(o, [&] {
                state.rows = RetrieveRows(*state.definition, *db, arguments);
                for (const auto& s : state.definition->shown)
                    if (!s.dropDown.empty()) state.dropDowns[s.column] = dropDownRows(s.dropDown, s.dropDisplay, *db);
            });
        } catch (const vb::VBError& e) {
            error = e.description();
            dbCode = e.number();
        }
    }
    if (!error.empty()) {
        // A failed Retrieve says so: the DataWindow is emptied and the
        // database's error is shown, never an empty list that looks like
        // a list without rows.
        replaceRows(o, [] {});
        state.error = error;
        setTransactionResult(o.transaction, -1, 0, dbCode, error);
        draw(o);
        ShowMessage("DataWindow Error", "Retrieve failed for " + o.name + " (" + state.definition->name + "):\n" + error, 1);
        return -1;
    }
    state.error.clear();
    const long rows = static_cast<long>(state.rows.size());
    setTransactionResult(o.transaction, 0, rows, 0, "");
    draw(o);
    return rows;
}

}  // namespace

void LoadDataObject(Object& o, const std::string& name) {
    o.dataObject = name;
    o.dw = std::make_shared<DwState>();
    if (!name.empty()) {
        std::string error;
        auto data = LibraryBitmap(name + ".dwo");
        if (!data) error = "the library has no DataWindow object " + name;
        else if (auto dw = ParseDataWindow(*data, error)) o.dw->definition = std::move(*dw);
        if (!o.dw->definition) {
            o.dw->error = error;
            ReportError(o.name + ": " + error);
        }
    }
    buildPresentation(o);
}

QWidget* CreateDataWindowWidget(Object& o, QWidget* parent) {
    auto* frame = new QWidget(parent);
    new QStackedLayout(frame);
    frame->layout()->setContentsMargins(0, 0, 0, 0);
    o.widget = frame;
    LoadDataObject(o, o.def ? o.def->text("dataobject") : std::string());
    return frame;
}

bool CallDataWindowFunction(Object& o, u32 index, u32 argc, u32 first, PbValue& r) {
    const bool store = o.sysClass == "datastore";
    if (index == (store ? kDsSetTransObject : kDwSetTransObject)) {
        if (argc < 1) return false;
        const PbValue& t = arg(first, 0);
        Object* transaction = (t.flags & flag::kNull) ? nullptr : FindObject(t.value);
        o.transaction = transaction && transaction->sysClass == "transaction" ? t.value : 0;
        setLong(r, o.transaction ? 1 : -1);
        return true;
    }
    if ((store && index == kDsRetrieve) || (!store && (index == kDwRetrieveOne || index == kDwRetrieveNone))) {
        std::vector<std::optional<std::string>> arguments;
        for (u32 i = 0; i < argc; ++i) {
            const PbValue& a = arg(first, i);
            if ((a.flags & flag::kNull) || a.type == type::kEmpty) arguments.emplace_back();
            else arguments.emplace_back(ValueText(a));
        }
        setLong(r, retrieve(o, arguments));
        return true;
    }
    return false;
}

// For tests and the test driver: the rows' shown texts.
std::vector<std::vector<std::string>> DataWindowTexts(u32 object) {
    std::vector<std::vector<std::string>> out;
    Object* o = FindObject(object);
    if (!o || !o->dw || !o->dw->definition) return out;
    const DwDefinition& dw = *o->dw->definition;
    const DwRows& rows = o->dw->rows;
    out.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> texts;
        for (const auto& s : dw.shown) texts.push_back(FormatDwValue(ShownValue(dw, s, rows, r), s.format).text);
        out.push_back(std::move(texts));
    }
    return out;
}

}  // namespace pbvm
