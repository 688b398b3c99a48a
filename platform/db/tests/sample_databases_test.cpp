// The sample databases built into the program's data folder: their tables,
// column orders and key rows, and backups equal to the live tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sqlite3.h>

#include "dao.h"
#include "err.h"
#include "sql_dialect.h"
#include "temp_database.h"

namespace {

// A copy of a sample database in a temporary folder, so tests may change it.
class SampleCopy {
public:
    explicit SampleCopy(const std::string& name) : temp_("") {
        const char* bin = std::getenv("ORVANTA_BIN_DIR");
        std::filesystem::path source = std::filesystem::path(bin ? bin : "bin") / "data" / name;
        path_ = (temp_.dir() / name).string();
        std::filesystem::copy_file(source, path_);
    }
    const std::string& path() const { return path_; }

private:
    TempDatabase temp_;
    std::string path_;
};

std::vector<std::string> columnsOf(dao::Database& db, const std::string& table) {
    auto rs = db.OpenRecordset("SELECT * FROM " + table, dao::dbOpenSnapshot);
    std::vector<std::string> names;
    for (int i = 0; i < rs->Fields().Count(); ++i) names.push_back(rs->Fields(i).Name());
    return names;
}

std::vector<int> typesOf(dao::Database& db, const std::string& table) {
    auto rs = db.OpenRecordset("SELECT * FROM " + table, dao::dbOpenSnapshot);
    std::vector<int> types;
    for (int i = 0; i < rs->Fields().Count(); ++i) types.push_back(rs->Fields(i).Type());
    return types;
}

// Every row of `a` equals a row of `b` and both have as many rows.
void expectSameRows(dao::Database& db, const std::string& a, const std::string& b) {
    auto count = [&](const std::string& sql) {
        return db.OpenRecordset(sql, dao::dbOpenSnapshot)->Fields(0).Value().ToLong();
    };
    int rows = count("SELECT COUNT(*) FROM " + a);
    EXPECT_GT(rows, 0) << a;
    EXPECT_EQ(count("SELECT COUNT(*) FROM " + b), rows) << b;
    EXPECT_EQ(count("SELECT COUNT(*) FROM (SELECT * FROM " + a + " EXCEPT SELECT * FROM " + b + ")"), 0)
        << a << " differs from " << b;
    EXPECT_EQ(columnsOf(db, a), columnsOf(db, b));
    EXPECT_EQ(typesOf(db, a), typesOf(db, b));
}

using V = std::vector<std::string>;

// Column `column` of each row of `sql`, run on the file directly.
V column(const std::string& path, const std::string& sql, int column = 0) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    V values;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
    } else {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            values.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return values;
}

// How SQLite reads a program's statement once translated, step by step.
std::string planOf(const std::string& path, const std::string& programSql) {
    std::string plan;
    for (const std::string& step : column(path, "EXPLAIN QUERY PLAN " + dao::TranslateStatement(programSql).sql, 3))
        plan += step + "\n";
    return plan;
}

V indexesOf(const std::string& path) {
    return column(path, "SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name");
}

}  // namespace

TEST(CatalogueSample, TablesAndColumnOrders) {
    SampleCopy copy("orvanta.mdb");
    auto db = dao::OpenDatabase(copy.path(), vb::Variant(), false, "");
    EXPECT_EQ(columnsOf(*db, "CUSTOMERS"), (V{"CUSTID", "NAME", "STREET", "CITYSTATEZIP", "PHONE"}));
    EXPECT_EQ(columnsOf(*db, "ORDERS"), (V{"ORDERID", "CUSTID", "ORDERDATE", "CARDTYPE", "CARDNUMB", "EXPDATE",
                                          "PRODID", "QUANTITY", "TOTAL", "STATUS"}));
    EXPECT_EQ(columnsOf(*db, "PRODUCTS"), (V{"PRODID", "COMPOSER", "COMPOSITION", "PERFORMER", "CONDUCTOR", "PRICE",
                                            "DESCRIPTION", "IMAGE"}));
    EXPECT_EQ(typesOf(*db, "ORDERS"), (std::vector<int>{dao::dbLong, dao::dbLong, dao::dbDate, dao::dbText,
                                                        dao::dbText, dao::dbText, dao::dbLong, dao::dbLong,
                                                        dao::dbCurrency, dao::dbText}));
    expectSameRows(*db, "CUSTOMERS", "CUSTOMERSbak");
    expectSameRows(*db, "ORDERS", "ORDERSbak");
    expectSameRows(*db, "PRODUCTS", "PRODUCTSbak");
}

