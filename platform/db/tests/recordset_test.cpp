// Recordsets: moving, reading, GetRows, editing, bookmarks and finding.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE tblTransactions (TransactionID LONG NOT NULL PRIMARY KEY, TransactionDate DATETIME, ProductID LONG,
  PurchaseOrderID LONG, TransactionDescription TEXT(50) COLLATE NOCASE, UnitPrice CURRENCY, UnitsOrdered LONG);
INSERT INTO tblTransactions VALUES (3, 46300, 1, 1, 'third', 12.5, 4);
INSERT INTO tblTransactions VALUES (1, 46200, 2, 1, 'first', 9.99, 3);
INSERT INTO tblTransactions VALUES (12, 46400, 1, 2, NULL, 8.1, 10);
CREATE TABLE EMPTY (ID LONG NOT NULL PRIMARY KEY, NAME TEXT(20));
)";

const char* kAll = "select * from [tblTransactions] Order by [TransactionID]";

class RecordsetTest : public ::testing::Test {
protected:
    RecordsetTest() : t(kSchema), db(dao::OpenDatabase(t.path())) {}
    TempDatabase t;
    std::shared_ptr<dao::Database> db;
};

std::vector<int> ids(dao::Recordset& rs) {
    std::vector<int> out;
    if (rs.RecordCount() == 0) return out;
    rs.MoveFirst();
    for (; !rs.Eof(); rs.MoveNext()) out.push_back(rs.Fields(0).Value().ToLong());
    return out;
}

}  // namespace

TEST_F(RecordsetTest, MovingThroughRowsInQueryOrder) {
    auto rs = db->OpenRecordset(kAll);
    EXPECT_FALSE(rs->Bof());
    EXPECT_EQ(rs->Fields("transactionid").Value().ToLong(), 1);  // name case ignored
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_ENGINE_ERROR(rs->MoveNext(), 3021);
    EXPECT_ENGINE_ERROR(rs->Fields(0).Value(), 3021);
    rs->MovePrevious();
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    EXPECT_FALSE(rs->Eof());
    EXPECT_ENGINE_ERROR(rs->MovePrevious(), 3021);
    EXPECT_EQ(ids(*rs), (std::vector<int>{1, 3, 12}));
    EXPECT_EQ(rs->Fields().Count(), 7);
    EXPECT_EQ(rs->Fields(4).Name(), "TransactionDescription");
    EXPECT_ENGINE_ERROR(rs->Fields("NoSuchField"), 3265);
    EXPECT_ENGINE_ERROR(rs->Fields(7), 3265);
}

TEST_F(RecordsetTest, FieldNamesMatchIgnoringTheCaseOfLettersOnly) {
    db->Execute("CREATE TABLE ODD ([A@1] LONG, [b_2] LONG, [Prix\xc3\xa9] LONG)");
    db->Execute("INSERT INTO ODD VALUES (1, 2, 3)");
    auto rs = db->OpenRecordset("SELECT * FROM ODD");
    EXPECT_EQ(rs->Fields("a@1").Value().ToLong(), 1);
    EXPECT_EQ(rs->Fields("B_2").Value().ToLong(), 2);
    EXPECT_EQ(rs->Fields("PRIX\xc3\xa9").Value().ToLong(), 3);
    // Characters that differ from a letter's other case by the same bit
    // are not letters: '@' is not '`', '_' is not DEL.
    EXPECT_ENGINE_ERROR(rs->Fields("a`1"), 3265);
    EXPECT_ENGINE_ERROR(rs->Fields("b\x7f" "2"), 3265);
    EXPECT_ENGINE_ERROR(rs->Fields("b_"), 3265);
}

