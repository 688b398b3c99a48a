// The data control's model: bound controls follow the current record and
// write back; Validate and Reposition are raised at the right moments.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE tblSuppliers (SupplierID LONG NOT NULL PRIMARY KEY, SupplierName TEXT(50), City TEXT(50));
INSERT INTO tblSuppliers VALUES (1, 'Allegro', 'Chicago'), (2, 'Baroque', 'Newark'), (3, 'Cadenza', 'Denver');
)";

const char* kSource = "select * from [tblSuppliers] Order by [SupplierID]";

// A text box as far as the data control sees it.
class FakeTextBox : public dao::BoundControl {
public:
    explicit FakeTextBox(std::string field) : field_(std::move(field)) {}
    std::string DataField() const override { return field_; }
    void ShowFieldValue(const vb::Variant& value) override { text = value.IsNull() ? "" : value.ToString(); }
    bool DataChanged() const override { return changed; }
    void SetDataChanged(bool c) override { changed = c; }
    vb::Variant EditedValue() const override { return vb::Variant(text); }
    void Type(const std::string& t) {
        text = t;
        changed = true;
    }

    std::string text;
    bool changed = false;

private:
    std::string field_;
};

class DataControlTest : public ::testing::Test {
protected:
    DataControlTest() : t(kSchema), db(dao::OpenDatabase(t.path())) {
        data.Validate = [this](int& action, bool& save) {
            validations.push_back(action);
            saves.push_back(save);
            if (cancelNext) {
                action = dao::vbDataActionCancel;
                cancelNext = false;
            }
            if (onValidate) onValidate(action);
        };
        data.Reposition = [this] { ++repositions; };
        data.Bind(&id);
        data.Bind(&name);
    }
    ~DataControlTest() override {
        data.Unbind(&id);
        data.Unbind(&name);
    }

    TempDatabase t;
    std::shared_ptr<dao::Database> db;
    dao::DataControl data;
    FakeTextBox id{"SupplierID"}, name{"SupplierName"};
    std::vector<int> validations;
    std::vector<bool> saves;
    std::function<void(int)> onValidate;
    bool cancelNext = false;
    int repositions = 0;
};

std::string nameOf(const std::string& file, int id) {
    return RawQuery(file, "SELECT SupplierName FROM tblSuppliers WHERE SupplierID = " + std::to_string(id));
}

}  // namespace

TEST_F(DataControlTest, BoundControlsFollowRecordsetSetFromCode) {
    EXPECT_EQ(name.text, "");
    data.SetRecordset(db->OpenRecordset(kSource));
    EXPECT_EQ(repositions, 1);
    EXPECT_EQ(id.text, "1");
    EXPECT_EQ(name.text, "Allegro");
    // Code moving the recordset itself: Validate first, then the controls follow.
    data.Recordset()->MoveNext();
    EXPECT_EQ(validations, (std::vector<int>{dao::vbDataActionMoveNext}));
    EXPECT_EQ(name.text, "Baroque");
    EXPECT_EQ(repositions, 2);
    data.Recordset()->FindFirst("SupplierID=3");
    EXPECT_EQ(name.text, "Cadenza");
    EXPECT_EQ(data.FieldValue("city").ToString(), "Denver");
}

TEST_F(DataControlTest, ArrowButtonsStopAtTheEnds) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.MoveLast();
    data.MoveNext();  // EOFAction MoveLast: stays on the last record
    EXPECT_EQ(name.text, "Cadenza");
    EXPECT_FALSE(data.Recordset()->Eof());
    data.MoveFirst();
    data.MovePrevious();
    EXPECT_EQ(name.text, "Allegro");
    EXPECT_FALSE(data.Recordset()->Bof());
    // Validate can cancel a move; the arrows then do nothing.
    cancelNext = true;
    data.MoveNext();
    EXPECT_EQ(name.text, "Allegro");
    // Called by code, a cancelled move is an error.
    cancelNext = true;
    EXPECT_ENGINE_ERROR(data.Recordset()->MoveNext(), 3426);
}

TEST_F(DataControlTest, AddNewAndUpdateRecordSavesBoundValues) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.Recordset()->MoveNext();
    data.Recordset()->AddNew();
    EXPECT_EQ(name.text, "");  // the controls empty for a new record
    id.Type("4");
    name.Type("Dolce");
    data.UpdateRecord();
    EXPECT_EQ(nameOf(t.path(), 4), "Dolce");
    EXPECT_EQ(name.text, "Baroque");  // back on the record before AddNew
    EXPECT_FALSE(name.changed);
    data.Recordset()->SetBookmark(data.Recordset()->LastModified());
    EXPECT_EQ(name.text, "Dolce");
    // UpdateRecord raised no Validate of its own.
    EXPECT_EQ(validations, (std::vector<int>{dao::vbDataActionMoveNext, dao::vbDataActionAddNew,
                                          dao::vbDataActionBookmark}));
}

