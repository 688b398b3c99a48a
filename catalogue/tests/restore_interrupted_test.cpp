// The restore stopped and killed between any two of its statements, in a
// child process: every table is then as it was or fully restored, never
// empty or half-done.
#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include "catalogue_fixture.h"
#include "err.h"
#include "mod_main.h"

namespace catalogue::testing {
namespace {

class RestoreInterrupted : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        // Changes since the sample data: a new customer and order, a deleted product.
        Execute("INSERT INTO CUSTOMERS VALUES (8, 'Nora Quinn', '1 Elm St', 'Dover, DE 19901', '555')");
        Execute("INSERT INTO ORDERS VALUES (13, 8, '12/09/26', 'Visa', '4111', '01/30', 3, 1, 16.99, 'Order Initiated')");
        Execute("DELETE FROM PRODUCTS WHERE PRODID = 5");
        for (const char* table : kTables) {
            before_.push_back(Rows(table));
            restored_.push_back(Rows(std::string(table) + "bak"));
        }
    }

    // Starts a child that runs Restore("None") on its own connection and
    // stops itself once `stopAfter` statements have run (0: right after the
    // transaction began); -1 lets it run to its end.
    pid_t StartRestore(int stopAfter) {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        int code = 2;
        try {
            modMain::gdbMain = dao::OpenDatabase(DatabaseFile().string());
            modMain::SetRestoreStatementHook([stopAfter](int statementsRun) {
                if (statementsRun == stopAfter) raise(SIGSTOP);
            });
            modMain::Restore("None");
            code = driver().MessageBoxes().empty() ? 0 : 1;
        } catch (...) {
        }
        _exit(code);
    }

    enum class State { Before, Restored, Neither };
    State TableState(std::size_t table) {
        const std::string rows = Rows(kTables[table]);
        if (rows == before_[table]) return State::Before;
        if (rows == restored_[table]) return State::Restored;
        return State::Neither;
    }
    // The state all tables share, or Neither when they differ.
    State AllTables() {
        const State first = TableState(0);
        for (std::size_t table = 1; table < std::size(kTables); ++table) {
            if (TableState(table) != first) return State::Neither;
        }
        return first;
    }

    static constexpr const char* kTables[] = {"CUSTOMERS", "ORDERS", "PRODUCTS"};
    std::vector<std::string> before_, restored_;
};

TEST_F(RestoreInterrupted, KilledBetweenAnyTwoStatementsLeavesEveryTableAsItWas) {
    for (int stopAfter = 0; stopAfter <= 6; ++stopAfter) {
        SCOPED_TRACE("stopped after statement " + std::to_string(stopAfter));
        const pid_t child = StartRestore(stopAfter);
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the restore ended before its statement " << stopAfter;

        // While the restore is pending, other users read the tables as they were.
        State pending = State::Neither;
        std::string readError;
        try {
            pending = AllTables();
        } catch (const vb::VBError& e) {
            readError = e.description();
        }
        ASSERT_EQ(kill(child, SIGKILL), 0);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(pending, State::Before) << readError;
        for (std::size_t table = 0; table < std::size(kTables); ++table) {
            EXPECT_NE(TableState(table), State::Neither) << kTables[table];
        }
        EXPECT_EQ(AllTables(), State::Before);
    }

    const pid_t child = StartRestore(-1);
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(AllTables(), State::Restored);
}

}  // namespace
}  // namespace catalogue::testing
