// The data-bound combo box between a record's data control and a lookup data
// control, and clicks with the right and middle mouse buttons.
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "acting_on_platform_controls.h"
#include "dao.h"
#include "datacontrol_widget.h"
#include "dbcombo.h"
#include "dispatch_ids.h"
#include "error_of.h"
#include "forms.h"
#include "temp_sqlite_database.h"
#include "test_driver.h"

using forms::Default;
using formtest::ErrorOf;

namespace {

const char* kSchema = R"(
CREATE TABLE tblProducts (ProductID LONG NOT NULL PRIMARY KEY, Composition TEXT(50));
INSERT INTO tblProducts VALUES (1, 'Air'), (2, 'Goldberg Variations'), (3, 'Symphony No. 4');
CREATE TABLE tblTransactions (TransactionID LONG NOT NULL PRIMARY KEY, ProductID LONG, Units LONG);
INSERT INTO tblTransactions VALUES (10, 2, 4), (11, NULL, 3), (12, 99, 1), (13, 3, 5);
)";

class frmTransactions : public forms::Form {
public:
    frmTransactions() : Form("frmTransactions") {
        Caption("Product Transactions");
        ClientSize(6000, 3000);
        forms::Bind(txtID, datPrimaryRS, "TransactionID");
        cboProduct.RowSource(&datProducts);
        cboProduct.ListField("Composition");
        cboProduct.BoundColumn("ProductID");
        forms::Bind(cboProduct, datPrimaryRS, "ProductID");
        cboProduct.Click = [this] { log.push_back("cboProduct_Click " + cboProduct.Text()); };
        lblUnits.MouseDown = [this](std::int16_t Button, std::int16_t, float, float) {
            log.push_back("MouseDown " + std::to_string(Button));
        };
        lblUnits.MouseUp = [this](std::int16_t Button, std::int16_t, float, float) {
            log.push_back("MouseUp " + std::to_string(Button));
        };
    }
    std::vector<std::string> log;

    forms::TextBox txtID{this, "txtID", 1800, 120, 1215, 285};
    forms::DBCombo cboProduct{this, "cboProduct", 1800, 480, 3000, 315};
    forms::Label lblUnits{this, "lblUnits", "# Ordered:", 120, 960, 1500, 255};
    forms::DataControl datPrimaryRS{this, "datPrimaryRS", "Transactions", 120, 2400, 3000, 375};
    forms::DataControl datProducts{this, "datProducts", "Products", 3240, 2400, 2500, 375};
};

class PlatformDBCombo : public ::testing::Test {
protected:
    PlatformDBCombo() : db(dao::OpenDatabase(temp.path())) {}
    void Open(frmTransactions& f) {
        f.Show();
        f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblTransactions] Order by [TransactionID]"));
        f.datProducts.Recordset(db->OpenRecordset("select * from [tblProducts] Order by [ProductID]"));
    }
    vb::Variant StoredProduct(int transaction) {
        auto rs = db->OpenRecordset("select ProductID from tblTransactions where TransactionID = " +
                                    std::to_string(transaction), dao::dbOpenSnapshot);
        return rs->Fields("ProductID").Value();
    }
    QComboBox* Widget(forms::DBCombo& c) { return qobject_cast<QComboBox*>(c.Widget()); }

    pctest::TempSqliteDatabase temp{kSchema};
    std::shared_ptr<dao::Database> db;
    forms::testing::Driver driver;
};

