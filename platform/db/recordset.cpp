#include "recordset.h"
#include "sql_names.h"

#include <algorithm>
#include <cctype>

#include "connection.h"
#include "err.h"
#include "row_store.h"
#include "sql_dialect.h"

namespace dao {

namespace {

constexpr const char* kRowNumberColumn = "__vbdb_rowid";

[[noreturn]] void noCurrentRecord() { RaiseEngineError(errors::NoCurrentRecord, "There is no current record."); }

// A condition that `column` still holds `original`, a value as read from it,
// with a parameter for the value unless it is Null. Texts compare byte for
// byte whatever the column's collation (a change of case is a change);
// numbers compare by value, exactly, as they were read and are bound back.
std::string stillHolds(const std::string& column, const StoredValue& original) {
    switch (original.kind) {
    case StoredValue::Null: return QuoteName(column) + " IS NULL";
    case StoredValue::Text: return "CAST(" + QuoteName(column) + " AS BLOB) IS CAST(? AS BLOB)";
    default: return QuoteName(column) + " IS ?";
    }
}

}  // namespace

// --- Field -------------------------------------------------------------------

vb::Variant Field::Value() const {
    if (!owner_)
        RaiseEngineError(errors::ObjectClosed,
                         "The field '" + name_ + "' belongs to a recordset that no longer exists.");
    return owner_->fieldValue(index_);
}

void Field::SetValue(const vb::Variant& value) {
    if (!owner_)
        RaiseEngineError(errors::ObjectClosed,
                         "The field '" + name_ + "' belongs to a recordset that no longer exists.");
    owner_->setFieldValue(index_, value);
}

vb::Variant Field::GetMember(const std::string& name) {
    if (SameName(name, "Value")) return Value();
    if (SameName(name, "Name")) return vb::Variant(name_);
    if (SameName(name, "Type")) return vb::Variant::Integer(static_cast<std::int16_t>(type_.type));
    if (SameName(name, "Size")) return vb::Variant::Long(type_.size);
    return Object::GetMember(name);
}

void Field::SetMember(const std::string& name, const vb::Variant& value) {
    if (SameName(name, "Value")) return SetValue(value);
    Object::SetMember(name, value);
}

// --- Fields ------------------------------------------------------------------

void Fields::noSuchField(int index) const {
    RaiseEngineError(errors::ItemNotFound, "There is no field number " + std::to_string(index) +
                                               " in this recordset (it has " + std::to_string(Count()) + ").");
}

Field& Fields::operator()(const std::string& name) const {
    for (const auto& f : items_)
        if (SameName(f->Name(), name)) return *f;
    RaiseEngineError(errors::ItemNotFound, "There is no field named '" + name + "' in this recordset.");
}

Field& Fields::Item(const vb::Variant& indexOrName) const {
    if (indexOrName.Type() == vb::VarType::String) return (*this)(indexOrName.rawString());
    return (*this)(static_cast<int>(indexOrName.ToLong()));
}

vb::Variant Fields::GetMember(const std::string& name) {
    if (SameName(name, "Count")) return vb::Variant::Long(Count());
    return Object::GetMember(name);
}

vb::Variant Fields::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if ((SameName(name, "Item") || name.empty()) && args.size() == 1) {
        Field& f = Item(args[0]);
        for (const auto& item : items_)
            if (item.get() == &f) return vb::Variant(std::static_pointer_cast<vb::Object>(item));
    }
    return Object::CallMember(name, args);
}

// --- opening -----------------------------------------------------------------

Recordset::Recordset(std::shared_ptr<Connection> connection, std::string source, int type)
    : connection_(std::move(connection)), source_(std::move(source)), type_(type),
      fields_(std::make_shared<dao::Fields>()) {}

Recordset::~Recordset() {
    for (auto& f : fields_->items_) f->owner_ = nullptr;
}

