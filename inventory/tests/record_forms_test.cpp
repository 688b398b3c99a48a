// The record forms over a copy of the sample database: adding, editing,
// checking, cancelling, stepping, deleting, the lookup combo boxes, the
// transaction grids and what the user sees when the engine refuses a save.
#include <gtest/gtest.h>

#include "acting_on_platform_controls.h"
#include "application.h"
#include "c_table.h"
#include "dao.h"
#include "frm_main_inventory.h"
#include "frm_po.h"
#include "frm_products.h"
#include "frm_suppliers.h"
#include "frm_transactions.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "record_helpers.h"

namespace inventory::testing {
namespace {

class RecordForms : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        OpenDataLayer();
        Inventory::gdbInventory = dao::OpenDatabase(DatabaseFile().string());
        // The frame the record forms open in.
        forms::Default<frmMainInventory>().Show();
    }
    void TearDown() override {
        if (Inventory::gdbInventory) Inventory::gdbInventory->Close();
        Inventory::gdbInventory.reset();
        InventoryTest::TearDown();
    }

    template <class F>
    F& Open() {
        F& form = forms::Default<F>();
        form.Show();
        return form;
    }

    // Browse mode as the buttons and locks show it.
    static void ExpectBrowseMode(RecordForm& f, forms::ControlArray<forms::TextBox>& fields) {
        EXPECT_TRUE(f.cmdClose.Visible());
        EXPECT_FALSE(f.cmdCancel.Visible());
        EXPECT_FALSE(f.cmdUpdate.Enabled());
        for (forms::CommandButton* b : {&f.cmdPrev, &f.cmdNext, &f.cmdAdd, &f.cmdEdit, &f.cmdDelete})
            EXPECT_TRUE(b->Enabled()) << b->Name();
        for (forms::TextBox& box : fields) EXPECT_TRUE(box.Locked()) << box.Index();
    }
    static void ExpectEditMode(RecordForm& f, forms::ControlArray<forms::TextBox>& fields) {
        EXPECT_FALSE(f.cmdClose.Visible());
        EXPECT_TRUE(f.cmdCancel.Visible());
        EXPECT_TRUE(f.cmdUpdate.Enabled());
        for (forms::CommandButton* b : {&f.cmdPrev, &f.cmdNext, &f.cmdAdd, &f.cmdEdit, &f.cmdDelete})
            EXPECT_FALSE(b->Enabled()) << b->Name();
        for (forms::TextBox& box : fields) EXPECT_FALSE(box.Locked()) << box.Index();
    }

    // Types a product's required fields, leaving out the indices given.
    void TypeProduct(frmProducts& f, const std::string& composition, std::initializer_list<int> skip = {}) {
        auto skipped = [&](int i) { return std::find(skip.begin(), skip.end(), i) != skip.end(); };
        if (!skipped(0)) driver().Type(f.txtFields(0), composition);
        if (!skipped(1)) driver().Type(f.txtFields(1), "Johann Sebastian Bach");
        if (!skipped(5)) driver().Type(f.txtFields(5), "5");
        if (!skipped(6)) driver().Type(f.txtFields(6), "air.bmp");
        if (!skipped(7)) driver().Type(f.txtFields(7), "12.5");
    }
};

