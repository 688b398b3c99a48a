// The data control on a form with its bound controls and the data-bound
// grids, over a database file made for each test.
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <QLabel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "dao.h"
#include "platform_controls_forms.h"

using forms::Default;
using pctest::ErrorOf;
using pctest::frmAdmin;
using pctest::frmCatalogue;
using pctest::frmSuppliers;

namespace {

const char* kSchema = R"(
CREATE TABLE PRODUCTS (PRODID LONG NOT NULL PRIMARY KEY, COMPOSER TEXT(50), COMPOSITION TEXT(50),
                       PRICE CURRENCY, DESCRIPTION LONGTEXT, IMAGE TEXT(50));
INSERT INTO PRODUCTS VALUES
  (1, 'Bach', 'Goldberg Variations', 15.99, 'Harpsichord.', 'goldberg.jpg'),
  (2, 'Bach', 'Mass in B minor', 21.5, NULL, 'mass.jpg'),
  (3, 'Brahms', 'Symphony No. 4', 12, 'Vienna.', 'mass.jpg');
CREATE TABLE CUSTOMERS (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(50), CITY TEXT(50));
INSERT INTO CUSTOMERS VALUES (-2, 'Database Admin', ''), (4, 'admin', 'Boston'), (7, 'Ada Byron', 'London'),
  (9, 'Carl Zeiss', 'Jena');
CREATE TABLE tblSuppliers (SupplierID LONG NOT NULL PRIMARY KEY, SupplierName TEXT(50), City TEXT(50));
INSERT INTO tblSuppliers VALUES (1, 'Allegro', 'Chicago'), (2, 'Baroque', 'Newark'), (3, 'Cadenza', 'Denver');
)";

// A database file in a temporary folder, removed at the end of the test.
class TempDatabase {
public:
    TempDatabase() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pctl-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        path_ = (dir_ / "test.mdb").string();
        sqlite3* db = nullptr;
        sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, kSchema, nullptr, nullptr, &error);
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK) throw std::runtime_error("schema failed");
    }
    ~TempDatabase() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::filesystem::path dir_;
    std::string path_;
};

class PlatformDataControl : public ::testing::Test {
protected:
    PlatformDataControl() : db(dao::OpenDatabase(temp.path())) {}
    std::string SupplierName(int id) {
        auto rs = db->OpenRecordset("select * from tblSuppliers where SupplierID = " + std::to_string(id),
                                    dao::dbOpenSnapshot);
        return rs->Fields("SupplierName").Value().ToString();
    }

    TempDatabase temp;
    std::shared_ptr<dao::Database> db;
    forms::testing::Driver driver;
};

TEST_F(PlatformDataControl, BoundControlsFollowTheCurrentRecord) {
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    // The main window's way: a one-row snapshot per album, set from code.
    f.dataMain.Recordset(db->OpenRecordset("select * from products where PRODID = 1", dao::dbOpenSnapshot));
    EXPECT_EQ(f.lblComposer.Caption(), "Bach");
    EXPECT_EQ(f.lblComposition.Caption(), "Goldberg Variations");
    EXPECT_EQ(f.lblPrice.Caption(), "15.99");
    EXPECT_EQ(f.txtDescription.Text(), "Harpsichord.");
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtImageHolder_Change goldberg.jpg", "dataMain_Reposition"}));
    f.log.clear();

    f.dataMain.Recordset(db->OpenRecordset("select * from products where PRODID = 2", dao::dbOpenSnapshot));
    EXPECT_EQ(f.lblComposition.Caption(), "Mass in B minor");
    EXPECT_EQ(f.txtDescription.Text(), "");  // Null shows as empty
    EXPECT_FALSE(f.txtDescription.DataChanged());
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtImageHolder_Change mass.jpg", "dataMain_Reposition"}));
    f.log.clear();

    // Moving the data control's own recordset: the controls follow; the
    // hidden text box changes only when its text does.
    f.dataMain.Recordset(db->OpenRecordset("select * from products order by PRODID", dao::dbOpenSnapshot));
    f.log.clear();
    f.dataMain.Recordset()->MoveNext();
    EXPECT_EQ(f.lblComposer.Caption(), "Bach");
    EXPECT_EQ(f.txtImageHolder.Text(), "mass.jpg");
    f.dataMain.Recordset()->MoveNext();
    EXPECT_EQ(f.lblComposer.Caption(), "Brahms");
    EXPECT_EQ(f.lblPrice.Caption(), "12");
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtImageHolder_Change mass.jpg", "dataMain_Reposition",
                                               "dataMain_Reposition"}));
    // Past the end nothing is current: the controls empty.
    f.dataMain.Recordset()->MoveNext();
    EXPECT_EQ(f.lblComposer.Caption(), "");
    EXPECT_EQ(f.txtImageHolder.Text(), "");
}

