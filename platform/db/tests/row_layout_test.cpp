// Recordset rows where their storage changes shape: rows kept in chunks that
// grow (16, 32, ... 4096 rows, then 4096 each), texts kept in shared blocks
// that grow (512 bytes up to 256 KB), texts too long to share a block.
// Values must read back the same on either side of every boundary, through
// edits, deletes, moves, GetRows and rollbacks.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

class RowLayout : public ::testing::Test {
protected:
    RowLayout()
        : t("CREATE TABLE tblRows (ID LONG NOT NULL PRIMARY KEY, AMOUNT DOUBLE, NAME TEXT(255), NOTE MEMO);"),
          db(dao::OpenDatabase(t.path())) {}

    // Rows 1..n: AMOUNT k / 4, NAME 'Name k', NOTE Null for k % 3 = 0, empty
    // for k % 3 = 1, else k % 200 + 1 letters.
    void Fill(int n) {
        db->Execute("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " + std::to_string(n) +
                    ") INSERT INTO tblRows SELECT k, k / 4.0, 'Name ' || k, CASE k % 3 WHEN 0 THEN NULL WHEN 1 "
                    "THEN '' ELSE substr(replace(hex(zeroblob(200)), '0', 'n'), 1, k % 200 + 1) END FROM n");
    }
    static void ExpectRow(dao::Recordset& rs, int k) {
        ASSERT_EQ(rs.Fields("ID").Value().ToLong(), k);
        EXPECT_EQ(rs.Fields("AMOUNT").Value().ToDouble(), k / 4.0) << k;
        EXPECT_EQ(rs.Fields("NAME").Value().ToString(), "Name " + std::to_string(k));
        const vb::Variant note = rs.Fields("NOTE").Value();
        if (k % 3 == 0) {
            EXPECT_TRUE(note.IsNull()) << k;
        } else {
            ASSERT_EQ(note.Type(), vb::VarType::String) << k;
            EXPECT_EQ(note.rawString(), k % 3 == 1 ? "" : std::string(static_cast<std::size_t>(k % 200 + 1), 'n'))
                << k;
        }
    }

    TempDatabase t;
    std::shared_ptr<dao::Database> db;
};

const char* kAll = "SELECT * FROM tblRows ORDER BY ID";

}  // namespace

TEST_F(RowLayout, EveryRowReadsBackOnBothSidesOfEachChunkAndBlockBoundary) {
    Fill(9000);
    auto rs = db->OpenRecordset(kAll);
    ASSERT_EQ(rs->RecordCount(), 9000);
    for (int k = 1; !rs->Eof(); rs->MoveNext(), ++k) ExpectRow(*rs, k);
    // Rows around the ends of chunks, reached directly.
    for (long row : {15L, 16L, 31L, 32L, 2047L, 2048L, 4095L, 4096L, 8191L, 8192L, 8999L}) {
        rs->SetAbsolutePosition(row);
        EXPECT_EQ(rs->AbsolutePosition(), row);
        ExpectRow(*rs, static_cast<int>(row) + 1);
        EXPECT_EQ(rs->PeekValue(row, 2).ToString(), "Name " + std::to_string(row + 1));
    }
    // A snapshot (no table rows kept) is laid out the same way.
    auto snapshot = db->OpenRecordset(kAll, dao::dbOpenSnapshot);
    snapshot->SetAbsolutePosition(4096);
    ExpectRow(*snapshot, 4097);
}

TEST_F(RowLayout, NullAndEmptyTextStayApartWhateverBlockTheyFallIn) {
    // A few rows only (the first chunk and block), then as many again
    // added one by one: the new rows land in new chunks and blocks.
    Fill(15);
    auto rs = db->OpenRecordset(kAll);
    for (int k = 16; k <= 40; ++k) {
        rs->AddNew();
        rs->Fields("ID").SetValue(k);
        rs->Fields("AMOUNT").SetValue(k / 4.0);
        rs->Fields("NAME").SetValue("Name " + std::to_string(k));
        if (k % 3 == 1) rs->Fields("NOTE").SetValue(std::string());
        if (k % 3 == 2) rs->Fields("NOTE").SetValue(std::string(static_cast<std::size_t>(k % 200 + 1), 'n'));
        rs->Update();
    }
    ASSERT_EQ(rs->RecordCount(), 40);
    rs->MoveFirst();
    for (int k = 1; k <= 40; ++k, rs->MoveNext()) ExpectRow(*rs, k);

    vb::ArrayRef a = db->OpenRecordset(kAll)->GetRows(40).ToArray();
    EXPECT_TRUE(a->At({3, 14}).IsNull());                // k = 15
    EXPECT_EQ(a->At({3, 15}).Type(), vb::VarType::String);  // k = 16: empty
    EXPECT_EQ(a->At({3, 15}).rawString(), "");
}