TEST(CatalogueSample, KeyRowsAndUsableData) {
    SampleCopy copy("orvanta.mdb");
    auto db = dao::OpenDatabase(copy.path());
    auto name = [&](int id) {
        return db->OpenRecordset("SELECT * FROM CUSTOMERS WHERE CUSTID=" + std::to_string(id), dao::dbOpenSnapshot)
            ->Fields("NAME").Value().ToString();
    };
    EXPECT_EQ(name(-2), "Database Admin");
    EXPECT_EQ(name(-3), "New Customer");
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM CUSTOMERS WHERE NAME = 'admin'", 4)->RecordCount(), 1);
    EXPECT_TRUE(db->OpenRecordset("SELECT * FROM CUSTOMERS WHERE CUSTID = -1", 4)->Eof());

    // Five or more composers with two to five recordings each.
    auto composers = db->OpenRecordset("SELECT COMPOSER, COUNT(*) FROM PRODUCTS GROUP BY COMPOSER", 4);
    EXPECT_GE(composers->RecordCount(), 5);
    for (; !composers->Eof(); composers->MoveNext()) {
        EXPECT_GE(composers->Fields(1).Value().ToLong(), 2);
        EXPECT_LE(composers->Fields(1).Value().ToLong(), 5);
    }
    // Ordinary customers with orders, each order for a product that exists.
    auto orders = db->OpenRecordset(
        "SELECT ORDERS.ORDERID, ORDERS.STATUS, PRODUCTS.COMPOSER, PRODUCTS.COMPOSITION, ORDERS.QUANTITY, "
        "ORDERS.TOTAL FROM ORDERS, PRODUCTS, CUSTOMERS WHERE PRODUCTS.PRODID = ORDERS.PRODID AND "
        "ORDERS.CUSTID = CUSTOMERS.CUSTID AND ORDERS.CUSTID= 2",
        4);
    EXPECT_GE(orders->RecordCount(), 1);
    EXPECT_EQ(orders->Fields("TOTAL").Value().Type(), vb::VarType::Currency);
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM ORDERS WHERE PRODID NOT IN (SELECT PRODID FROM PRODUCTS)", 4)
                  ->RecordCount(),
              0);
    EXPECT_GE(db->OpenRecordset("SELECT DISTINCT CUSTID FROM ORDERS WHERE CUSTID > 1", 4)->RecordCount(), 3);
    auto first = db->OpenRecordset("SELECT * FROM ORDERS ORDER BY ORDERID", 4);
    EXPECT_EQ(first->Fields("ORDERDATE").Value().Type(), vb::VarType::Date);
    // Every album names a picture file.
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM PRODUCTS WHERE IMAGE IS NULL OR IMAGE = ''", 4)->RecordCount(), 0);
}

TEST(CatalogueSample, RestoreStatementsRunAndRestore) {
    SampleCopy copy("orvanta.mdb");
    auto db = dao::OpenDatabase(copy.path());
    db->Execute("delete from ORDERS");
    db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES ('99','Temp','a','b','c')");
    for (const char* table : {"CUSTOMERS", "ORDERS", "PRODUCTS"}) {
        db->Execute(std::string("DELETE ") + table + ".* FROM " + table + ";");
        db->Execute(std::string("INSERT INTO ") + table + " SELECT " + table + "bak.* FROM " + table + "bak;");
    }
    expectSameRows(*db, "CUSTOMERS", "CUSTOMERSbak");
    expectSameRows(*db, "ORDERS", "ORDERSbak");
}

