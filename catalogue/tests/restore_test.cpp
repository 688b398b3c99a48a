// Restoring the sample data, and clearing customers and orders.
#include <gtest/gtest.h>

#include "application.h"
#include "catalogue_fixture.h"
#include "cls_manage_main.h"
#include "frm_main.h"
#include "mod_main.h"
#include "screen.h"

namespace catalogue::testing {
namespace {

class Restore : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        OpenDatabaseAsMain();
        customers_ = Rows("CUSTOMERSbak");
        orders_ = Rows("ORDERSbak");
        products_ = Rows("PRODUCTSbak");
        // Changes since start-up: a new customer and order, a deleted product.
        Execute("INSERT INTO CUSTOMERS VALUES (8, 'Nora Quinn', '1 Elm St', 'Dover, DE 19901', '555')");
        Execute("INSERT INTO ORDERS VALUES (13, 8, '12/09/26', 'Visa', '4111', '01/30', 3, 1, 16.99, 'Order Initiated')");
        Execute("DELETE FROM PRODUCTS WHERE PRODID = 5");
        changedCustomers_ = Rows("CUSTOMERS");
        changedOrders_ = Rows("ORDERS");
        changedProducts_ = Rows("PRODUCTS");
    }
    bool Restored() {
        return Rows("CUSTOMERS") == customers_ && Rows("ORDERS") == orders_ && Rows("PRODUCTS") == products_;
    }
    bool Unchanged() {
        return Rows("CUSTOMERS") == changedCustomers_ && Rows("ORDERS") == changedOrders_ &&
               Rows("PRODUCTS") == changedProducts_;
    }
    std::string customers_, orders_, products_;
    std::string changedCustomers_, changedOrders_, changedProducts_;
};

TEST_F(Restore, YesAsksFirstAndAnsweredYesRestores) {
    driver().AnswerMsgBox(forms::vbYes);
    modMain::Restore("Yes");
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Restore Database Warning!");
    EXPECT_EQ(box.text,
              "This action will reset all data in the customer, order, and product tables. Do you wish "
              "to continue?");
    EXPECT_EQ(box.style, 324);
    EXPECT_TRUE(Restored());
}

TEST_F(Restore, YesAnsweredNoChangesNothing) {
    driver().AnswerMsgBox(forms::vbNo);
    modMain::Restore("Yes");
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_TRUE(Unchanged());
}

TEST_F(Restore, NoGivesNoticeThenRestores) {
    modMain::Restore("No");
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Restore Database");
    EXPECT_EQ(box.text,
              "All records have been deleted. The data will now be reset to the original customer, "
              "order, and product data. ");
    EXPECT_EQ(box.style, forms::vbOKOnly);
    EXPECT_TRUE(Restored());
}

TEST_F(Restore, NoneRestoresSilently) {
    modMain::Restore("None");
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_TRUE(Restored());
}

TEST_F(Restore, AnyOtherChoiceIsRefusedAndChangesNothing) {
    forms::SetAppTitle("Orvanta Online C");
    for (const char* choice : {"yes", "NONE", "", "Cancel"}) {
        modMain::Restore(choice);
    }
    ASSERT_EQ(driver().MessageBoxes().size(), 4u);
    for (const auto& box : driver().MessageBoxes()) {
        EXPECT_EQ(box.title, "Orvanta Online C");
        EXPECT_EQ(box.text, "modMain.Restore: Not a valid choice for Cancel argument.");
        EXPECT_EQ(box.style, forms::vbOKOnly);
    }
    EXPECT_TRUE(Unchanged());
}