std::shared_ptr<Recordset> Recordset::Open(std::shared_ptr<Connection> connection, const std::string& source,
                                           int type) {
    connection->handle();  // 3420 when closed
    std::string table;
    std::string query;
    if (IsTableName(source, table)) {
        query = "SELECT * FROM [" + table + "]";
        if (type == dbOpenDefault) type = dbOpenTable;
    } else {
        TranslatedStatement t = TranslateStatement(source);
        if (t.kind != StatementKind::Select)
            RaiseEngineError(errors::NotARecordSource,
                             "Only a SELECT query or a table name can be opened as a recordset: " + source);
        query = t.sql;
        if (type == dbOpenDefault) type = dbOpenDynaset;
    }
    std::shared_ptr<Recordset> rs(new Recordset(std::move(connection), source, type));
    if (type != dbOpenSnapshot && type != dbOpenForwardOnly) {
        SingleTableSelect single = AnalyzeSelect(query);
        if (single.simple) {
            rs->table_ = single.table;
            query = WithRowNumberColumn(query, single, kRowNumberColumn);
        }
    }
    rs->query_ = query;
    rs->load();
    if (!rs->table_.empty()) rs->connection_->trackRecordset(rs);
    return rs;
}

void Recordset::load() {
    Statement stmt = connection_->prepare(query_, StatementKind::Select);
    sqlite3_stmt* s = stmt.get();
    int total = sqlite3_column_count(s);
    bool numbered = !table_.empty();
    int visible = numbered ? total - 1 : total;

    if (fields_->items_.size() != static_cast<std::size_t>(visible)) {
        for (auto& f : fields_->items_) f->owner_ = nullptr;
        fields_->items_.clear();
        tableColumns_.assign(static_cast<std::size_t>(visible), "");
        std::vector<std::string> aggregated = AggregatedColumns(query_);
        if (aggregated.size() != static_cast<std::size_t>(visible)) aggregated.assign(static_cast<std::size_t>(visible), "");
        for (int i = 0; i < visible; ++i) {
            const char* name = sqlite3_column_name(s, i);
            const char* decl = sqlite3_column_decltype(s, i);
            ColumnType type = ColumnTypeFromDeclaration(decl ? decl : "");
            if (type.type == dbUnknown && !aggregated[static_cast<std::size_t>(i)].empty())
                type = connection_->columnTypeByName(aggregated[static_cast<std::size_t>(i)]);
            if (numbered) {
                const char* origin = sqlite3_column_origin_name(s, i);
                const char* table = sqlite3_column_table_name(s, i);
                if (origin && table && SameName(table, table_)) tableColumns_[static_cast<std::size_t>(i)] = origin;
            }
            fields_->items_.push_back(std::shared_ptr<Field>(new Field(this, i, name ? name : "", type)));
        }
    }

    auto rows = std::make_unique<RowStore>(visible, numbered);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) rows->append(s);
    if (rc != SQLITE_DONE) connection_->fail(rc, StatementKind::Select, query_);
    rows_ = std::move(rows);
    pos_ = rows_->rows() > 0 ? 0 : -1;
    editMode_ = dbEditNone;
    lastModified_ = -1;
    noMatch_ = false;
}

// --- state checks ------------------------------------------------------------

void Recordset::checkOpen() const {
    if (closed_ || !rows_)
        RaiseEngineError(errors::ObjectClosed, "The recordset has been closed; it can no longer be used.");
    if (connection_->closed())
        RaiseEngineError(errors::ObjectClosed,
                         "The database '" + connection_->path() + "' of this recordset has been closed.");
}

std::size_t Recordset::rowCount() const { return rows_ ? rows_->rows() : 0; }

bool Recordset::isLive(long row) const {
    return row >= 0 && static_cast<std::size_t>(row) < rowCount() && !rows_->deleted(static_cast<std::size_t>(row));
}

bool Recordset::hasCurrent() const { return isLive(pos_); }

void Recordset::requireCurrent() const {
    if (pos_ >= 0 && static_cast<std::size_t>(pos_) < rowCount() && rows_->deleted(static_cast<std::size_t>(pos_)))
        RaiseEngineError(errors::RecordDeleted, "The current record has been deleted.");
    if (!hasCurrent()) noCurrentRecord();
}

bool Recordset::Updatable() const { return !table_.empty() && type_ != dbOpenSnapshot && type_ != dbOpenForwardOnly; }

void Recordset::requireUpdatable() const {
    if (!Updatable())
        RaiseEngineError(errors::ReadOnly,
                         type_ == dbOpenSnapshot || type_ == dbOpenForwardOnly
                             ? "The recordset is a read-only snapshot; its records cannot be changed."
                             : "The recordset's query does not read a single table; its records cannot be changed.");
}

