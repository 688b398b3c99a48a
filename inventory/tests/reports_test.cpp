// Text reports of the inventory tables, the report options dialog that the
// record forms open, and the check box it uses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <stdlib.h>

#include <QAccessible>
#include <QPlainTextEdit>

#include "acting_on_platform_controls.h"
#include "application.h"
#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "frm_main_inventory.h"
#include "frm_products.h"
#include "frm_report_inventory.h"
#include "frm_suppliers.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "report_file_name.h"
#include "text_viewer.h"

namespace inventory::testing {
namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reports are written to a folder of their own, the current folder, and a
// stand-in for the desktop's text viewer records the files it is asked to
// open.
class Reports : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        OpenDataLayer();
        Inventory::gdbInventory = dao::OpenDatabase(DatabaseFile().string());
        forms::Default<frmMainInventory>().Show();
        reports_ = ProgramFolder() / "reports";
        viewer_ = ProgramFolder() / "viewer";
        fs::create_directories(reports_);
        fs::create_directories(viewer_);
        std::ofstream(viewer_ / "xdg-open") << "#!/bin/sh\necho \"$1\" >> \"" << (viewer_ / "opened").string()
                                            << "\"\n";
        fs::permissions(viewer_ / "xdg-open", fs::perms::owner_all);
        oldPath_ = getenv("PATH") ? getenv("PATH") : "";
        setenv("PATH", (viewer_.string() + ":" + oldPath_).c_str(), 1);
        oldDir_ = fs::current_path();
        fs::current_path(reports_);
    }
    void TearDown() override {
        fs::current_path(oldDir_);
        setenv("PATH", oldPath_.c_str(), 1);
        if (Inventory::gdbInventory) Inventory::gdbInventory->Close();
        Inventory::gdbInventory.reset();
        InventoryTest::TearDown();
    }
    std::string Report(const std::string& name) { return FileText(reports_ / name); }
    // The files the viewer was asked to open, one a line; waits for the
    // viewer, which runs detached, to have written them.
    std::string Opened(std::size_t lines) {
        std::string text;
        for (int i = 0; i < 2000; ++i) {
            text = FileText(viewer_ / "opened");
            if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) break;
            driver().ProcessEvents(5);
        }
        return text;
    }

    fs::path reports_, viewer_, oldDir_;
    std::string oldPath_;
};

