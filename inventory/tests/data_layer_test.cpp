// Field parameters, the table definitions, and the table object's commands
// on a copy of the sample database.
#include <gtest/gtest.h>

#include <limits>

#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "inventory_fixture.h"
#include "module_inventory.h"

namespace inventory::testing {
namespace {

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VBError& e) {
        return e.number();
    }
    return 0;
}

TEST(FieldParameters, KeysIgnoreCaseAndMisuseRaisesTheCollectionsErrors) {
    CParams params;
    const CParamRef id = params.Add("ProductID", 1, false, vb::Variant(0), vbLong, true, "ID");
    EXPECT_EQ(id->vntValue, "0");
    EXPECT_EQ(params.Item("id"), id);
    EXPECT_EQ(params.Item(vb::Variant(1)), id);

    const CParamRef unkeyed = params.Add("Spare", 2, true, vb::Variant("x"), vbString, false, "");
    EXPECT_EQ(params.Count(), 2);
    EXPECT_EQ(params.Item(vb::Variant(2)), unkeyed);

    EXPECT_EQ(ErrorOf([&] { params.Add("Other", 3, false, vb::Variant(1), vbLong, true, "Id"); }), 457);
    EXPECT_EQ(ErrorOf([&] { params.Add("Other", 3, false, vb::Variant::Null(), vbLong, true, "Other"); }), 94);
    EXPECT_EQ(params.Count(), 2);
    EXPECT_EQ(ErrorOf([&] { params.Item("run time"); }), 5);
    EXPECT_EQ(ErrorOf([&] { params.Item(vb::Variant(9)); }), 9);
    params.Remove("ID");
    EXPECT_EQ(params.Count(), 1);
    EXPECT_EQ(params.NewEnum().front(), unkeyed);
}

TEST(ModuleInventory, InstanceNumbersCountUpAndClassErrorsKeepTheirDescription) {
    const std::int32_t first = CParam().ClassDebugID().ToLong();
    EXPECT_EQ(CTable().ClassDebugID().ToLong(), first + 1);
    EXPECT_EQ(CDataBase().ClassDebugID().ToLong(), first + 2);

    try {
        vb::OnErrorGoTo([] { throw vb::VBError(3078, "There is no table named 'tblX'."); },
                        [] { Inventory::RaiseClassError(vb::Err().Number, "CTable:Find Method"); });
        FAIL() << "expected the error again";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3078);
        EXPECT_EQ(e.description(), "There is no table named 'tblX'.");
        EXPECT_EQ(e.source(), "CTable:Find Method");
    }
}

class TableObject : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        OpenDataLayer();
    }
};

TEST_F(TableObject, DefinitionsDescribeTheFourTables) {
    EXPECT_EQ(Inventory::gtblPO().colFields.Count(), 8);
    EXPECT_EQ(Inventory::gtblProducts().colFields.Count(), 9);
    EXPECT_EQ(Inventory::gtblSuppliers().colFields.Count(), 10);
    EXPECT_EQ(Inventory::gtblTransactions().colFields.Count(), 10);
    EXPECT_EQ(Inventory::gtblTransactions().colFields.Item("PO ID")->sName, "PurchaseOrderID");
    EXPECT_EQ(Inventory::gtblProducts().colFields.Item("ID")->sName, "ProductID");
    const CParamRef price = Inventory::gtblProducts().colFields.Item("Price");
    EXPECT_EQ(price->sName, "UnitPrice");
    EXPECT_EQ(price->iPosition, 8);
    EXPECT_EQ(price->iType, vbCurrency);
    EXPECT_TRUE(price->bDelimiter);
    EXPECT_EQ(Inventory::gtblSuppliers().sOrderBy, "SupplierID");
    EXPECT_EQ(Inventory::gtblSuppliers().sSortOrder, "ASC");
    EXPECT_EQ(Inventory::gtblProducts().colFields.NewEnum().front()->sKey, "ID");
    EXPECT_EQ(ErrorOf([] { Inventory::DefineTables(); }), 457);
}

TEST_F(TableObject, NextIdFetchesTheKeysHighestFirst) {
    CTable& po = Inventory::gtblPO();
    Execute("DELETE FROM tblTransactions");
    Execute("DELETE FROM tblPO");
    EXPECT_TRUE(Inventory::gobjDataBase().GetData("NEXT ID", po).IsNull());
    EXPECT_EQ(po.rst, nullptr);
    EXPECT_EQ(Inventory::NextRecordId(po), 1);

    for (int key : {1, 7, 2})
        Execute("INSERT INTO tblPO (PurchaseOrderID, PurchaseOrderNumber, SupplierID) VALUES (" +
                std::to_string(key) + ", 'N', 1)");
    const vb::Variant keys = Inventory::gobjDataBase().GetData("NEXT ID", po);
    EXPECT_EQ(keys.ToArray()->At({0, 0}).ToLong(), 7);
    EXPECT_EQ(keys.ToArray()->At({0, 2}).ToLong(), 1);
    EXPECT_EQ(Inventory::NextRecordId(po), 8);
    ASSERT_NE(po.rst, nullptr);
    EXPECT_EQ(po.rst->RecordCount(), 3);

    const long suppliers = Count("tblSuppliers");
    EXPECT_EQ(Inventory::NextRecordId(Inventory::gtblSuppliers()), suppliers + 1);
    EXPECT_EQ(ErrorOf([&] { Inventory::gobjDataBase().GetData("NEXT", po); }), 91);
}

