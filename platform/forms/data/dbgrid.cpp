#include "dbgrid.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "application.h"
#include "datacontrol_widget.h"
#include "err.h"
#include "form.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

namespace {

[[noreturn]] void InvalidColumn() { throw vb::VBError(6148, "Invalid column index"); }

std::string TextOf(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? std::string() : v.ToString(); }

// How many rows are measured to size a column to its contents.
constexpr int kMeasuredRows = 100;
constexpr int kMaxColumnPixels = 320;

}  // namespace

// ---- the table model over the recordset ----

class DBGridModel : public QAbstractTableModel {
public:
    DBGridModel(DBGrid* grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}
    DBGrid* grid_;
    int rows_ = 0, cols_ = 0;
    long current_ = -1;

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!grid_ || !index.isValid() || role != Qt::DisplayRole) return {};
        std::shared_ptr<dao::Recordset> rs = grid_->Source();
        if (!rs) return {};
        try {
            return QString::fromStdString(TextOf(rs->PeekValue(index.row(), index.column())));
        } catch (const vb::VBError&) {
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (!grid_ || role != Qt::DisplayRole) return {};
        if (orientation == Qt::Vertical) return section == current_ ? QStringLiteral("\u25B6") : QString();
        const forms::Columns& cols = grid_->Columns();
        if (section < 0 || section >= cols.Count()) return {};
        return QString::fromStdString(cols.Item(vb::Variant(section)).Caption());
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void Reset(int rows, int cols) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
    }
    void Refreshed() {
        if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
    void SetCurrent(long row) {
        const long old = current_;
        current_ = row;
        if (old >= 0 && old < rows_) emit headerDataChanged(Qt::Vertical, static_cast<int>(old), static_cast<int>(old));
        if (row >= 0 && row < rows_) emit headerDataChanged(Qt::Vertical, static_cast<int>(row), static_cast<int>(row));
    }
};

// The view: a click or an arrow key moves the data control; the selection
// shows the data control's current record.
class DBGridView : public QTableView {
public:
    DBGridView(DBGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}
    DBGrid* grid_;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        setFocus(Qt::MouseFocusReason);
        if (!grid_ || e->button() != Qt::LeftButton) return;
        const QModelIndex i = indexAt(e->position().toPoint());
        if (i.isValid()) grid_->UserChoseRow(i.row(), i.column());
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}
    void mouseDoubleClickEvent(QMouseEvent*) override {}
    void keyPressEvent(QKeyEvent* e) override {
        if (!grid_) return QTableView::keyPressEvent(e);
        const int page = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
        switch (e->key()) {
        case Qt::Key_Up: grid_->UserMoved(-1); break;
        case Qt::Key_Down: grid_->UserMoved(1); break;
        case Qt::Key_PageUp: grid_->UserMoved(-page); break;
        case Qt::Key_PageDown: grid_->UserMoved(page); break;
        case Qt::Key_Left:
            if (grid_->Col() > 0) grid_->Col(static_cast<std::int16_t>(grid_->Col() - 1));
            break;
        case Qt::Key_Right:
            if (grid_->Col() + 1 < grid_->Columns().Count()) grid_->Col(static_cast<std::int16_t>(grid_->Col() + 1));
            break;
        default: QAbstractScrollArea::keyPressEvent(e); return;
        }
        e->accept();
    }
};

// ---- Column ----

void Column::CheckAlive() const {
    if (!grid_) InvalidColumn();
}

vb::Variant Column::Value() const {
    CheckAlive();
    std::shared_ptr<dao::Recordset> rs = grid_->Source();
    if (!rs || (rs->EditMode() == dao::dbEditNone && (rs->Bof() || rs->Eof()))) return vb::Variant(std::string());
    return rs->Fields(index_).Value();
}

std::string Column::Text() const {
    CheckAlive();
    return TextOf(Value());
}

std::string Column::Caption() const {
    CheckAlive();
    return caption_;
}

void Column::Caption(const std::string& caption) {
    CheckAlive();
    caption_ = caption;
    if (grid_->model_) emit grid_->model_->headerDataChanged(Qt::Horizontal, index_, index_);
}