TEST_F(PlatformDataControl, ArrowButtonsAndEditsWrittenBack) {
    frmSuppliers& f = Default<frmSuppliers>();
    f.Show();
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblSuppliers] Order by [SupplierID]"));
    EXPECT_EQ(f.txtID.Text(), "1");
    EXPECT_EQ(f.txtFields(0).Text(), "Allegro");
    EXPECT_EQ(f.log, (std::vector<std::string>{"Reposition 1"}));
    f.log.clear();

    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Next"));
    EXPECT_EQ(f.txtFields(1).Text(), "Newark");
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Last"));
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Next"));  // stays on the last record
    EXPECT_EQ(f.txtID.Text(), "3");
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "First"));
    EXPECT_EQ(f.txtID.Text(), "1");
    EXPECT_EQ(f.log.front(), "Validate 3");  // Next, nothing changed
    f.log.clear();

    // What the user types (over the text, selected as the box takes the
    // focus) is saved when the record is left.
    driver.Type(f.txtFields(0), "Presto");
    EXPECT_EQ(f.txtFields(0).Text(), "Presto");
    EXPECT_TRUE(f.txtFields(0).DataChanged());
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Next"));
    EXPECT_EQ(f.log.front(), "Validate 3 save");
    EXPECT_EQ(SupplierName(1), "Presto");
    EXPECT_EQ(f.txtFields(0).Text(), "Baroque");

    // UpdateRecord saves without moving.
    f.txtFields(1).Text("Hoboken");
    EXPECT_TRUE(f.txtFields(1).DataChanged());
    f.datPrimaryRS.UpdateRecord();
    EXPECT_FALSE(f.txtFields(1).DataChanged());
    auto check = db->OpenRecordset("select City from tblSuppliers where SupplierID = 2", dao::dbOpenSnapshot);
    EXPECT_EQ(check->Fields(0).Value().ToString(), "Hoboken");

    // A new record empties the bound controls.
    f.datPrimaryRS.Recordset()->AddNew();
    EXPECT_EQ(f.txtID.Text(), "");
    EXPECT_EQ(f.txtFields(0).Text(), "");
}

TEST_F(PlatformDataControl, UnloadRaisesValidateWithActionEleven) {
    frmSuppliers& f = Default<frmSuppliers>();
    f.cancelPendingOnUnload = true;
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblSuppliers] Order by [SupplierID]"));
    f.datPrimaryRS.Recordset()->Edit();
    f.txtFields(0).Text("Changed");
    f.log.clear();
    forms::Unload(f);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Validate 11 save"}));
    EXPECT_EQ(SupplierName(1), "Allegro");  // the handler cancelled the edit
    // The next load starts without a recordset.
    EXPECT_EQ(f.datPrimaryRS.Recordset(), nullptr);
}

TEST_F(PlatformDataControl, OpensItsDatabaseAndRecordSourceAndBindsLateBound) {
    frmSuppliers& f = Default<frmSuppliers>();
    vb::ObjectRef data = f.GetMember("datPrimaryRS").ToObject();
    data->SetMember("DatabaseName", vb::Variant(temp.path()));
    data->SetMember("RecordSource", vb::Variant("select * from [tblSuppliers] Order by [SupplierID]"));
    data->CallMember("Refresh", {});
    EXPECT_EQ(f.txtFields(0).Text(), "Allegro");
    vb::ObjectRef rs = data->GetMember("Recordset").ToObject();
    rs->CallMember("MoveLast", {});
    EXPECT_EQ(f.txtFields(0).Text(), "Cadenza");
    EXPECT_EQ(data->GetMember("Connect").ToString(), "Access");
    EXPECT_EQ(ErrorOf([&] { data->GetMember("Colour"); }), 438);

    // A control bound later picks the binding up at once.
    forms::TextBox& extra = f.txtFields.Load(2);
    forms::Bind(extra, f.datPrimaryRS, "City");
    EXPECT_EQ(extra.Text(), "Denver");
    forms::Unload(extra);
    rs->CallMember("MoveFirst", {});  // the unloaded element is left alone
    EXPECT_EQ(f.txtFields(1).Text(), "Chicago");
}

