#pragma once
// A recordset: the rows of a query with a current record. The rows are read
// in full when the recordset opens (or is requeried) and kept compactly, so
// no statement stays open on the database file and a second connection can
// write to it meanwhile.
//
// A snapshot (dbOpenSnapshot) is read-only. A dynaset (the default) over a
// single table can be edited: each row remembers the table row it came from.
//
// EOF is a macro of the C library, so the end and start flags are spelled
// Eof() and Bof(); late-bound code reaches them as "EOF" and "BOF".
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "field_type.h"
#include "variant.h"

namespace dao {

class Connection;
class Recordset;
class RowStore;

enum RecordsetTypeEnum : int {
    dbOpenDefault = 0,  // dynaset for a query, table for a table name
    dbOpenTable = 1,
    dbOpenDynaset = 2,
    dbOpenSnapshot = 4,
    dbOpenForwardOnly = 8,
};

enum EditModeEnum : int { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

// What is about to happen to a recordset, numbered as the data control's
// Validate event reports it.
enum DataAction : int {
    vbDataActionCancel = 0,
    vbDataActionMoveFirst = 1,
    vbDataActionMovePrevious = 2,
    vbDataActionMoveNext = 3,
    vbDataActionMoveLast = 4,
    vbDataActionAddNew = 5,
    vbDataActionUpdate = 6,
    vbDataActionDelete = 7,
    vbDataActionFind = 8,
    vbDataActionBookmark = 9,
    vbDataActionClose = 10,
    vbDataActionUnload = 11,
};

// Something that follows a recordset's current record (the data control).
class RecordsetObserver {
public:
    virtual ~RecordsetObserver() = default;
    // Before the recordset carries out `action`. Returning false cancels
    // it; the recordset then raises error 3426.
    virtual bool BeforeAction(int action) = 0;
    // After the current record changed (moved is true) or was reloaded in
    // place (an edit saved or cancelled; moved is false).
    virtual void CurrentRecordChanged(bool moved) = 0;
};

// One column of a recordset, reading and writing the current record.
class Field : public vb::Object {
public:
    const std::string& Name() const { return name_; }
    int Type() const { return type_.type; }
    int Size() const { return type_.size; }
    vb::Variant Value() const;
    // Converts the value to the column's type (3421 when it cannot); needs
    // Edit or AddNew first (3020), and an updatable recordset (3027).
    void SetValue(const vb::Variant& value);

    std::string TypeName() const override { return "Field"; }
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

private:
    friend class Recordset;
    Field(Recordset* owner, int index, std::string name, ColumnType type)
        : owner_(owner), index_(index), name_(std::move(name)), type_(type) {}
    Recordset* owner_;
    int index_;
    std::string name_;
    ColumnType type_;
};

// The Fields collection of a recordset: by name (case ignored) or 0-based
// index.
class Fields : public vb::Object {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    Field& operator()(int index) const {
        if (index < 0 || index >= Count()) noSuchField(index);
        return *items_[static_cast<std::size_t>(index)];
    }
    Field& operator()(const std::string& name) const;
    Field& Item(const vb::Variant& indexOrName) const;

    std::string TypeName() const override { return "Fields"; }
    vb::Variant GetMember(const std::string& name) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class Recordset;
    [[noreturn]] void noSuchField(int index) const;
    std::vector<std::shared_ptr<Field>> items_;
};

class Recordset : public vb::Object {
public:
    ~Recordset() override;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // --- position ---
    bool Bof() const;
    bool Eof() const;
    int RecordCount() const;  // rows of the recordset (exact at all times)
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // 0-based place of the current record among the rows; -1 without one.
    long AbsolutePosition() const;
    void SetAbsolutePosition(long position);