TEST_F(RecordForms, AddOnEachFormNumbersTheRecordAndSwitchesToEditMode) {
    frmProducts& products = Open<frmProducts>();
    ExpectBrowseMode(products, products.txtFields);
    EXPECT_TRUE(products.txtID.Locked());
    ASSERT_TRUE(driver().Click(products.cmdAdd));
    EXPECT_EQ(products.txtID.Text(), std::to_string(Value("SELECT MAX(ProductID) FROM tblProducts") + 1));
    EXPECT_EQ(products.txtFields(0).Text(), "");
    ExpectEditMode(products, products.txtFields);
    EXPECT_TRUE(products.txtID.Locked());  // the key is never typed
    ASSERT_TRUE(driver().Click(products.cmdCancel));
    ExpectBrowseMode(products, products.txtFields);

    frmSuppliers& suppliers = Open<frmSuppliers>();
    EXPECT_NE(suppliers.cboDBState.Text(), "");
    ASSERT_TRUE(driver().Click(suppliers.cmdAdd));
    EXPECT_EQ(suppliers.txtID.Text(), "16");
    EXPECT_EQ(suppliers.cboDBState.Text(), "");
    EXPECT_FALSE(suppliers.cboDBState.Locked());
    ExpectEditMode(suppliers, suppliers.txtFields);

    frmPO& po = Open<frmPO>();
    EXPECT_TRUE(po.cboSupplier.Locked());
    ASSERT_TRUE(driver().Click(po.cmdAdd));
    EXPECT_EQ(po.txtID.Text(), std::to_string(Value("SELECT MAX(PurchaseOrderID) FROM tblPO") + 1));
    // A new order has no supplier yet: the combo shows none.
    EXPECT_EQ(po.cboSupplier.Text(), "");
    EXPECT_FALSE(po.cboSupplier.Locked());
    ExpectEditMode(po, po.txtFields);
}

TEST_F(RecordForms, AProductIsSavedAndReadBackExactlyAsTyped) {
    frmProducts& f = Open<frmProducts>();
    const long before = Count("tblProducts");
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    const std::string id = f.txtID.Text();
    const std::string air = "Bach's \"Air\"";
    TypeProduct(f, air);
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    EXPECT_TRUE(driver().MessageBoxes().empty()) << driver().MessageBoxes().at(0).text;
    EXPECT_EQ(Count("tblProducts"), before + 1);
    EXPECT_EQ(Text("SELECT Composition FROM tblProducts WHERE ProductID=" + id), air);
    EXPECT_EQ(Text("SELECT UnitPrice FROM tblProducts WHERE ProductID=" + id), "12.5");
    // The form stays on the new record, in browse mode.
    EXPECT_EQ(f.txtID.Text(), id);
    EXPECT_EQ(f.txtFields(0).Text(), air);
    ExpectBrowseMode(f, f.txtFields);
}

TEST_F(RecordForms, UpdateListsEveryMissingRequiredFieldInOneMessage) {
    frmProducts& f = Open<frmProducts>();
    const long before = Count("tblProducts");
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    TypeProduct(f, "", {0, 6});
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Invalid Data Error");
    EXPECT_EQ(driver().MessageBoxes()[0].text,
              "The data in these fields is either missing or invalid: Composition, Image");
    EXPECT_EQ(driver().MessageBoxes()[0].style, forms::vbCritical);
    ExpectEditMode(f, f.txtFields);
    EXPECT_EQ(f.txtFields(1).Text(), "Johann Sebastian Bach");
    EXPECT_EQ(Count("tblProducts"), before);
}

TEST_F(RecordForms, ANonDateIsReportedWhenTheFocusMovesOn) {
    frmPO& f = Open<frmPO>();
    ASSERT_TRUE(driver().Click(f.cmdEdit));
    driver().Focus(f.txtFields(1));
    driver().Focus(f.txtFields(2));  // unchanged fields say nothing
    EXPECT_TRUE(driver().MessageBoxes().empty());
    driver().Type(f.txtFields(2), "\b\b\b\b\b\b\b\b\b\b\b\bsoon");
    driver().Focus(f.txtFields(3));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].text, "The data you entered for OrderDate is invalid!");
    EXPECT_EQ(f.txtFields(2).Text(), "soon");
}