TEST(InventorySample, TablesAndColumnOrders) {
    SampleCopy copy("Inventory.mdb");
    auto db = dao::OpenDatabase(copy.path());
    EXPECT_EQ(columnsOf(*db, "tblProducts"), (V{"ProductID", "Composition", "Description", "Composer", "Conductor",
                                               "Performer", "Image", "UnitPrice", "ReorderLevel"}));
    EXPECT_EQ(columnsOf(*db, "tblSuppliers"), (V{"SupplierID", "SupplierName", "ContactName", "ContactTitle",
                                                "Address", "City", "PostalCode", "StateOrProvince", "PhoneNumber",
                                                "FaxNumber"}));
    EXPECT_EQ(columnsOf(*db, "tblTransactions"),
              (V{"TransactionID", "TransactionDate", "ProductID", "PurchaseOrderID", "TransactionDescription",
                 "UnitPrice", "UnitsOrdered", "UnitsReceived", "UnitsSold", "UnitsShrinkage"}));
    EXPECT_EQ(columnsOf(*db, "tblPO"), (V{"PurchaseOrderID", "PurchaseOrderNumber", "PurchaseOrderDescription",
                                         "SupplierID", "OrderDate", "DateRequired", "DatePromised", "ShipDate"}));
    EXPECT_EQ(columnsOf(*db, "tblStates"), (V{"State"}));
    EXPECT_EQ(typesOf(*db, "tblPO"), (std::vector<int>{dao::dbLong, dao::dbText, dao::dbText, dao::dbLong, dao::dbDate,
                                                       dao::dbDate, dao::dbDate, dao::dbDate}));
    EXPECT_EQ(typesOf(*db, "tblTransactions")[5], dao::dbCurrency);
    for (const char* table : {"tblProducts", "tblSuppliers", "tblTransactions", "tblPO"})
        expectSameRows(*db, table, std::string(table) + "Bak");
}

TEST(InventorySample, KeyRowsAndRelations) {
    SampleCopy copy("Inventory.mdb");
    auto db = dao::OpenDatabase(copy.path());
    auto count = [&](const std::string& sql) { return db->OpenRecordset(sql, 4)->Fields(0).Value().ToLong(); };
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblSuppliers"), 15);
    EXPECT_EQ(count("SELECT MAX(SupplierID) FROM tblSuppliers"), 15);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblStates"), 50);
    EXPECT_GE(count("SELECT COUNT(*) FROM tblPO"), 5);
    EXPECT_GE(count("SELECT COUNT(*) FROM tblTransactions"), 10);
    // Every reference points at an existing row.
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblTransactions WHERE ProductID NOT IN (SELECT ProductID FROM tblProducts)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblTransactions WHERE PurchaseOrderID NOT IN "
                    "(SELECT PurchaseOrderID FROM tblPO)"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblPO WHERE SupplierID NOT IN (SELECT SupplierID FROM tblSuppliers)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblSuppliers WHERE StateOrProvince NOT IN (SELECT State FROM tblStates)"), 0);
    // Each purchase order has transactions; no required value is missing.
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblPO WHERE PurchaseOrderID NOT IN "
                    "(SELECT PurchaseOrderID FROM tblTransactions)"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblPO WHERE OrderDate IS NULL OR DateRequired IS NULL OR "
                    "DatePromised IS NULL OR ShipDate IS NULL"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblTransactions WHERE TransactionDate IS NULL OR UnitPrice IS NULL"), 0);
    // The products are the catalogue's recordings.
    SampleCopy catalogue("orvanta.mdb");
    auto cat = dao::OpenDatabase(catalogue.path());
    auto albums = cat->OpenRecordset("SELECT PRODID, COMPOSER, COMPOSITION, IMAGE FROM PRODUCTS ORDER BY PRODID", 4);
    auto products = db->OpenRecordset("SELECT ProductID, Composer, Composition, Image FROM tblProducts ORDER BY ProductID", 4);
    ASSERT_EQ(albums->RecordCount(), products->RecordCount());
    for (; !albums->Eof(); albums->MoveNext(), products->MoveNext())
        for (int f = 0; f < 4; ++f) EXPECT_EQ(albums->Fields(f).Value().ToString(), products->Fields(f).Value().ToString());
}