TEST_F(TableObject, FindFillsTheValuesFromTheFirstRowInSortOrder) {
    CTable& po = Inventory::gtblPO();
    const long rows = Value("SELECT COUNT(*) FROM tblPO WHERE SupplierID = 1");
    ASSERT_GE(rows, 2) << "the sample data has several orders of supplier 1";
    const std::string lowest = std::to_string(Value("SELECT MIN(PurchaseOrderID) FROM tblPO WHERE SupplierID = 1"));
    const std::string highest = std::to_string(Value("SELECT MAX(PurchaseOrderID) FROM tblPO WHERE SupplierID = 1"));

    EXPECT_TRUE(po.find("SupplierID", vb::Variant(1), true));
    EXPECT_EQ(po.colFields.Item("ID")->vntValue, lowest);
    EXPECT_EQ(po.colFields.Item("Supplier ID")->vntValue, "1");
    ASSERT_NE(po.rst, nullptr);
    EXPECT_EQ(po.rst->RecordCount(), rows);

    po.sSortOrder = "DESC";
    EXPECT_TRUE(po.find("SupplierID", vb::Variant(1), false));
    EXPECT_EQ(po.colFound.Item("ID")->vntValue, highest);
    EXPECT_EQ(po.colFields.Item("ID")->vntValue, lowest);  // kept

    CTable& products = Inventory::gtblProducts();
    EXPECT_FALSE(products.find("ProductID", vb::Variant(99), true));
    EXPECT_EQ(products.colFields.Item("ID")->vntValue, "0");
    EXPECT_EQ(products.rst, nullptr);
}

TEST_F(TableObject, FindPassesOverNullsAndReportsErrorsAsItsOwn) {
    CTable& products = Inventory::gtblProducts();
    Execute("UPDATE tblProducts SET Description = NULL WHERE ProductID = 1");
    products.colFields.Item("Desc")->vntValue = "before";
    EXPECT_TRUE(products.find("ProductID", vb::Variant(1), true));
    EXPECT_EQ(products.colFields.Item("Desc")->vntValue, "before");
    EXPECT_TRUE(products.find("ProductID", vb::Variant(1), false));
    EXPECT_EQ(products.colFound.Count(), 9);
    EXPECT_EQ(products.colFound.Item("Desc")->vntValue, "");

    try {
        products.find("NoSuchColumn", vb::Variant(1), true);
        FAIL() << "expected an error";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.source(), "CTable:Find Method");
        EXPECT_FALSE(e.description().empty());
    }
}

TEST_F(TableObject, AddUpdateAndDeleteWriteWhatWasTyped) {
    CTable& suppliers = Inventory::gtblSuppliers();
    const std::int32_t key = Inventory::NextRecordId(suppliers);
    const char* values[] = {"", "O'Brien & Sons", "Ann O'Brien", "", "1 Quay St", "Cork", "T12", "", "555", ""};
    int i = 0;
    for (const CParamRef& p : suppliers.colFields.NewEnum()) p->vntValue = values[i++];
    suppliers.colFields.Item("ID")->vntValue = std::to_string(key);
    suppliers.Add();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Text("SELECT SupplierName FROM tblSuppliers WHERE SupplierID = " + std::to_string(key)),
              "O'Brien & Sons");

    suppliers.colFields.Item("City")->vntValue = "Dun Laoghaire";
    EXPECT_TRUE(suppliers.Update());
    EXPECT_EQ(Text("SELECT City FROM tblSuppliers WHERE SupplierID = " + std::to_string(key)), "Dun Laoghaire");

    suppliers.colFields.Item("Contact Name")->vntValue = "";  // required: nothing is written
    EXPECT_FALSE(suppliers.Update());
    EXPECT_EQ(LastBox().title, "Missing Data Error");

    suppliers.Delete(vb::Variant("SupplierID"), vb::Variant(key));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM tblSuppliers WHERE SupplierID = " + std::to_string(key)), 0);

    // A price of twelve and a half goes in as a number.
    CTable& products = Inventory::gtblProducts();
    const char* product[] = {"500", "Water Music", "", "Handel", "", "", "handel.jpg", "12.5", "4"};
    i = 0;
    for (const CParamRef& p : products.colFields.NewEnum()) p->vntValue = product[i++];
    products.Add();
    EXPECT_EQ(Text("SELECT UnitPrice FROM tblProducts WHERE ProductID = 500"), "12.5");

    products.Delete();
    EXPECT_EQ(Count("tblProducts"), 0);
}

TEST_F(TableObject, UpdateOfAMissingRowIsAnError) {
    CTable& suppliers = Inventory::gtblSuppliers();
    ASSERT_TRUE(suppliers.find("SupplierID", vb::Variant(1), true));
    suppliers.colFields.Item("ID")->vntValue = "9999";
    try {
        suppliers.Update();
        FAIL() << "expected error 3021";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3021);
        EXPECT_EQ(e.source(), "CTable:Update Method");
    }
}

}  // namespace
}  // namespace inventory::testing
