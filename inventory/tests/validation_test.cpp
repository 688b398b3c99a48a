// Checking values against their columns before they are written, and build
// B accepting everything.
#include <gtest/gtest.h>

#include "c_table.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"

namespace inventory::testing {
namespace {

class Validation : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        Inventory::DefineTables();
    }
    static CParam Param(const std::string& name, std::int16_t type, bool required, const std::string& value) {
        CParam p;
        p.sName = name;
        p.iType = type;
        p.bRequired = required;
        p.vntValue = value;
        return p;
    }
    bool Check(const CParam& p) { return Inventory::gtblProducts().ValidateField(p); }
};

TEST_F(Validation, EachTypeConvertsOrFails) {
    EXPECT_TRUE(Check(Param("ReorderLevel", vbLong, true, "12")));
    EXPECT_FALSE(Check(Param("ReorderLevel", vbLong, true, "12a")));
    EXPECT_FALSE(Check(Param("ReorderLevel", vbLong, true, "4294967296")));
    EXPECT_TRUE(Check(Param("UnitPrice", vbCurrency, true, "12.5")));
    EXPECT_FALSE(Check(Param("UnitPrice", vbCurrency, true, "abc")));
    EXPECT_TRUE(Check(Param("OrderDate", vbDate, true, "12/9/2026")));
    EXPECT_FALSE(Check(Param("OrderDate", vbDate, true, "soon")));
    EXPECT_TRUE(Check(Param("Paid", vbBoolean, true, "True")));
    EXPECT_FALSE(Check(Param("Paid", vbBoolean, true, "perhaps")));
    EXPECT_TRUE(Check(Param("Composer", vbString, true, "   ")));  // blanks are a value
    EXPECT_TRUE(Check(Param("ShipDate", vbDate, false, "")));
    ASSERT_EQ(driver().MessageBoxes().size(), 5u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.text, "The data you entered for ReorderLevel is invalid!");
    EXPECT_EQ(box.title, "Invalid Data Error");
    EXPECT_EQ(box.style, forms::vbCritical);
}

TEST_F(Validation, OneFieldGoesOnTheListOrIntoAMessage) {
    std::string errors;
    const CParam composer = Param("Composer", vbString, true, "");
    EXPECT_FALSE(Inventory::gtblProducts().ValidateField(composer, &errors));
    EXPECT_FALSE(Inventory::gtblProducts().ValidateField(Param("UnitPrice", vbCurrency, true, "x"), &errors));
    EXPECT_EQ(errors, "Composer, UnitPrice, ");
    EXPECT_TRUE(driver().MessageBoxes().empty());

    EXPECT_FALSE(Check(composer));
    EXPECT_EQ(LastBox().text, "You must enter a value for the Composer field!");
    EXPECT_EQ(LastBox().title, "Missing Data Error");
    EXPECT_EQ(LastBox().style, forms::vbCritical);

    EXPECT_TRUE(Check(Param("Weight", 5, true, "3")));
    EXPECT_EQ(LastBox().text, "Unexpected type: 5");
    EXPECT_EQ(LastBox().title, "Unexpected Error");
    EXPECT_EQ(LastBox().style, forms::vbOKOnly);
}

TEST_F(Validation, AllFieldsReportEachProblemInColumnOrder) {
    CTable& products = Inventory::gtblProducts();
    const char* values[] = {"1", "", "", "Bach", "", "", "bach.jpg", "abc", "3"};
    int i = 0;
    for (const CParamRef& p : products.colFields.NewEnum()) p->vntValue = values[i++];
    EXPECT_FALSE(products.ValidateFields());
    ASSERT_EQ(driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(driver().MessageBoxes()[0].text, "No data was entered for: Composition!");
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Missing Data Error");
    EXPECT_EQ(driver().MessageBoxes()[1].text, "Invalid data was entered for: UnitPrice!");
    EXPECT_EQ(driver().MessageBoxes()[1].title, "Data Type Error");
    EXPECT_EQ(driver().MessageBoxes()[1].style, forms::vbCritical);

    products.colFields.Item("Reorder Level")->iType = 17;
    products.colFields.Item("Composition")->vntValue = "Mass in B minor";
    products.colFields.Item("Price")->vntValue = "20";
    driver().ClearMessageBoxes();
    EXPECT_TRUE(products.ValidateFields());
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().text, "Unexpected data type: 17");
    EXPECT_EQ(LastBox().title, "Orvanta Inventory C");  // the program's title
}

TEST_F(Validation, BuildBAcceptsEverything) {
    UseBuild(Build::B);
    CTable& products = Inventory::gtblProducts();
    for (const CParamRef& p : products.colFields.NewEnum()) p->vntValue = "";
    products.colFields.Item("Price")->vntValue = "abc";
    EXPECT_TRUE(products.ValidateFields());
    std::string errors;
    EXPECT_TRUE(products.ValidateField(Param("Composer", vbString, true, ""), &errors));
    EXPECT_TRUE(products.ValidateField(Param("UnitPrice", vbCurrency, true, "abc")));
    EXPECT_EQ(errors, "");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

}  // namespace
}  // namespace inventory::testing
