// Opening database files and executing statements: results and engine errors.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dao.h"
#include "err.h"
#include "temp_database.h"

namespace {

const char* kCatalogue = R"(
CREATE TABLE CUSTOMERS (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(50) COLLATE NOCASE, STREET TEXT(50),
                        CITYSTATEZIP TEXT(50), PHONE TEXT(20));
CREATE TABLE CUSTOMERSbak (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(50) COLLATE NOCASE, STREET TEXT(50),
                           CITYSTATEZIP TEXT(50), PHONE TEXT(20));
CREATE TABLE ORDERS (ORDERID LONG NOT NULL PRIMARY KEY, CUSTID LONG, ORDERDATE DATETIME, CARDTYPE TEXT(20),
                     CARDNUMB TEXT(30), EXPDATE TEXT(10), PRODID LONG, QUANTITY LONG, TOTAL CURRENCY, STATUS TEXT(30));
INSERT INTO CUSTOMERS VALUES (-2, 'Database Admin', '', '', ''), (1, 'Admin', '', '', ''), (2, 'Ann Lee', 'x', 'y', 'z');
INSERT INTO CUSTOMERSbak SELECT * FROM CUSTOMERS;
)";

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(OpenDatabase, MissingFileFolderAndNoCreation) {
    TempDatabase t(kCatalogue);
    std::string missing = (t.dir() / "nothere.mdb").string();
    try {
        dao::OpenDatabase(missing);
        FAIL() << "opened a missing file";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3024);
        EXPECT_NE(e.description().find("nothere.mdb"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_ENGINE_ERROR(dao::OpenDatabase(t.dir().string()), 3044);
}

TEST(OpenDatabase, FileThatIsNoDatabaseIsLeftUnchanged) {
    TempDatabase t(kCatalogue);
    std::string text = (t.dir() / "notes.mdb").string();
    {
        std::ofstream out(text, std::ios::binary);
        out << "Orvanta notes\nnot a database at all, but long enough to look like a header\n";
    }
    std::string before = fileBytes(text);
    try {
        dao::OpenDatabase(text);
        FAIL() << "opened a text file";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3343);
        EXPECT_NE(e.description().find("notes.mdb"), std::string::npos);
    }
    EXPECT_EQ(fileBytes(text), before);

    std::string empty = (t.dir() / "empty.mdb").string();
    { std::ofstream out(empty); }
    EXPECT_ENGINE_ERROR(dao::OpenDatabase(empty), 3343);
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
}

TEST(OpenDatabase, LockedFileIsInUse) {
    TempDatabase t(kCatalogue);
    dao::SetLockWaitMilliseconds(50);
    sqlite3* holder = nullptr;
    sqlite3_open(t.path().c_str(), &holder);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        dao::OpenDatabase(t.path());
        FAIL() << "opened a locked file";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3045);
        EXPECT_NE(e.description().find("test.mdb"), std::string::npos);
    }
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    auto db = dao::OpenDatabase(t.path());
    // Locked after opening: a change waits, then fails and changes nothing.
    sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    EXPECT_ENGINE_ERROR(db->Execute("delete from CUSTOMERS"), 3260);
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(db->OpenRecordset("CUSTOMERS")->RecordCount(), 3);

    // Opened exclusively, the file is in use for a second opener.
    auto exclusive = dao::OpenDatabase(t.path(), vb::Variant(true));
    EXPECT_ENGINE_ERROR(dao::OpenDatabase(t.path()), 3045);
    exclusive->Close();
    EXPECT_NO_THROW(dao::OpenDatabase(t.path()));
    dao::SetLockWaitMilliseconds(2000);
}

TEST(OpenDatabase, BackslashPathAndReadOnly) {
    TempDatabase t(kCatalogue);
    std::string windows = t.dir().string() + "\\test.mdb";
    auto db = dao::OpenDatabase(windows);
    EXPECT_EQ(db->OpenRecordset("CUSTOMERS")->RecordCount(), 3);

    auto ro = dao::OpenDatabase(t.path(), vb::Variant(), true);
    EXPECT_ENGINE_ERROR(ro->Execute("DELETE FROM CUSTOMERS"), 3027);
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM CUSTOMERS"), "3");
}

TEST(Execute, RestoreStatementsAndRecordsAffected) {
    TempDatabase t(kCatalogue);
    auto db = dao::OpenDatabase(t.path());
    db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES ('3','Bo Ek','a','b','c')");
    EXPECT_EQ(db->RecordsAffected(), 1);
    db->Execute("DELETE CUSTOMERS.* FROM CUSTOMERS;");
    EXPECT_EQ(db->RecordsAffected(), 4);
    db->Execute("INSERT INTO CUSTOMERS SELECT CUSTOMERSbak.* FROM CUSTOMERSbak;");
    EXPECT_EQ(db->RecordsAffected(), 3);
    db->Execute("delete from CUSTOMERS where CUSTID = 2");
    EXPECT_EQ(db->RecordsAffected(), 1);
    db->Execute("CREATE TABLE NOTES (ID LONG)");  // changes no rows
    EXPECT_EQ(db->RecordsAffected(), 0);
    db->Execute("delete from ORDERS");
    EXPECT_EQ(db->RecordsAffected(), 0);
    EXPECT_EQ(RawQuery(t.path(), "SELECT group_concat(CUSTID) FROM CUSTOMERS"), "-2,1");
}