long Recordset::nextLive(long from) const {
    long n = static_cast<long>(rowCount());
    for (long r = std::max(from + 1, 0L); r < n; ++r)
        if (!rows_->deleted(static_cast<std::size_t>(r))) return r;
    return n;
}

long Recordset::previousLive(long from) const {
    for (long r = std::min(from, static_cast<long>(rowCount())) - 1; r >= 0; --r)
        if (!rows_->deleted(static_cast<std::size_t>(r))) return r;
    return -1;
}

std::size_t Recordset::liveCount() const { return rows_ ? rows_->liveCount() : 0; }

// --- observers ---------------------------------------------------------------

void Recordset::AddObserver(RecordsetObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void Recordset::RemoveObserver(RecordsetObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Recordset::beforeAction(int action) {
    if (observers_.empty()) return;
    // A copy: an observer may stop observing (or others) while it is told.
    auto observers = observers_;
    for (RecordsetObserver* o : observers) {
        if (std::find(observers_.begin(), observers_.end(), o) == observers_.end()) continue;
        if (!o->BeforeAction(action))
            RaiseEngineError(errors::CancelledByBoundObject,
                             "The action was cancelled by an object bound to the recordset.");
    }
}

void Recordset::moveTo(long row) {
    editMode_ = dbEditNone;
    buffer_.clear();
    pos_ = row;
    notifyCurrentRecordChanged(true);
}

// Observers may remove themselves (or others) while being told.
void Recordset::notifyCurrentRecordChanged(bool moved) {
    if (observers_.empty()) return;
    auto observers = observers_;
    for (RecordsetObserver* o : observers)
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end()) o->CurrentRecordChanged(moved);
}

// --- moving ------------------------------------------------------------------

// Before the first row is BOF, after the last is EOF; a recordset without
// rows is at both once it stands before its first row (after opening, or
// after moving back from the end). A deleted current record counts as a
// position until the next move, so Delete, MoveNext, MovePrevious walks off
// the last remaining record without an error.
bool Recordset::Bof() const {
    checkOpen();
    return pos_ < 0;
}

bool Recordset::Eof() const {
    checkOpen();
    return pos_ >= static_cast<long>(rowCount()) || (pos_ < 0 && liveCount() == 0);
}

int Recordset::RecordCount() const {
    checkOpen();
    return static_cast<int>(liveCount());
}

void Recordset::MoveFirst() {
    checkOpen();
    if (liveCount() == 0) noCurrentRecord();
    beforeAction(vbDataActionMoveFirst);
    moveTo(nextLive(-1));
}

void Recordset::MoveLast() {
    checkOpen();
    if (liveCount() == 0) noCurrentRecord();
    beforeAction(vbDataActionMoveLast);
    moveTo(previousLive(static_cast<long>(rowCount())));
}

void Recordset::MoveNext() {
    checkOpen();
    if (Eof()) noCurrentRecord();
    beforeAction(vbDataActionMoveNext);
    long from = editMode_ == dbEditAdd ? savedPos_ : pos_;
    moveTo(nextLive(from));
}

void Recordset::MovePrevious() {
    checkOpen();
    if (Bof()) noCurrentRecord();
    beforeAction(vbDataActionMovePrevious);
    long from = editMode_ == dbEditAdd ? savedPos_ : pos_;
    moveTo(previousLive(from));
}

long Recordset::AbsolutePosition() const {
    checkOpen();
    if (!hasCurrent() || editMode_ == dbEditAdd) return -1;
    return static_cast<long>(rows_->livePosition(static_cast<std::size_t>(pos_)));
}

void Recordset::SetAbsolutePosition(long position) {
    checkOpen();
    const std::size_t live = liveCount();
    if (position < 0 || static_cast<std::size_t>(position) >= live)
        RaiseEngineError(errors::InvalidArgument, "There is no record at position " + std::to_string(position) +
                                                      " (the recordset has " + std::to_string(live) + ").");
    long row = static_cast<long>(rows_->liveRow(static_cast<std::size_t>(position)));
    beforeAction(vbDataActionBookmark);
    moveTo(row);
}

// --- reading -----------------------------------------------------------------

vb::Variant Recordset::cellValue(std::size_t row, int field) const {
    const Cell c = rows_->at(row, field);
    const Field& f = *fields_->items_[static_cast<std::size_t>(field)];
    return VariantFromStored(f.type_, c.kind, c.kind == StoredValue::Integer ? c.i : 0,
                             c.kind == StoredValue::Real ? c.d : 0.0, c.kind == StoredValue::Text ? c.text : nullptr,
                             c.length);
}

vb::Variant Recordset::fieldValue(int field) const {
    checkOpen();
    if (editMode_ != dbEditNone) return buffer_[static_cast<std::size_t>(field)];
    requireCurrent();
    return cellValue(static_cast<std::size_t>(pos_), field);
}

vb::Variant Recordset::PeekValue(long position, int field) const {
    checkOpen();
    if (position < 0 || static_cast<std::size_t>(position) >= liveCount()) noCurrentRecord();
    (*fields_)(field);  // 3265 when out of range
    return cellValue(rows_->liveRow(static_cast<std::size_t>(position)), field);
}

namespace {

// Makes the value of a cell where it is to stand: a vector's emplace_back
// constructs the Variant in place from it, with no temporary to move.
struct CellValueMaker {
    const Recordset* owner;
    std::size_t row;
    int field;
    vb::Variant (Recordset::*make)(std::size_t, int) const;
    operator vb::Variant() const { return (owner->*make)(row, field); }
};

}  // namespace

bool Recordset::PeekText(long position, int field, std::string_view& text) const {
    checkOpen();
    if (position < 0 || static_cast<std::size_t>(position) >= liveCount()) noCurrentRecord();
    const int type = (*fields_)(field).type_.type;  // 3265 when out of range
    if (type != dbText && type != dbMemo && type != dbUnknown) return false;
    const Cell c = rows_->at(rows_->liveRow(static_cast<std::size_t>(position)), field);
    if (c.kind != StoredValue::Text) return false;
    text = std::string_view(c.text, c.length);
    return true;
}

vb::Variant Recordset::GetRows(int rows) {
    checkOpen();
    long start = pos_ < 0 ? nextLive(-1) : (isLive(pos_) ? pos_ : nextLive(pos_));
    if (rows < 0) RaiseEngineError(errors::InvalidArgument, "GetRows needs a number of rows that is not negative.");
    if (start >= static_cast<long>(rowCount())) noCurrentRecord();
    // The rows not deleted from the current one on, at most `rows` of them.
    const std::size_t first = rows_->livePosition(static_cast<std::size_t>(start));
    const std::size_t count = std::min(liveCount() - first, static_cast<std::size_t>(rows));
    const int columns = fields_->Count();
    // The values are made in place, in storage order (field varies fastest):
    // one pass over the array instead of filling it with Empty first.
    auto array = std::make_shared<vb::SafeArray>();
    array->bounds = {{0, columns}, {0, static_cast<std::int32_t>(count)}};
    array->data.reserve(count * static_cast<std::size_t>(columns));
    long last = -1;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t row = rows_->liveRow(first + k);
        for (int f = 0; f < columns; ++f) array->data.emplace_back(CellValueMaker{this, row, f, &Recordset::cellValue});
        last = static_cast<long>(row);
    }
    moveTo(count == 0 ? start : nextLive(last));
    return vb::Variant(array);
}

