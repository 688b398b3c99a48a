// Recordsets over selects that combine rows of two selects: read like any
// other, but not updatable, whatever clauses the first select has.
#include <gtest/gtest.h>

#include "dao.h"
#include "err.h"
#include "sql_dialect.h"
#include "temp_database.h"

namespace {

const char* kSchema = R"(
CREATE TABLE Current (ID LONG NOT NULL PRIMARY KEY, Name TEXT(20));
CREATE TABLE Archive (ID LONG NOT NULL PRIMARY KEY, Name TEXT(20));
INSERT INTO Current VALUES (1, 'alpha');
INSERT INTO Current VALUES (2, 'beta');
INSERT INTO Archive VALUES (7, 'gamma');
INSERT INTO Archive VALUES (2, 'beta');
)";

class UnionRecordset : public ::testing::Test {
protected:
    UnionRecordset() : t(kSchema), db(dao::OpenDatabase(t.path())) {}
    // Every change is refused with the engine's read-only error and the
    // tables stay as they were.
    void expectReadOnly(dao::Recordset& rs, const std::string& sql) {
        EXPECT_FALSE(rs.Updatable()) << sql;
        EXPECT_ENGINE_ERROR(rs.Edit(), 3027);
        EXPECT_ENGINE_ERROR(rs.AddNew(), 3027);
        EXPECT_ENGINE_ERROR(rs.Delete(), 3027);
        EXPECT_ENGINE_ERROR(rs.Fields("Name").SetValue(vb::Variant("changed")), 3027);
        EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM Current"), "2");
        EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM Archive"), "2");
        EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM Current WHERE Name = 'changed'"), "0");
    }
    TempDatabase t;
    std::shared_ptr<dao::Database> db;
};

TEST_F(UnionRecordset, AUnionAfterTheTableIsReadOnly) {
    const std::string sql = "SELECT ID, Name FROM Current UNION SELECT ID, Name FROM Archive";
    auto rs = db->OpenRecordset(sql);
    rs->MoveLast();
    EXPECT_EQ(rs->RecordCount(), 3);  // the shared row once
    expectReadOnly(*rs, sql);
}

TEST_F(UnionRecordset, AUnionAfterAWhereClauseIsReadOnly) {
    for (const std::string sql : {"SELECT ID, Name FROM Current WHERE ID > 0 UNION SELECT ID, Name FROM Archive",
                                  "SELECT ID, Name FROM Current WHERE ID > 0 UNION ALL SELECT ID, Name FROM Archive",
                                  "SELECT * FROM Current AS c WHERE c.ID < 5 UNION SELECT * FROM Archive ORDER BY 1",
                                  "select ID from Current where ID = 2 union select ID from Archive where ID = 7"}) {
        SCOPED_TRACE(sql);
        std::shared_ptr<dao::Recordset> rs;
        ASSERT_NO_THROW(rs = db->OpenRecordset(sql));
        rs->MoveLast();
        EXPECT_GE(rs->RecordCount(), 2);
        if (sql.find("ID, Name") != std::string::npos || sql.find('*') != std::string::npos)
            expectReadOnly(*rs, sql);
        else
            EXPECT_FALSE(rs->Updatable());
    }
}

TEST_F(UnionRecordset, IntersectAndExceptAreReadOnlyToo) {
    auto both = db->OpenRecordset("SELECT ID, Name FROM Current WHERE ID > 0 INTERSECT SELECT ID, Name FROM Archive");
    EXPECT_EQ(both->RecordCount(), 1);
    EXPECT_EQ(both->Fields("Name").Value().ToString(), "beta");
    expectReadOnly(*both, "intersect");
    auto only = db->OpenRecordset("SELECT ID, Name FROM Current WHERE ID > 0 EXCEPT SELECT ID, Name FROM Archive");
    EXPECT_EQ(only->Fields("Name").Value().ToString(), "alpha");
    expectReadOnly(*only, "except");
}

TEST_F(UnionRecordset, AUnionInsideASubqueryLeavesTheSelectUpdatable) {
    auto rs = db->OpenRecordset(
        "SELECT ID, Name FROM Current WHERE ID IN (SELECT ID FROM Archive UNION SELECT 1) ORDER BY ID");
    ASSERT_TRUE(rs->Updatable());
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    rs->Edit();
    rs->Fields("Name").SetValue(vb::Variant("BETA"));
    rs->Update();
    EXPECT_EQ(RawQuery(t.path(), "SELECT Name FROM Current WHERE ID = 2"), "BETA");
}

TEST(UnionSelectAnalysis, CombinedSelectsAreNotSingleTableSelects) {
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T UNION SELECT A FROM U").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T WHERE A > 1 UNION SELECT A FROM U").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T ORDER BY A UNION ALL SELECT A FROM U").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T WHERE A > 1 union all SELECT A FROM U").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T WHERE A > 1 INTERSECT SELECT A FROM U").simple);
    EXPECT_FALSE(dao::AnalyzeSelect("SELECT A FROM T WHERE A > 1 EXCEPT SELECT A FROM U").simple);
    EXPECT_TRUE(dao::AnalyzeSelect("SELECT A FROM T WHERE A IN (SELECT A FROM U UNION SELECT 1)").simple);
    EXPECT_TRUE(dao::AnalyzeSelect("SELECT A FROM T WHERE B = 'x UNION y'").simple);
}

}  // namespace
