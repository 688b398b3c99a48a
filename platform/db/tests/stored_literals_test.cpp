// Literal values of INSERT and UPDATE texts converted for their columns.
#include <gtest/gtest.h>

#include "comma_locale.h"
#include "err.h"
#include "stored_literals.h"
#include "temp_database.h"

namespace {

const std::vector<dao::TableColumn> kOrders = {
    {"ORDERID", {dao::dbLong, 4}},  {"ORDERDATE", {dao::dbDate, 8}}, {"NAME", {dao::dbText, 5}},
    {"TOTAL", {dao::dbCurrency, 8}}, {"PAID", {dao::dbBoolean, 1}},  {"NOTE", {dao::dbMemo, 0}},
};

const std::vector<dao::TableColumn> kRates = {
    {"RATE", {dao::dbDouble, 8}}, {"FACTOR", {dao::dbSingle, 4}}, {"LABEL", {dao::dbText, 50}}};

std::string store(const std::string& sql, dao::StatementKind kind = dao::StatementKind::Insert) {
    return dao::StoreLiteralValues(sql, kind, [](const std::string& table) -> const std::vector<dao::TableColumn>* {
        if (table == "ORDERS" || table == "orders") return &kOrders;
        return table == "RATES" ? &kRates : nullptr;
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

// A number token is converted only when it is a number as a whole, and read
// the same whatever the process's locale.
TEST(StoredLiterals, NumbersAreReadWholeOrLeftToTheEngine) {
    const char* twoPoints = "INSERT INTO ORDERS (ORDERID, TOTAL) VALUES (1.2.3, 4.5.6)";
    EXPECT_EQ(store(twoPoints), twoPoints);
    EXPECT_EQ(store("INSERT INTO RATES (RATE, FACTOR) VALUES (0.1, -2.5E-3)"),
              "INSERT INTO RATES (RATE, FACTOR) VALUES (0.10000000000000001, -0.0024999999441206455)");
    // Beyond the range of a Double: too large is an overflow, too small is zero.
    EXPECT_ENGINE_ERROR(store("INSERT INTO RATES (RATE) VALUES (1e999)"), 3349);
    EXPECT_ENGINE_ERROR(store("INSERT INTO RATES (RATE) VALUES (-123.4e997)"), 3349);
    EXPECT_EQ(store("INSERT INTO RATES (RATE) VALUES (1e-999)"), "INSERT INTO RATES (RATE) VALUES (0)");
    EXPECT_EQ(store("INSERT INTO RATES (RATE) VALUES (0.0001e-330)"), "INSERT INTO RATES (RATE) VALUES (0)");
    // A text column keeps what it is given.
    EXPECT_EQ(store("INSERT INTO RATES (LABEL) VALUES (1e999)"), "INSERT INTO RATES (LABEL) VALUES (1e999)");
}

TEST(StoredLiterals, NumbersIgnoreTheProcessLocale) {
    CommaDecimalLocale comma;
    SKIP_WITHOUT(comma);
    EXPECT_EQ(store("INSERT INTO ORDERS (TOTAL, ORDERID) VALUES (28.98, 3)"),
              "INSERT INTO ORDERS (TOTAL, ORDERID) VALUES (28.98, 3)");
    EXPECT_EQ(store("INSERT INTO RATES (RATE) VALUES (12.5)"), "INSERT INTO RATES (RATE) VALUES (12.5)");
    EXPECT_EQ(store("UPDATE RATES SET RATE = '0.5'", dao::StatementKind::Update), "UPDATE RATES SET RATE = 0.5");
}