TEST_F(RowLayout, LongTextsAmongShortOnesKeepTheirNeighbours) {
    // Texts just under and just over what a shared block takes, first and in
    // the middle; the short texts around them must not move.
    db->Execute("CREATE TABLE tblNotes (ID LONG NOT NULL PRIMARY KEY, NOTE MEMO)");
    const std::size_t sizes[] = {70000, 3, 65532, 65533, 0, 5, 300000, 7};
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        db->Execute("INSERT INTO tblNotes VALUES (" + std::to_string(i + 1) + ", '" +
                    std::string(sizes[i], static_cast<char>('a' + i)) + "')");
    auto rs = db->OpenRecordset("SELECT * FROM tblNotes ORDER BY ID");
    for (std::size_t i = 0; i < std::size(sizes); ++i, rs->MoveNext())
        EXPECT_EQ(rs->Fields("NOTE").Value().ToString(), std::string(sizes[i], static_cast<char>('a' + i))) << i;
    // A text changed by an edit is kept anew; the others stay as they were.
    rs->SetAbsolutePosition(1);
    rs->Edit();
    rs->Fields("NOTE").SetValue(std::string(100000, 'z'));
    rs->Update();
    rs->MoveFirst();
    for (std::size_t i = 0; i < std::size(sizes); ++i, rs->MoveNext()) {
        const std::string expected = i == 1 ? std::string(100000, 'z') : std::string(sizes[i], static_cast<char>('a' + i));
        EXPECT_EQ(rs->Fields("NOTE").Value().ToString(), expected) << i;
    }
}

TEST_F(RowLayout, EditsOfRowsInLaterChunksStillCheckForOtherWriters) {
    Fill(5000);
    auto rs = db->OpenRecordset(kAll);
    rs->SetAbsolutePosition(4500);
    rs->Edit();
    rs->Fields("NAME").SetValue("mine");
    // Another user changes the same field meanwhile: the save is refused.
    auto other = dao::OpenDatabase(t.path());
    other->Execute("UPDATE tblRows SET NAME = 'theirs' WHERE ID = 4501");
    EXPECT_ENGINE_ERROR(rs->Update(), 3197);
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("NAME").Value().ToString(), "theirs");
    rs->Edit();
    rs->Fields("NAME").SetValue("mine");
    rs->Update();
    EXPECT_EQ(RawQuery(t.path(), "SELECT NAME FROM tblRows WHERE ID = 4501"), "mine");
    // The texts kept before the edit are untouched.
    rs->SetAbsolutePosition(4499);
    ExpectRow(*rs, 4500);
    rs->SetAbsolutePosition(4501);
    ExpectRow(*rs, 4502);
}

TEST_F(RowLayout, DeletesAtChunkEdgesRenumberPositionsAndGetRowsPassesThem) {
    Fill(5000);
    auto rs = db->OpenRecordset(kAll);
    for (long position : {4096L, 4095L, 16L, 15L}) {  // rows 4097, 4096, 17, 16
        rs->SetAbsolutePosition(position);
        rs->Delete();
    }
    EXPECT_EQ(rs->RecordCount(), 4996);
    rs->SetAbsolutePosition(15);
    EXPECT_EQ(rs->Fields("ID").Value().ToLong(), 18);
    EXPECT_EQ(rs->AbsolutePosition(), 15);
    rs->SetAbsolutePosition(4093);  // past 15 rows before and 4078 after the first gap
    EXPECT_EQ(rs->Fields("ID").Value().ToLong(), 4098);
    const vb::Variant mark = rs->Bookmark();
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 4995);
    rs->SetBookmark(mark);
    ExpectRow(*rs, 4098);
    rs->MovePrevious();
    ExpectRow(*rs, 4095);  // 4096 and 4097 are gone
    EXPECT_EQ(rs->PeekValue(4093, 0).ToLong(), 4098);

    // GetRows from just before the deleted rows over the end of a chunk.
    rs->SetAbsolutePosition(4090);
    vb::ArrayRef a = rs->GetRows(6).ToArray();
    std::vector<int> got;
    for (int r = 0; r <= a->UBound(2); ++r) got.push_back(a->At({0, r}).ToLong());
    EXPECT_EQ(got, (std::vector<int>{4093, 4094, 4095, 4098, 4099, 4100}));
    EXPECT_EQ(rs->Fields("ID").Value().ToLong(), 4101);  // after the last row returned
    vb::ArrayRef rest = rs->GetRows(100000).ToArray();
    EXPECT_EQ(rest->UBound(2), 5000 - 4101);
    EXPECT_TRUE(rs->Eof());
}

