// Filtered reads as the programs write them, translated for SQLite, find
// their rows through an index on the filtered column: the translation puts
// no function around a column, and the engine's comparison of texts (without
// regard to case, the columns' collation) is the one the index is sorted by.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>

#include "dao.h"
#include "sql_dialect.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE PRODUCTS (PRODID LONG NOT NULL PRIMARY KEY, COMPOSER TEXT(255) COLLATE NOCASE,
                       COMPOSITION TEXT(255) COLLATE NOCASE, PRICE CURRENCY);
CREATE INDEX PRODUCTS_COMPOSER ON PRODUCTS (COMPOSER);
CREATE TABLE ORDERS (ORDERID LONG NOT NULL PRIMARY KEY, CUSTID LONG, PRODID LONG);
CREATE INDEX ORDERS_CUSTID ON ORDERS (CUSTID);
CREATE TABLE tblPO (PurchaseOrderID LONG NOT NULL PRIMARY KEY, SupplierID LONG);
CREATE INDEX tblPO_SupplierID ON tblPO (SupplierID);
-- An index sorted by exact comparison on a column compared without case.
CREATE TABLE ARTISTS (NAME TEXT(255) COLLATE NOCASE);
CREATE INDEX ARTISTS_NAME_EXACT ON ARTISTS (NAME COLLATE BINARY);
INSERT INTO PRODUCTS VALUES (1, 'Bach', 'Goldberg Variations', 9.99), (2, 'Brahms', 'Symphony No. 4', 8.5),
                            (3, 'bach', 'Mass in B minor', 12);
)";

// The plan SQLite makes for the program's text, one line per step.
std::string PlanOf(const std::string& path, const std::string& programSql) {
    const std::string sql = "EXPLAIN QUERY PLAN " + dao::TranslateStatement(programSql).sql;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    std::string plan;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        plan = std::string("error: ") + sqlite3_errmsg(db);
    } else {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            plan += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)) + std::string("\n");
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return plan;
}

TEST(IndexUse, TheProgramsFilteredReadsSearchAnIndex) {
    TempDatabase t(kSchema);
    // The catalogue's composer query, as it writes it (leading blank,
    // qualified column, quoted text).
    const std::string composer = PlanOf(t.path(), " SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Bach'");
    EXPECT_NE(composer.find("SEARCH PRODUCTS USING INDEX PRODUCTS_COMPOSER (COMPOSER=?)"), std::string::npos)
        << composer;
    // A text in double quotation marks becomes a text literal, still on the index.
    EXPECT_NE(PlanOf(t.path(), "SELECT * FROM PRODUCTS WHERE COMPOSER = \"Brahms\"").find("USING INDEX PRODUCTS_COMPOSER"),
              std::string::npos);
    // A product by its number, on the key.
    const std::string product = PlanOf(t.path(), "select * from products where PRODID = 7");
    EXPECT_NE(product.find("USING INDEX sqlite_autoindex_PRODUCTS_1 (PRODID=?)"), std::string::npos) << product;
    // The inventory's bracketed, parenthesised one-column filter.
    const std::string po =
        PlanOf(t.path(), "SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;");
    EXPECT_NE(po.find("SEARCH tblPO USING INDEX tblPO_SupplierID (SupplierID=?)"), std::string::npos) << po;
    // A customer's orders, joined with their products and customer.
    const std::string orders = PlanOf(t.path(),
        "SELECT ORDERS.ORDERID, PRODUCTS.COMPOSER FROM ORDERS, PRODUCTS WHERE PRODUCTS.PRODID = ORDERS.PRODID "
        "AND ORDERS.CUSTID= 2");
    EXPECT_NE(orders.find("SEARCH ORDERS USING INDEX ORDERS_CUSTID (CUSTID=?)"), std::string::npos) << orders;
    EXPECT_EQ(orders.find("SCAN"), std::string::npos) << orders;
}

TEST(IndexUse, AnIndexServesOnlyTheComparisonItIsSortedBy) {
    TempDatabase t(kSchema);
    // The engine compares texts without regard to case: through the index,
    // both spellings of the composer are found.
    auto db = dao::OpenDatabase(t.path());
    EXPECT_EQ(db->OpenRecordset(" SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='BACH'", dao::dbOpenSnapshot)
                  ->RecordCount(),
              2);
    // An index sorted by exact comparison cannot answer that comparison:
    // SQLite reads the whole table instead.
    const std::string plan = PlanOf(t.path(), "SELECT * FROM ARTISTS WHERE NAME = 'Bach'");
    EXPECT_NE(plan.find("SCAN ARTISTS"), std::string::npos) << plan;
}

}  // namespace
