// The Restore Tables dialog stopped and killed between any two of its
// statements, in a child process: the tables are then all as they were,
// never some restored and some not; run to its end, all are restored.
#include <gtest/gtest.h>

#include <csignal>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

#include "c_database.h"
#include "frm_restore_inventory.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "restore_tables.h"

namespace inventory::testing {
namespace {

class RestoreInterrupted : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        OpenDataLayer();
        // Changes since the sample data: one row less in each table.
        Execute("DELETE FROM tblSuppliers WHERE SupplierID = 1");
        Execute("DELETE FROM tblProducts WHERE ProductID = 1");
        Execute("DELETE FROM tblPO WHERE PurchaseOrderID = 1");
        Execute("DELETE FROM tblTransactions WHERE TransactionID = 1");
        for (const char* table : kTables) {
            before_[table] = Rows(table);
            restored_[table] = Rows(std::string(table) + "Bak");
        }
    }

    // Starts a child that presses OK in the dialog with every box ticked,
    // on its own connection, and stops itself once `stopAfter` statements
    // have run (0: right after the transaction began); -1 lets it run to its
    // end.
    pid_t StartRestore(int stopAfter) {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        int code = 2;
        try {
            Inventory::gobjDataBase().Open_Database();
            Inventory::SetRestoreStatementHook([stopAfter](int statementsRun) {
                if (statementsRun == stopAfter) raise(SIGSTOP);
            });
            driver().AnswerMsgBox(forms::vbYes);
            frmRestoreInventory& dialog = forms::Default<frmRestoreInventory>();
            for (forms::CheckBox* box : {&dialog.chkSuppliers, &dialog.chkPOs, &dialog.chkProducts}) box->Value(1);
            dialog.cmdOK_Click();
            // Only the warning was shown.
            code = driver().MessageBoxes().size() == 1 ? 0 : 1;
        } catch (...) {
        }
        _exit(code);
    }

    // "before", "restored" or "neither".
    std::string TableState(const std::string& table) {
        const std::string rows = Rows(table);
        if (rows == before_[table]) return "before";
        if (rows == restored_[table]) return "restored";
        return "neither";
    }

    static constexpr const char* kTables[] = {"tblSuppliers", "tblPO", "tblProducts", "tblTransactions"};
    static constexpr int kStatements = 2 * std::size(kTables);  // emptied, then refilled
    std::map<std::string, std::string> before_, restored_;
};

TEST_F(RestoreInterrupted, KilledBetweenAnyTwoStatementsLeavesEveryTableAsItWas) {
    for (int stopAfter = 0; stopAfter <= kStatements; ++stopAfter) {
        SCOPED_TRACE("stopped after statement " + std::to_string(stopAfter));
        const pid_t child = StartRestore(stopAfter);
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the restore ended before its statement " << stopAfter;
        ASSERT_EQ(kill(child, SIGKILL), 0);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        for (const char* table : kTables) EXPECT_EQ(TableState(table), "before") << table;
    }

    const pid_t child = StartRestore(-1);
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (const char* table : kTables) EXPECT_EQ(TableState(table), "restored") << table;
}

}  // namespace
}  // namespace inventory::testing
