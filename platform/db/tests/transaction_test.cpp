// Transactions: what reaches the file on CommitTrans and what Rollback
// undoes, nesting, locking out other writers, and recordsets and the data
// control across a rollback.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE CUSTOMERS (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(50));
CREATE TABLE ORDERS (ORDERID LONG NOT NULL PRIMARY KEY, CUSTID LONG);
INSERT INTO CUSTOMERS VALUES (1, 'Ann Lee'), (2, 'Bo Ek'), (3, 'Cy Dunn');
INSERT INTO ORDERS VALUES (1, 1), (2, 1), (3, 2);
)";

class Transactions : public ::testing::Test {
protected:
    Transactions() : t(kSchema), db(dao::OpenDatabase(t.path())) {}

    // The customers' keys as another user reads them from the file.
    std::string committedCustomers() { return RawQuery(t.path(), "SELECT group_concat(CUSTID) FROM CUSTOMERS"); }
    // ... and as the transaction's own connection sees them.
    std::string ownCustomers() {
        auto rs = db->OpenRecordset("SELECT CUSTID FROM CUSTOMERS ORDER BY CUSTID", dao::dbOpenSnapshot);
        std::string keys;
        while (!rs->Eof()) {
            keys += (keys.empty() ? "" : ",") + rs->Fields(0).Value().ToString();
            rs->MoveNext();
        }
        return keys;
    }

    TempDatabase t;
    std::shared_ptr<dao::Database> db;
};

TEST_F(Transactions, CommitWritesEverythingAtOnceAndRollbackNothing) {
    db->BeginTrans();
    EXPECT_EQ(db->TransactionDepth(), 1);
    db->Execute("DELETE FROM CUSTOMERS");
    EXPECT_EQ(db->RecordsAffected(), 3);
    db->Execute("INSERT INTO CUSTOMERS VALUES (7, 'Di Fox')");
    EXPECT_EQ(db->RecordsAffected(), 1);
    // The transaction sees its own changes; the file does not have them yet.
    EXPECT_EQ(ownCustomers(), "7");
    EXPECT_EQ(committedCustomers(), "1,2,3");
    db->Rollback();
    EXPECT_EQ(db->TransactionDepth(), 0);
    EXPECT_EQ(ownCustomers(), "1,2,3");
    EXPECT_EQ(committedCustomers(), "1,2,3");

    db->BeginTrans();
    db->Execute("DELETE FROM CUSTOMERS WHERE CUSTID > 1");
    db->Execute("INSERT INTO CUSTOMERS VALUES (7, 'Di Fox')");
    EXPECT_EQ(committedCustomers(), "1,2,3");
    db->CommitTrans();
    EXPECT_EQ(committedCustomers(), "1,7");
}

TEST_F(Transactions, CommitOrRollbackWithoutBeginIsError3034) {
    try {
        db->CommitTrans();
        FAIL() << "committed without a transaction";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3034);
        EXPECT_EQ(e.description(),
                  "You tried to commit or rollback a transaction without first beginning a transaction");
    }
    EXPECT_ENGINE_ERROR(db->Rollback(), 3034);
    db->BeginTrans();
    db->CommitTrans();
    EXPECT_ENGINE_ERROR(db->CommitTrans(), 3034);
    EXPECT_ENGINE_ERROR(db->Rollback(), 3034);
}

TEST_F(Transactions, InnerLevelsCommitIntoTheOuterAndRollBackAlone) {
    db->BeginTrans();
    db->Execute("INSERT INTO CUSTOMERS VALUES (4, 'outer')");
    db->BeginTrans();
    db->Execute("INSERT INTO CUSTOMERS VALUES (5, 'inner, rolled back')");
    db->Rollback();
    EXPECT_EQ(ownCustomers(), "1,2,3,4");
    db->BeginTrans();
    db->Execute("INSERT INTO CUSTOMERS VALUES (6, 'inner, committed')");
    db->CommitTrans();
    EXPECT_EQ(db->TransactionDepth(), 1);
    // An inner commit is not yet in the file.
    EXPECT_EQ(committedCustomers(), "1,2,3");
    db->Rollback();
    EXPECT_EQ(ownCustomers(), "1,2,3");

    for (int level = 1; level <= 5; ++level) db->BeginTrans();
    EXPECT_ENGINE_ERROR(db->BeginTrans(), 3003);
    EXPECT_EQ(db->TransactionDepth(), 5);
    db->Execute("INSERT INTO CUSTOMERS VALUES (8, 'deep')");
    for (int level = 5; level >= 1; --level) db->CommitTrans();
    EXPECT_EQ(committedCustomers(), "1,2,3,8");
}