TEST_F(PlatformDBCombo, FollowsTheRecordAndTheLookupRows) {
    frmTransactions& f = Default<frmTransactions>();
    f.Show();
    // The record's data control is given its rows before the lookup's: the
    // combo shows the product once the list is there.
    f.datPrimaryRS.Recordset(db->OpenRecordset("select * from [tblTransactions] Order by [TransactionID]"));
    EXPECT_EQ(f.cboProduct.Text(), "");
    EXPECT_EQ(f.cboProduct.ListCount(), 0);
    f.datProducts.Recordset(db->OpenRecordset("select * from [tblProducts] Order by [ProductID]"));
    ASSERT_EQ(f.cboProduct.ListCount(), 3);
    EXPECT_EQ(f.cboProduct.List(2), "Symphony No. 4");
    EXPECT_EQ(f.cboProduct.Text(), "Goldberg Variations");
    EXPECT_EQ(f.cboProduct.BoundText(), "2");
    EXPECT_FALSE(f.cboProduct.DataChanged());
    ASSERT_NE(Widget(f.cboProduct), nullptr);
    EXPECT_EQ(Widget(f.cboProduct)->count(), 3);
    EXPECT_EQ(Widget(f.cboProduct)->currentText().toStdString(), "Goldberg Variations");

    // A Null product and a product that no row has both show an empty text.
    f.datPrimaryRS.PressNext();
    EXPECT_EQ(f.txtID.Text(), "11");
    EXPECT_EQ(f.cboProduct.Text(), "");
    EXPECT_FALSE(f.cboProduct.MatchedWithList());
    EXPECT_EQ(Widget(f.cboProduct)->currentText().toStdString(), "");
    f.datPrimaryRS.PressNext();
    EXPECT_EQ(f.txtID.Text(), "12");
    EXPECT_EQ(f.cboProduct.Text(), "");
    EXPECT_EQ(f.cboProduct.BoundText(), "99");
    f.datPrimaryRS.PressNext();
    EXPECT_EQ(f.cboProduct.Text(), "Symphony No. 4");

    // A refreshed lookup shows the renamed product; moving the lookup's own
    // record changes nothing in the combo.
    db->Execute("UPDATE tblProducts SET Composition = 'Symphony No. 4 in E minor' WHERE ProductID = 3");
    f.datProducts.Refresh();
    EXPECT_EQ(f.cboProduct.Text(), "Symphony No. 4 in E minor");
    f.datProducts.PressLast();
    EXPECT_EQ(f.cboProduct.Text(), "Symphony No. 4 in E minor");
    // A new record has no product yet.
    f.datPrimaryRS.Recordset()->AddNew();
    EXPECT_EQ(f.cboProduct.Text(), "");
    EXPECT_EQ(f.cboProduct.BoundText(), "");
    f.datPrimaryRS.Recordset()->CancelUpdate();
    EXPECT_EQ(f.cboProduct.Text(), "Symphony No. 4 in E minor");
    // A refreshed record's data control shows its first record again.
    f.datPrimaryRS.Refresh();
    EXPECT_EQ(f.txtID.Text(), "10");
    EXPECT_EQ(f.cboProduct.Text(), "Goldberg Variations");
}

TEST_F(PlatformDBCombo, AChosenEntryWritesItsBoundColumn) {
    frmTransactions& f = Default<frmTransactions>();
    Open(f);
    f.datPrimaryRS.PressNext();  // transaction 11, no product
    ASSERT_TRUE(forms::testing::Choose(f.cboProduct, "Air"));
    EXPECT_EQ(f.cboProduct.Text(), "Air");
    EXPECT_EQ(f.cboProduct.BoundText(), "1");
    EXPECT_TRUE(f.cboProduct.DataChanged());
    EXPECT_EQ(f.log, (std::vector<std::string>{"cboProduct_Click Air"}));
    // Leaving the record writes the product's key, not its text.
    f.datPrimaryRS.PressNext();
    EXPECT_EQ(StoredProduct(11).ToLong(), 1);
    EXPECT_EQ(f.cboProduct.Text(), "");  // transaction 12
    f.datPrimaryRS.PressPrevious();
    EXPECT_EQ(f.cboProduct.Text(), "Air");

    // Chosen through UpdateRecord, by index.
    ASSERT_TRUE(forms::testing::Choose(f.cboProduct, 2));
    f.datPrimaryRS.UpdateRecord();
    EXPECT_EQ(StoredProduct(11).ToLong(), 3);

    // Typing an entry's text chooses it; clearing the text stores Null.
    f.cboProduct.Widget()->setFocus();
    QLineEdit* edit = Widget(f.cboProduct)->lineEdit();
    ASSERT_NE(edit, nullptr);
    edit->clear();
    emit edit->textEdited(QString());
    EXPECT_TRUE(f.cboProduct.DataChanged());
    f.datPrimaryRS.UpdateRecord();
    EXPECT_TRUE(StoredProduct(11).IsNull());

    // Text set from code to an entry chooses it; any other text is only shown
    // and never written back.
    f.cboProduct.Text("goldberg variations");
    EXPECT_EQ(f.cboProduct.BoundText(), "2");
    f.datPrimaryRS.UpdateRecord();
    EXPECT_EQ(StoredProduct(11).ToLong(), 2);
    f.cboProduct.Text(" ");
    EXPECT_FALSE(f.cboProduct.DataChanged());
    f.datPrimaryRS.PressNext();
    EXPECT_EQ(StoredProduct(11).ToLong(), 2);
}