TEST(Execute, EngineErrors) {
    TempDatabase t(kCatalogue);
    auto db = dao::OpenDatabase(t.path());
    EXPECT_ENGINE_ERROR(db->Execute("DELETE FROM NOSUCH"), 3078);
    EXPECT_ENGINE_ERROR(db->Execute("DELETE FROM CUSTOMERS WHERE NOSUCHCOL = 1"), 3061);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID, NOSUCHCOL) VALUES (9, 1)"), 3127);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS VALUES (9, 'a')"), 3346);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME) VALUES (1,'again')"), 3022);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (NAME) VALUES ('no key')"), 3314);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID NAME) VALUES (9,'a')"), 3134);
    EXPECT_ENGINE_ERROR(db->Execute("DELETE FROM CUSTOMERS WHERE"), 3075);
    EXPECT_ENGINE_ERROR(db->Execute("SELECT * FROM CUSTOMERS"), 3065);
    EXPECT_ENGINE_ERROR(db->Execute("DELETE FROM CUSTOMERS WHERE UNKNOWNFN(CUSTID) = 1"), 3085);
    EXPECT_ENGINE_ERROR(db->OpenRecordset("DELETE FROM CUSTOMERS"), 3219);
    EXPECT_ENGINE_ERROR(db->OpenRecordset("SELECT * FROM NOSUCH", dao::dbOpenSnapshot), 3078);
    EXPECT_EQ(RawQuery(t.path(), "SELECT count(*) FROM CUSTOMERS"), "3");
}

TEST(Execute, QuoteInValueIsSyntaxErrorAndChangesNothing) {
    TempDatabase t(kCatalogue);
    auto db = dao::OpenDatabase(t.path());
    std::string before = fileBytes(t.path());
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES "
                                    "('3','Pat O'Brien','a','b','c')"),
                        3134);
    EXPECT_ENGINE_ERROR(db->Execute("INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES "
                                    "('3','x','a','b','c'); DELETE FROM CUSTOMERS; SELECT ('','a','b','c')"),
                        3142);
    EXPECT_ENGINE_ERROR(db->OpenRecordset(" SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER='Rock 'n Roll'", 4),
                        3075);
    EXPECT_EQ(fileBytes(t.path()), before);
}

TEST(Execute, TwoDatabaseObjectsOnOneFileSeeEachOther) {
    TempDatabase t(kCatalogue);
    auto layer = dao::OpenDatabase(t.path());
    auto forms = dao::OpenDatabase(t.path());
    auto open = forms->OpenRecordset("select * from [CUSTOMERS] Order by [CUSTID]");
    // A recordset held open on one connection does not block the other.
    layer->Execute("DELETE CUSTOMERS.* From CUSTOMERS  WHERE ([CUSTID]=2);");
    EXPECT_EQ(forms->OpenRecordset("SELECT * FROM CUSTOMERS", dao::dbOpenSnapshot)->RecordCount(), 2);
    open->MoveFirst();
    open->Edit();
    open->Fields("NAME").SetValue("Chief");
    open->Update();
    auto seen = layer->OpenRecordset("SELECT NAME FROM CUSTOMERS WHERE CUSTID=-2", dao::dbOpenSnapshot);
    EXPECT_EQ(seen->Fields(0).Value().ToString(), "Chief");
    // The row the other connection deleted is reported as deleted.
    open->MoveLast();
    EXPECT_ENGINE_ERROR(open->Edit(), 3167);
}

TEST(Execute, ClosedDatabase) {
    TempDatabase t(kCatalogue);
    auto db = dao::OpenDatabase(t.path());
    auto rs = db->OpenRecordset("CUSTOMERS");
    db->Close();
    EXPECT_ENGINE_ERROR(db->Execute("delete from ORDERS"), 3420);
    EXPECT_ENGINE_ERROR(rs->MoveNext(), 3420);
    EXPECT_ENGINE_ERROR(db->Close(), 3420);
}

TEST(Execute, LateBoundMembers) {
    TempDatabase t(kCatalogue);
    vb::ObjectRef db = dao::OpenDatabase(t.path());
    db->CallMember("Execute", {vb::Variant("delete from CUSTOMERS where CUSTID = 2")});
    EXPECT_EQ(db->GetMember("RecordsAffected").ToLong(), 1);
    vb::ObjectRef rs = db->CallMember("OpenRecordset", {vb::Variant("SELECT * FROM CUSTOMERS ORDER BY CUSTID"),
                                                        vb::Variant(4)})
                           .ToObject();
    EXPECT_FALSE(rs->GetMember("EOF").ToBool());
    vb::ObjectRef field = rs->CallMember("Fields", {vb::Variant("name")}).ToObject();
    EXPECT_EQ(field->GetMember("Value").ToString(), "Database Admin");
    EXPECT_EQ(rs->GetMember("Fields").ToObject()->GetMember("Count").ToLong(), 5);
    rs->CallMember("MoveNext", {});
    EXPECT_EQ(field->GetMember("Value").ToString(), "Admin");
    EXPECT_THROW(rs->GetMember("NoSuchMember"), vb::VBError);
}