std::string Column::DataField() const {
    CheckAlive();
    return field_;
}

Twips Column::Width() const {
    CheckAlive();
    return width_ < 0 ? 0 : width_;
}

void Column::Width(Twips width) {
    CheckAlive();
    if (width < 0) vb::RaiseError(380);
    width_ = width;
    if (grid_->view_) grid_->view_->setColumnWidth(index_, TwipsToPixels(width_));
}

bool Column::Visible() const {
    CheckAlive();
    return visible_;
}

void Column::Visible(bool visible) {
    CheckAlive();
    visible_ = visible;
    if (grid_->view_) grid_->view_->setColumnHidden(index_, !visible_);
}

vb::Variant Column::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "value") return Value();
    if (n == "text") return vb::Variant(Text());
    if (n == "caption") return vb::Variant(Caption());
    if (n == "datafield") return vb::Variant(DataField());
    if (n == "width") return vb::Variant(Width());
    if (n == "visible") return vb::Variant(Visible());
    if (n == "colindex") {
        CheckAlive();
        return vb::Variant(index_);
    }
    return vb::Object::GetMember(name);
}

void Column::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "width") return Width(static_cast<Twips>(value.ToDouble()));
    if (n == "visible") return Visible(value.ToBool());
    vb::Object::SetMember(name, value);
}

// ---- Columns ----

Column& Columns::Item(const vb::Variant& indexOrName) const {
    if (indexOrName.IsNumericType()) {
        const long i = indexOrName.ToLong();
        if (i < 0 || i >= Count()) InvalidColumn();
        return *items_[static_cast<std::size_t>(i)];
    }
    const std::string name = detail::Lower(indexOrName.ToString());
    for (const auto& c : items_) {
        if (detail::Lower(c->field_) == name || detail::Lower(c->caption_) == name) return *c;
    }
    InvalidColumn();
}

vb::Variant Columns::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant Columns::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "item") return detail::ObjectVariant(&Item(detail::Arg(args, 0)));
    if (n == "count" && args.empty()) return vb::Variant(Count());
    return vb::Object::CallMember(name, args);
}

// ---- DBGrid ----

DBGrid::DBGrid(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)), columns_(std::make_shared<forms::Columns>(*this)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

DBGrid::~DBGrid() {
    if (widget_) DBGrid::DestroyNative();
    for (auto& c : columns_->items_) c->grid_ = nullptr;
}

std::string DBGrid::Caption() const {
    Touch();
    return state_.caption;
}

void DBGrid::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (captionBar_) {
        captionBar_->setText(QString::fromStdString(caption));
        captionBar_->setVisible(!caption.empty());
    }
}

forms::Columns& DBGrid::Columns() {
    Touch();
    return *columns_;
}

bool DBGrid::AllowUpdate() const {
    Touch();
    return state_.allowUpdate;
}

void DBGrid::AllowUpdate(bool v) {
    Touch();
    state_.allowUpdate = v;
}

bool DBGrid::AllowAddNew() const {
    Touch();
    return state_.allowAddNew;
}

void DBGrid::AllowAddNew(bool v) {
    Touch();
    state_.allowAddNew = v;
}

bool DBGrid::AllowDelete() const {
    Touch();
    return state_.allowDelete;
}

void DBGrid::AllowDelete(bool v) {
    Touch();
    state_.allowDelete = v;
}

std::int16_t DBGrid::Col() const {
    Touch();
    return col_;
}

void DBGrid::Col(std::int16_t col) {
    Touch();
    if (col < 0 || col >= columns_->Count()) InvalidColumn();
    if (col == col_) return;
    col_ = col;
    ShowCurrent();
    if (RowColChange) Raise(RowColChange);
}

long DBGrid::CurrentRow() const {
    Touch();
    std::shared_ptr<dao::Recordset> rs = Source();
    return rs ? rs->AbsolutePosition() : -1;
}

std::shared_ptr<dao::Recordset> DBGrid::Source() const {
    auto* data = dynamic_cast<DataControl*>(followed_);
    return data ? data->Model().Recordset() : nullptr;
}

// ---- following the data control ----