TEST_F(Transactions, OtherWritersWaitForTheCommit) {
    dao::SetLockWaitMilliseconds(0);
    auto other = dao::OpenDatabase(t.path());
    db->BeginTrans();
    db->Execute("DELETE FROM ORDERS WHERE CUSTID = 1");
    EXPECT_ENGINE_ERROR(other->Execute("DELETE FROM ORDERS"), 3260);
    EXPECT_ENGINE_ERROR(other->BeginTrans(), 3260);
    EXPECT_EQ(other->TransactionDepth(), 0);
    // Reading goes on and sees the file as committed.
    EXPECT_EQ(other->OpenRecordset("ORDERS")->RecordCount(), 3);
    db->CommitTrans();
    other->Execute("DELETE FROM ORDERS");
    EXPECT_EQ(other->RecordsAffected(), 1);
    dao::SetLockWaitMilliseconds(2000);
}

TEST_F(Transactions, FailedStatementLeavesTheTransactionPending) {
    db->BeginTrans();
    db->Execute("DELETE FROM CUSTOMERS WHERE CUSTID = 3");
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS VALUES (1, 'duplicate')"), 3022);
    EXPECT_EQ(db->TransactionDepth(), 1);
    db->Execute("INSERT INTO CUSTOMERS VALUES (9, 'after the error')");
    db->CommitTrans();
    EXPECT_EQ(committedCustomers(), "1,2,9");
}

// When the engine itself ends the transaction (here through a text that
// rolls it back), nothing more runs outside it and the commit says so.
TEST_F(Transactions, TransactionEndedByTheEngineIsNeverCommittedUnnoticed) {
    db->BeginTrans();
    db->Execute("DELETE FROM CUSTOMERS");
    db->Execute("ROLLBACK");
    EXPECT_ENGINE_ERROR(db->Execute("DELETE FROM ORDERS"), 3000);
    EXPECT_ENGINE_ERROR(db->CommitTrans(), 3000);
    EXPECT_EQ(db->TransactionDepth(), 0);
    EXPECT_EQ(committedCustomers(), "1,2,3");
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM ORDERS"), "3");

    db->BeginTrans();
    db->Execute("ROLLBACK");
    db->Rollback();  // ends the level quietly
    EXPECT_EQ(db->TransactionDepth(), 0);
}

TEST_F(Transactions, ReadOnlyDatabaseHasTransactionsThatOnlyRead) {
    auto readOnly = dao::OpenDatabase(t.path(), vb::Variant(), true);
    readOnly->BeginTrans();
    EXPECT_EQ(readOnly->OpenRecordset("CUSTOMERS")->RecordCount(), 3);
    EXPECT_ENGINE_ERROR(readOnly->Execute("DELETE FROM CUSTOMERS"), 3027);
    readOnly->CommitTrans();
    // It holds no write lock: another user writes meanwhile.
    readOnly->BeginTrans();
    db->Execute("DELETE FROM ORDERS");
    readOnly->Rollback();
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM ORDERS"), "0");
}

TEST_F(Transactions, SchemaChangesRollBackToo) {
    db->BeginTrans();
    db->Execute("CREATE TABLE NOTES (ID LONG)");
    db->Execute("INSERT INTO NOTES VALUES (1)");
    auto notes = db->OpenRecordset("NOTES");
    db->Rollback();
    EXPECT_ENGINE_ERROR(db->OpenRecordset("NOTES"), 3078);
    // Its row is gone, like a deleted current record.
    EXPECT_EQ(notes->RecordCount(), 0);
    EXPECT_ENGINE_ERROR(notes->Fields("ID").Value(), 3167);
}

