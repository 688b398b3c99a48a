// Damaged copies of the programs' SQL texts (the sample databases' scripts
// and the statements the programs build): translation, literal conversion
// and analysis give SQL or an engine error, never another exception or a
// crash; what they give opens no comment and SQLite can be asked to prepare
// it over the programs' tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "err.h"
#include "field_type.h"
#include "mutated_inputs.h"
#include "sql_dialect.h"
#include "sql_names.h"
#include "stored_literals.h"

namespace {

std::string Script(const std::string& relative) {
    std::ifstream in(std::string(SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Statements as the programs build them at run time.
const std::vector<std::string> kProgramStatements = {
    "SELECT CUSTOMERS.* FROM CUSTOMERS;",
    " SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Carl O''Neill'",
    "SELECT DISTINCT COMPOSER FROM PRODUCTS",
    "SELECT ORDERS.ORDERID, ORDERS.STATUS, PRODUCTS.COMPOSER, PRODUCTS.COMPOSITION, ORDERS.TOTAL FROM ORDERS, "
    "PRODUCTS WHERE ORDERS.PRODID = PRODUCTS.PRODID AND ORDERS.CUSTID = 3 ORDER BY ORDERS.ORDERID",
    "SELECT MAX(CUSTID) FROM CUSTOMERS",
    "DELETE FROM ORDERS WHERE ORDERID=13",
    "DELETE CUSTOMERS.* FROM CUSTOMERS;",
    "INSERT INTO CUSTOMERS SELECT CUSTOMERSbak.* FROM CUSTOMERSbak;",
    "INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES ('8','Nora Quinn','1 Elm St','Dover, DE "
    "19901','555-0100')",
    "INSERT INTO ORDERS (ORDERID,CUSTID,ORDERDATE,CARDTYPE,CARDNUMB,EXPDATE,PRODID,QUANTITY,TOTAL,STATUS) VALUES "
    "(13, 8, '12/09/26', 'Visa', '4111', '01/30', 3, 1, 16.99, 'Order Initiated')",
    "SELECT tblPO.* From tblPO  WHERE ([SupplierID]=3) ORDER BY PurchaseOrderID ASC;",
    "DELETE tblSuppliers.* From tblSuppliers  WHERE ([SupplierID]=12);",
    "INSERT INTO tblProducts ( [ProductID], [Composition], [UnitPrice], [ReorderLevel] ) SELECT 17, 'Gloria', "
    "'12.50', 4;",
    "UPDATE tblProducts SET UnitPrice = 12.5, ReorderLevel = '3' WHERE ProductID = 4",
    "SELECT * FROM tblTransactions WHERE [TransactionDate] >= #10/1/2026# AND [TransactionDate] < #2026-11-01#",
    "SELECT * FROM OrderData WHERE productid = \"9\" AND paid = True & ''",
    "SELECT customername & ' (' & city & ')' AS label FROM Customer ORDER BY 1"};

const std::vector<std::string> kWords = {
    "'", "''", "\"", "[", "]", "#", "#12/09/26#", "#2026-02-31 25:61#", ";", "--", "/*", "*/", "-", "*", "&", "(",
    ")", ",", ".", " ", "SELECT ", " FROM ", " WHERE ", "DELETE ", "INSERT INTO ", "UPDATE ", " SET ", " VALUES ",
    "True", "False", "1.2.3", "1e999", "-1e-999", "99999999999", "MAX(", "DISTINCT ", " AS ", " UNION "};

// The programs' tables in SQLite, and their columns for the literal conversion.
class ProgramTables {
public:
    ProgramTables() {
        sqlite3_open(":memory:", &db_);
        for (const char* script : {"catalogue/data/orvanta.sql", "inventory/data/inventory.sql",
                                   "showcase/data/tavorin.sql"}) {
            for (const std::string& s : dao::SplitStatements(Script(script))) {
                statements_.push_back(s);
                if (s.find("CREATE") != std::string::npos) sqlite3_exec(db_, s.c_str(), nullptr, nullptr, nullptr);
            }
        }
        sqlite3_stmt* tables = nullptr;
        sqlite3_prepare_v2(db_, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &tables, nullptr);
        while (sqlite3_step(tables) == SQLITE_ROW) {
            const std::string table = reinterpret_cast<const char*>(sqlite3_column_text(tables, 0));
            sqlite3_stmt* info = nullptr;
            sqlite3_prepare_v2(db_, ("PRAGMA table_info(\"" + table + "\")").c_str(), -1, &info, nullptr);
            while (sqlite3_step(info) == SQLITE_ROW) {
                const char* type = reinterpret_cast<const char*>(sqlite3_column_text(info, 2));
                columns_[table].push_back({reinterpret_cast<const char*>(sqlite3_column_text(info, 1)),
                                           dao::ColumnTypeFromDeclaration(type ? type : "")});
            }
            sqlite3_finalize(info);
        }
        sqlite3_finalize(tables);
    }
    ~ProgramTables() { sqlite3_close(db_); }

    const std::vector<std::string>& Statements() const { return statements_; }
    std::size_t TableCount() const { return columns_.size(); }
    const std::vector<dao::TableColumn>* Columns(const std::string& table) const {
        for (const auto& [name, columns] : columns_) {
            if (dao::SameName(name, table)) return &columns;
        }
        return nullptr;
    }
    // Asks SQLite to prepare the text; it may refuse it.
    void Prepare(const std::string& sql) const {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
        sqlite3_finalize(statement);
    }

private:
    sqlite3* db_ = nullptr;
    std::vector<std::string> statements_;
    std::map<std::string, std::vector<dao::TableColumn>> columns_;
};

// Runs `f`; false when it threw anything but an engine error.
bool OnlyEngineErrors(const std::function<void()>& f, std::string& what) {
    try {
        f();
    } catch (const vb::VBError& e) {
        if (e.number() >= 3000) return true;
        what = "error " + std::to_string(e.number()) + ": " + e.description();
        return false;
    } catch (const std::exception& e) {
        what = e.what();
        return false;
    }
    return true;
}

// Whether two tokens of the text would open a comment in SQLite.
bool OpensAComment(const std::string& sql) {
    bool complete = true;
    const std::vector<dao::Token> tokens = dao::Tokenize(sql, complete);
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].kind != dao::Token::Symbol || tokens[i + 1].kind != dao::Token::Symbol) continue;
        if ((tokens[i].text == "-" && tokens[i + 1].text == "-") ||
            (tokens[i].text == "/" && tokens[i + 1].text == "*"))
            return true;
    }
    return false;
}

}  // namespace

