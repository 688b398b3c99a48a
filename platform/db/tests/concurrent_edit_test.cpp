// Two users editing one record through two Database objects on one file:
// a save that would overwrite a value the other user stored after the edit
// began is refused with 3197; saves nobody interfered with go through.
#include <gtest/gtest.h>

#include <functional>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE tblSuppliers (SupplierID LONG NOT NULL PRIMARY KEY, SupplierName TEXT(50) COLLATE NOCASE,
  City TEXT(50), Phone TEXT(30), Discount DOUBLE, Balance CURRENCY, LastOrder DATETIME);
INSERT INTO tblSuppliers VALUES (1, 'Harmonia', 'Chicago', '555-0101', 0.1, 12.34, 46200.5);
INSERT INTO tblSuppliers VALUES (2, 'Polyphon', NULL, NULL, NULL, NULL, NULL);
)";

const char* kSuppliers = "select * from [tblSuppliers] Order by [SupplierID]";

class ConcurrentEdit : public ::testing::Test {
protected:
    ConcurrentEdit() : t(kSchema), a(dao::OpenDatabase(t.path())), b(dao::OpenDatabase(t.path())) {}

    std::string stored(const std::string& column, int id) {
        return RawQuery(t.path(), "SELECT " + column + " FROM tblSuppliers WHERE SupplierID=" + std::to_string(id));
    }
    // Opens the suppliers on `db` with supplier `id` current.
    static std::shared_ptr<dao::Recordset> onSupplier(dao::Database& db, int id) {
        auto rs = db.OpenRecordset(kSuppliers);
        rs->FindFirst("SupplierID=" + std::to_string(id));
        return rs;
    }
    static int errorOf(const std::function<void()>& work, std::string* description = nullptr) {
        try {
            work();
        } catch (const vb::VBError& e) {
            if (description) *description = e.description();
            return e.number();
        }
        return 0;
    }

    TempDatabase t;
    std::shared_ptr<dao::Database> a, b;
};

TEST_F(ConcurrentEdit, TheLaterSaveOfTheSameFieldIsRefusedAndTheFirstValueKept) {
    auto first = onSupplier(*a, 1);
    auto second = onSupplier(*b, 1);
    first->Edit();
    first->Fields("SupplierName").SetValue("Harmonia Mundi");
    second->Edit();
    second->Fields("SupplierName").SetValue("Harmonia Records");
    second->Update();
    EXPECT_EQ(stored("SupplierName", 1), "Harmonia Records");

    std::string description;
    EXPECT_EQ(errorOf([&] { first->Update(); }, &description), 3197);
    EXPECT_NE(description.find("another user"), std::string::npos) << description;
    EXPECT_EQ(stored("SupplierName", 1), "Harmonia Records");
    // The refused edit stays pending with what was typed, so the user can
    // cancel and look again.
    EXPECT_EQ(first->EditMode(), dao::dbEditInProgress);
    EXPECT_EQ(first->Fields("SupplierName").Value().ToString(), "Harmonia Mundi");
    first->CancelUpdate();
    EXPECT_EQ(first->Fields("SupplierName").Value().ToString(), "Harmonia Records");
    // A new edit starts from the value now stored and saves.
    first->Edit();
    first->Fields("SupplierName").SetValue("Harmonia Mundi");
    first->Update();
    EXPECT_EQ(stored("SupplierName", 1), "Harmonia Mundi");
}

TEST_F(ConcurrentEdit, ACaseOnlyChangeOrAChangeToNullCountsAsAChange) {
    auto first = onSupplier(*a, 1);
    first->Edit();
    first->Fields("SupplierName").SetValue("Mine");
    first->Fields("City").SetValue("Mine");
    b->Execute("UPDATE tblSuppliers SET SupplierName='HARMONIA' WHERE SupplierID=1");
    EXPECT_EQ(errorOf([&] { first->Update(); }), 3197);
    first->CancelUpdate();

    first->Edit();
    first->Fields("City").SetValue("Mine");
    b->Execute("UPDATE tblSuppliers SET City=NULL WHERE SupplierID=1");
    EXPECT_EQ(errorOf([&] { first->Update(); }), 3197);
    EXPECT_EQ(stored("City", 1), "NULL");
}

TEST_F(ConcurrentEdit, NullsNumbersAndDatesNobodyTouchedSaveWithoutConflict) {
    // Every column of both rows written once, then again in a second save:
    // the values read back (Nulls, doubles, currency, dates) compare equal.
    for (int id : {1, 2}) {
        auto rs = onSupplier(*a, id);
        for (int round = 0; round < 2; ++round) {
            rs->Edit();
            rs->Fields("City").SetValue(round ? vb::Variant("Gary") : vb::Variant::Null());
            rs->Fields("Discount").SetValue(vb::Variant(0.1 + 0.2));
            rs->Fields("Balance").SetValue(vb::Variant("1234.5678"));
            rs->Fields("LastOrder").SetValue(vb::Variant(46201.123456789));
            EXPECT_EQ(errorOf([&] { rs->Update(); }), 0) << "supplier " << id << " save " << round;
        }
        EXPECT_EQ(stored("City", id), "Gary");
    }
    // A save touching a row whose Nulls are still Nulls.
    auto rs = onSupplier(*a, 2);
    rs->Edit();
    rs->Fields("Phone").SetValue("555-0199");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), 0);
    EXPECT_EQ(stored("Phone", 2), "555-0199");
}

TEST_F(ConcurrentEdit, TwoSavesInARowAndChangesToOtherFieldsAreKept) {
    auto first = onSupplier(*a, 1);
    auto second = onSupplier(*b, 1);
    first->Edit();
    first->Fields("SupplierName").SetValue("One");
    first->Update();
    first->Edit();
    first->Fields("SupplierName").SetValue("Two");
    first->Update();
    EXPECT_EQ(stored("SupplierName", 1), "Two");

    // Different fields of one record: both saves are kept.
    first->Edit();
    first->Fields("City").SetValue("Gary");
    second->Edit();
    second->Fields("Phone").SetValue("555-0177");
    second->Update();
    EXPECT_EQ(errorOf([&] { first->Update(); }), 0);
    EXPECT_EQ(stored("City", 1), "Gary");
    EXPECT_EQ(stored("Phone", 1), "555-0177");
    EXPECT_EQ(stored("SupplierName", 1), "Two");

    // An edit begun after the other user's save sees it and saves.
    second->Edit();
    second->Fields("SupplierName").SetValue("Three");
    second->Update();
    first->Edit();
    EXPECT_EQ(first->Fields("SupplierName").Value().ToString(), "Three");
    first->Fields("SupplierName").SetValue("Four");
    EXPECT_EQ(errorOf([&] { first->Update(); }), 0);
    EXPECT_EQ(stored("SupplierName", 1), "Four");
}

TEST_F(ConcurrentEdit, ARecordDeletedMeanwhileIsStillReportedAsDeleted) {
    auto first = onSupplier(*a, 2);
    first->Edit();
    first->Fields("City").SetValue("Gary");
    b->Execute("DELETE FROM tblSuppliers WHERE SupplierID=2");
    EXPECT_EQ(errorOf([&] { first->Update(); }), 3167);
}

}  // namespace