// --- editing -----------------------------------------------------------------

void Recordset::setFieldValue(int field, const vb::Variant& value) {
    checkOpen();
    requireUpdatable();
    if (editMode_ == dbEditNone)
        RaiseEngineError(errors::UpdateWithoutEditOrAddNew, "A field can only be set after Edit or AddNew.");
    const std::string& column = tableColumns_[static_cast<std::size_t>(field)];
    const Field& f = *fields_->items_[static_cast<std::size_t>(field)];
    if (column.empty())
        RaiseEngineError(errors::FieldNotUpdatable,
                         "The field '" + f.Name() + "' is computed by the query and cannot be changed.");
    buffer_[static_cast<std::size_t>(field)] = ConvertForColumn(value, f.type_, table_ + "." + column);
    changed_[static_cast<std::size_t>(field)] = true;
}

void Recordset::reloadRow(std::size_t row) {
    std::string list;
    std::vector<int> fieldsRead;
    for (std::size_t i = 0; i < tableColumns_.size(); ++i) {
        if (tableColumns_[i].empty()) continue;
        list += (list.empty() ? "" : ", ") + QuoteName(tableColumns_[i]);
        fieldsRead.push_back(static_cast<int>(i));
    }
    if (list.empty()) return;
    std::string sql = "SELECT " + list + " FROM " + QuoteName(table_) + " WHERE rowid = ?";
    Statement stmt = connection_->prepare(sql, StatementKind::Select);
    sqlite3_bind_int64(stmt.get(), 1, rows_->rowid(row));
    int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_DONE) {
        rows_->markDeleted(row);
        RaiseEngineError(errors::RecordDeleted,
                         "The record has been deleted from the table '" + table_ + "' by another user.");
    }
    if (rc != SQLITE_ROW) connection_->fail(rc, StatementKind::Select, sql);
    for (std::size_t k = 0; k < fieldsRead.size(); ++k) rows_->set(row, fieldsRead[k], stmt.get(), static_cast<int>(k));
}