TEST_F(Reports, LabelledReportsTakeTheFirstFreeNameAndCountTheirRows) {
    CTable& suppliers = Inventory::gtblSuppliers();
    EXPECT_EQ(suppliers.Report(false, false).ToString(), "tblSuppliers1.txt");
    EXPECT_EQ(suppliers.Report(false, false).ToString(), "tblSuppliers2.txt");
    fs::remove(reports_ / "tblSuppliers1.txt");
    EXPECT_EQ(Inventory::NextReportFileName("tblSuppliers"), "tblSuppliers1.txt");

    const std::string text = Report("tblSuppliers2.txt");
    EXPECT_EQ(text.rfind("tblSuppliers Information\r\nID: \t1\r\nSupplier Name: \tAllegro Music Distributors\r\n", 0),
              0u);
    EXPECT_NE(text.find("\r\nZip Code: \t60607\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 29), "Total Number of Records: 15\r\n");
    EXPECT_TRUE(Opened(0).empty());

    suppliers.sSortOrder = "DESC";
    const std::string descending = Report(suppliers.Report(false, false).ToString());
    EXPECT_EQ(descending.rfind("tblSuppliers Information\r\nID: \t15\r\n", 0), 0u);
}

TEST_F(Reports, DelimitedReportsQuoteTextUnchangedAndLeaveNullsEmpty) {
    Execute("DELETE FROM tblSuppliers WHERE SupplierID > 2");
    Execute("UPDATE tblSuppliers SET SupplierName='The \"Best\" Records', FaxNumber=NULL WHERE SupplierID=2");
    CTable& suppliers = Inventory::gtblSuppliers();
    const std::string text = Report(suppliers.Report(false, true).ToString());
    EXPECT_NE(text.find("\r\n2,\"The \"Best\" Records\",\"Peter Novak\",\"Account Representative\",\"45 Industrial "
                        "Parkway\",\"Newark\",\"07102\",\"NJ\",\"(973) 555-0120\",\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Total Number of Records: 2\r\n"), std::string::npos);

    const std::string labelled = Report(suppliers.Report(false, false).ToString());
    EXPECT_NE(labelled.find("\r\nFax:\r\n"), std::string::npos);

    // Numbers and dates in their text form, without quotes.
    const std::string orders = Report(Inventory::gtblPO().Report(false, true).ToString());
    EXPECT_NE(orders.find("\r\n1,\"PO-1001\",\"Autumn restock of symphonies\",1,9/1/2026,9/15/2026,9/12/2026,"
                          "9/10/2026\r\n"),
              std::string::npos)
        << orders;
}

TEST_F(Reports, AWrittenReportLetsGoOfItsRows) {
    // Enough rows to fill several of the recordset's chunks; each row's
    // lines in field order, the rows in key order.
    Execute("WITH RECURSIVE n(k) AS (SELECT 100 UNION ALL SELECT k + 1 FROM n WHERE k < 5099) "
            "INSERT INTO tblSuppliers (SupplierID, SupplierName, City) SELECT k, 'Supplier ' || k, NULL FROM n");
    CTable& suppliers = Inventory::gtblSuppliers();
    const std::string text = Report(suppliers.Report(false, false).ToString());
    EXPECT_EQ(suppliers.rst, nullptr);
    EXPECT_NE(text.find("\r\nID: \t5099\r\nSupplier Name: \tSupplier 5099\r\n"), std::string::npos);
    EXPECT_LT(text.find("\r\nID: \t4000\r\n"), text.find("\r\nID: \t4001\r\n"));
    EXPECT_NE(text.find("\r\nSupplier Name: \tSupplier 4096\r\nContact Name:\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 31), "Total Number of Records: 5015\r\n");
    // Every line whole, however the lines were handed to the file: a title,
    // ten per supplier, a total.
    auto count = [](const std::string& in, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = in.find(what); at != std::string::npos; at = in.find(what, at + what.size())) ++n;
        return n;
    };
    EXPECT_EQ(count(text, "\r\n"), 1u + 5015u * 10u + 1u);
    EXPECT_EQ(count(text, "\r\nID: \t"), 5015u);
    EXPECT_EQ(count(text, "\r\n\r\n"), 0u);

    const std::string delimited = Report(suppliers.Report(false, true).ToString());
    EXPECT_EQ(suppliers.rst, nullptr);
    EXPECT_NE(delimited.find("\r\n5099,\"Supplier 5099\",,,,,,,,\r\n"), std::string::npos);
    EXPECT_EQ(count(delimited, "\r\n"), 1u + 5015u + 1u);
    EXPECT_EQ(count(delimited, "\r\n\r\n"), 0u);
    // A fetch that is no report keeps its recordset.
    EXPECT_TRUE(suppliers.find("SupplierID", vb::Variant(4096), false));
    EXPECT_NE(suppliers.rst, nullptr);
}

TEST_F(Reports, OneRowOrNoneHasNoTotalLine) {
    Execute("DELETE FROM tblSuppliers WHERE SupplierID > 1");
    const std::string one = Report(Inventory::gtblSuppliers().Report(false, true).ToString());
    EXPECT_EQ(one.find("Total"), std::string::npos);
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 2);
    Execute("DELETE FROM tblSuppliers");
    EXPECT_EQ(Report(Inventory::gtblSuppliers().Report(false, false).ToString()), "tblSuppliers Information\r\n");
}

TEST_F(Reports, AReportThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    // A folder under the first free name: the file cannot be created.
    fs::create_directories(reports_ / "tblSuppliers1.txt");
    std::string source;
    const int error = [&] {
        try {
            Inventory::gtblSuppliers().Report(false, false);
        } catch (const vb::VBError& e) {
            source = e.source();
            return e.number();
        }
        return 0;
    }();
    EXPECT_NE(error, 0);
    EXPECT_EQ(source, "CTable:Report Method");

    frmSuppliers& f = forms::Default<frmSuppliers>();
    f.Show();
    driver().OnModal([&](forms::Form& dlg) {
        ASSERT_TRUE(driver().Click(static_cast<frmReportInventory&>(dlg).cmdOK));
    });
    ASSERT_TRUE(driver().Click(*f.cmdReport));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(driver().MessageBoxes()[0].title, "Unexpected error in frmReportInventory.cmdOK_Click");
    EXPECT_FALSE(forms::Default<frmReportInventory>().IsLoaded());
    // The file number was given back: the next report is written.
    fs::remove(reports_ / "tblSuppliers1.txt");
    EXPECT_EQ(Inventory::gtblSuppliers().Report(false, false).ToString(), "tblSuppliers1.txt");
    EXPECT_TRUE(Opened(0).empty());
}

TEST_F(Reports, TheDialogSortsAsChosenAndOpensTheReport) {
    frmSuppliers& f = forms::Default<frmSuppliers>();
    f.Show();
    std::string caption, delimitedAtLoad;
    driver().OnModal([&](forms::Form& dlg) {
        auto& d = static_cast<frmReportInventory&>(dlg);
        caption = d.Caption();
        delimitedAtLoad = std::to_string(d.chkOrder.Value()) + std::to_string(d.chkDelimited.Value());
        EXPECT_EQ(d.optSort(1).Caption(), "City");
        EXPECT_EQ(d.optSort(2).Tag(), "StateOrProvince");
        ASSERT_TRUE(driver().Click(d.optSort(1)));
        EXPECT_TRUE(d.optSort(1).Value());
        ASSERT_TRUE(driver().ClickControl(d.chkOrder.lblCheckBox));  // descending
        EXPECT_EQ(d.chkOrder.Value(), 0);
        ASSERT_TRUE(driver().Click(d.cmdOK));
    });
    ASSERT_TRUE(driver().Click(*f.cmdReport));
    EXPECT_EQ(caption, "Create Supplier Report");
    EXPECT_EQ(delimitedAtLoad, "10");
    EXPECT_EQ(Inventory::gtblSuppliers().sOrderBy, "City");
    EXPECT_EQ(Inventory::gtblSuppliers().sSortOrder, "DESC");
    EXPECT_EQ(Opened(1), (reports_ / "tblSuppliers1.txt").string() + "\n");
    const std::string text = Report("tblSuppliers1.txt");
    EXPECT_LT(text.find("Seattle"), text.find("Chicago")) << text;

    // Cancel changes nothing and writes nothing.
    driver().OnModal([&](forms::Form& dlg) {
        auto& d = static_cast<frmReportInventory&>(dlg);
        ASSERT_TRUE(driver().Click(d.optSort(0)));
        ASSERT_TRUE(driver().Click(d.cmdCancel));
    });
    ASSERT_TRUE(driver().Click(*f.cmdReport));
    EXPECT_EQ(Inventory::gtblSuppliers().sOrderBy, "City");
    EXPECT_FALSE(fs::exists(reports_ / "tblSuppliers2.txt"));
}

TEST_F(Reports, TheThirdChoiceDelimitedWritesTheReport) {
    frmProducts& f = forms::Default<frmProducts>();
    f.Show();
    driver().OnModal([&](forms::Form& dlg) {
        auto& d = static_cast<frmReportInventory&>(dlg);
        EXPECT_EQ(d.Caption(), "Create Inventory Report");
        ASSERT_TRUE(driver().Click(d.optSort(2)));
        ASSERT_TRUE(driver().ClickControl(d.chkDelimited.imgUncheck));
        ASSERT_TRUE(driver().Click(d.cmdOK));
    });
    ASSERT_TRUE(driver().Click(*f.cmdReport));
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Inventory::gtblProducts().sOrderBy, "Conductor");
    EXPECT_EQ(Inventory::gtblProducts().sSortOrder, "ASC");
    const std::string text = Report("tblProducts1.txt");
    EXPECT_EQ(text.rfind("tblProducts Information\r\n", 0), 0u);
    EXPECT_NE(text.find("Total Number of Records: 16\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Composition:"), std::string::npos);  // comma-separated
}

TEST_F(Reports, WithoutADesktopViewerTheReportOpensInTheProgramsOwn) {
    setenv("PATH", (ProgramFolder() / "reports").c_str(), 1);  // no viewer here
    frmSuppliers& f = forms::Default<frmSuppliers>();
    f.Show();
    driver().OnModal([&](forms::Form& dlg) { ASSERT_TRUE(driver().Click(static_cast<frmReportInventory&>(dlg).cmdOK)); });
    ASSERT_TRUE(driver().Click(*f.cmdReport));
    EXPECT_TRUE(driver().MessageBoxes().empty());
    const std::vector<QWidget*> viewers = forms::TextViewerWindows();
    ASSERT_EQ(viewers.size(), 1u);
    EXPECT_EQ(viewers.front()->windowTitle(), "tblSuppliers1.txt");
    auto* text = viewers.front()->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().startsWith("tblSuppliers Information\nID: \t1\n"));
    delete viewers.front();
    EXPECT_TRUE(Opened(0).empty());
}

