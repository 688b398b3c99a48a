// The translation of the programs' SQL texts into SQLite's dialect.
#include <gtest/gtest.h>

#include "comma_locale.h"
#include "err.h"
#include "sql_dialect.h"
#include "temp_database.h"

using dao::StatementKind;
using dao::TranslateStatement;

TEST(DialectDelete, ColumnPartIsDropped) {
    EXPECT_EQ(TranslateStatement("DELETE CUSTOMERS.* FROM CUSTOMERS;").sql, "DELETE FROM CUSTOMERS");
    EXPECT_EQ(TranslateStatement("DELETE tblPO.* From tblPO  ;").sql, "DELETE From tblPO  ");
    EXPECT_EQ(TranslateStatement("DELETE tblPO.* From tblPO  WHERE ([SupplierID]=3);").sql,
              "DELETE From tblPO  WHERE ([SupplierID]=3)");
    EXPECT_EQ(TranslateStatement("DELETE * FROM T").sql, "DELETE FROM T");
    EXPECT_EQ(TranslateStatement("DELETE [my table].* FROM [my table]").sql, "DELETE FROM [my table]");
    // Already plain: unchanged.
    EXPECT_EQ(TranslateStatement("delete from ORDERS").sql, "delete from ORDERS");
    EXPECT_EQ(TranslateStatement("DELETE FROM ORDERS WHERE ORDERID= 5").kind, StatementKind::Delete);
}

TEST(DialectLiterals, DateLiteralBecomesSerialDay) {
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE D = #12/09/26#").sql, "SELECT * FROM T WHERE D = 46365");
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE D > #2026-12-09#").sql, "SELECT * FROM T WHERE D > 46365");
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT * FROM T WHERE D = #soon#"), 3075);
}

// Date literals that name no day of the calendar are refused, not moved to
// another day.
TEST(DialectLiterals, DateLiteralsOutsideTheCalendarAreRefused) {
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT * FROM T WHERE D = #2026-02-31#"), 3075);
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT * FROM T WHERE D = #2026-13-01#"), 3075);
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT * FROM T WHERE D = #0000-01-01#"), 3075);
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE D = #2024-02-29 12:00#").sql,
              "SELECT * FROM T WHERE D = 45351.5");
}

// A program's Qt application takes the user's locale; the SQL it writes
// keeps its decimal points.
TEST(DialectLiterals, DateLiteralsWithATimeIgnoreTheProcessLocale) {
    CommaDecimalLocale comma;
    SKIP_WITHOUT(comma);
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE D = #12/09/26 12:00#").sql,
              "SELECT * FROM T WHERE D = 46365.5");
}

TEST(DialectLiterals, DoubleQuotedTextIsTextLiteral) {
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE N = \"O'Hara\"").sql, "SELECT * FROM T WHERE N = 'O''Hara'");
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE N = \"say \"\"hi\"\"\"").sql,
              "SELECT * FROM T WHERE N = 'say \"hi\"'");
}

TEST(DialectLiterals, TrueFalseAndAmpersand) {
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE Flag = True OR Other = false").sql,
              "SELECT * FROM T WHERE Flag = -1 OR Other = 0");
    // A bracketed or qualified name stays a name.
    EXPECT_EQ(TranslateStatement("SELECT [True], T.True FROM T").sql, "SELECT [True], T.True FROM T");
    EXPECT_EQ(TranslateStatement("SELECT A & ' ' & B FROM T").sql, "SELECT A || ' ' || B FROM T");
}

TEST(DialectLiterals, NoCommentsCanHideText) {
    EXPECT_EQ(TranslateStatement("SELECT 5 --3").sql, "SELECT 5 - -3");
    EXPECT_EQ(TranslateStatement("SELECT 6 /*2").sql, "SELECT 6 / *2");
    // Values the translation writes with a minus of their own.
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE A = -True AND B = 1").sql,
              "SELECT * FROM T WHERE A = - -1 AND B = 1");
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE D > -#1/1/1800# AND B = 1").sql,
              "SELECT * FROM T WHERE D > - -36522 AND B = 1");
}

TEST(DialectStatements, OneStatementOnly) {
    EXPECT_EQ(TranslateStatement("SELECT * FROM T;;  ").sql, "SELECT * FROM T");
    EXPECT_ENGINE_ERROR(TranslateStatement("DELETE FROM A; DELETE FROM B"), 3142);
    // A value holding a quote cannot start a second statement.
    EXPECT_ENGINE_ERROR(
        TranslateStatement("INSERT INTO C (N) VALUES ('x'); DELETE FROM C; SELECT ('')"), 3142);
}