TEST_F(Transactions, ClosingRollsBackAndLateBoundNamesWork) {
    vb::ObjectRef late = db;
    late->CallMember("BeginTrans", {});
    late->CallMember("Execute", {vb::Variant("DELETE FROM CUSTOMERS WHERE CUSTID = 1")});
    late->CallMember("CommitTrans", {});
    late->CallMember("BeginTrans", {});
    late->CallMember("Execute", {vb::Variant("DELETE FROM CUSTOMERS WHERE CUSTID = 2")});
    late->CallMember("Rollback", {});
    EXPECT_EQ(committedCustomers(), "2,3");

    db->BeginTrans();
    db->Execute("DELETE FROM CUSTOMERS");
    db->Close();
    EXPECT_EQ(committedCustomers(), "2,3");
}

// Edits made through a recordset belong to the transaction; after Rollback
// the recordset shows the table as it is again and never touches a row that
// later reuses the number of a row that was rolled back.
TEST_F(Transactions, RecordsetEditsRollBackWithTheTransaction) {
    auto rs = db->OpenRecordset("SELECT * FROM CUSTOMERS ORDER BY CUSTID");
    auto snapshot = db->OpenRecordset("SELECT * FROM CUSTOMERS ORDER BY CUSTID", dao::dbOpenSnapshot);
    db->BeginTrans();
    rs->AddNew();
    rs->Fields("CUSTID").SetValue(vb::Variant(4));
    rs->Fields("NAME").SetValue(vb::Variant("Added"));
    rs->Update();
    rs->MoveFirst();
    rs->Edit();
    rs->Fields("NAME").SetValue(vb::Variant("Changed"));
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(committedCustomers(), "1,2,3");
    db->Rollback();

    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->Fields("NAME").Value().ToString(), "Ann Lee");
    EXPECT_EQ(snapshot->Fields("NAME").Value().ToString(), "Ann Lee");
    // A new row now takes the table row number of the one rolled back.
    db->Execute("INSERT INTO CUSTOMERS VALUES (5, 'Later')");
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("CUSTID").Value().ToLong(), 3);
    rs->Edit();
    rs->Fields("NAME").SetValue(vb::Variant("Cy"));
    rs->Update();
    EXPECT_EQ(RawQuery(t.path(), "SELECT group_concat(NAME) FROM CUSTOMERS ORDER BY CUSTID"),
              "Ann Lee,Bo Ek,Cy,Later");
}

// A text box bound through the data control shows the rolled-back value.
class BoundName : public dao::BoundControl {
public:
    std::string DataField() const override { return "NAME"; }
    void ShowFieldValue(const vb::Variant& value) override { text = value.IsNull() ? "" : value.ToString(); }
    bool DataChanged() const override { return false; }
    void SetDataChanged(bool) override {}
    vb::Variant EditedValue() const override { return vb::Variant(text); }
    std::string text;
};

TEST_F(Transactions, DataControlShowsTheRecordAsRolledBack) {
    dao::DataControl data;
    BoundName name;
    data.Bind(&name);
    data.SetRecordset(db->OpenRecordset("SELECT * FROM CUSTOMERS ORDER BY CUSTID"));
    db->BeginTrans();
    data.SetFieldValue("NAME", vb::Variant("Renamed"));
    data.UpdateRecord();
    EXPECT_EQ(name.text, "Renamed");
    db->Rollback();
    EXPECT_EQ(name.text, "Ann Lee");

    db->BeginTrans();
    db->Execute("DELETE FROM CUSTOMERS WHERE CUSTID = 1");
    data.Refresh();
    EXPECT_EQ(name.text, "Bo Ek");
    db->CommitTrans();
    EXPECT_EQ(committedCustomers(), "2,3");
    data.Unbind(&name);
}

}  // namespace
