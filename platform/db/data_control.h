#pragma once
// The data control's model, without widgets: it holds a recordset (opened
// from DatabaseName and RecordSource, or set from code), keeps the controls
// bound to it showing the current record, writes their edits back, and
// raises the Validate and Reposition events.
//
// How bound controls use it (the forms layer's text boxes, labels, combo
// boxes and grids):
//   * A bound control implements dao::BoundControl and calls Bind(this) on
//     its data control; Unbind(this) before it goes away.
//   * Whenever the current record changes or is reloaded (a move, Refresh,
//     AddNew, an edit saved or cancelled, a recordset set from code), the
//     data control calls ShowFieldValue with the value of the control's
//     DataField in the current record (Null when there is none, also on a
//     new record) and clears its DataChanged flag. The control shows the
//     value and sets DataChanged itself when the user changes it.
//   * Before the recordset moves, is updated or closed, the data control
//     raises Validate(Action, Save) with Save True when a bound control has
//     DataChanged set; when Save stays True and an edit is pending (or the
//     record is moved away from), the EditedValue of every changed control is
//     written to its field and the record saved. UpdateRecord does the same
//     without Validate.
//   * Controls that need more than one field (a grid of all rows, a combo
//     box with its own list) read the recordset directly (Recordset(),
//     PeekValue) and register with AddChangeListener to hear of every change.
//   * FieldValue / SetFieldValue read and write one field of the current
//     record by name; SetFieldValue starts an edit when none is pending.
// Code that moves the data control's Recordset itself (rs->MoveNext()) goes
// through the same path: Validate first, then the bound controls follow and
// Reposition is raised. Errors of the engine are raised as vb::VBError to
// whoever called.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database.h"
#include "recordset.h"
#include "variant.h"

namespace dao {

// A control bound to a field of a data control's current record.
class BoundControl {
public:
    virtual ~BoundControl() = default;
    virtual std::string DataField() const = 0;  // "" when not bound to a field
    virtual void ShowFieldValue(const vb::Variant& value) = 0;
    virtual bool DataChanged() const = 0;
    virtual void SetDataChanged(bool changed) = 0;
    virtual vb::Variant EditedValue() const = 0;  // what the user entered
};

// The data control's RecordsetType property.
enum DataRecordsetType : int { vbRSTypeTable = 0, vbRSTypeDynaset = 1, vbRSTypeSnapShot = 2 };
// EOFAction and BOFAction.
enum DataEOFAction : int { vbEOFActionMoveLast = 0, vbEOFActionEOF = 1, vbEOFActionAddNew = 2 };
enum DataBOFAction : int { vbBOFActionMoveFirst = 0, vbBOFActionBOF = 1 };

class DataControl : public vb::Object {
public:
    DataControl();
    ~DataControl() override;
    DataControl(const DataControl&) = delete;
    DataControl& operator=(const DataControl&) = delete;

    // --- properties ---
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const std::string& path);
    const std::string& RecordSource() const { return recordSource_; }
    void SetRecordSource(const std::string& source);
    int RecordsetType() const { return recordsetType_; }
    void SetRecordsetType(int type) { recordsetType_ = type; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool value) { exclusive_ = value; }
    const std::string& Connect() const { return connect_; }
    void SetConnect(const std::string& value) { connect_ = value; }
    int EOFAction() const { return eofAction_; }
    void SetEOFAction(int value) { eofAction_ = value; }
    int BOFAction() const { return bofAction_; }
    void SetBOFAction(int value) { bofAction_ = value; }

    // The recordset; empty until Refresh or SetRecordset.
    std::shared_ptr<dao::Recordset> Recordset() const { return recordset_; }
    // Takes a recordset opened by code; the bound controls show its current
    // record and Reposition is raised.
    void SetRecordset(std::shared_ptr<dao::Recordset> recordset);
    // The database of a recordset opened from DatabaseName (empty otherwise).
    std::shared_ptr<dao::Database> Database() const { return database_; }

    // --- methods ---
    // Runs the query again: the recordset set from code is requeried, else
    // DatabaseName and RecordSource are opened anew. The first record
    // becomes current.
    void Refresh();
    // Writes the changed bound controls to the current record and saves it,
    // without Validate.
    void UpdateRecord();
    // Shows the current record's values again in the bound controls,
    // discarding their changes.
    void UpdateControls();
    // The arrow buttons: move, then apply BOFAction / EOFAction at the ends.
    // A move that Validate cancels is dropped silently.
    void MoveFirst();
    void MovePrevious();
    void MoveNext();
    void MoveLast();
    // The form unloads: raises Validate with vbDataActionUnload, saves a
    // pending edit when Save stays True, then lets the recordset go.
    // Returns false when Validate set Action to 0.
    bool Unload();

    // --- current record by field name ---
    vb::Variant FieldValue(const std::string& field) const;  // Null without a current record
    void SetFieldValue(const std::string& field, const vb::Variant& value);

    // --- bound controls and listeners ---
    void Bind(BoundControl* control);
    void Unbind(BoundControl* control);
    // Called after the current record changed or the rows were replaced.
    int AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(int id);

    // --- events ---
    // Validate(Action, Save): Action is a DataAction; setting it to 0
    // cancels; setting Save to false discards the bound controls' changes.
    std::function<void(int& action, bool& save)> Validate;
    std::function<void()> Reposition;

    std::string TypeName() const override { return "Data"; }
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    class Follower;
    friend class Follower;

    bool beforeAction(int action);
    void currentRecordChanged(bool moved);
    bool anyBoundChanged() const;
    void writeBoundValues();
    void showCurrent();
    void showIn(BoundControl* control);
    void attach(std::shared_ptr<dao::Recordset> recordset, bool owned);
    void detach();
    template <typename Move> void arrowMove(Move move);

    std::string databaseName_;
    std::string recordSource_;
    bool sourceChanged_ = false;
    int recordsetType_ = vbRSTypeDynaset;
    bool readOnly_ = false;
    bool exclusive_ = false;
    std::string connect_;
    int eofAction_ = vbEOFActionMoveLast;
    int bofAction_ = vbBOFActionMoveFirst;

    std::shared_ptr<dao::Database> database_;
    std::shared_ptr<dao::Recordset> recordset_;
    bool ownsRecordset_ = false;
    std::unique_ptr<Follower> follower_;
    int busy_ = 0;  // inside our own save: no Validate for it

    std::vector<BoundControl*> bound_;
    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace dao
