// The flexible grid bound to a data control: a row per record and a column
// per field, following new recordsets, refreshes and saved records but not
// mere moves.
#include <QTableView>

#include <gtest/gtest.h>

#include "dao.h"
#include "datacontrol_widget.h"
#include "flexgrid.h"
#include "forms.h"
#include "temp_sqlite_database.h"
#include "test_driver.h"

using forms::Default;

namespace {

const char* kSchema = R"(
CREATE TABLE Customer (CustomerID LONG NOT NULL PRIMARY KEY, CustomerName TEXT(50), City TEXT(50));
INSERT INTO Customer VALUES (1, 'Ada Byron', 'London'), (2, 'Carl Zeiss', NULL), (3, 'Emmy Noether', 'Erlangen');
)";

class frmGrid : public forms::Form {
public:
    frmGrid() : Form("frmGrid") {
        Caption("Grid");
        ClientSize(7000, 4000);
        MSFlexGrid.DataSource(&datCustomerInfo);
    }
    forms::FlexGrid MSFlexGrid{this, "MSFlexGrid", 120, 120, 6000, 2800};
    forms::DataControl datCustomerInfo{this, "datCustomerInfo", "Customer Data", 120, 3200, 3000, 375};
};

class FlexGridBound : public ::testing::Test {
protected:
    FlexGridBound() : db(dao::OpenDatabase(temp.path())) {}
    pctest::TempSqliteDatabase temp{kSchema};
    std::shared_ptr<dao::Database> db;
    forms::testing::Driver driver;
};

TEST_F(FlexGridBound, RowsAndColumnsFromTheRecordset) {
    frmGrid& f = Default<frmGrid>();
    forms::FlexGrid& g = f.MSFlexGrid;
    f.Show();
    f.datCustomerInfo.Recordset(db->OpenRecordset("select * from [Customer] order by [CustomerID]"));
    // The header row and a row per customer; the fixed column, then a column per field.
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.Cols(), 4);
    EXPECT_EQ(g.TextMatrix(0, 1), "CustomerID");
    EXPECT_EQ(g.TextMatrix(0, 2), "CustomerName");
    EXPECT_EQ(g.TextMatrix(3, 2), "Emmy Noether");
    EXPECT_EQ(g.TextMatrix(2, 3), "");  // Null
    EXPECT_EQ(g.View()->model()->index(1, 3).data().toString().toStdString(), "London");

    // Moving the data control leaves what the grid shows, and what code wrote there.
    g.TextMatrix(1, 0, "*");
    f.datCustomerInfo.PressNext();
    EXPECT_EQ(g.TextMatrix(1, 0), "*");

    // A refresh shows changes made meanwhile.
    db->Execute("UPDATE Customer SET City = 'Jena' WHERE CustomerID = 2");
    f.datCustomerInfo.Refresh();
    EXPECT_EQ(g.TextMatrix(2, 3), "Jena");
    EXPECT_EQ(g.Rows(), 4);

    // A record saved through the data control shows at once; so does a new one.
    auto rs = f.datCustomerInfo.Recordset();
    rs->Edit();
    rs->Fields("City").SetValue(vb::Variant("Paris"));
    rs->Update();
    EXPECT_EQ(g.TextMatrix(1, 3), "Paris");
    rs->AddNew();
    rs->Fields("CustomerID").SetValue(vb::Variant(4));
    rs->Fields("CustomerName").SetValue(vb::Variant("Lise Meitner"));
    rs->Update();
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(4, 2), "Lise Meitner");

    // Another recordset replaces the rows.
    f.datCustomerInfo.Recordset(db->OpenRecordset("select CustomerName from [Customer] where CustomerID > 2"));
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.TextMatrix(0, 1), "CustomerName");
    EXPECT_EQ(g.TextMatrix(2, 1), "Lise Meitner");
}

}  // namespace