TEST_F(PlatformDataControl, DataBoundGridShowsRowsAndReadsTheCurrentRow) {
    frmAdmin& f = Default<frmAdmin>();
    f.Show();
    f.dataAdmin.Recordset(db->OpenRecordset("SELECT * FROM CUSTOMERS", dao::dbOpenSnapshot));
    f.dataAdmin.Refresh();
    forms::DBGrid& g = f.dbgridAdmin;
    EXPECT_EQ(g.Columns().Count(), 3);
    EXPECT_EQ(g.Columns()(vb::Variant(1)).Caption(), "NAME");
    EXPECT_EQ(g.Columns()(vb::Variant(0)).Value().ToLong(), -2);
    EXPECT_EQ(g.Columns()(vb::Variant(1)).Text(), "Database Admin");
    EXPECT_EQ(g.View()->model()->rowCount(), 4);
    EXPECT_EQ(g.View()->model()->index(2, 1).data().toString().toStdString(), "Ada Byron");
    EXPECT_EQ(ErrorOf([&] { g.Columns()(vb::Variant(3)); }), 6148);

    // A click on a row makes it the data control's current record.
    ASSERT_TRUE(forms::testing::ClickCell(g, 2, 1));
    EXPECT_EQ(f.dataAdmin.Recordset()->Fields("CUSTID").Value().ToLong(), 7);
    EXPECT_EQ(g.Columns()(vb::Variant(0)).Value().ToLong(), 7);
    EXPECT_EQ(g.CurrentRow(), 2);
    EXPECT_EQ(f.log, (std::vector<std::string>{"MouseDown 1", "MouseUp 1"}));
    f.log.clear();
    // The right button reports its button and moves nothing.
    ASSERT_TRUE(forms::testing::ClickCell(g, 3, 1, 2));
    EXPECT_EQ(f.log, (std::vector<std::string>{"MouseDown 2", "MouseUp 2"}));
    EXPECT_EQ(g.CurrentRow(), 2);

    // The grid follows the data control.
    f.dataAdmin.Recordset()->MoveLast();
    EXPECT_EQ(g.Columns()(vb::Variant(1)).Text(), "Carl Zeiss");
    EXPECT_EQ(g.View()->currentIndex().row(), 3);
    // Late bound, as the administration window reads it.
    vb::ObjectRef columns = f.GetMember("dbgridAdmin").ToObject()->GetMember("Columns").ToObject();
    EXPECT_EQ(columns->CallMember("Item", {vb::Variant(0)}).ToObject()->GetMember("Value").ToLong(), 9);

    // Rows deleted and the data control refreshed: the grid shows what is left.
    db->Execute("delete from CUSTOMERS where CUSTID = 9");
    f.dataAdmin.Refresh();
    EXPECT_EQ(g.View()->model()->rowCount(), 3);
    EXPECT_EQ(g.Columns()(vb::Variant(0)).Value().ToLong(), -2);
    // The flexible grid bound to the same data control shows the rows too.
    EXPECT_EQ(f.FlexigridCustomers.Rows(), 4);
    EXPECT_EQ(f.FlexigridCustomers.TextMatrix(0, 2), "NAME");
    EXPECT_EQ(f.FlexigridCustomers.TextMatrix(3, 2), "Ada Byron");

    // An empty table: no current row, the first column reads as empty text.
    db->Execute("delete from CUSTOMERS");
    f.dataAdmin.Refresh();
    EXPECT_EQ(g.View()->model()->rowCount(), 0);
    EXPECT_EQ(g.Columns()(vb::Variant(0)).Value().ToString(), "");
    EXPECT_EQ(g.CurrentRow(), -1);
}

}  // namespace

namespace {

TEST_F(PlatformDataControl, ValidateCanKeepTheRecordOrDropTheChanges) {
    frmSuppliers& f = Default<frmSuppliers>();
    f.Show();
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblSuppliers] Order by [SupplierID]"));
    // Action 0 keeps the record: the move does not happen.
    f.onValidate = [](std::int16_t& Action, bool&) { Action = 0; };
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Next"));
    EXPECT_EQ(f.txtID.Text(), "1");
    EXPECT_EQ(f.datPrimaryRS.Recordset()->AbsolutePosition(), 0);
    // Save False drops what was typed; the move goes on.
    f.onValidate = [](std::int16_t&, bool& Save) { Save = false; };
    f.txtFields(0).Text("Dropped");
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Next"));
    EXPECT_EQ(f.txtID.Text(), "2");
    EXPECT_EQ(SupplierName(1), "Allegro");
    ASSERT_TRUE(forms::testing::ClickButton(f.datPrimaryRS, "Previous"));
    EXPECT_EQ(f.txtFields(0).Text(), "Allegro");
}

TEST_F(PlatformDataControl, ABoundControlShowsTheFirstRecordWithOneChange) {
    frmSuppliers& f = Default<frmSuppliers>();
    EXPECT_EQ(f.txtCityHolder.Text(), "Text1");  // the design text until a record comes
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblSuppliers] Order by [SupplierID]"));
    EXPECT_EQ(f.changes, (std::vector<std::string>{"Chicago"}));
    f.datPrimaryRS.Recordset()->MoveNext();
    EXPECT_EQ(f.changes, (std::vector<std::string>{"Chicago", "Newark"}));
    // A recordset set again shows its first record; the text changes once.
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblSuppliers] Order by [SupplierID] DESC"));
    EXPECT_EQ(f.changes.back(), "Denver");
    EXPECT_EQ(f.changes.size(), 3u);
}