bool Recordset::rowExists(std::size_t row) const {
    const std::string sql = "SELECT 1 FROM " + QuoteName(table_) + " WHERE rowid = ?";
    Statement stmt = connection_->prepare(sql, StatementKind::Select);
    sqlite3_bind_int64(stmt.get(), 1, rows_->rowid(row));
    int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) connection_->fail(rc, StatementKind::Select, sql);
    return rc == SQLITE_ROW;
}

namespace {

bool sameCell(const Cell& a, const Cell& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case StoredValue::Integer: return a.i == b.i;
    case StoredValue::Real: return a.d == b.d;
    case StoredValue::Text: return a.length == b.length && std::equal(a.text, a.text + a.length, b.text);
    default: return true;
    }
}

}  // namespace

void Recordset::tablesRolledBack() {
    if (closed_ || !rows_ || table_.empty() || connection_->closed()) return;
    const bool hadCurrent = hasCurrent();
    std::vector<Cell> before;
    if (hadCurrent)
        for (int f = 0; f < rows_->columns(); ++f) before.push_back(rows_->at(static_cast<std::size_t>(pos_), f));

    std::string list;
    std::vector<int> fieldsRead;
    for (std::size_t i = 0; i < tableColumns_.size(); ++i) {
        if (tableColumns_[i].empty()) continue;
        list += ", " + QuoteName(tableColumns_[i]);
        fieldsRead.push_back(static_cast<int>(i));
    }
    const std::string sql = "SELECT rowid" + list + " FROM " + QuoteName(table_) + " WHERE rowid = ?";
    sqlite3_stmt* raw = nullptr;
    const bool tableExists = sqlite3_prepare_v2(connection_->handle(), sql.c_str(), -1, &raw, nullptr) == SQLITE_OK;
    Statement stmt(raw);
    for (std::size_t row = 0; row < rowCount(); ++row) {
        if (rows_->deleted(row)) continue;
        bool exists = false;
        if (tableExists) {
            sqlite3_bind_int64(raw, 1, rows_->rowid(row));
            exists = sqlite3_step(raw) == SQLITE_ROW;
            if (exists)
                for (std::size_t k = 0; k < fieldsRead.size(); ++k)
                    rows_->set(row, fieldsRead[k], raw, static_cast<int>(k + 1));
            sqlite3_reset(raw);
        }
        if (!exists) rows_->markDeleted(row);
    }

    if (!hadCurrent) return;
    bool changed = !hasCurrent();
    for (int f = 0; !changed && f < rows_->columns(); ++f)
        changed = !sameCell(before[static_cast<std::size_t>(f)], rows_->at(static_cast<std::size_t>(pos_), f));
    if (changed && editMode_ == dbEditNone) notifyCurrentRecordChanged(false);
}

// Edit and Delete act on the current row: a pending AddNew is dropped and
// the row that was current before it comes back.
void Recordset::beginChangeOfCurrentRow() {
    checkOpen();
    requireUpdatable();
    if (editMode_ == dbEditAdd) {
        editMode_ = dbEditNone;
        pos_ = savedPos_;
    }
    requireCurrent();
}

void Recordset::Edit() {
    beginChangeOfCurrentRow();
    reloadRow(static_cast<std::size_t>(pos_));  // the latest values, also those another user saved
    buffer_.clear();
    original_.clear();
    for (int f = 0; f < fields_->Count(); ++f) {
        buffer_.push_back(cellValue(static_cast<std::size_t>(pos_), f));
        original_.push_back(rows_->stored(static_cast<std::size_t>(pos_), f));
    }
    changed_.assign(buffer_.size(), false);
    editMode_ = dbEditInProgress;
}

