// The data layer's SQL texts, spacing included, and the values that reach
// them.
#include <gtest/gtest.h>

#include "c_table.h"
#include "err.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "sql_commands.h"

namespace inventory::testing {
namespace {

class SqlTexts : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        Inventory::DefineTables();
    }
    static int ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const vb::VBError& e) {
            return e.number();
        }
        return 0;
    }
};

TEST_F(SqlTexts, QueriesReadAsTheDataLayerWritesThem) {
    CTable& po = Inventory::gtblPO();
    EXPECT_EQ(sql::NextId(po), "SELECT PurchaseOrderID From tblPO ORDER BY PurchaseOrderID DESC;");
    EXPECT_EQ(sql::Select(po), "SELECT tblPO.* From tblPO   ORDER BY PurchaseOrderID ASC;");
    EXPECT_EQ(sql::Select(po, vb::Variant("SupplierID"), vb::Variant(3)),
              "SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;");
    po.sOrderBy = "OrderDate";
    po.sSortOrder = "DESC";
    EXPECT_EQ(sql::Select(po), "SELECT tblPO.* From tblPO   ORDER BY OrderDate DESC;");
}

TEST_F(SqlTexts, ChangingCommandsReadAsTheDataLayerWritesThem) {
    CTable& suppliers = Inventory::gtblSuppliers();
    EXPECT_EQ(sql::Reset(suppliers), "INSERT INTO tblSuppliers SELECT tblSuppliersBak.* FROM tblSuppliersBak;");
    EXPECT_EQ(sql::Delete(suppliers), "DELETE tblSuppliers.* From tblSuppliers  ;");
    EXPECT_EQ(sql::Delete(suppliers, vb::Variant("SupplierID"), vb::Variant("12")),
              "DELETE tblSuppliers.* From tblSuppliers  WHERE ([SupplierID]=12);");
    suppliers.colFields.Item("ID")->vntValue = "4";
    EXPECT_EQ(sql::UpdateSelect(suppliers), "SELECT tblSuppliers.* From tblSuppliers WHERE ([SupplierID]=4);");
    EXPECT_EQ(sql::UpdateSelect(suppliers, vb::Variant("City"), vb::Variant("'Newark'")),
              "SELECT tblSuppliers.* From tblSuppliers WHERE ([City]='Newark');");
}

TEST_F(SqlTexts, InsertOfAProductQuotesTheTextsAndThePrice) {
    CTable& products = Inventory::gtblProducts();
    const char* values[] = {"31", "Water Music", "Suites", "Handel", "Pinnock", "The English Concert",
                            "handel.jpg", "12.5", "4"};
    int i = 0;
    for (const CParamRef& p : products.colFields.NewEnum()) p->vntValue = values[i++];
    EXPECT_EQ(sql::Insert(products),
              "INSERT INTO tblProducts ( [ProductID], [Composition], [Description], [Composer], [Conductor], "
              "[Performer], [Image], [UnitPrice], [ReorderLevel]) SELECT 31, 'Water Music', 'Suites', 'Handel', "
              "'Pinnock', 'The English Concert', 'handel.jpg', '12.5', 4;");
}

TEST_F(SqlTexts, NoValueChangesWhatACommandDoes) {
    CTable& products = Inventory::gtblProducts();
    products.colFields.Item("Composer")->vntValue = "O'Neill";
    products.colFields.Item("Desc")->vntValue = "x'); DELETE FROM tblProducts; --";
    const std::string text = sql::Insert(products);
    EXPECT_NE(text.find("'O''Neill'"), std::string::npos) << text;
    EXPECT_NE(text.find("'x''); DELETE FROM tblProducts; --'"), std::string::npos) << text;

    // A bare column takes numbers only; an empty one is no value.
    products.colFields.Item("Reorder Level")->vntValue = "1) OR (1=1";
    EXPECT_EQ(ErrorOf([&] { sql::Insert(products); }), 3464);
    products.colFields.Item("Reorder Level")->vntValue = "";
    EXPECT_NE(sql::Insert(products).find(", NULL;"), std::string::npos);

    // Filters: whole numbers, texts the caller quoted, dates between # signs.
    EXPECT_EQ(sql::FilterValue(vb::Variant(-7)), "-7");
    EXPECT_EQ(sql::FilterValue(vb::Variant("'O'Neill'")), "'O''Neill'");
    EXPECT_EQ(sql::FilterValue(vb::Variant("#12/09/2026#")), "#12/09/2026#");
    for (const char* bad : {"3 OR 1=1", "3) OR (1=1", "2.5", "abc", "#1# OR #2#", ""}) {
        EXPECT_EQ(ErrorOf([&] { sql::FilterValue(vb::Variant(bad)); }), 3464) << bad;
    }
    EXPECT_EQ(ErrorOf([&] { sql::FilterValue(vb::Variant::Null()); }), 3464);
    EXPECT_EQ(ErrorOf([&] { sql::Select(products, vb::Variant("ProductID]=1 OR [ProductID"), vb::Variant(1)); }),
              3075);
    products.colFields.Item("ID")->vntValue = "1 OR 1=1";
    EXPECT_EQ(ErrorOf([&] { sql::UpdateSelect(products); }), 3464);
}

}  // namespace
}  // namespace inventory::testing