TEST(DialectStatements, UnclosedLiteralIsSyntaxErrorOfItsKind) {
    EXPECT_ENGINE_ERROR(TranslateStatement("INSERT INTO T VALUES ('O'Brien')"), 3134);
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT * FROM T WHERE N = 'O'Brien'"), 3075);
    EXPECT_ENGINE_ERROR(TranslateStatement("SELECT [a FROM T"), 3075);
    EXPECT_ENGINE_ERROR(TranslateStatement("UPDATE T SET N = 'x"), 3144);
}

TEST(DialectStatements, ProgramTextsPassAsTheyStand) {
    const char* texts[] = {
        "INSERT INTO CUSTOMERS SELECT CUSTOMERSbak.* FROM CUSTOMERSbak;",
        "SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;",
        "SELECT tblPO.* From tblPO   ORDER BY PurchaseOrderID ASC;",
        "select * from [tblPO] Order by [PurchaseOrderID]",
        "INSERT INTO tblPO ( [PurchaseOrderID], [PurchaseOrderNumber] ) SELECT 1, 'x';",
        "SELECT MAX(CUSTID) FROM CUSTOMERS",
        " SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Bach'",
        "SELECT * FROM CUSTOMERS WHERE CUSTOMERS.CUSTID= 5",
    };
    for (const char* t : texts) {
        std::string expected = t;
        if (expected.back() == ';') expected.pop_back();
        EXPECT_EQ(TranslateStatement(t).sql, expected);
    }
}

TEST(DialectAnalysis, TableNamesAndSingleTableQueries) {
    std::string table;
    EXPECT_TRUE(dao::IsTableName("tblPO", table));
    EXPECT_EQ(table, "tblPO");
    EXPECT_TRUE(dao::IsTableName(" [my table] ", table));
    EXPECT_EQ(table, "my table");
    EXPECT_FALSE(dao::IsTableName("SELECT", table));
    EXPECT_FALSE(dao::IsTableName("select * from T", table));

    auto s = dao::AnalyzeSelect("select * from [tblPO] Order by [PurchaseOrderID]");
    ASSERT_TRUE(s.simple);
    EXPECT_EQ(s.table, "tblPO");
    EXPECT_EQ(dao::WithRowNumberColumn("select * from [tblPO] Order by [PurchaseOrderID]", s, "rid"),
              "select * , [tblPO].rowid AS \"rid\" from [tblPO] Order by [PurchaseOrderID]");
    auto aliased = dao::AnalyzeSelect("SELECT p.* FROM PRODUCTS AS p WHERE p.PRODID = 1");
    ASSERT_TRUE(aliased.simple);
    EXPECT_EQ(aliased.table, "PRODUCTS");
    EXPECT_EQ(aliased.reference, "p");

    EXPECT_FALSE(dao::AnalyzeSelect("SELECT DISTINCT COMPOSER FROM PRODUCTS").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT MAX(CUSTID) FROM CUSTOMERS").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT * FROM ORDERS, PRODUCTS WHERE 1").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT * FROM A JOIN B ON A.x = B.x").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT C, COUNT(*) FROM T GROUP BY C").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT 1").simple);
}

TEST(DialectAnalysis, AggregatedColumnsAndNames) {
    auto cols = dao::AggregatedColumns("SELECT MAX(T.ORDERDATE), SUM([TOTAL]) AS s, NAME, COUNT(*) FROM T");
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(cols[0], "ORDERDATE");
    EXPECT_EQ(cols[1], "TOTAL");
    EXPECT_EQ(cols[2], "");
    EXPECT_EQ(cols[3], "");
    auto names = dao::NamesIn("[Order Date] > 3 AND TransactionID=12");
    EXPECT_EQ(names, (std::vector<std::string>{"Order Date", "AND", "TransactionID"}));
}

TEST(DialectScripts, SplitStatementsKeepsLiteralsAndDropsComments) {
    auto parts = dao::SplitStatements("-- a comment; with a semicolon\nCREATE TABLE T (A TEXT);\n"
                                      "INSERT INTO T VALUES ('a;b');\n  -- trailing\n");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], "CREATE TABLE T (A TEXT);");
    EXPECT_EQ(parts[1], "INSERT INTO T VALUES ('a;b');");
}