TEST_F(RecordForms, CancelInTheMiddleOfAnAddWritesNothing) {
    frmProducts& f = Open<frmProducts>();
    const std::string first = f.txtFields(0).Text();
    const long before = Count("tblProducts");
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    driver().Type(f.txtFields(0), "Half typed");
    ASSERT_TRUE(driver().Click(f.cmdCancel));
    EXPECT_EQ(Count("tblProducts"), before);
    EXPECT_EQ(f.txtFields(0).Text(), first);
    ExpectBrowseMode(f, f.txtFields);
    // Closing in the middle of an add discards it too, without a message.
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    driver().Type(f.txtFields(0), "Closed away");
    driver().Close(f);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(Count("tblProducts"), before);
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(RecordForms, PreviousAndNextStayAtBothEnds) {
    frmSuppliers& f = Open<frmSuppliers>();
    EXPECT_EQ(f.txtID.Text(), "1");
    ASSERT_TRUE(driver().Click(f.cmdPrev));
    EXPECT_EQ(f.txtID.Text(), "1");
    ASSERT_TRUE(driver().Click(f.cmdNext));
    EXPECT_EQ(f.txtID.Text(), "2");
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(driver().Click(f.cmdNext));
    EXPECT_EQ(f.txtID.Text(), "15");
    ASSERT_TRUE(driver().Click(f.cmdPrev));
    EXPECT_EQ(f.txtID.Text(), "14");
}

TEST_F(RecordForms, DeletingTheLastSupplierRestoresTheSampleSuppliers) {
    Execute("DELETE FROM tblSuppliers WHERE SupplierID <> 4");
    frmSuppliers& f = Open<frmSuppliers>();
    EXPECT_EQ(f.txtID.Text(), "4");
    ASSERT_TRUE(driver().Click(f.cmdDelete));
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Count("tblSuppliers"), 15);
    EXPECT_EQ(f.txtID.Text(), "1");
    // Deleting the last in order shows the one before it.
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(driver().Click(f.cmdNext));
    ASSERT_TRUE(driver().Click(f.cmdDelete));
    EXPECT_EQ(f.txtID.Text(), "14");
    EXPECT_EQ(Count("tblSuppliers"), 14);
}

TEST_F(RecordForms, DeleteOnAnEmptyPurchaseOrderTableRestoresOrdersAndTransactions) {
    Execute("DELETE FROM tblPO");
    Execute("DELETE FROM tblTransactions");
    frmPO& f = Open<frmPO>();
    EXPECT_EQ(f.txtID.Text(), "");
    ASSERT_TRUE(driver().Click(f.cmdEdit));  // nothing to edit
    ExpectBrowseMode(f, f.txtFields);
    ASSERT_TRUE(driver().Click(f.cmdDelete));
    EXPECT_EQ(Count("tblPO"), Count("tblPOBak"));
    EXPECT_EQ(Count("tblTransactions"), Count("tblTransactionsBak"));
    EXPECT_EQ(f.txtID.Text(), "1");
    EXPECT_GT(f.grdTransaction.Rows(), 1);
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(RecordForms, AFailedRestoreBehindAnEmptyTableLeavesBothTablesAsTheyWere) {
    Execute("DELETE FROM tblPO");
    Execute("DROP TABLE tblTransactionsBak");
    const long transactions = Count("tblTransactions");
    frmPO& f = Open<frmPO>();
    ASSERT_TRUE(driver().Click(f.cmdDelete));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in Inventory.Restore");
    // The orders are not back without their transactions.
    EXPECT_EQ(Count("tblPO"), 0);
    EXPECT_EQ(Count("tblTransactions"), transactions);
}

TEST_F(RecordForms, ASupplierTakesTheStateChosenInTheCombo) {
    frmSuppliers& f = Open<frmSuppliers>();
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].text,
              "The data in these fields is either missing or invalid: SupplierName, ContactName, State");
    driver().Type(f.txtFields(0), "Fugue & Co");
    driver().Type(f.txtFields(1), "Anna Lind");
    ASSERT_TRUE(forms::testing::Choose(f.cboDBState, "OR"));
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    EXPECT_EQ(Text("SELECT StateOrProvince FROM tblSuppliers WHERE SupplierID=16"), "OR");
    EXPECT_EQ(Text("SELECT SupplierName FROM tblSuppliers WHERE SupplierID=16"), "Fugue & Co");
    EXPECT_TRUE(f.cboDBState.Locked());
}