TEST_F(RowLayout, GetRowsAcrossChunksGivesEveryValueOnce) {
    Fill(4200);
    auto rs = db->OpenRecordset(kAll);
    rs->SetAbsolutePosition(4000);
    vb::ArrayRef a = rs->GetRows(150).ToArray();
    ASSERT_EQ(a->UBound(2), 149);
    for (int r = 0; r < 150; ++r) {
        const int k = 4001 + r;
        EXPECT_EQ(a->At({0, r}).ToLong(), k);
        EXPECT_EQ(a->At({2, r}).ToString(), "Name " + std::to_string(k));
        EXPECT_EQ(a->At({3, r}).IsNull(), k % 3 == 0) << k;
    }
    EXPECT_EQ(rs->AbsolutePosition(), 4150);
}

TEST_F(RowLayout, RowsAddedPastAFullChunkAndRolledBackCountAsDeleted) {
    Fill(4096);  // the chunks are exactly full
    auto rs = db->OpenRecordset(kAll);
    db->BeginTrans();
    for (int k = 4097; k <= 4100; ++k) {
        rs->AddNew();
        rs->Fields("ID").SetValue(k);
        rs->Fields("NAME").SetValue("added " + std::to_string(k));
        rs->Update();
    }
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("NAME").Value().ToString(), "added 4100");
    EXPECT_EQ(rs->RecordCount(), 4100);
    db->Rollback();
    EXPECT_EQ(rs->RecordCount(), 4096);
    rs->MoveLast();
    ExpectRow(*rs, 4096);
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 4096);
    rs->SetAbsolutePosition(4095);
    ExpectRow(*rs, 4096);
}

TEST_F(RowLayout, PeekTextGivesTheStoredTextOnlyWhereItIsTheValue) {
    Fill(20);
    // Values of another kind than their column's, as another program may
    // write them.
    sqlite3* raw = nullptr;
    sqlite3_open(t.path().c_str(), &raw);
    sqlite3_exec(raw, "UPDATE tblRows SET AMOUNT = 'not a number' WHERE ID = 5; UPDATE tblRows SET NAME = 17 WHERE ID = 6",
                 nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    auto rs = db->OpenRecordset(kAll);
    std::string_view text;
    ASSERT_TRUE(rs->PeekText(18, 2, text));
    EXPECT_EQ(text, "Name 19");
    ASSERT_TRUE(rs->PeekText(18, 3, text));  // 19 % 3 = 1: an empty text
    EXPECT_EQ(text, "");
    EXPECT_FALSE(rs->PeekText(17, 3, text));  // Null
    EXPECT_FALSE(rs->PeekText(18, 0, text));  // a number
    EXPECT_FALSE(rs->PeekText(4, 1, text));   // a text in a number column
    ASSERT_TRUE(rs->PeekText(5, 2, text));   // a number given to a text column is kept as text
    EXPECT_EQ(text, "17");
    EXPECT_EQ(rs->PeekValue(5, 2).Type(), vb::VarType::String);
    rs->SetAbsolutePosition(3);
    rs->Delete();
    ASSERT_TRUE(rs->PeekText(3, 2, text));  // positions skip the deleted row
    EXPECT_EQ(text, "Name 5");
    EXPECT_ENGINE_ERROR(rs->PeekText(19, 2, text), 3021);
    EXPECT_ENGINE_ERROR(rs->PeekText(0, 9, text), 3265);
}
