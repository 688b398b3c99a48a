// The showcases' sample database as the build leaves it in the program
// folder: the columns their queries name, and an order for every product of
// the company tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "dao.h"

namespace {

std::string samplePath() {
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    return (std::filesystem::path(bin ? bin : "bin") / "tavorin.mdb").string();
}

std::vector<std::string> columnsOf(dao::Database& db, const std::string& table) {
    auto rs = db.OpenRecordset("SELECT * FROM " + table, dao::dbOpenSnapshot);
    std::vector<std::string> names;
    for (int i = 0; i < rs->Fields().Count(); ++i) names.push_back(rs->Fields(i).Name());
    return names;
}

using V = std::vector<std::string>;

TEST(TavorinDatabase, TablesHaveTheColumnsTheQueriesName) {
    auto db = dao::OpenDatabase(samplePath(), vb::Variant(), true);
    EXPECT_EQ(columnsOf(*db, "Customer"),
              (V{"customerid", "customername", "address", "city", "state", "zipcode", "telelphone", "fax"}));
    EXPECT_EQ(columnsOf(*db, "product"),
              (V{"productid", "product", "unitssold", "costperunit", "priceperunit", "unitspercarton"}));
    EXPECT_EQ(columnsOf(*db, "OrderData"), (V{"orderid", "orderdate", "quantity", "productid", "customerid"}));
}

TEST(TavorinDatabase, EveryTreeProductHasAnOrderWithItsCustomer) {
    auto db = dao::OpenDatabase(samplePath(), vb::Variant(), true);
    const char* products[] = {"Widget", "Mini-Widget", "Super-Widget", "Gizmo", "Gizmo Deluxe",
                              "Thing Classic", "New Thing", "Corporate Training", "Network Services"};
    for (const char* name : products) {
        auto rs = db->OpenRecordset(
            "SELECT p.product,p.priceperunit,p.productid, o.orderdate, o.quantity, c.customername "
            "FROM product p, OrderData o, Customer c where c.customerid = o.customerid and "
            "p.productid = o.productid and p.product = '" + std::string(name) + "'",
            dao::dbOpenSnapshot);
        ASSERT_FALSE(rs->Eof()) << name;
        EXPECT_GT(rs->Fields("quantity").Value().ToLong(), 0) << name;
        EXPECT_FALSE(rs->Fields("customername").Value().ToString().empty()) << name;
    }
}

TEST(TavorinDatabase, ProductNamesMatchWhateverTheirCaseAndIdsCompareAsText) {
    auto db = dao::OpenDatabase(samplePath(), vb::Variant(), true);
    auto widget = db->OpenRecordset("SELECT productid FROM product WHERE product = 'widget'", dao::dbOpenSnapshot);
    ASSERT_FALSE(widget->Eof());
    EXPECT_EQ(widget->Fields(0).Value().ToString(), "1");
    auto below = db->OpenRecordset("SELECT COUNT(*) FROM product WHERE productid < '6'", dao::dbOpenSnapshot);
    EXPECT_EQ(below->Fields(0).Value().ToLong(), 5);
}

}  // namespace