void Recordset::AddNew() {
    checkOpen();
    requireUpdatable();
    beforeAction(vbDataActionAddNew);
    if (editMode_ == dbEditAdd) pos_ = savedPos_;
    savedPos_ = pos_;
    buffer_.assign(static_cast<std::size_t>(fields_->Count()), vb::Variant::Null());
    changed_.assign(buffer_.size(), false);
    editMode_ = dbEditAdd;
    notifyCurrentRecordChanged(true);
}

void Recordset::Update() {
    checkOpen();
    if (editMode_ == dbEditNone)
        RaiseEngineError(errors::UpdateWithoutEditOrAddNew, "Update was called without AddNew or Edit.");
    beforeAction(vbDataActionUpdate);
    if (editMode_ == dbEditNone) return;  // the pending change was cancelled meanwhile

    std::vector<std::size_t> written;
    for (std::size_t i = 0; i < changed_.size(); ++i)
        if (changed_[i]) written.push_back(i);
    sqlite3* db = connection_->handle();

    if (editMode_ == dbEditInProgress) {
        std::size_t row = static_cast<std::size_t>(pos_);
        if (!written.empty()) {
            // The row is written only while each field written still holds
            // what Edit read: the check and the change are one statement,
            // under the file's write lock, so no other save slips between.
            std::string sets, unchanged;
            for (std::size_t i : written) {
                sets += (sets.empty() ? "" : ", ") + QuoteName(tableColumns_[i]) + " = ?";
                unchanged += " AND " + stillHolds(tableColumns_[i], original_[i]);
            }
            std::string sql = "UPDATE " + QuoteName(table_) + " SET " + sets + " WHERE rowid = ?" + unchanged;
            Statement stmt = connection_->prepare(sql, StatementKind::Update);
            int p = 1;
            for (std::size_t i : written)
                BindStored(stmt.get(), p++, StoredFromVariant(buffer_[i]));
            sqlite3_bind_int64(stmt.get(), p++, rows_->rowid(row));
            for (std::size_t i : written)
                if (original_[i].kind != StoredValue::Null) BindStored(stmt.get(), p++, original_[i]);
            connection_->run(stmt, StatementKind::Update, sql);
            if (sqlite3_changes(db) == 0) {
                if (!rowExists(row))
                    RaiseEngineError(errors::RecordDeleted,
                                     "The record has been deleted from the table '" + table_ + "' by another user.");
                // The edit stays pending with its values; cancelling it shows
                // the record as the other user left it.
                reloadRow(row);
                RaiseEngineError(errors::WriteConflict,
                                 "The database engine stopped the process because you and another user are "
                                 "attempting to change the same data at the same time: the record in the table '" +
                                     table_ + "' was changed by another user after the edit began.");
            }
        }
        editMode_ = dbEditNone;
        buffer_.clear();
        lastModified_ = static_cast<long>(row);
        try {
            reloadRow(row);
        } catch (const vb::VBError&) {
        }
        notifyCurrentRecordChanged(false);
        return;
    }

    // A new record.
    std::string sql;
    if (written.empty()) {
        sql = "INSERT INTO " + QuoteName(table_) + " DEFAULT VALUES";
    } else {
        std::string columns, marks;
        for (std::size_t i : written) {
            columns += (columns.empty() ? "" : ", ") + QuoteName(tableColumns_[i]);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql = "INSERT INTO " + QuoteName(table_) + " (" + columns + ") VALUES (" + marks + ")";
    }
    Statement stmt = connection_->prepare(sql, StatementKind::Insert);
    int p = 1;
    for (std::size_t i : written) BindStored(stmt.get(), p++, StoredFromVariant(buffer_[i]));
    connection_->run(stmt, StatementKind::Insert, sql);
    std::int64_t rowid = sqlite3_last_insert_rowid(db);

    std::size_t row = rows_->rows();
    rows_->appendNulls(rowid);
    try {
        reloadRow(row);
    } catch (const vb::VBError&) {
    }
    lastModified_ = static_cast<long>(row);
    moveTo(savedPos_);
}

void Recordset::CancelUpdate() {
    checkOpen();
    if (editMode_ == dbEditNone)
        RaiseEngineError(errors::UpdateWithoutEditOrAddNew, "CancelUpdate was called without AddNew or Edit.");
    bool wasAdd = editMode_ == dbEditAdd;
    editMode_ = dbEditNone;
    buffer_.clear();
    if (wasAdd) {
        moveTo(savedPos_);
    } else {
        notifyCurrentRecordChanged(false);
    }
}

void Recordset::Delete() {
    beginChangeOfCurrentRow();
    beforeAction(vbDataActionDelete);
    editMode_ = dbEditNone;
    buffer_.clear();
    std::size_t row = static_cast<std::size_t>(pos_);
    std::string sql = "DELETE FROM " + QuoteName(table_) + " WHERE rowid = ?";
    Statement stmt = connection_->prepare(sql, StatementKind::Delete);
    sqlite3_bind_int64(stmt.get(), 1, rows_->rowid(row));
    connection_->run(stmt, StatementKind::Delete, sql);
    bool gone = sqlite3_changes(connection_->handle()) == 0;
    rows_->markDeleted(row);
    if (gone)
        RaiseEngineError(errors::RecordDeleted, "The record had already been deleted from the table '" + table_ + "'.");
}

vb::Variant Recordset::Bookmark() const {
    checkOpen();
    if (editMode_ == dbEditAdd) noCurrentRecord();
    requireCurrent();
    return vb::Variant::Long(static_cast<std::int32_t>(pos_ + 1));
}

void Recordset::SetBookmark(const vb::Variant& bookmark) {
    checkOpen();
    long row = -1;
    try {
        row = static_cast<long>(bookmark.ToLong()) - 1;
    } catch (const vb::VBError&) {
    }
    if (!isLive(row))
        RaiseEngineError(errors::NotABookmark, "The value given is not a valid bookmark of this recordset.");
    beforeAction(vbDataActionBookmark);
    moveTo(row);
}

vb::Variant Recordset::LastModified() const {
    checkOpen();
    if (lastModified_ < 0)
        RaiseEngineError(errors::NoCurrentRecord, "No record of this recordset has been added or changed.");
    return vb::Variant::Long(static_cast<std::int32_t>(lastModified_ + 1));
}

// --- finding -----------------------------------------------------------------

void Recordset::find(const std::string& criterion, long from) {
    checkOpen();
    std::string expression = TranslateExpression(criterion);
    // Only the fields the criterion names are handed to it, one row at a time.
    std::vector<int> used;
    for (const std::string& name : NamesIn(criterion))
        for (int f = 0; f < fields_->Count(); ++f)
            if (SameName(fields_->items_[static_cast<std::size_t>(f)]->Name(), name) &&
                std::find(used.begin(), used.end(), f) == used.end())
                used.push_back(f);
    std::string columns;
    for (std::size_t k = 0; k < used.size(); ++k) {
        const Field& f = *fields_->items_[static_cast<std::size_t>(used[k])];
        bool text = f.type_.type == dbText || f.type_.type == dbMemo;
        columns += (k ? ", ?" : "?") + std::to_string(k + 1) + (text ? " COLLATE NOCASE" : "") + " AS " +
                   QuoteName(f.Name());
    }
    if (columns.empty()) columns = "NULL AS \"__vbdb_none\"";
    std::string alias = table_.empty() ? "__vbdb_row" : table_;
    std::string sql = "SELECT (" + expression + ") FROM (SELECT " + columns + ") AS " + QuoteName(alias);
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(connection_->handle(), sql.c_str(), -1, &raw, nullptr);
    Statement stmt(raw);
    if (rc != SQLITE_OK) {
        std::string message = sqlite3_errmsg(connection_->handle());
        if (message.rfind("no such column: ", 0) == 0)
            RaiseEngineError(errors::UnknownNameInCriterion,
                             "The criterion names '" + message.substr(16) +
                                 "', which is not a field of the recordset: " + criterion);
        RaiseEngineError(errors::ExpressionSyntax, "Syntax error in the criterion (" + message + "): " + criterion);
    }
    long n = static_cast<long>(rowCount());
    long found = -1;
    for (long r = std::max(from, 0L); r < n; ++r) {
        if (rows_->deleted(static_cast<std::size_t>(r))) continue;
        for (std::size_t k = 0; k < used.size(); ++k)
            RowStore::bind(raw, static_cast<int>(k + 1), rows_->at(static_cast<std::size_t>(r), used[k]));
        rc = sqlite3_step(raw);
        bool match = rc == SQLITE_ROW && sqlite3_column_type(raw, 0) != SQLITE_NULL &&
                     sqlite3_column_double(raw, 0) != 0.0;
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            std::string message = sqlite3_errmsg(connection_->handle());
            sqlite3_reset(raw);
            RaiseEngineError(errors::DataTypeMismatch,
                             "The criterion cannot be evaluated (" + message + "): " + criterion);
        }
        sqlite3_reset(raw);
        if (match) {
            found = r;
            break;
        }
    }
    noMatch_ = found < 0;
    if (!noMatch_) moveTo(found);
}