TEST(SqlFuzz, DamagedStatementsTranslateOrRaiseEngineErrors) {
    const ProgramTables tables;
    ASSERT_GE(tables.TableCount(), 18u);
    std::vector<std::string> samples = tables.Statements();
    samples.insert(samples.end(), kProgramStatements.begin(), kProgramStatements.end());
    const dao::ColumnLookup lookup = [&](const std::string& table) { return tables.Columns(table); };
    MutatedInputs inputs(samples, kWords, 3134);
    for (int n = 0; n < 4000; ++n) {
        const std::string text = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n) + ": " + text);
        std::string what;
        ASSERT_TRUE(OnlyEngineErrors(
            [&] {
                const dao::TranslatedStatement t = dao::TranslateStatement(text);
                EXPECT_FALSE(OpensAComment(t.sql)) << t.sql;
                const std::string stored = dao::StoreLiteralValues(t.sql, t.kind, lookup);
                EXPECT_FALSE(OpensAComment(stored)) << stored;
                tables.Prepare(stored);
                const dao::SingleTableSelect select = dao::AnalyzeSelect(t.sql);
                if (select.simple) tables.Prepare(dao::WithRowNumberColumn(t.sql, select, "rowid_"));
                dao::AggregatedColumns(t.sql);
            },
            what))
            << what;
        ASSERT_TRUE(OnlyEngineErrors([&] { EXPECT_FALSE(OpensAComment(dao::TranslateExpression(text))); }, what))
            << what;
        ASSERT_TRUE(OnlyEngineErrors(
            [&] {
                std::string table;
                dao::IsTableName(text, table);
                dao::NamesIn(text);
                dao::SplitStatements(text);
            },
            what))
            << what;
    }
}