TEST_F(RecordsetTest, EmptyResultAndMaxOfEmptyTable) {
    auto rs = db->OpenRecordset("SELECT * FROM EMPTY", dao::dbOpenSnapshot);
    EXPECT_TRUE(rs->Bof());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_ENGINE_ERROR(rs->MoveFirst(), 3021);
    auto max = db->OpenRecordset("SELECT MAX(ID) FROM EMPTY", dao::dbOpenSnapshot);
    ASSERT_FALSE(max->Eof());
    EXPECT_TRUE(max->Fields(0).Value().IsNull());
    auto next = db->OpenRecordset("SELECT MAX(TransactionID) FROM tblTransactions", dao::dbOpenSnapshot);
    EXPECT_EQ(next->Fields(0).Value().Type(), vb::VarType::Long);
    EXPECT_EQ(next->Fields(0).Value().ToLong(), 12);
}

TEST_F(RecordsetTest, GetRowsIsFieldThenRowWithNulls) {
    auto rs = db->OpenRecordset("SELECT tblTransactions.* From tblTransactions   ORDER BY TransactionID ASC;");
    rs->MoveLast();
    rs->MoveFirst();
    vb::ArrayRef a = rs->GetRows(rs->RecordCount()).ToArray();
    ASSERT_EQ(a->Dims(), 2);
    EXPECT_EQ(a->LBound(1), 0);
    EXPECT_EQ(a->UBound(1), 6);
    EXPECT_EQ(a->UBound(2), 2);
    EXPECT_EQ(a->At({0, 0}).ToLong(), 1);
    EXPECT_EQ(a->At({0, 2}).ToLong(), 12);
    EXPECT_EQ(a->At({4, 1}).ToString(), "third");
    EXPECT_TRUE(a->At({4, 2}).IsNull());
    EXPECT_EQ(a->At({5, 1}).ToCurrency().scaled, 125000);
    EXPECT_EQ(a->At({1, 0}).Type(), vb::VarType::Date);
    EXPECT_TRUE(rs->Eof());  // stands after the last row fetched

    auto part = db->OpenRecordset(kAll);
    vb::ArrayRef two = part->GetRows(2).ToArray();
    EXPECT_EQ(two->UBound(2), 1);
    EXPECT_EQ(part->Fields(0).Value().ToLong(), 12);
    vb::ArrayRef rest = part->GetRows(5).ToArray();
    EXPECT_EQ(rest->UBound(2), 0);
    EXPECT_ENGINE_ERROR(part->GetRows(1), 3021);
}

TEST_F(RecordsetTest, ThousandsOfRowsKeepEveryValueAndTakeNewOnes) {
    // 2048 rows, texts short and long (one beyond any shared text block),
    // then a row added after the last: every value reads back as written.
    db->Execute("CREATE TABLE tblMany (ID LONG NOT NULL PRIMARY KEY, NAME TEXT(255), NOTE MEMO)");
    db->Execute("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 2048) "
                "INSERT INTO tblMany SELECT k, 'Name ' || k, CASE WHEN k % 7 = 0 THEN NULL "
                "WHEN k = 1500 THEN replace(hex(zeroblob(50000)), '0', 'x') ELSE substr(replace(hex(zeroblob(300)), '0', 'n'), 1, k % 300) END FROM n");
    auto rs = db->OpenRecordset("SELECT * FROM tblMany ORDER BY ID");
    ASSERT_EQ(rs->RecordCount(), 2048);
    vb::ArrayRef a = rs->GetRows(rs->RecordCount()).ToArray();
    ASSERT_EQ(a->UBound(2), 2047);
    for (int r = 0; r < 2048; ++r) {
        int k = r + 1;
        ASSERT_EQ(a->At({0, r}).ToLong(), k);
        ASSERT_EQ(a->At({1, r}).ToString(), "Name " + std::to_string(k));
        if (k % 7 == 0) ASSERT_TRUE(a->At({2, r}).IsNull()) << k;
        else if (k == 1500) ASSERT_EQ(a->At({2, r}).ToString(), std::string(100000, 'x'));
        else ASSERT_EQ(a->At({2, r}).ToString(), std::string(static_cast<std::size_t>(k % 300), 'n')) << k;
    }
    rs->AddNew();
    rs->Fields("ID").SetValue(5000);
    rs->Fields("NAME").SetValue("added");
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 2049);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("NAME").Value().ToString(), "added");
    EXPECT_TRUE(rs->Fields("NOTE").Value().IsNull());
    rs->SetAbsolutePosition(1023);
    EXPECT_EQ(rs->Fields("ID").Value().ToLong(), 1024);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("NAME").Value().ToString(), "Name 1025");
}