void Recordset::FindFirst(const std::string& criterion) {
    checkOpen();
    beforeAction(vbDataActionFind);
    find(criterion, 0);
}

void Recordset::FindNext(const std::string& criterion) {
    checkOpen();
    beforeAction(vbDataActionFind);
    find(criterion, pos_ + 1);
}

// --- life --------------------------------------------------------------------

void Recordset::Requery() {
    checkOpen();
    load();
    notifyCurrentRecordChanged(true);
}

void Recordset::Close() {
    checkOpen();
    beforeAction(vbDataActionClose);
    closed_ = true;
    rows_.reset();
    buffer_.clear();
    editMode_ = dbEditNone;
    pos_ = -1;
}

// --- late-bound members ------------------------------------------------------

vb::Variant Recordset::GetMember(const std::string& name) {
    if (SameName(name, "EOF")) return vb::Variant(Eof());
    if (SameName(name, "BOF")) return vb::Variant(Bof());
    if (SameName(name, "RecordCount")) return vb::Variant::Long(RecordCount());
    if (SameName(name, "EditMode")) return vb::Variant::Long(EditMode());
    if (SameName(name, "NoMatch")) return vb::Variant(NoMatch());
    if (SameName(name, "Bookmark")) return Bookmark();
    if (SameName(name, "LastModified")) return LastModified();
    if (SameName(name, "AbsolutePosition")) return vb::Variant::Long(static_cast<std::int32_t>(AbsolutePosition()));
    if (SameName(name, "Name")) return vb::Variant(Name());
    if (SameName(name, "Type")) return vb::Variant::Integer(static_cast<std::int16_t>(Type()));
    if (SameName(name, "Updatable")) return vb::Variant(Updatable());
    if (SameName(name, "Fields")) return vb::Variant(std::static_pointer_cast<vb::Object>(fields_));
    return Object::GetMember(name);
}

