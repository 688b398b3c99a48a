// Column types: what is stored for the forms programs write, and what they read back.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE T (ID LONG NOT NULL PRIMARY KEY, D DATETIME, C CURRENCY, N TEXT(5), M LONGTEXT, B YESNO,
                X DOUBLE, S SINGLE, I SHORT, L LONG);
)";

vb::Variant read(dao::Database& db, const std::string& column, int id) {
    auto rs = db.OpenRecordset("SELECT " + column + " FROM T WHERE ID = " + std::to_string(id), dao::dbOpenSnapshot);
    return rs->Fields(0).Value();
}

}  // namespace

TEST(Types, ColumnDeclarations) {
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("TEXT(50)").type, dao::dbText);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("text (50)").size, 50);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("LONG").type, dao::dbLong);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("Integer").type, dao::dbLong);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("SHORT").type, dao::dbInteger);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("CURRENCY").type, dao::dbCurrency);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("DATETIME").type, dao::dbDate);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("LONGTEXT").type, dao::dbMemo);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("YESNO").type, dao::dbBoolean);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("DOUBLE").type, dao::dbDouble);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("SINGLE").type, dao::dbSingle);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("").type, dao::dbUnknown);
    // A size beyond 32 bits is no size, not its low bits.
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("TEXT(4294967306)").size, 255);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("TEXT(99999999999)").size, 255);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("TEXT(-5)").size, 255);
    EXPECT_EQ(dao::ColumnTypeFromDeclaration("TEXT(x)").size, 255);
}

TEST(Types, ValuesReadBackAsTheirKinds) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO T VALUES (1, '12/09/26', 15.99, 'abc', '00123', True, 2.5, 1.5, 7, 70000)");
    auto rs = db->OpenRecordset("SELECT * FROM T", dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields("ID").Value().Type(), vb::VarType::Long);
    EXPECT_EQ(rs->Fields("D").Value().Type(), vb::VarType::Date);
    EXPECT_EQ(rs->Fields("D").Value().ToString(), "12/9/2026");
    EXPECT_EQ(rs->Fields("C").Value().Type(), vb::VarType::Currency);
    EXPECT_EQ(rs->Fields("C").Value().ToCurrency().scaled, 159900);
    EXPECT_EQ(rs->Fields("N").Value().ToString(), "abc");
    EXPECT_EQ(rs->Fields("M").Value().ToString(), "00123");
    EXPECT_EQ(rs->Fields("B").Value().Type(), vb::VarType::Boolean);
    EXPECT_TRUE(rs->Fields("B").Value().ToBool());
    EXPECT_EQ(rs->Fields("X").Value().Type(), vb::VarType::Double);
    EXPECT_EQ(rs->Fields("S").Value().Type(), vb::VarType::Single);
    EXPECT_EQ(rs->Fields("I").Value().Type(), vb::VarType::Integer);
    EXPECT_EQ(rs->Fields("L").Value().ToLong(), 70000);
    EXPECT_EQ(rs->Fields("D").Type(), dao::dbDate);
    EXPECT_EQ(rs->Fields("N").Size(), 5);
}

TEST(Types, CurrencyIsExact) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    // Written as text, as a bare number, and with more than four decimals.
    db->Execute("INSERT INTO T (ID, C) SELECT 1, '12.5'");
    db->Execute("INSERT INTO T (ID, C) VALUES (2, 31.98)");
    db->Execute("INSERT INTO T (ID, C) VALUES (3, 0.123456)");
    EXPECT_EQ(read(*db, "C", 1).ToCurrency().scaled, 125000);
    EXPECT_EQ(read(*db, "C", 2).ToCurrency().scaled, 319800);
    EXPECT_EQ(read(*db, "C", 3).ToCurrency().scaled, 1235);
    // Comparison with a literal amount.
    auto match = db->OpenRecordset("SELECT ID FROM T WHERE C = 31.98", dao::dbOpenSnapshot);
    ASSERT_EQ(match->RecordCount(), 1);
    EXPECT_EQ(match->Fields(0).Value().ToLong(), 2);
    // Ten thousand dimes sum to exactly 1000 and read as Currency.
    db->Execute("DELETE FROM T");
    db->Execute("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 10000) "
                "INSERT INTO T (ID, C) SELECT k, 0.1 FROM n");
    auto sum = db->OpenRecordset("SELECT SUM(C) FROM T", dao::dbOpenSnapshot);
    EXPECT_EQ(sum->Fields(0).Value().Type(), vb::VarType::Currency);
    EXPECT_EQ(sum->Fields(0).Value().ToCurrency().scaled, 1000 * 10000LL);
    auto total = db->OpenRecordset("SELECT ID FROM T WHERE (SELECT SUM(C) FROM T) = 1000", dao::dbOpenSnapshot);
    EXPECT_EQ(total->RecordCount(), 10000);
}

TEST(Types, AmountsBeyondTheCurrencyRangeReadAsPlainNumbers) {
    // Written by another program straight into the file.
    TempDatabase t(std::string(kSchema) +
                   "INSERT INTO T (ID, C) VALUES (1, 1000000000000000), (2, 1e20), (3, -922337203685477);");
    auto db = dao::OpenDatabase(t.path());
    vb::Variant whole = read(*db, "C", 1);
    EXPECT_EQ(whole.Type(), vb::VarType::Double);
    EXPECT_EQ(whole.ToDouble(), 1e15);
    vb::Variant real = read(*db, "C", 2);
    EXPECT_EQ(real.Type(), vb::VarType::Double);
    EXPECT_EQ(real.ToDouble(), 1e20);
    // The largest whole amount that fits stays Currency.
    EXPECT_EQ(read(*db, "C", 3).ToCurrency().scaled, -9223372036854770000LL);
}