// A form hosting two check boxes, as the report dialog does.
class frmChecks : public forms::Form {
public:
    frmChecks() : Form("frmChecks") {
        chkOne.Caption("Sort in Ascending Order");
        chkOne.Click = [this] { ++clicks; };
    }
    int clicks = 0;
    InvChkBox chkOne{this, "chkOne", 120, 120, 2895, 375};
    InvChkBox chkTwo{this, "chkTwo", 120, 600, 2775, 255};
};

TEST_F(Reports, TheCheckBoxTogglesOnLeftClicksOnly) {
    frmChecks& f = forms::Default<frmChecks>();
    f.Show();
    EXPECT_EQ(f.chkOne.Value(), 1);
    EXPECT_EQ(f.chkOne.WindowClass(), std::string("ThunderRT6UserControlDC"));
    ASSERT_TRUE(driver().ClickControl(f.chkOne.imgCheck));
    EXPECT_EQ(f.chkOne.Value(), 0);
    EXPECT_FALSE(f.chkOne.imgCheck.Visible());
    ASSERT_TRUE(driver().ClickControl(f.chkOne.lblCheckBox));
    EXPECT_EQ(f.chkOne.Value(), 1);
    EXPECT_EQ(f.clicks, 2);
    ASSERT_TRUE(forms::testing::RightClick(f.chkOne.lblCheckBox));
    ASSERT_TRUE(forms::testing::MiddleClick(f.chkOne.imgCheck));
    EXPECT_EQ(f.chkOne.Value(), 1);
    EXPECT_EQ(f.clicks, 4);

    // From code: only 1 checks, and no Click.
    f.chkOne.Value(2);
    EXPECT_EQ(f.chkOne.Value(), 0);
    f.chkOne.SetMember("Value", vb::Variant(std::int16_t{1}));
    EXPECT_EQ(f.chkOne.GetMember("value").ToInteger(), 1);
    f.chkOne.Value(-1);
    EXPECT_EQ(f.chkOne.Value(), 0);
    EXPECT_EQ(f.clicks, 4);
    EXPECT_EQ(f.chkOne.ChangedProperties().back(), "Value");

    // The caption is kept with the form, the value is not.
    EXPECT_EQ(f.chkTwo.Caption(), "CheckBox Label");
    EXPECT_FALSE(f.chkTwo.Bag().Contains("Caption"));
    f.chkOne.Caption("Changed");
    forms::Unload(f);
    EXPECT_EQ(f.chkOne.Caption(), "Sort in Ascending Order");
    EXPECT_EQ(f.chkOne.Value(), 1);
}