void DBGrid::Follow(Control* source) {
    if (source != followed_) {
        followed_ = source;
        shownFrom_ = nullptr;
        shownCount_ = -1;
        if (auto* data = dynamic_cast<DataControl*>(source)) data->AddFollower(*this);
    }
    Reload(false);
}

void DBGrid::DataSourceChanged(DataControl& source) {
    if (followed_ != &source) {
        Follow(&source);
        return;
    }
    Reload(false);
}

void DBGrid::DataSourceGone(DataControl& source) {
    if (followed_ != &source) return;
    followed_ = nullptr;
    Reload(true);
}

void DBGrid::ReBind() {
    Touch();
    Follow(DataSource());
    Reload(true);
}

void DBGrid::Reload(bool force) {
    std::shared_ptr<dao::Recordset> rs = Source();
    int count = 0, fields = 0;
    try {
        count = rs ? rs->RecordCount() : 0;
        fields = rs ? rs->Fields().Count() : 0;
    } catch (const vb::VBError&) {
        rs.reset();  // closed
    }
    const bool newSource = rs.get() != shownFrom_;
    if (newSource || force) {
        for (auto& c : columns_->items_) c->grid_ = nullptr;
        columns_->items_.clear();
        for (int f = 0; f < fields; ++f) {
            auto c = std::make_shared<Column>();
            c->grid_ = this;
            c->index_ = f;
            c->field_ = rs->Fields(f).Name();
            c->caption_ = c->field_;
            columns_->items_.push_back(c);
        }
        if (col_ >= fields) col_ = 0;
    }
    if (model_) {
        if (newSource || force || count != shownCount_ || fields != model_->cols_) {
            model_->Reset(count, fields);
            if (newSource || force) SizeColumns();
        } else {
            model_->Refreshed();
        }
    }
    shownFrom_ = rs.get();
    shownCount_ = count;
    ShowCurrent();
}

void DBGrid::ShowCurrent() {
    std::shared_ptr<dao::Recordset> rs = Source();
    long current = -1;
    try {
        if (rs && !rs->Bof() && !rs->Eof()) current = rs->AbsolutePosition();
    } catch (const vb::VBError&) {
    }
    const bool moved = shownCurrent_ != -2 && current != shownCurrent_;
    shownCurrent_ = current;
    if (model_ && view_) {
        model_->SetCurrent(current);
        QItemSelectionModel* sel = view_->selectionModel();
        if (current >= 0 && current < model_->rows_ && model_->cols_ > 0) {
            const QModelIndex i = model_->index(static_cast<int>(current), std::min<int>(col_, model_->cols_ - 1));
            sel->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            view_->scrollTo(i);
        } else {
            sel->clearSelection();
        }
    }
    if (moved && RowColChange) Raise(RowColChange);
}

void DBGrid::SizeColumns() {
    if (!view_ || !model_) return;
    const QFontMetrics fm(view_->font());
    const QFontMetrics hm(view_->horizontalHeader()->font());
    std::shared_ptr<dao::Recordset> rs = Source();
    for (auto& c : columns_->items_) {
        if (c->width_ < 0) {
            int px = hm.horizontalAdvance(QString::fromStdString(c->caption_)) + 16;
            const int rows = std::min(model_->rows_, kMeasuredRows);
            for (int r = 0; r < rows && rs; ++r) {
                try {
                    const std::string text = TextOf(rs->PeekValue(r, c->index_));
                    px = std::max(px, fm.horizontalAdvance(QString::fromStdString(text)) + 12);
                } catch (const vb::VBError&) {
                }
            }
            c->width_ = PixelsToTwips(std::min(px, kMaxColumnPixels));
        }
        view_->setColumnWidth(c->index_, TwipsToPixels(c->width_));
        view_->setColumnHidden(c->index_, !c->visible_);
    }
}

void DBGrid::UserChoseRow(int row, int col) {
    RaiseEvent([&] {
        std::shared_ptr<dao::Recordset> rs = Source();
        if (col >= 0 && col < columns_->Count() && col != col_) {
            col_ = static_cast<std::int16_t>(col);
            if (rs && rs->AbsolutePosition() == row) {
                ShowCurrent();
                if (RowColChange) Raise(RowColChange);
                return;
            }
        }
        if (!rs || row < 0 || row >= rs->RecordCount() || rs->AbsolutePosition() == row) return;
        try {
            rs->SetAbsolutePosition(row);
        } catch (const vb::VBError& e) {
            if (e.number() != 3426) throw;  // the data control's Validate kept the record
            ShowCurrent();
        }
    });
}