void Recordset::SetMember(const std::string& name, const vb::Variant& value) {
    if (SameName(name, "Bookmark")) return SetBookmark(value);
    if (SameName(name, "AbsolutePosition")) return SetAbsolutePosition(value.ToLong());
    Object::SetMember(name, value);
}

vb::Variant Recordset::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    auto none = [&] { return args.empty(); };
    if (SameName(name, "MoveFirst") && none()) { MoveFirst(); return {}; }
    if (SameName(name, "MoveLast") && none()) { MoveLast(); return {}; }
    if (SameName(name, "MoveNext") && none()) { MoveNext(); return {}; }
    if (SameName(name, "MovePrevious") && none()) { MovePrevious(); return {}; }
    if (SameName(name, "Edit") && none()) { Edit(); return {}; }
    if (SameName(name, "AddNew") && none()) { AddNew(); return {}; }
    if (SameName(name, "Update")) { Update(); return {}; }
    if (SameName(name, "CancelUpdate")) { CancelUpdate(); return {}; }
    if (SameName(name, "Delete") && none()) { Delete(); return {}; }
    if (SameName(name, "Requery")) { Requery(); return {}; }
    if (SameName(name, "Close") && none()) { Close(); return {}; }
    if (SameName(name, "GetRows")) return GetRows(args.empty() ? 1 : static_cast<int>(args[0].ToLong()));
    if (SameName(name, "FindFirst") && args.size() == 1) { FindFirst(args[0].ToString()); return {}; }
    if (SameName(name, "FindNext") && args.size() == 1) { FindNext(args[0].ToString()); return {}; }
    if (SameName(name, "Fields")) {
        if (args.empty()) return vb::Variant(std::static_pointer_cast<vb::Object>(fields_));
        return fields_->CallMember("Item", args);
    }
    return Object::CallMember(name, args);
}

}  // namespace dao