TEST(InventorySample, CommandBuilderTextsRun) {
    SampleCopy copy("Inventory.mdb");
    auto layer = dao::OpenDatabase(copy.path());
    auto forms = dao::OpenDatabase(copy.path());
    auto rows = layer->OpenRecordset("SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;");
    rows->MoveLast();
    rows->MoveFirst();
    vb::ArrayRef a = rows->GetRows(rows->RecordCount()).ToArray();
    EXPECT_EQ(a->UBound(1), 7);
    EXPECT_EQ(a->At({3, 0}).ToLong(), 3);
    auto next = layer->OpenRecordset("SELECT SupplierID From tblSuppliers ORDER BY SupplierID DESC;");
    EXPECT_EQ(next->GetRows(1).ToArray()->At({0, 0}).ToLong(), 15);
    layer->Execute("INSERT INTO tblProducts ( [ProductID], [Composition], [Description], [Composer], [Conductor], "
                   "[Performer], [Image], [UnitPrice], [ReorderLevel] ) SELECT 17, 'Etudes', '', 'Chopin', '', "
                   "'A. Pianist', 'chopin.jpg', '12.5', 5;");
    EXPECT_EQ(layer->RecordsAffected(), 1);
    auto update = layer->OpenRecordset("SELECT tblProducts.* From tblProducts WHERE ([ProductID]=17);");
    update->Edit();
    update->Fields("UnitPrice").SetValue("13.75");
    update->Fields("ReorderLevel").SetValue("8");
    update->Update();
    auto product = forms->OpenRecordset("select * from [tblProducts] Order by [ProductID]");
    product->FindFirst("ProductID=17");
    EXPECT_EQ(product->Fields("UnitPrice").Value().ToCurrency().scaled, 137500);
    layer->Execute("DELETE tblTransactions.* From tblTransactions  ;");
    layer->Execute("INSERT INTO tblTransactions SELECT tblTransactionsBak.* FROM tblTransactionsBak;");
    expectSameRows(*layer, "tblTransactions", "tblTransactionsBak");
    EXPECT_ENGINE_ERROR(layer->Execute("INSERT INTO tblSuppliers ( [SupplierID], [SupplierName] ) SELECT 16, 'Bob's';"),
                        3134);
}