TEST_F(RecordForms, APurchaseOrderListsItsTransactionsWithSubtotals) {
    Execute("DELETE FROM tblTransactions WHERE PurchaseOrderID=1");
    Execute("INSERT INTO tblTransactions VALUES (101, '10/1/2026', 3, 1, 'four', '12.50', 4, 4, 0, 0)");
    Execute("INSERT INTO tblTransactions VALUES (102, '10/1/2026', 5, 1, 'three', '12.50', 3, 0, 0, 0)");
    frmPO& f = Open<frmPO>();
    EXPECT_EQ(f.txtID.Text(), "1");
    ASSERT_EQ(f.grdTransaction.Rows(), 3);
    EXPECT_EQ(f.grdTransaction.TextMatrix(0, 5), "Subtotal");
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 0), "101");
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 3), "4");
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 4), "12.5");
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 5), "50");
    EXPECT_EQ(f.grdTransaction.TextMatrix(2, 5), "37.5");

    std::string shown;
    driver().OnModal([&](forms::Form& dlg) {
        auto& t = static_cast<frmTransactions&>(dlg);
        shown = t.Caption() + "|" + t.txtID.Text() + "|" + t.cboProduct.Text();
        ASSERT_TRUE(driver().Click(t.cmdClose));
    });
    ASSERT_TRUE(forms::testing::DoubleClickCell(f.grdTransaction, 2, 0));
    EXPECT_EQ(shown, "Product Transactions|102|" + Text("SELECT Composition FROM tblProducts WHERE ProductID=5"));

    // A new order runs no search and keeps the rows it had, emptied.
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    EXPECT_EQ(f.grdTransaction.Rows(), 3);
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 0), "");
    // Saved without a supplier it is refused, naming the supplier last.
    driver().Type(f.txtFields(0), "PO-77");
    for (int i = 2; i <= 5; ++i) driver().Type(f.txtFields(static_cast<std::int16_t>(i)), "10/2/2026");
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].text, "The data in these fields is either missing or invalid: Supplier");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM tblPO WHERE PurchaseOrderNumber='PO-77'"), 0);
}

TEST_F(RecordForms, ProductGridShowsTheFourCounts) {
    frmProducts& f = Open<frmProducts>();
    const long n = Value("SELECT COUNT(*) FROM tblTransactions WHERE ProductID=" + f.txtID.Text());
    ASSERT_GT(n, 0);
    EXPECT_EQ(f.grdTransaction.Rows(), n + 1);
    EXPECT_EQ(f.grdTransaction.TextMatrix(0, 5), "# Shinkage");
    const std::string first = f.grdTransaction.TextMatrix(1, 0);
    EXPECT_EQ(f.grdTransaction.TextMatrix(1, 2),
              std::to_string(Value("SELECT UnitsOrdered FROM tblTransactions WHERE TransactionID=" + first)));
}

TEST_F(RecordForms, ReceivedBeyondOrderedIsRefused) {
    Inventory::gtblTransactions().colFields.Item("ID")->vntValue = "1";
    frmTransactions& t = forms::Default<frmTransactions>();
    std::vector<forms::testing::RecordedMessageBox> boxes;
    bool editing = false;
    std::string received;
    driver().OnModal([&](forms::Form&) {
        EXPECT_EQ(t.txtID.Text(), "1");
        ASSERT_TRUE(driver().Click(t.cmdEdit));
        driver().Type(t.txtFields(3), "\b\b\b\b10");
        driver().Type(t.txtFields(4), "\b\b\b\b12");
        ASSERT_TRUE(driver().Click(t.cmdUpdate));
        boxes = driver().MessageBoxes();
        editing = t.cmdUpdate.Enabled();
        received = t.txtFields(4).Text();
        driver().Type(t.txtFields(4), "\b\b10");
        ASSERT_TRUE(driver().Click(t.cmdUpdate));
        ASSERT_TRUE(driver().Click(t.cmdClose));
    });
    t.Show(forms::vbModal);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The # Received cannot be greater than the # Ordered.");
    EXPECT_TRUE(editing);
    EXPECT_EQ(received, "12");
    EXPECT_EQ(Value("SELECT UnitsReceived FROM tblTransactions WHERE TransactionID=1"), 10);
    EXPECT_EQ(Value("SELECT UnitsOrdered FROM tblTransactions WHERE TransactionID=1"), 10);
}

