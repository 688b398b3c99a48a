#include "data_control.h"
#include "sql_names.h"

#include <algorithm>
#include <cctype>

#include "engine_error.h"
#include "err.h"

namespace dao {

namespace {

bool isMove(int action) {
    switch (action) {
    case vbDataActionMoveFirst:
    case vbDataActionMovePrevious:
    case vbDataActionMoveNext:
    case vbDataActionMoveLast:
    case vbDataActionAddNew:
    case vbDataActionFind:
    case vbDataActionBookmark:
        return true;
    default:
        return false;
    }
}

// A busy counter that is restored however the block is left.
struct Busy {
    explicit Busy(int& n) : n_(n) { ++n_; }
    ~Busy() { --n_; }
    int& n_;
};

}  // namespace

class DataControl::Follower : public RecordsetObserver {
public:
    explicit Follower(DataControl& control) : control_(control) {}
    bool BeforeAction(int action) override { return control_.beforeAction(action); }
    void CurrentRecordChanged(bool moved) override { control_.currentRecordChanged(moved); }

private:
    DataControl& control_;
};

DataControl::DataControl() : follower_(std::make_unique<Follower>(*this)) {}

DataControl::~DataControl() {
    if (recordset_) recordset_->RemoveObserver(follower_.get());
}

void DataControl::SetDatabaseName(const std::string& path) {
    if (path != databaseName_) sourceChanged_ = true;
    databaseName_ = path;
}

void DataControl::SetRecordSource(const std::string& source) {
    recordSource_ = source;
    sourceChanged_ = true;
}

// --- the recordset -------------------------------------------------------------

void DataControl::detach() {
    if (!recordset_) return;
    recordset_->RemoveObserver(follower_.get());
    if (ownsRecordset_) {
        try {
            if (recordset_->EditMode() != dbEditNone) recordset_->CancelUpdate();
            recordset_->Close();
        } catch (const vb::VBError&) {
        }
    }
    recordset_.reset();
    ownsRecordset_ = false;
}

void DataControl::attach(std::shared_ptr<dao::Recordset> recordset, bool owned) {
    if (recordset_ != recordset) detach();
    recordset_ = std::move(recordset);
    ownsRecordset_ = owned;
    if (recordset_) recordset_->AddObserver(follower_.get());
    currentRecordChanged(true);
}

void DataControl::SetRecordset(std::shared_ptr<dao::Recordset> recordset) {
    attach(std::move(recordset), false);
    sourceChanged_ = false;
}

void DataControl::Refresh() {
    if (recordset_ && !ownsRecordset_ && !sourceChanged_) {
        recordset_->Requery();
        return;
    }
    if (recordSource_.empty()) {
        if (recordset_) recordset_->Requery();
        return;
    }
    if (!database_ || database_->Name() != databaseName_ || sourceChanged_) {
        if (databaseName_.empty())
            RaiseEngineError(errors::DatabaseFileNotFound,
                             "The data control has no DatabaseName to open its RecordSource on.");
        auto database = OpenDatabase(databaseName_, vb::Variant(exclusive_), readOnly_, connect_);
        detach();
        database_ = database;
    }
    int type = recordsetType_ == vbRSTypeSnapShot || readOnly_ ? dbOpenSnapshot : dbOpenDynaset;
    auto recordset = database_->OpenRecordset(recordSource_, type);
    sourceChanged_ = false;
    attach(recordset, true);
}

// --- saving the bound controls ---------------------------------------------------

bool DataControl::anyBoundChanged() const {
    for (BoundControl* c : bound_)
        if (c->DataChanged() && !c->DataField().empty()) return true;
    return false;
}

void DataControl::writeBoundValues() {
    for (BoundControl* c : bound_)
        if (c->DataChanged() && !c->DataField().empty()) recordset_->Fields(c->DataField()).SetValue(c->EditedValue());
}

bool DataControl::beforeAction(int action) {
    if (busy_) return true;
    bool save = anyBoundChanged();
    int act = action;
    if (Validate) Validate(act, save);
    if (act == vbDataActionCancel) return false;
    if (!save || action == vbDataActionDelete || action == vbDataActionClose || !recordset_ || !anyBoundChanged())
        return true;
    bool pending = recordset_->EditMode() != dbEditNone;
    if (!pending && !(isMove(action) && recordset_->Updatable() && !recordset_->Eof() && !recordset_->Bof()))
        return true;
    Busy busy(busy_);
    if (!pending) {
        try {
            recordset_->Edit();
        } catch (const vb::VBError& e) {
            if (e.number() == errors::NoCurrentRecord || e.number() == errors::RecordDeleted)
                return true;  // nothing left to save into
            throw;
        }
    }
    writeBoundValues();
    if (action != vbDataActionUpdate) recordset_->Update();
    return true;
}

void DataControl::UpdateRecord() {
    if (!recordset_) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    Busy busy(busy_);
    if (recordset_->EditMode() == dbEditNone) {
        if (!anyBoundChanged()) return;
        recordset_->Edit();
    }
    writeBoundValues();
    recordset_->Update();
}

void DataControl::UpdateControls() { showCurrent(); }

bool DataControl::Unload() {
    if (!recordset_) return true;
    bool save = anyBoundChanged();
    int act = vbDataActionUnload;
    if (Validate) Validate(act, save);
    if (act == vbDataActionCancel) return false;
    if (save && recordset_->EditMode() != dbEditNone) {
        Busy busy(busy_);
        writeBoundValues();
        recordset_->Update();
    }
    detach();
    if (database_) database_.reset();
    return true;
}

// --- following the current record ----------------------------------------------

void DataControl::showCurrent() {
    for (BoundControl* c : std::vector<BoundControl*>(bound_)) showIn(c);
}

// A field the recordset cannot give (unknown name, no current record) shows as Null.
void DataControl::showIn(BoundControl* control) {
    vb::Variant value = vb::Variant::Null();
    if (!control->DataField().empty()) {
        try {
            value = FieldValue(control->DataField());
        } catch (const vb::VBError&) {
            value = vb::Variant::Null();
        }
    }
    control->ShowFieldValue(value);
    control->SetDataChanged(false);
}

void DataControl::currentRecordChanged(bool moved) {
    showCurrent();
    if (moved && Reposition) Reposition();
    auto listeners = listeners_;
    for (auto& [id, listener] : listeners)
        if (listener) listener();
}

vb::Variant DataControl::FieldValue(const std::string& field) const {
    if (!recordset_) return vb::Variant::Null();
    dao::Field& f = recordset_->Fields(field);  // 3265 for a name the recordset lacks
    if (recordset_->EditMode() == dbEditNone && (recordset_->Eof() || recordset_->Bof())) return vb::Variant::Null();
    try {
        return f.Value();
    } catch (const vb::VBError& e) {
        if (e.number() == errors::NoCurrentRecord || e.number() == errors::RecordDeleted) return vb::Variant::Null();
        throw;
    }
}

void DataControl::SetFieldValue(const std::string& field, const vb::Variant& value) {
    if (!recordset_) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    if (recordset_->EditMode() == dbEditNone) recordset_->Edit();
    recordset_->Fields(field).SetValue(value);
}

// --- arrow buttons -----------------------------------------------------------------

template <typename Move>
void DataControl::arrowMove(Move move) {
    if (!recordset_ || recordset_->RecordCount() == 0) return;
    try {
        move();
    } catch (const vb::VBError& e) {
        if (e.number() != errors::CancelledByBoundObject) throw;  // Validate cancelled the move
    }
}

void DataControl::MoveFirst() {
    arrowMove([&] { recordset_->MoveFirst(); });
}

void DataControl::MoveLast() {
    arrowMove([&] { recordset_->MoveLast(); });
}

void DataControl::MoveNext() {
    arrowMove([&] {
        if (!recordset_->Eof()) recordset_->MoveNext();
        if (!recordset_->Eof()) return;
        if (eofAction_ == vbEOFActionMoveLast) recordset_->MoveLast();
        else if (eofAction_ == vbEOFActionAddNew && recordset_->Updatable()) recordset_->AddNew();
    });
}

void DataControl::MovePrevious() {
    arrowMove([&] {
        if (!recordset_->Bof()) recordset_->MovePrevious();
        if (recordset_->Bof() && bofAction_ == vbBOFActionMoveFirst) recordset_->MoveFirst();
    });
}

// --- bound controls and listeners ---------------------------------------------------

void DataControl::Bind(BoundControl* control) {
    if (!control || std::find(bound_.begin(), bound_.end(), control) != bound_.end()) return;
    bound_.push_back(control);
    showIn(control);
}

void DataControl::Unbind(BoundControl* control) {
    bound_.erase(std::remove(bound_.begin(), bound_.end(), control), bound_.end());
}

int DataControl::AddChangeListener(std::function<void()> listener) {
    int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void DataControl::RemoveChangeListener(int id) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(), [id](const auto& l) { return l.first == id; }),
                     listeners_.end());
}