TEST_F(Reports, ToolsSeeTheCheckBoxAndToggleIt) {
    QAccessible::setActive(true);
    frmChecks& f = forms::Default<frmChecks>();
    f.Show();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(f.chkOne.Widget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_EQ(box->text(QAccessible::Name).toStdString(), "Sort in Ascending Order");
    EXPECT_EQ(box->text(QAccessible::Description).toStdString(), "chkOne");
    EXPECT_TRUE(box->state().checkable);
    EXPECT_TRUE(box->state().checked);
    EXPECT_EQ(box->childCount(), 0);  // the pictures and label are its own
    ASSERT_NE(box->actionInterface(), nullptr);
    EXPECT_TRUE(box->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    // The tool's toggle is a left click: the value turns and Click is raised.
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(f.chkOne.Value(), 1);  // the tool gets its answer first
    driver().ProcessEvents(5);
    EXPECT_EQ(f.chkOne.Value(), 0);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_FALSE(box->state().checked);
    box->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    driver().ProcessEvents(5);
    EXPECT_TRUE(box->state().checked);
    EXPECT_EQ(f.clicks, 2);
    f.chkOne.Value(0);  // from code
    EXPECT_FALSE(box->state().checked);

    // In the report dialog, the two options by their names.
    forms::Unload(f);
    frmSuppliers& suppliers = forms::Default<frmSuppliers>();
    suppliers.Show();
    std::string order, delimited;
    driver().OnModal([&](forms::Form& dlg) {
        auto& d = static_cast<frmReportInventory&>(dlg);
        QAccessibleInterface* o = QAccessible::queryAccessibleInterface(d.chkOrder.Widget());
        QAccessibleInterface* c = QAccessible::queryAccessibleInterface(d.chkDelimited.Widget());
        order = o->text(QAccessible::Name).toStdString() + (o->state().checked ? " [x]" : " [ ]");
        delimited = c->text(QAccessible::Name).toStdString() + (c->state().checked ? " [x]" : " [ ]");
        ASSERT_TRUE(driver().Click(d.cmdCancel));
    });
    ASSERT_TRUE(driver().Click(*suppliers.cmdReport));
    EXPECT_EQ(order, forms::Default<frmReportInventory>().chkOrder.Caption() + " [x]");
    EXPECT_EQ(delimited, forms::Default<frmReportInventory>().chkDelimited.Caption() + " [ ]");
    QAccessible::setActive(false);
}

}  // namespace
}  // namespace inventory::testing