TEST_F(RecordForms, ATransactionThatIsGoneStartsANewOne) {
    Inventory::gtblTransactions().colFields.Item("ID")->vntValue = "999";
    frmTransactions& t = forms::Default<frmTransactions>();
    std::string id, product;
    driver().OnModal([&](forms::Form&) {
        id = t.txtID.Text();
        product = t.cboProduct.Text();
        ASSERT_TRUE(driver().Click(t.cmdCancel));
        ASSERT_TRUE(driver().Click(t.cmdClose));
    });
    t.Show(forms::vbModal);
    EXPECT_EQ(id, std::to_string(Value("SELECT MAX(TransactionID) FROM tblTransactions") + 1));
    EXPECT_EQ(product, "");
}

TEST_F(RecordForms, ATransactionsFormWithoutItsRecordsetSaysSoAndCloses) {
    Inventory::gdbInventory->Execute("DROP TABLE tblTransactions");
    Inventory::gtblTransactions().colFields.Item("ID")->vntValue = "1";
    forms::Default<frmTransactions>().Show(forms::vbModal);
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmTransactions.Form_Load");
    EXPECT_FALSE(forms::Default<frmTransactions>().IsLoaded());
}

TEST_F(RecordForms, ADuplicateKeyIsReportedAndTheFormKeepsTheInput) {
    frmProducts& f = Open<frmProducts>();
    ASSERT_TRUE(driver().Click(f.cmdAdd));
    const std::string id = f.txtID.Text();
    TypeProduct(f, "Goldberg Variations");
    // Someone else takes the key meanwhile.
    Execute("INSERT INTO tblProducts (ProductID, Composition, Composer, Image, UnitPrice, ReorderLevel) VALUES (" + id +
            ", 'Taken', 'X', 'x.bmp', 1, 1)");
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmProducts.cmdUpdate_Click");
    ExpectEditMode(f, f.txtFields);
    EXPECT_EQ(f.txtFields(0).Text(), "Goldberg Variations");
    EXPECT_EQ(Text("SELECT Composition FROM tblProducts WHERE ProductID=" + id), "Taken");
    // The program goes on: cancelling returns to browsing.
    ASSERT_TRUE(driver().Click(f.cmdCancel));
    ExpectBrowseMode(f, f.txtFields);
    ASSERT_TRUE(driver().Click(f.cmdNext));
}

TEST_F(RecordForms, ASaveOfARecordDeletedMeanwhileIsReported) {
    frmSuppliers& f = Open<frmSuppliers>();
    ASSERT_TRUE(driver().Click(f.cmdEdit));
    driver().Type(f.txtFields(3), "Chicago Heights");
    Execute("DELETE FROM tblSuppliers WHERE SupplierID=1");
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmSuppliers.cmdUpdate_Click");
    ExpectEditMode(f, f.txtFields);
    EXPECT_EQ(f.txtFields(3).Text(), "Chicago Heights");
    EXPECT_EQ(Count("tblSuppliers"), 14);
}

