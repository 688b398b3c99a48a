// The sample database's indexes, on the columns the catalogue searches by,
// outlive a restore of the sample data: the composer tree and a customer's
// orders are still read through them afterwards.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>
#include <vector>

#include "catalogue_fixture.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "mod_main.h"
#include "sql_dialect.h"
#include "treeview.h"

namespace catalogue::testing {
namespace {

class RestoreKeepsIndexes : public CatalogueTest {
protected:
    // Runs `sql` on the database file directly; column `column` of each row.
    std::vector<std::string> Column(const std::string& sql, int column = 0) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(DatabaseFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        std::vector<std::string> values;
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
    std::vector<std::string> Indexes() {
        return Column("SELECT tbl_name || '.' || name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                      "ORDER BY 1");
    }
    // How SQLite reads the program's statement, step by step.
    std::string PlanOf(const std::string& programSql) {
        std::string plan;
        for (const std::string& step : Column("EXPLAIN QUERY PLAN " + dao::TranslateStatement(programSql).sql, 3))
            plan += step + "\n";
        return plan;
    }
    void ExpectTheSearchesUseIndexes() {
        const std::string tree = PlanOf(" SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Beethoven'");
        EXPECT_NE(tree.find("USING INDEX PRODUCTS_COMPOSER"), std::string::npos) << tree;
        const std::string orders = PlanOf(
            "SELECT ORDERS.ORDERID, ORDERS.STATUS, PRODUCTS.COMPOSER, PRODUCTS.COMPOSITION, ORDERS.QUANTITY, "
            "ORDERS.TOTAL FROM ORDERS, PRODUCTS, CUSTOMERS WHERE PRODUCTS.PRODID = ORDERS.PRODID AND "
            "ORDERS.CUSTID = CUSTOMERS.CUSTID AND ORDERS.CUSTID= 2");
        EXPECT_NE(orders.find("USING INDEX ORDERS_CUSTID"), std::string::npos) << orders;
        EXPECT_EQ(orders.find("SCAN"), std::string::npos) << orders;
    }
};

TEST_F(RestoreKeepsIndexes, TheSampleDatabaseHasThemAndARestoreKeepsThem) {
    const std::vector<std::string> indexes{"ORDERS.ORDERS_CUSTID", "PRODUCTS.PRODUCTS_COMPOSER"};
    EXPECT_EQ(Indexes(), indexes);
    ExpectTheSearchesUseIndexes();

    OpenDatabaseAsMain();
    Execute("DELETE FROM PRODUCTS WHERE COMPOSER = 'Beethoven'");
    modMain::Restore("None");
    modMain::gdbMain->Close();
    modMain::gdbMain.reset();
    EXPECT_TRUE(driver().MessageBoxes().empty());

    EXPECT_EQ(Indexes(), indexes);
    ExpectTheSearchesUseIndexes();
    // The restored albums are found through the index again.
    EXPECT_EQ(Rows("PRODUCTS"), Rows("PRODUCTSbak"));
    EXPECT_EQ(Count("PRODUCTS WHERE COMPOSER = 'beethoven'"), Count("PRODUCTSbak WHERE COMPOSER = 'Beethoven'"));
    EXPECT_GT(Count("PRODUCTS WHERE COMPOSER = 'beethoven'"), 0);
}

TEST_F(RestoreKeepsIndexes, TheTreeIsFilledFromTheRestoredTable) {
    Execute("DELETE FROM PRODUCTS WHERE COMPOSER = 'Beethoven'");
    SetCommand("-restore");
    driver().OnModal([this](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        ASSERT_TRUE(driver().Choose(login.lstUserName, "Margaret Olsen"));
        driver().Click(login.cmdOK);
    });
    ASSERT_TRUE(RunMain());
    EXPECT_EQ(Indexes(), (std::vector<std::string>{"ORDERS.ORDERS_CUSTID", "PRODUCTS.PRODUCTS_COMPOSER"}));
    EXPECT_EQ(Rows("PRODUCTS"), Rows("PRODUCTSbak"));
    // One node per composer and per album.
    const long composers = Count("(SELECT DISTINCT COMPOSER FROM PRODUCTS)");
    forms::TreeView& tree = forms::Default<frmMain>().treMain;
    EXPECT_EQ(tree.Nodes().Count(), composers + Count("PRODUCTS"));
    // The composers come in the table's order, not the index's.
    std::vector<std::string> shown;
    for (forms::Node* n = &tree.Nodes().Item(vb::Variant(1)); n; n = n->Next()) shown.push_back(n->Text());
    EXPECT_EQ(shown, Column("SELECT COMPOSER FROM PRODUCTS GROUP BY COMPOSER ORDER BY MIN(rowid)"));
    EXPECT_EQ(shown.front(), "Beethoven");
}

}  // namespace
}  // namespace catalogue::testing