TEST_F(PlatformDBCombo, TextAndLockedByNameAndByDispatchId) {
    frmTransactions& f = Default<frmTransactions>();
    Open(f);
    forms::DBCombo& c = f.cboProduct;
    EXPECT_EQ(forms::GetMemberById(c, 15).ToString(), "Goldberg Variations");
    EXPECT_EQ(c.GetMember("text").ToString(), "Goldberg Variations");
    forms::SetMemberById(c, 15, vb::Variant(""));
    EXPECT_EQ(c.Text(), "");
    EXPECT_EQ(forms::GetMemberById(c, 15).ToString(), "");

    EXPECT_FALSE(forms::GetMemberById(c, 6).ToBool());
    forms::SetMemberById(c, 6, vb::Variant(true));
    EXPECT_TRUE(c.Locked());
    EXPECT_TRUE(c.GetMember("Locked").ToBool());
    // A locked combo keeps its entry however the user tries.
    EXPECT_FALSE(forms::testing::Choose(c, "Air"));
    EXPECT_EQ(c.Text(), "");
    EXPECT_TRUE(Widget(c)->lineEdit()->isReadOnly());
    c.SetMember("Locked", vb::Variant(false));
    EXPECT_TRUE(forms::testing::Choose(c, "Air"));

    // Numbers the combo does not know, and objects without numbered members.
    EXPECT_EQ(ErrorOf([&] { forms::GetMemberById(c, 99); }), 438);
    EXPECT_EQ(ErrorOf([&] { forms::SetMemberById(f.txtID, 15, vb::Variant("x")); }), 438);
    EXPECT_EQ(ErrorOf([&] { c.GetMember("NoSuchMember"); }), 438);
    // The row source late-bound.
    EXPECT_EQ(c.GetMember("RowSource").ToObject().get(), &f.datProducts);
    EXPECT_EQ(ErrorOf([&] { c.SetMember("RowSource", vb::Variant(f.txtID.Ref())); }), 13);
}

TEST_F(PlatformDBCombo, RightAndMiddleClicksReachTheMouseEvents) {
    frmTransactions& f = Default<frmTransactions>();
    f.Show();
    ASSERT_TRUE(forms::testing::RightClick(f.lblUnits));
    ASSERT_TRUE(forms::testing::MiddleClick(f.lblUnits));
    EXPECT_EQ(f.log, (std::vector<std::string>{"MouseDown 2", "MouseUp 2", "MouseDown 4", "MouseUp 4"}));
    f.lblUnits.Visible(false);
    EXPECT_FALSE(forms::testing::RightClick(f.lblUnits));
}

}  // namespace