TEST(Types, DatesInEveryFormTheProgramsWriteSortChronologically) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO T (ID, D) VALUES (1, '12/09/26')");     // the order form
    db->Execute("INSERT INTO T (ID, D) SELECT 2, '1/15/2027'");      // the inventory forms
    db->Execute("INSERT INTO T (ID, D) VALUES (3, '2026-02-03')");   // ISO
    db->Execute("INSERT INTO T (ID, D) VALUES (4, #3/1/2026#)");
    db->Execute("INSERT INTO T (ID, D) VALUES (5, '2026-12-09 15:45:00')");
    auto rs = db->OpenRecordset("SELECT ID, D FROM T ORDER BY D", dao::dbOpenSnapshot);
    std::vector<int> order;
    for (; !rs->Eof(); rs->MoveNext()) {
        EXPECT_EQ(rs->Fields("D").Value().Type(), vb::VarType::Date);
        order.push_back(rs->Fields("ID").Value().ToLong());
    }
    EXPECT_EQ(order, (std::vector<int>{3, 4, 1, 5, 2}));
    EXPECT_EQ(read(*db, "D", 2).ToDate(), vb::Date::FromParts(2027, 1, 15));
    EXPECT_EQ(read(*db, "D", 5).ToDate(), vb::Date::FromParts(2026, 12, 9, 15, 45, 0));
    auto found = db->OpenRecordset("SELECT ID FROM T WHERE D = #12/9/2026#", dao::dbOpenSnapshot);
    ASSERT_EQ(found->RecordCount(), 1);
    EXPECT_EQ(found->Fields(0).Value().ToLong(), 1);
    auto latest = db->OpenRecordset("SELECT MAX(D) FROM T", dao::dbOpenSnapshot);
    EXPECT_EQ(latest->Fields(0).Value().Type(), vb::VarType::Date);
}

TEST(Types, NullAndEmptyText) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO T (ID) VALUES (1)");
    EXPECT_TRUE(read(*db, "D", 1).IsNull());
    EXPECT_TRUE(read(*db, "C", 1).IsNull());
    EXPECT_TRUE(read(*db, "N", 1).IsNull());
    auto rs = db->OpenRecordset("T");
    rs->Edit();
    rs->Fields("N").SetValue("");
    rs->Fields("C").SetValue("");  // an empty box in a number column stores Null
    rs->Update();
    EXPECT_EQ(read(*db, "N", 1).ToString(), "");
    EXPECT_TRUE(read(*db, "C", 1).IsNull());
}

TEST(Types, FieldAssignmentConvertsTextToTheColumnType) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO T (ID) VALUES (1)");
    auto rs = db->OpenRecordset("select * from [T] Order by [ID]");
    rs->Edit();
    rs->Fields("D").SetValue("12/9/2026");
    rs->Fields("C").SetValue("12.5");
    rs->Fields("L").SetValue("42");
    rs->Fields("B").SetValue("True");
    EXPECT_EQ(rs->Fields("D").Value().Type(), vb::VarType::Date);
    EXPECT_ENGINE_ERROR(rs->Fields("C").SetValue("abc"), 3421);
    EXPECT_ENGINE_ERROR(rs->Fields("L").SetValue("12a"), 3421);
    EXPECT_ENGINE_ERROR(rs->Fields("D").SetValue("soon"), 3421);
    EXPECT_ENGINE_ERROR(rs->Fields("L").SetValue("99999999999"), 3349);
    EXPECT_ENGINE_ERROR(rs->Fields("N").SetValue("toolong"), 3163);
    rs->Update();
    EXPECT_EQ(RawQuery(t.path(), "SELECT typeof(D) || typeof(C) || typeof(L) || B FROM T"), "integerrealinteger-1");
    EXPECT_EQ(read(*db, "C", 1).ToCurrency().scaled, 125000);
    EXPECT_EQ(read(*db, "D", 1).ToDate(), vb::Date::FromParts(2026, 12, 9));
}

TEST(Types, TextSizesCountCharactersNotBytes) {
    // N holds five characters; "\u0158\u00E1dek" is five letters in eight bytes.
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO T (ID, N) VALUES (1, '\u0158\u00E1dek')");
    EXPECT_EQ(read(*db, "N", 1).ToString(), "\u0158\u00E1dek");
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO T (ID, N) VALUES (2, '\u0158\u00E1deks')"), 3163);
    auto rs = db->OpenRecordset("SELECT * FROM T");
    rs->Edit();
    rs->Fields("N").SetValue("\u00E9t\u00E9s!");
    EXPECT_ENGINE_ERROR(rs->Fields("N").SetValue("\u00E9t\u00E9s!!"), 3163);
    rs->Update();
    EXPECT_EQ(read(*db, "N", 1).ToString(), "\u00E9t\u00E9s!");
}

TEST(Types, StatementsThatDoNotFitTheirColumnsAreRefused) {
    TempDatabase t(kSchema);
    auto db = dao::OpenDatabase(t.path());
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO T (ID, N) VALUES (1, 'toolong')"), 3163);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO T (ID, C) SELECT 1, 'abc'"), 3464);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO T (ID, D) VALUES (1, 'soon')"), 3464);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO T (ID, L) VALUES (1, 99999999999)"), 3349);
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM T"), "0");
    db->Execute("INSERT INTO T (ID, L, N) VALUES ('1', '12.5', 'ok')");
    EXPECT_EQ(read(*db, "L", 1).ToLong(), 12);  // rounded half to even
    EXPECT_ENGINE_ERROR(db->Execute("UPDATE T SET D = 'soon'"), 3464);
}
