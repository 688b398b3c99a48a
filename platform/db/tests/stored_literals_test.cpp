// Literal values of INSERT and UPDATE texts converted for their columns.
#include <gtest/gtest.h>

#include "err.h"
#include "stored_literals.h"
#include "temp_database.h"

namespace {

const std::vector<dao::TableColumn> kOrders = {
    {"ORDERID", {dao::dbLong, 4}},  {"ORDERDATE", {dao::dbDate, 8}}, {"NAME", {dao::dbText, 5}},
    {"TOTAL", {dao::dbCurrency, 8}}, {"PAID", {dao::dbBoolean, 1}},  {"NOTE", {dao::dbMemo, 0}},
};

std::string store(const std::string& sql, dao::StatementKind kind = dao::StatementKind::Insert) {
    return dao::StoreLiteralValues(sql, kind, [](const std::string& table) {
        return table == "ORDERS" || table == "orders" ? &kOrders : nullptr;
    });
}

}  // namespace

TEST(StoredLiterals, InsertValuesTakeTheirColumnsForm) {
    EXPECT_EQ(store("INSERT INTO ORDERS VALUES ('7', '12/09/26', 'abc', ' 31.98', 'True', '00123')"),
              "INSERT INTO ORDERS VALUES (7, 46365, 'abc', 31.98, -1, '00123')");
    // Only the listed columns, in the listed order; several rows.
    EXPECT_EQ(store("INSERT INTO ORDERS (TOTAL, [ORDERDATE]) VALUES (12.34567, '2026-12-09'), (-3, '1/2/2027')"),
              "INSERT INTO ORDERS (TOTAL, [ORDERDATE]) VALUES (12.3457, 46365), (-3, 46389)");
    // The command builder's INSERT ... SELECT without FROM.
    EXPECT_EQ(store("INSERT INTO ORDERS ( [ORDERID], [TOTAL] ) SELECT 3, '12.5'"),
              "INSERT INTO ORDERS ( [ORDERID], [TOTAL] ) SELECT 3, 12.5");
    // Empty text in a number column stores Null; expressions are left alone.
    EXPECT_EQ(store("INSERT INTO ORDERS (ORDERID, TOTAL) VALUES ('', 1 + 2)"),
              "INSERT INTO ORDERS (ORDERID, TOTAL) VALUES (NULL, 1 + 2)");
}

TEST(StoredLiterals, CopiesAndUnknownTablesPassUnchanged) {
    const char* copy = "INSERT INTO ORDERS SELECT ORDERSbak.* FROM ORDERSbak";
    EXPECT_EQ(store(copy), copy);
    const char* select = "INSERT INTO ORDERS (ORDERDATE) SELECT '1/1/26' FROM X";
    EXPECT_EQ(store(select), select);
    const char* other = "INSERT INTO OTHER VALUES ('12/09/26')";
    EXPECT_EQ(store(other), other);
    const char* mismatch = "INSERT INTO ORDERS VALUES ('1', '2')";  // the engine reports the count
    EXPECT_EQ(store(mismatch), mismatch);
}

TEST(StoredLiterals, UpdateSetValues) {
    EXPECT_EQ(store("UPDATE ORDERS SET ORDERDATE = '12/9/2026', orders.TOTAL='2' WHERE ORDERID = '7'",
                    dao::StatementKind::Update),
              "UPDATE ORDERS SET ORDERDATE = 46365, orders.TOTAL=2 WHERE ORDERID = '7'");
}

TEST(StoredLiterals, ValuesThatDoNotFitAreRefused) {
    EXPECT_ENGINE_ERROR(store("INSERT INTO ORDERS (ORDERDATE) VALUES ('soon')"), 3464);
    EXPECT_ENGINE_ERROR(store("INSERT INTO ORDERS (TOTAL) VALUES ('abc')"), 3464);
    EXPECT_ENGINE_ERROR(store("INSERT INTO ORDERS (ORDERID) VALUES (99999999999)"), 3349);
    EXPECT_ENGINE_ERROR(store("INSERT INTO ORDERS (NAME) VALUES ('toolong')"), 3163);
    EXPECT_ENGINE_ERROR(store("UPDATE ORDERS SET PAID = 'maybe'", dao::StatementKind::Update), 3464);
}