// --- late-bound members -------------------------------------------------------------

vb::Variant DataControl::GetMember(const std::string& name) {
    if (SameName(name, "Recordset")) return recordset_ ? vb::Variant(std::static_pointer_cast<vb::Object>(recordset_)) : vb::Variant(vb::ObjectRef());
    if (SameName(name, "Database")) return database_ ? vb::Variant(std::static_pointer_cast<vb::Object>(database_)) : vb::Variant(vb::ObjectRef());
    if (SameName(name, "RecordSource")) return vb::Variant(recordSource_);
    if (SameName(name, "DatabaseName")) return vb::Variant(databaseName_);
    if (SameName(name, "RecordsetType")) return vb::Variant::Integer(static_cast<std::int16_t>(recordsetType_));
    if (SameName(name, "ReadOnly")) return vb::Variant(readOnly_);
    if (SameName(name, "Exclusive")) return vb::Variant(exclusive_);
    if (SameName(name, "Connect")) return vb::Variant(connect_);
    if (SameName(name, "EOFAction")) return vb::Variant::Integer(static_cast<std::int16_t>(eofAction_));
    if (SameName(name, "BOFAction")) return vb::Variant::Integer(static_cast<std::int16_t>(bofAction_));
    return Object::GetMember(name);
}

void DataControl::SetMember(const std::string& name, const vb::Variant& value) {
    if (SameName(name, "Recordset")) {
        auto rs = std::dynamic_pointer_cast<dao::Recordset>(value.ToObject());
        if (value.IsObject() && value.ToObject() && !rs) vb::RaiseError(vb::errors::TypeMismatch);
        return SetRecordset(rs);
    }
    if (SameName(name, "RecordSource")) return SetRecordSource(value.ToString());
    if (SameName(name, "DatabaseName")) return SetDatabaseName(value.ToString());
    if (SameName(name, "RecordsetType")) return SetRecordsetType(value.ToInteger());
    if (SameName(name, "ReadOnly")) return SetReadOnly(value.ToBool());
    if (SameName(name, "Exclusive")) return SetExclusive(value.ToBool());
    if (SameName(name, "Connect")) return SetConnect(value.ToString());
    if (SameName(name, "EOFAction")) return SetEOFAction(value.ToInteger());
    if (SameName(name, "BOFAction")) return SetBOFAction(value.ToInteger());
    Object::SetMember(name, value);
}

vb::Variant DataControl::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (args.empty() && SameName(name, "Refresh")) { Refresh(); return {}; }
    if (args.empty() && SameName(name, "UpdateRecord")) { UpdateRecord(); return {}; }
    if (args.empty() && SameName(name, "UpdateControls")) { UpdateControls(); return {}; }
    return Object::CallMember(name, args);
}

}  // namespace dao
