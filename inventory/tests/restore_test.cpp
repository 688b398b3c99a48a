// Restoring tables from their backups: the table object's restore and the
// Restore Tables dialog, each in one transaction.
#include <gtest/gtest.h>

#include <map>

#include "application.h"
#include "c_table.h"
#include "err.h"
#include "frm_restore_inventory.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"

namespace inventory::testing {
namespace {

class Restore : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        OpenDataLayer();
        for (const char* table : kTables) pristine_[table] = Rows(std::string(table) + "Bak");
        // Changes since the sample data: one row less in each table.
        Execute("DELETE FROM tblSuppliers WHERE SupplierID = 1");
        Execute("DELETE FROM tblProducts WHERE ProductID = 1");
        Execute("DELETE FROM tblPO WHERE PurchaseOrderID = 1");
        Execute("DELETE FROM tblTransactions WHERE TransactionID = 1");
        for (const char* table : kTables) changed_[table] = Rows(table);
    }
    bool Restored(const std::string& table) { return Rows(table) == pristine_[table]; }
    bool Unchanged(const std::string& table) { return Rows(table) == changed_[table]; }
    // Which tables are back at the sample data, in the order of kTables.
    std::string RestoredTables() {
        std::string out;
        for (const char* table : kTables) {
            if (Restored(table)) out += std::string(out.empty() ? "" : " ") + table;
        }
        return out;
    }
    // The dialog, with the boxes checked as given, OK clicked, the warning
    // answered with `answer`.
    void RestoreWithDialog(bool suppliers, bool pos, bool products, int answer = forms::vbYes) {
        if (suppliers || pos || products) driver().AnswerMsgBox(answer);
        driver().OnModal([&](forms::Form& form) {
            auto& dialog = dynamic_cast<frmRestoreInventory&>(form);
            if (suppliers) driver().Click(dialog.chkSuppliers);
            if (pos) driver().Click(dialog.chkPOs);
            if (products) driver().Click(dialog.chkProducts);
            driver().Click(dialog.cmdOK);
        });
        forms::Default<frmRestoreInventory>().Show(forms::vbModal);
        EXPECT_FALSE(forms::Default<frmRestoreInventory>().IsLoaded());
    }

    static constexpr const char* kTables[] = {"tblSuppliers", "tblPO", "tblProducts", "tblTransactions"};
    std::map<std::string, std::string> pristine_, changed_;
};

TEST_F(Restore, TableObjectRefillsItsTableFromTheBackup) {
    Inventory::gtblSuppliers().Restore();
    EXPECT_EQ(RestoredTables(), "tblSuppliers");
    Execute("DELETE FROM tblSuppliers");
    Inventory::gtblSuppliers().Restore();  // an empty table too
    EXPECT_TRUE(Restored("tblSuppliers"));
    EXPECT_EQ(Inventory::NextRecordId(Inventory::gtblSuppliers()), Value("SELECT MAX(SupplierID) FROM tblSuppliersBak") + 1);
}

TEST_F(Restore, AFailedRefillLeavesTheTableAsItWas) {
    Execute("DROP TABLE tblProductsBak");
    try {
        Inventory::gtblProducts().Restore();
        FAIL() << "expected an error";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.source(), "CTable:Restore Method");
        EXPECT_NE(e.description().find("tblProductsBak"), std::string::npos) << e.description();
    }
    EXPECT_TRUE(Unchanged("tblProducts"));
    // The data layer goes on working, outside any transaction.
    Inventory::gtblSuppliers().Restore();
    EXPECT_TRUE(Restored("tblSuppliers"));
}

TEST_F(Restore, DialogRestoresTheCheckedTablesAfterTheWarning) {
    RestoreWithDialog(true, false, false);
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Restore Table Warning!");
    EXPECT_EQ(LastBox().text, "This action will reset all data in the inventory table(s). Do you wish to continue?");
    EXPECT_EQ(LastBox().style, forms::vbYesNo);
    EXPECT_EQ(RestoredTables(), "tblSuppliers");
}

TEST_F(Restore, ProductsAndPurchaseOrdersBringTheTransactionsBack) {
    RestoreWithDialog(false, false, true);
    EXPECT_EQ(RestoredTables(), "tblProducts tblTransactions");
    Execute("DELETE FROM tblTransactions WHERE TransactionID = 2");
    RestoreWithDialog(false, true, false);
    EXPECT_EQ(RestoredTables(), "tblPO tblProducts tblTransactions");
}

TEST_F(Restore, NothingCheckedOrNoAtTheWarningChangesNothing) {
    RestoreWithDialog(false, false, false);
    EXPECT_TRUE(driver().MessageBoxes().empty());
    RestoreWithDialog(true, true, true, forms::vbNo);
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(RestoredTables(), "");

    driver().OnModal([&](forms::Form& form) {
        auto& dialog = dynamic_cast<frmRestoreInventory&>(form);
        driver().Click(dialog.chkSuppliers);
        driver().Click(dialog.cmdCancel);
    });
    forms::Default<frmRestoreInventory>().Show(forms::vbModal);
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(RestoredTables(), "");
}

TEST_F(Restore, AFailureInTheDialogIsReportedAndEveryTableStaysAsItWas) {
    Execute("DROP TABLE tblProductsBak");
    RestoreWithDialog(true, true, true);
    ASSERT_EQ(driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(LastBox().title, "Unexpected error in frmRestoreInventory.cmdOK_Click");
    EXPECT_EQ(LastBox().text.rfind("3078: ", 0), 0u) << LastBox().text;
    EXPECT_EQ(RestoredTables(), "");
    // Suppliers come before the products: they were rolled back too.
    EXPECT_TRUE(Unchanged("tblSuppliers"));
    EXPECT_TRUE(Unchanged("tblProducts"));
    EXPECT_TRUE(Unchanged("tblPO"));
    EXPECT_TRUE(Unchanged("tblTransactions"));
}

}  // namespace
}  // namespace inventory::testing