TEST_F(PlatformDataControl, ADesignedSourceOpensOnceTheFormHasLoaded) {
    frmSuppliers& f = Default<frmSuppliers>();
    // As designed: database and record source, no code.
    f.datPrimaryRS.DatabaseName(temp.path());
    f.datPrimaryRS.RecordSource("select * from [tblSuppliers] Order by [SupplierName] DESC");
    f.datPrimaryRS.SaveDesign();
    forms::Unload(f);
    f.Show();
    EXPECT_EQ(f.datPrimaryRS.Model().Recordset(), nullptr);  // not during Load
    driver.ProcessEvents();
    ASSERT_NE(f.datPrimaryRS.Recordset(), nullptr);
    EXPECT_EQ(f.txtFields(0).Text(), "Cadenza");
    EXPECT_EQ(f.datPrimaryRS.Caption(), "Suppliers");
}

TEST_F(PlatformDataControl, DataBoundGridMovesWithKeysAndKeepsARefusedRecord) {
    frmAdmin& f = Default<frmAdmin>();
    f.Show();
    forms::DBGrid& g = f.dbgridAdmin;
    int rowColChanges = 0;
    g.RowColChange = [&] { ++rowColChanges; };
    f.dataAdmin.Recordset(db->OpenRecordset("SELECT * FROM CUSTOMERS", dao::dbOpenSnapshot));
    ASSERT_TRUE(forms::testing::ClickCell(g, 0, 1));
    rowColChanges = 0;
    QTest::keyClick(g.View(), Qt::Key_Down);
    EXPECT_EQ(g.Columns()(vb::Variant(0)).Value().ToLong(), 4);
    QTest::keyClick(g.View(), Qt::Key_PageDown);
    EXPECT_EQ(g.CurrentRow(), 3);
    QTest::keyClick(g.View(), Qt::Key_Down);  // stays on the last row
    EXPECT_EQ(g.CurrentRow(), 3);
    EXPECT_EQ(rowColChanges, 2);
    QTest::keyClick(g.View(), Qt::Key_Left);
    EXPECT_EQ(g.Col(), 0);

    // A data control whose Validate refuses the move keeps its record, and
    // the grid shows it.
    f.dataAdmin.Validate = [](std::int16_t& Action, bool&) { Action = 0; };
    ASSERT_TRUE(forms::testing::ClickCell(g, 1, 1));
    EXPECT_EQ(g.CurrentRow(), 3);
    EXPECT_EQ(g.View()->currentIndex().row(), 3);
    f.dataAdmin.Validate = nullptr;

    // Column widths are in twips; the caption bar shows the caption.
    g.Columns()(vb::Variant(1)).Width(2400);
    EXPECT_EQ(g.View()->columnWidth(1), 160);
    EXPECT_EQ(g.Columns()(vb::Variant("NAME")).Width(), 2400);
    auto* bar = g.Widget()->findChild<QLabel*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->text().toStdString(), "Orvanta Online");
    g.Caption("");
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(PlatformDataControl, GridsFollowAgainAfterTheFormLoadsAgain) {
    frmAdmin& f = Default<frmAdmin>();
    f.dataAdmin.Recordset(db->OpenRecordset("SELECT * FROM CUSTOMERS", dao::dbOpenSnapshot));
    EXPECT_EQ(f.dbgridAdmin.Columns().Count(), 3);
    forms::Unload(f);
    // Loaded again: no rows until the data control has a recordset again.
    EXPECT_EQ(f.dbgridAdmin.Columns().Count(), 0);
    EXPECT_EQ(f.dbgridAdmin.View()->model()->rowCount(), 0);
    f.dataAdmin.Recordset(db->OpenRecordset("SELECT CUSTID, NAME FROM CUSTOMERS WHERE CUSTID > 0",
                                            dao::dbOpenSnapshot));
    EXPECT_EQ(f.dbgridAdmin.Columns().Count(), 2);
    EXPECT_EQ(f.dbgridAdmin.View()->model()->rowCount(), 3);
    EXPECT_EQ(f.dbgridAdmin.Columns()(vb::Variant(1)).Text(), "admin");
    EXPECT_EQ(f.FlexigridCustomers.Rows(), 4);
    EXPECT_EQ(f.FlexigridCustomers.Cols(), 3);
    EXPECT_EQ(f.FlexigridCustomers.TextMatrix(1, 1), "4");
}

}  // namespace