    // --- reading ---
    dao::Fields& Fields() { return *fields_; }
    Field& Fields(int index) { return (*fields_)(index); }
    Field& Fields(const std::string& name) { return (*fields_)(name); }
    // Up to `rows` rows from the current record on, as a 2-D array indexed
    // (field, row), both 0-based; the current record then stands after the
    // last row returned.
    vb::Variant GetRows(int rows);
    // The value of field `field` in the row at `position` (AbsolutePosition
    // numbering) without moving: for grids that show many rows at once.
    vb::Variant PeekValue(long position, int field) const;
    // The same value without making a Variant, when it reads as a text (a
    // text in a text field): true and `text` set, valid until the row
    // changes or the recordset closes. False when PeekValue must be used.
    bool PeekText(long position, int field, std::string_view& text) const;

    // --- editing ---
    void Edit();
    void AddNew();
    // Saves the pending Edit or AddNew. An edit saves only while the fields
    // it changes still hold in the file what Edit read: when another user
    // saved one of them meanwhile, it raises 3197 and stays pending (3167
    // when the record is gone). Fields nobody else changed are merged.
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const { return editMode_; }
    vb::Variant Bookmark() const;
    void SetBookmark(const vb::Variant& bookmark);
    vb::Variant LastModified() const;
    bool Updatable() const;

    // --- finding ---
    // Criterion as a WHERE clause without the word ("TransactionID=12").
    void FindFirst(const std::string& criterion);
    void FindNext(const std::string& criterion);
    bool NoMatch() const { return noMatch_; }

    // --- life ---
    void Requery();  // runs the query again; the first row becomes current
    void Close();
    const std::string& Name() const { return source_; }  // the SQL text given
    int Type() const { return type_; }

    void AddObserver(RecordsetObserver* observer);
    void RemoveObserver(RecordsetObserver* observer);

    std::string TypeName() const override { return "Recordset"; }
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    // Opens `source` on `connection`; used by Database::OpenRecordset.
    static std::shared_ptr<Recordset> Open(std::shared_ptr<Connection> connection,
                                           const std::string& source, int type);

private:
    friend class Field;
    friend class Connection;
    Recordset(std::shared_ptr<Connection> connection, std::string source, int type);

    void load();
    void checkOpen() const;
    bool hasCurrent() const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void beginChangeOfCurrentRow();
    std::size_t rowCount() const;
    bool isLive(long row) const;
    long nextLive(long from) const;
    long previousLive(long from) const;
    void beforeAction(int action);
    void moveTo(long row);
    void notifyCurrentRecordChanged(bool moved);
    vb::Variant cellValue(std::size_t row, int field) const;
    vb::Variant fieldValue(int field) const;
    void setFieldValue(int field, const vb::Variant& value);
    void reloadRow(std::size_t row);
    bool rowExists(std::size_t row) const;
    std::size_t liveCount() const;  // rows not deleted
    void find(const std::string& criterion, long from);
    // A rollback changed the tables: rows that no longer exist count as
    // deleted, the others show their values as they now are.
    void tablesRolledBack();

    std::shared_ptr<Connection> connection_;
    std::string source_;       // as the program gave it
    std::string query_;        // as sent to the database
    int type_;
    bool closed_ = false;

    std::shared_ptr<dao::Fields> fields_;
    std::unique_ptr<RowStore> rows_;
    // Updatable recordsets: the table, and per column its name in the table
    // (empty for a computed column).
    std::string table_;
    std::vector<std::string> tableColumns_;

    long pos_ = -1;            // row index; -1 before the first, rowCount() after the last
    long savedPos_ = -1;       // current row when AddNew began
    int editMode_ = dbEditNone;
    std::vector<vb::Variant> buffer_;  // the pending values of Edit / AddNew
    // The row as it was stored when Edit began: Update writes a field only
    // while the stored value is still this one.
    std::vector<StoredValue> original_;
    std::vector<bool> changed_;
    long lastModified_ = -1;
    bool noMatch_ = false;

    std::vector<RecordsetObserver*> observers_;
};

}  // namespace dao