TEST(CatalogueSample, EveryProgramTextRuns) {
    SampleCopy copy("orvanta.mdb");
    auto db = dao::OpenDatabase(copy.path(), vb::Variant(), false, "");
    const char* snapshots[] = {
        "SELECT CUSTOMERS.* FROM CUSTOMERS;",
        "SELECT DISTINCT COMPOSER FROM PRODUCTS",
        " SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Beethoven'",
        "select * from products where PRODID = 7",
        "SELECT * FROM CUSTOMERS WHERE CUSTID=-2",
        "SELECT MAX(CUSTID) FROM CUSTOMERS",
        "SELECT MAX(ORDERID) FROM ORDERS",
        "SELECT * FROM CUSTOMERS WHERE CUSTOMERS.CUSTID= 2",
        "SELECT ORDERS.ORDERID, ORDERS.STATUS, PRODUCTS.COMPOSER, PRODUCTS.COMPOSITION, ORDERS.QUANTITY, ORDERS.TOTAL "
        "FROM ORDERS, PRODUCTS, CUSTOMERS WHERE PRODUCTS.PRODID = ORDERS.PRODID AND ORDERS.CUSTID = CUSTOMERS.CUSTID "
        "AND ORDERS.CUSTID= 2",
        "SELECT * FROM CUSTOMERS",
        "SELECT * FROM ORDERS",
    };
    for (const char* sql : snapshots) EXPECT_NO_THROW(db->OpenRecordset(sql, dao::dbOpenSnapshot)) << sql;
    EXPECT_EQ(db->OpenRecordset("SELECT DISTINCT COMPOSER FROM PRODUCTS", 4)->Fields(0).Name(), "COMPOSER");
    EXPECT_EQ(db->OpenRecordset(" SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Beethoven'", 4)->RecordCount(), 4);

    // A new customer and an order, as the order form writes them.
    db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES ('8','Ida Moss','1 Elm St',"
                "'Salem, OR 97301','(503) 555-0199')");
    db->Execute("INSERT INTO ORDERS (ORDERID,CUSTID,ORDERDATE,CARDTYPE,CARDNUMB,EXPDATE,PRODID,QUANTITY,TOTAL,STATUS) "
                "VALUES (13,8,'12/09/26','Visa','4111 1111','08/28', 7, 2, 37.98,'Order Initiated')");
    auto order = db->OpenRecordset("SELECT * FROM ORDERS WHERE ORDERID = 13", 4);
    EXPECT_EQ(order->Fields("CUSTID").Value().ToLong(), 8);
    EXPECT_EQ(order->Fields("ORDERDATE").Value().ToDate(), vb::Date::FromParts(2026, 12, 9));
    EXPECT_EQ(order->Fields("TOTAL").Value().ToCurrency().scaled, 379800);
    auto latest = db->OpenRecordset("SELECT * FROM ORDERS ORDER BY ORDERDATE DESC", 4);
    EXPECT_EQ(latest->Fields("ORDERID").Value().ToLong(), 13);
    db->Execute("DELETE FROM ORDERS WHERE ORDERID= 13");
    EXPECT_EQ(db->RecordsAffected(), 1);
    db->Execute("delete from CUSTOMERS where CUSTID = 8");
    EXPECT_EQ(db->RecordsAffected(), 1);
    // A name with a quotation mark is refused, not stored and not fatal.
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES "
                                    "('9','Pat O'Neil','a','b','c')"),
                        3134);
    expectSameRows(*db, "CUSTOMERS", "CUSTOMERSbak");
}

TEST(InventorySample, SearchedColumnsAreIndexedAndTheRestoreKeepsTheIndexes) {
    SampleCopy copy("Inventory.mdb");
    const V indexes{"tblPO_SupplierID", "tblTransactions_ProductID", "tblTransactions_PurchaseOrderID"};
    EXPECT_EQ(indexesOf(copy.path()), indexes);
    // The data layer's one-column filters, as it writes them.
    auto expectSearches = [&] {
        const struct {
            const char* sql;
            const char* index;
        } searches[] = {
            {"SELECT tblTransactions.* From tblTransactions  WHERE ([PurchaseOrderID]=3) ORDER BY TransactionID ASC;",
             "tblTransactions_PurchaseOrderID"},
            {"SELECT tblTransactions.* From tblTransactions  WHERE ([ProductID]=2) ORDER BY TransactionID ASC;",
             "tblTransactions_ProductID"},
            {"SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;", "tblPO_SupplierID"},
            {"SELECT tblProducts.* From tblProducts WHERE ([ProductID]=4);", "sqlite_autoindex_tblProducts_1"},
        };
        for (const auto& search : searches) {
            const std::string plan = planOf(copy.path(), search.sql);
            EXPECT_NE(plan.find(std::string("USING INDEX ") + search.index), std::string::npos) << plan;
        }
        // Reading a whole table keeps the table's own order.
        EXPECT_EQ(planOf(copy.path(), "SELECT ProductID FROM tblTransactions").find("INDEX"), std::string::npos);
    };
    expectSearches();

    // The restore of each table: emptied, then refilled from its backup.
    auto db = dao::OpenDatabase(copy.path());
    for (const char* table : {"tblProducts", "tblSuppliers", "tblTransactions", "tblPO"}) {
        db->Execute(std::string("DELETE ") + table + ".* From " + table + "  ;");
        db->Execute(std::string("INSERT INTO ") + table + " SELECT " + table + "Bak.* FROM " + table + "Bak;");
    }
    db->Close();
    EXPECT_EQ(indexesOf(copy.path()), indexes);
    expectSearches();
}