TEST_F(RecordsetTest, EditUpdateAndCancel) {
    auto rs = db->OpenRecordset("SELECT tblTransactions.* From tblTransactions WHERE ([TransactionID]=3);");
    EXPECT_EQ(rs->EditMode(), dao::dbEditNone);
    EXPECT_ENGINE_ERROR(rs->Update(), 3020);
    EXPECT_ENGINE_ERROR(rs->Fields("UnitsOrdered").SetValue(5), 3020);
    rs->Edit();
    EXPECT_EQ(rs->EditMode(), dao::dbEditInProgress);
    rs->Fields("UnitsOrdered").SetValue("6");
    rs->Fields("TransactionDate").SetValue("12/9/2026");
    EXPECT_EQ(rs->Fields("UnitsOrdered").Value().ToLong(), 6);
    rs->Update();
    EXPECT_EQ(rs->EditMode(), dao::dbEditNone);
    EXPECT_EQ(RawQuery(t.path(), "SELECT UnitsOrdered FROM tblTransactions WHERE TransactionID=3"), "6");
    EXPECT_EQ(RawQuery(t.path(), "SELECT TransactionDate FROM tblTransactions WHERE TransactionID=3"), "46365");

    rs->Edit();
    rs->Fields("UnitsOrdered").SetValue(99);
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("UnitsOrdered").Value().ToLong(), 6);
    EXPECT_EQ(RawQuery(t.path(), "SELECT UnitsOrdered FROM tblTransactions WHERE TransactionID=3"), "6");
    EXPECT_ENGINE_ERROR(rs->CancelUpdate(), 3020);

    // A key that already exists is refused; the edit stays pending.
    rs->Edit();
    rs->Fields("TransactionID").SetValue(1);
    EXPECT_ENGINE_ERROR(rs->Update(), 3022);
    EXPECT_EQ(rs->EditMode(), dao::dbEditInProgress);
    rs->CancelUpdate();

    auto empty = db->OpenRecordset("SELECT tblTransactions.* From tblTransactions WHERE ([TransactionID]=77);");
    EXPECT_ENGINE_ERROR(empty->Edit(), 3021);
}

TEST_F(RecordsetTest, AddNewBookmarkAndLastModified) {
    auto rs = db->OpenRecordset(kAll);
    rs->MoveNext();  // on transaction 3
    EXPECT_ENGINE_ERROR(rs->LastModified(), 3021);
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), dao::dbEditAdd);
    EXPECT_TRUE(rs->Fields("TransactionID").Value().IsNull());
    rs->Fields("TransactionID").SetValue("13");
    rs->Fields("TransactionDate").SetValue("1/2/2027");
    rs->Fields("UnitPrice").SetValue("7.25");
    rs->Update();
    // Back on the record that was current before AddNew.
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 3);
    EXPECT_EQ(rs->RecordCount(), 4);
    rs->SetBookmark(rs->LastModified());
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 13);
    EXPECT_EQ(rs->Fields("UnitPrice").Value().ToCurrency().scaled, 72500);
    EXPECT_EQ(rs->Fields("TransactionDate").Value().ToDate(), vb::Date::FromParts(2027, 1, 2));

    rs->MoveFirst();
    vb::Variant mark = rs->Bookmark();
    rs->MoveLast();
    rs->SetBookmark(mark);
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 1);
    EXPECT_ENGINE_ERROR(rs->SetBookmark(vb::Variant(999)), 3159);

    // Edited records become the last modified one too.
    rs->Edit();
    rs->Update();
    rs->MoveLast();
    rs->SetBookmark(rs->LastModified());
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 1);

    // AddNew cancelled: nothing written, back where it was.
    rs->AddNew();
    rs->Fields(0).SetValue(50);
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 1);
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM tblTransactions"), "4");
}