TEST_F(DataControlTest, EditSavedWhenMovingAwayAndTextConverted) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.Recordset()->Edit();
    name.Type("Allegro Music");
    data.MoveNext();  // Validate(Save True) writes the change before moving
    EXPECT_EQ(saves.back(), true);
    EXPECT_EQ(nameOf(t.path(), 1), "Allegro Music");
    EXPECT_EQ(name.text, "Baroque");

    // A change in browse mode is saved too when the record is left.
    name.Type("Baroque Records");
    data.MovePrevious();
    EXPECT_EQ(nameOf(t.path(), 2), "Baroque Records");

    // Validate setting Save to false discards the change.
    data.Validate = [](int&, bool& save) { save = false; };
    name.Type("Discarded");
    data.MoveNext();
    EXPECT_EQ(nameOf(t.path(), 1), "Allegro Music");
}

TEST_F(DataControlTest, UnloadCancelsPendingAddWhenValidateCancelsIt) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.Recordset()->AddNew();
    id.Type("9");
    name.Type("Never saved");
    onValidate = [this](int action) {
        if (action == dao::vbDataActionUnload && data.Recordset()->EditMode() != dao::dbEditNone)
            data.Recordset()->CancelUpdate();
    };
    EXPECT_TRUE(data.Unload());
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM tblSuppliers"), "3");
    EXPECT_EQ(validations.back(), dao::vbDataActionUnload);
}

TEST_F(DataControlTest, UnloadSavesPendingEditAndCanBeCancelled) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.Recordset()->Edit();
    name.Type("Saved on unload");
    cancelNext = true;
    EXPECT_FALSE(data.Unload());
    EXPECT_TRUE(data.Unload());
    EXPECT_EQ(nameOf(t.path(), 1), "Saved on unload");
    EXPECT_EQ(data.Recordset(), nullptr);
}

TEST_F(DataControlTest, RefreshRequeriesAndOpensFromRecordSource) {
    data.SetRecordset(db->OpenRecordset(kSource, dao::dbOpenSnapshot));
    db->Execute("DELETE tblSuppliers.* From tblSuppliers  WHERE ([SupplierID]=1);");
    EXPECT_EQ(name.text, "Allegro");
    data.Refresh();
    EXPECT_EQ(name.text, "Baroque");
    EXPECT_EQ(data.Recordset()->RecordCount(), 2);

    dao::DataControl designed;
    FakeTextBox city("City");
    designed.Bind(&city);
    designed.SetDatabaseName(t.path());
    designed.SetRecordSource("SELECT * FROM tblSuppliers ORDER BY City");
    designed.SetRecordsetType(dao::vbRSTypeSnapShot);
    designed.Refresh();
    EXPECT_EQ(city.text, "Denver");
    EXPECT_FALSE(designed.Recordset()->Updatable());
    designed.Unbind(&city);
}

TEST_F(DataControlTest, EmptyRecordsetAndFieldAccess) {
    db->Execute("DELETE FROM tblSuppliers");
    data.SetRecordset(db->OpenRecordset(kSource));
    EXPECT_EQ(name.text, "");
    EXPECT_TRUE(data.FieldValue("SupplierName").IsNull());
    data.MoveNext();  // nothing happens on an empty recordset
    EXPECT_ENGINE_ERROR(data.FieldValue("NoSuchField"), 3265);
    int changes = 0;
    int listener = data.AddChangeListener([&] { ++changes; });
    data.Refresh();
    EXPECT_EQ(changes, 1);
    data.RemoveChangeListener(listener);
    data.Refresh();
    EXPECT_EQ(changes, 1);
}

TEST_F(DataControlTest, SetFieldValueStartsAnEdit) {
    data.SetRecordset(db->OpenRecordset(kSource));
    data.SetFieldValue("City", "Evanston");
    EXPECT_EQ(data.Recordset()->EditMode(), dao::dbEditInProgress);
    data.UpdateRecord();
    EXPECT_EQ(RawQuery(t.path(), "SELECT City FROM tblSuppliers WHERE SupplierID = 1"), "Evanston");
    // Late-bound access as forms code uses it.
    vb::Variant rs = data.GetMember("Recordset");
    EXPECT_EQ(rs.ToObject()->GetMember("RecordCount").ToLong(), 3);
    data.SetMember("Recordset", vb::Variant(vb::ObjectRef()));
    EXPECT_EQ(data.Recordset(), nullptr);
}