TEST_F(PlatformDBCombo, TheWidgetsListIsReplacedWhenTheLookupIsRefreshed) {
    frmTransactions& f = Default<frmTransactions>();
    Open(f);
    ASSERT_NE(Widget(f.cboProduct), nullptr);
    EXPECT_EQ(Widget(f.cboProduct)->count(), 3);
    db->Execute("INSERT INTO tblProducts VALUES (4, 'Te Deum')");
    db->Execute("UPDATE tblProducts SET Composition = NULL WHERE ProductID = 1");
    f.datProducts.Refresh();
    ASSERT_EQ(Widget(f.cboProduct)->count(), 4);
    EXPECT_EQ(Widget(f.cboProduct)->itemText(0).toStdString(), "");  // a Null text shows empty
    EXPECT_EQ(Widget(f.cboProduct)->itemText(3).toStdString(), "Te Deum");
    EXPECT_EQ(Widget(f.cboProduct)->currentText().toStdString(), "Goldberg Variations");
    ASSERT_TRUE(forms::testing::Choose(f.cboProduct, "Te Deum"));
    EXPECT_EQ(f.cboProduct.BoundText(), "4");
}

TEST_F(PlatformDBCombo, AFormLoadedAgainShowsTheListAndTheRecordsEntryAgain) {
    frmTransactions& f = Default<frmTransactions>();
    Open(f);
    ASSERT_EQ(f.cboProduct.ListCount(), 3);
    forms::Unload(f);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    db->Execute("INSERT INTO tblProducts VALUES (4, 'Te Deum')");
    Open(f);
    ASSERT_NE(Widget(f.cboProduct), nullptr);
    EXPECT_EQ(f.cboProduct.ListCount(), 4);
    EXPECT_EQ(Widget(f.cboProduct)->count(), 4);
    EXPECT_EQ(f.cboProduct.List(3), "Te Deum");
    EXPECT_EQ(Widget(f.cboProduct)->currentText().toStdString(), "Goldberg Variations");
    ASSERT_TRUE(forms::testing::Choose(f.cboProduct, "Te Deum"));
    EXPECT_EQ(f.cboProduct.BoundText(), "4");
}

TEST(ComboEntries, ValuesOfEveryKindComeBackAsTheyWentIn) {
    const std::vector<vb::Variant> values = {vb::Variant::Null(),
                                             vb::Variant::Long(7),
                                             vb::Variant::Integer(-3),
                                             vb::Variant(2.5),
                                             vb::Variant(1.25f),
                                             vb::Variant(vb::Currency::FromScaled(125000)),
                                             vb::Variant(vb::Date{46275.5}),
                                             vb::Variant(true),
                                             vb::Variant("Key"),
                                             vb::Variant(""),
                                             vb::Variant()};
    forms::ComboEntries entries;
    for (std::size_t i = 0; i < values.size(); ++i)
        entries.add(i == 4 ? std::string() : "entry " + std::to_string(i), values[i]);
    ASSERT_EQ(entries.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(entries.text(i), i == 4 ? std::string() : "entry " + std::to_string(i));
        const vb::Variant back = entries.value(i);
        ASSERT_EQ(back.Type(), values[i].Type()) << i;
        if (!back.IsNull()) {
            EXPECT_EQ(back.ToString(), values[i].ToString()) << i;
        }
    }
    // Numbers by value, texts without regard to case, Null and Empty never.
    EXPECT_TRUE(entries.sameValue(1, vb::Variant(7.0)));
    EXPECT_TRUE(entries.sameValue(1, vb::Variant("7")));
    EXPECT_FALSE(entries.sameValue(1, vb::Variant::Long(8)));
    EXPECT_TRUE(entries.sameValue(2, vb::Variant::Long(-3)));
    EXPECT_TRUE(entries.sameValue(5, vb::Variant(12.5)));
    EXPECT_TRUE(entries.sameValue(7, vb::Variant::Integer(-1)));
    EXPECT_TRUE(entries.sameValue(8, vb::Variant("KEY")));
    EXPECT_FALSE(entries.sameValue(0, vb::Variant::Null()));
    EXPECT_FALSE(entries.sameValue(10, vb::Variant()));
    EXPECT_FALSE(entries.sameValue(9, vb::Variant::Null()));
}