TEST_F(RecordsetTest, DeleteAndNeighbours) {
    auto rs = db->OpenRecordset(kAll);
    rs->MoveLast();
    rs->Delete();
    EXPECT_ENGINE_ERROR(rs->Fields(0).Value(), 3167);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs->MovePrevious();
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 3);
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveFirst();
    rs->Delete();
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 3);
    rs->Delete();
    // The last remaining record deleted: next reaches EOF, previous then BOF.
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_FALSE(rs->Bof());
    rs->MovePrevious();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Bof());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_ENGINE_ERROR(rs->MoveNext(), 3021);
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM tblTransactions"), "0");
    rs->Requery();
    EXPECT_TRUE(rs->Eof() && rs->Bof());
}

TEST_F(RecordsetTest, SnapshotsAndJoinsAreReadOnly) {
    auto snap = db->OpenRecordset(kAll, dao::dbOpenSnapshot);
    EXPECT_FALSE(snap->Updatable());
    EXPECT_ENGINE_ERROR(snap->Edit(), 3027);
    EXPECT_ENGINE_ERROR(snap->AddNew(), 3027);
    EXPECT_ENGINE_ERROR(snap->Delete(), 3027);
    auto grouped = db->OpenRecordset("SELECT ProductID, COUNT(*) FROM tblTransactions GROUP BY ProductID");
    EXPECT_FALSE(grouped->Updatable());
    EXPECT_EQ(grouped->RecordCount(), 2);
    auto computed = db->OpenRecordset("SELECT TransactionID, UnitsOrdered * 2 AS Twice FROM tblTransactions");
    EXPECT_TRUE(computed->Updatable());
    computed->Edit();
    EXPECT_ENGINE_ERROR(computed->Fields("Twice").SetValue(1), 3164);
}

TEST_F(RecordsetTest, FindFirstAndNoMatch) {
    auto rs = db->OpenRecordset(kAll);
    rs->FindFirst("TransactionID=12");
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    rs->FindFirst("TransactionID=44");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);  // stays where it was
    rs->FindFirst("ProductID = 1");
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 3);
    rs->FindNext("ProductID = 1");
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    rs->FindFirst("[TransactionDescription] = 'FIRST'");  // text compares without case
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 1);
    rs->FindFirst("UnitPrice = 12.5 AND TransactionDate > #1/1/2026#");
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 3);
    rs->FindFirst("tblTransactions.UnitsOrdered >= 10");
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    EXPECT_ENGINE_ERROR(rs->FindFirst("NoSuchField = 1"), 3070);
    EXPECT_ENGINE_ERROR(rs->FindFirst("TransactionID = = 1"), 3077);
    EXPECT_ENGINE_ERROR(rs->FindFirst("TransactionID = 'x"), 3077);
}

TEST_F(RecordsetTest, PositionsAndClose) {
    auto rs = db->OpenRecordset(kAll);
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->SetAbsolutePosition(2);
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    EXPECT_EQ(rs->PeekValue(1, 0).ToLong(), 3);
    EXPECT_EQ(rs->Fields(0).Value().ToLong(), 12);
    EXPECT_ENGINE_ERROR(rs->SetAbsolutePosition(3), 3001);
    dao::Field& f = rs->Fields(0);
    rs->Close();
    EXPECT_ENGINE_ERROR(rs->MoveFirst(), 3420);
    EXPECT_ENGINE_ERROR(f.Value(), 3420);
}

TEST_F(RecordsetTest, RequerySeesOtherWriters) {
    auto rs = db->OpenRecordset("SELECT * FROM tblTransactions", dao::dbOpenSnapshot);
    auto other = dao::OpenDatabase(t.path());
    other->Execute("DELETE tblTransactions.* From tblTransactions  WHERE ([ProductID]=1);");
    EXPECT_EQ(other->RecordsAffected(), 2);
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 1);
}