void DBGrid::UserMoved(int delta) {
    std::shared_ptr<dao::Recordset> rs = Source();
    if (!rs || rs->RecordCount() == 0) return;
    const long from = rs->Bof() || rs->Eof() ? (delta > 0 ? -1 : rs->RecordCount()) : rs->AbsolutePosition();
    const long to = std::clamp<long>(from + delta, 0, rs->RecordCount() - 1);
    UserChoseRow(static_cast<int>(to), col_);
}

// ---- the widget ----

QWidget* DBGrid::CreateWidget(QWidget* parent) {
    auto* w = new QFrame(parent);
    w->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    captionBar_ = new QLabel(w);
    captionBar_->setTextFormat(Qt::PlainText);
    captionBar_->setAlignment(Qt::AlignCenter);
    captionBar_->setAutoFillBackground(true);
    captionBar_->setBackgroundRole(QPalette::Button);
    captionBar_->setFrameShape(QFrame::Panel);
    captionBar_->setFrameShadow(QFrame::Raised);
    auto* view = new DBGridView(this, w);
    view_ = view;
    model_ = new DBGridModel(this, view);
    view->setModel(model_);
    view->setFrameShape(QFrame::NoFrame);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(view->font()).height() + 4);
    view->verticalHeader()->setFixedWidth(18);
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(captionBar_);
    layout->addWidget(view, 1);
    detail::HookWidget(view, this);
    detail::HookWidget(view->viewport(), this);
    return w;
}

void DBGrid::ApplyState() {
    captionBar_->setText(QString::fromStdString(state_.caption));
    captionBar_->setVisible(!state_.caption.empty());
    view_->setFocusPolicy(common_.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    widget_->setFocusProxy(view_);
    shownCurrent_ = -2;
    Follow(DataSource());
    Reload(true);
}

void DBGrid::DestroyNative() {
    if (auto* v = static_cast<DBGridView*>(view_)) v->grid_ = nullptr;
    if (model_) model_->grid_ = nullptr;
    view_ = nullptr;
    model_ = nullptr;
    captionBar_ = nullptr;
    Control::DestroyNative();
}

// ---- late binding ----

vb::Variant DBGrid::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "columns") {
        Touch();
        return vb::Variant(vb::ObjectRef(columns_));
    }
    if (n == "allowupdate") return vb::Variant(AllowUpdate());
    if (n == "allowaddnew") return vb::Variant(AllowAddNew());
    if (n == "allowdelete") return vb::Variant(AllowDelete());
    if (n == "col") return vb::Variant(Col());
    if (n == "text") return vb::Variant(Columns().Item(vb::Variant(static_cast<int>(col_))).Text());
    return Control::GetMember(name);
}

void DBGrid::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "allowupdate") return AllowUpdate(value.ToBool());
    if (n == "allowaddnew") return AllowAddNew(value.ToBool());
    if (n == "allowdelete") return AllowDelete(value.ToBool());
    if (n == "col") return Col(value.ToInteger());
    if (n == "datasource") {
        Control* source = DataSourceFromVariant(value);
        DataSource(source);
        return Follow(source);
    }
    Control::SetMember(name, value);
}

vb::Variant DBGrid::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "columns") {
        if (args.empty()) return GetMember(name);
        return detail::ObjectVariant(&Columns().Item(args[0]));
    }
    if (n == "rebind") {
        ReBind();
        return {};
    }
    return Control::CallMember(name, args);
}

// ---- design values ----

void DBGrid::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void DBGrid::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    followed_ = nullptr;
    shownFrom_ = nullptr;
    shownCount_ = -1;
    for (auto& c : columns_->items_) c->grid_ = nullptr;
    columns_->items_.clear();
    col_ = 0;
}

void DBGrid::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const DBGrid*>(&other)) state_ = o->state_;
}

}  // namespace forms