TEST_F(RecordForms, ASaveOverAnotherUsersChangeOfTheSameFieldIsRefusedUntilTheUserLooksAgain) {
    frmSuppliers& f = Open<frmSuppliers>();
    ASSERT_TRUE(driver().Click(f.cmdEdit));
    driver().Type(f.txtFields(0), "Allegro Music Ltd");
    // Another user saves the same field of the same supplier meanwhile.
    auto other = Db().OpenRecordset("select * from [tblSuppliers] Order by [SupplierID]");
    other->Edit();
    other->Fields("SupplierName").SetValue("Allegro Records");
    other->Update();
    driver().ClearMessageBoxes();
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmSuppliers.cmdUpdate_Click");
    EXPECT_NE(driver().MessageBoxes()[0].text.find("another user"), std::string::npos)
        << driver().MessageBoxes()[0].text;
    EXPECT_EQ(Text("SELECT SupplierName FROM tblSuppliers WHERE SupplierID=1"), "Allegro Records");
    ExpectEditMode(f, f.txtFields);
    EXPECT_EQ(f.txtFields(0).Text(), "Allegro Music Ltd");
    // Pressing Update again changes nothing; Cancel shows the other user's
    // value, and an edit begun from it saves.
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    EXPECT_EQ(driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(Text("SELECT SupplierName FROM tblSuppliers WHERE SupplierID=1"), "Allegro Records");
    ASSERT_TRUE(driver().Click(f.cmdCancel));
    ExpectBrowseMode(f, f.txtFields);
    EXPECT_EQ(f.txtFields(0).Text(), "Allegro Records");
    ASSERT_TRUE(driver().Click(f.cmdEdit));
    driver().Type(f.txtFields(0), "Allegro Records Ltd");
    ASSERT_TRUE(driver().Click(f.cmdUpdate));
    EXPECT_EQ(driver().MessageBoxes().size(), 2u);
    ExpectBrowseMode(f, f.txtFields);
    EXPECT_EQ(Text("SELECT SupplierName FROM tblSuppliers WHERE SupplierID=1"), "Allegro Records Ltd");
}

// A form that is no record form: it has no EditRecordMode.
class frmPlain : public forms::Form {
public:
    frmPlain() : Form("frmPlain") {}
    forms::DataControl datStates{this, "datStates"};
};

TEST_F(RecordForms, TheHelpersReachTheFormByNameOnly) {
    frmPlain& f = forms::Default<frmPlain>();
    f.Show();
    f.datStates.Recordset(Inventory::gdbInventory->OpenRecordset("select * from [tblStates] Order by [State]"));
    int error = 0;
    try {
        Inventory::CancelRecord(f, f.datStates);
    } catch (const vb::VBError& e) {
        error = e.number();
    }
    EXPECT_EQ(error, 438);
    // Moving needs no form: Next stays on the last state.
    auto rs = f.datStates.Recordset();
    rs->MoveLast();
    const std::string last = rs->Fields("State").Value().ToString();
    Inventory::MoveNextRecord(f.datStates);
    EXPECT_EQ(rs->Fields("State").Value().ToString(), last);
    EXPECT_FALSE(rs->Eof());
}

class RecordFormsFromMainWindow : public InventoryTest {};

TEST_F(RecordFormsFromMainWindow, TheMainWindowOpensTheRecordFormsAndReportsOneThatCannotLoad) {
    ASSERT_TRUE(RunMain());
    frmMainInventory& main = forms::Default<frmMainInventory>();
    ASSERT_TRUE(driver().Click(main.cmdProducts));
    EXPECT_TRUE(forms::Default<frmProducts>().Visible());
    ASSERT_TRUE(driver().Click(main.cmdSuppliers));
    EXPECT_FALSE(forms::Default<frmProducts>().Visible());
    EXPECT_TRUE(forms::Default<frmSuppliers>().Visible());
    EXPECT_TRUE(driver().MessageBoxes().empty());
    Inventory::gdbInventory->Execute("DROP TABLE tblPO");
    ASSERT_TRUE(driver().Click(main.cmdPO));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmMainInventory.OpenRecordForm");
    EXPECT_FALSE(forms::Default<frmPO>().IsLoaded());
}

}  // namespace
}  // namespace inventory::testing