// A failing statement undoes the ones before it; the error is reported.
TEST_F(Restore, FailureRollsBackEveryTableAndIsReported) {
    Execute("ALTER TABLE ORDERSbak RENAME TO ORDERSkept");
    modMain::Restore("None");
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Unexpected error in modMain.Restore");
    EXPECT_EQ(box.style, forms::vbOKOnly);
    EXPECT_EQ(box.text.rfind(std::to_string(vb::Err().Number) + ": ", 0), 0u) << box.text;
    EXPECT_EQ(vb::Err().Number, 3078);
    EXPECT_NE(box.text.find("ORDERSbak"), std::string::npos) << box.text;
    EXPECT_TRUE(Unchanged());
    EXPECT_EQ(modMain::gdbMain->TransactionDepth(), 0);

    // The next restore, with the backup back, runs as usual.
    Execute("ALTER TABLE ORDERSkept RENAME TO ORDERSbak");
    modMain::Restore("None");
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_TRUE(Restored());
}

// Another user holding the file keeps the restore from starting: reported,
// nothing changed.
TEST_F(Restore, LockedDatabaseIsReportedAndChangesNothing) {
    dao::SetLockWaitMilliseconds(0);
    Db().BeginTrans();
    modMain::Restore("None");
    Db().Rollback();
    dao::SetLockWaitMilliseconds(2000);
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in modMain.Restore");
    EXPECT_EQ(vb::Err().Number, 3260);
    EXPECT_TRUE(Unchanged());
    EXPECT_EQ(modMain::gdbMain->TransactionDepth(), 0);
}

class ClearReservations : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        OpenDatabaseAsMain();
        forms::Load(forms::Default<frmMain>());
    }
    void Clear(int answer) {
        driver().AnswerMsgBox(answer);
        frmMain& window = forms::Default<frmMain>();
        window.Manager().ClearReservations(window);
    }
    std::string Status() { return forms::Default<frmMain>().statusMain.SimpleText(); }
};

TEST_F(ClearReservations, AsksThenDeletesCustomersAndOrdersAndCountsThem) {
    const long expected = Count("CUSTOMERS") + Count("ORDERS");
    const long products = Count("PRODUCTS");
    Clear(forms::vbYes);
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Confirm Delete Action");
    EXPECT_EQ(box.text,
              "Are you sure you want to clear all existing customers and orders?  (Products info will "
              "not be deleted.)");
    EXPECT_EQ(box.style, 260);
    EXPECT_EQ(Status(), std::to_string(expected) + " records cleared");
    EXPECT_EQ(Count("CUSTOMERS"), 0);
    EXPECT_EQ(Count("ORDERS"), 0);
    EXPECT_EQ(Count("PRODUCTS"), products);
    EXPECT_EQ(forms::Screen.MousePointer(), forms::vbDefault);
}

TEST_F(ClearReservations, ThreeOrdersAndTwoCustomersAreFive) {
    Execute("DELETE FROM ORDERS WHERE ORDERID > 3");
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID > 0");
    Clear(forms::vbYes);
    EXPECT_EQ(Status(), "5 records cleared");
}

TEST_F(ClearReservations, OneRecordIsSingular) {
    Execute("DELETE FROM ORDERS");
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID <> 3");
    Clear(forms::vbYes);
    EXPECT_EQ(Status(), "1 record cleared");
}

TEST_F(ClearReservations, EmptyTablesAreZero) {
    Execute("DELETE FROM ORDERS");
    Execute("DELETE FROM CUSTOMERS");
    Clear(forms::vbYes);
    EXPECT_EQ(Status(), "0 records cleared");
}

TEST_F(ClearReservations, NoDeletesNothing) {
    const long customers = Count("CUSTOMERS");
    const std::string before = Status();
    Clear(forms::vbNo);
    EXPECT_EQ(Count("CUSTOMERS"), customers);
    EXPECT_EQ(Status(), before);
}

TEST_F(ClearReservations, ErrorsReachTheCaller) {
    Execute("DROP TABLE ORDERS");
    driver().AnswerMsgBox(forms::vbYes);
    frmMain& window = forms::Default<frmMain>();
    EXPECT_THROW(window.Manager().ClearReservations(window), vb::VBError);
    EXPECT_EQ(forms::Screen.MousePointer(), forms::vbHourglass);
    forms::Screen.MousePointer(forms::vbDefault);
}

}  // namespace
}  // namespace catalogue::testing
