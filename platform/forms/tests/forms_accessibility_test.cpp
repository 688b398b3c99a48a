// What an outside testing tool reads through the accessibility interfaces:
// forms as frames (dialogs when modal with a fixed border) named by their
// captions, menu items and controls by their names, the status bar and its
// panels, the grids' column headers, pictures as images, tab controls and
// their pages, the tree without a header to read, message boxes by their
// titles and texts.
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "datacontrol_widget.h"
#include "dbgrid.h"
#include "flexgrid.h"
#include "statusbar.h"
#include "test_forms.h"

using forms::Default;

namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

std::string Name(QAccessibleInterface* i) { return i ? i->text(QAccessible::Name).toStdString() : "<none>"; }
std::string Description(QAccessibleInterface* i) {
    return i ? i->text(QAccessible::Description).toStdString() : "<none>";
}

// Looks for the interface with this description below `root`, as a tool
// walks the tree from a window.
QAccessibleInterface* Find(QAccessibleInterface* root, const std::string& description, int depth = 0) {
    if (!root || depth > 12) return nullptr;
    if (Description(root) == description) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), description, depth + 1)) return found;
    }
    return nullptr;
}

std::vector<std::string> ChildNames(QAccessibleInterface* i) {
    std::vector<std::string> out;
    for (int c = 0; c < i->childCount(); ++c) out.push_back(Name(i->child(c)));
    return out;
}

// Runs with accessibility active, as when a tool listens: Qt then announces
// widgets (and makes interfaces for them) while they are being built.
class FormsAccessibility : public ::testing::Test {
protected:
    FormsAccessibility() { QAccessible::setActive(true); }
    ~FormsAccessibility() override { QAccessible::setActive(false); }
    forms::testing::Driver driver;
};

class frmMain : public forms::Form {
public:
    frmMain() : Form("frmMain") {
        Caption("Orvanta Online");
        ClientSize(9000, 6000);
        mnuRecent(1).Caption("&1 Bach && Sons");
    }
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuLogin{&mnuFile, "mnuLogin", "&Login As New User..."};
    forms::Menu mnuBreak1{&mnuFile, "mnuBreak1", "-"};
    forms::ControlArray<forms::Menu> mnuRecent{&mnuFile, "mnuRecent", forms::Element(1, "")};
    forms::Menu mnuFileClose{&mnuFile, "mnuFileClose", "E&xit"};
    forms::Menu mnuHelp{this, "mnuHelp", "&Help"};
    forms::Menu mnuHelpAbout{&mnuHelp, "mnuHelpAbout", "&About Orvanta..."};
    forms::PictureBox pictSplash{this, "pictSplash", 120, 120, 1200, 1200};
    forms::Image pictAlbumImage{this, "pictAlbumImage", 1500, 120, 1200, 1200};
    forms::CommandButton cmdOrder{this, "cmdOrder", "&Place Order", 3000, 120, 1400, 375};
    forms::StatusBar statusMain{this, "statusMain", forms::sbrSimple, "Click on an event for more information!"};
};

// A fixed dialog border, as the login and order forms have.
class frmLogin : public forms::Form {
public:
    frmLogin() : Form("frmLogin") {
        Caption("Orvanta Login");
        BorderStyle(3);
        ClientSize(4000, 2000);
    }
    forms::TextBox txtUserName{this, "txtUserName", 1200, 120, 2000, 285};
};

// A sizable form, shown modally all the same.
class frmNotes : public forms::Form {
public:
    frmNotes() : Form("frmNotes") { Caption("Notes"); }
};

class frmInventory : public forms::MDIForm {
public:
    frmInventory() : MDIForm("frmInventory") { Caption("Orvanta Inventory Management"); }
};

class frmSuppliers : public forms::Form {
public:
    frmSuppliers() : Form("frmSuppliers") {
        Caption("Suppliers");
        MDIChild(true);
    }
};

TEST_F(FormsAccessibility, AFormIsAFrameNamedByItsCaption) {
    frmMain& f = Default<frmMain>();
    f.Show();
    QAccessibleInterface* window = Of(f.Window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(Name(window), "Orvanta Online");
    EXPECT_EQ(Description(window), "frmMain");
    f.Caption("Orvanta Online - Bach");
    EXPECT_EQ(Name(window), "Orvanta Online - Bach");

    // Controls below it are found by their names and keep their texts.
    QAccessibleInterface* button = Find(window, "cmdOrder");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(Name(button), "Place Order");

    // A multiple-document parent is a frame; a child is a frame inside it.
    frmInventory& main = Default<frmInventory>();
    frmSuppliers& child = Default<frmSuppliers>();
    child.Show();
    QAccessibleInterface* parent = Of(main.Window());
    EXPECT_EQ(parent->role(), QAccessible::Window);
    EXPECT_EQ(Name(parent), "Orvanta Inventory Management");
    QAccessibleInterface* sub = Find(parent, "frmSuppliers");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->role(), QAccessible::Window);
    EXPECT_EQ(Name(sub), "Suppliers");
    forms::Unload(main);
    forms::Unload(f);
}

TEST_F(FormsAccessibility, AModalFormWithAFixedBorderIsADialog) {
    frmLogin& login = Default<frmLogin>();
    QAccessible::Role shownModally = QAccessible::NoRole;
    bool modalState = false;
    std::string name;
    driver.OnModal([&](forms::Form& dlg) {
        QAccessibleInterface* i = Of(dlg.Window());
        shownModally = i->role();
        modalState = i->state().modal;
        name = Name(i);
        forms::Unload(dlg);
    });
    login.Show(forms::vbModal);
    EXPECT_EQ(shownModally, QAccessible::Dialog);
    EXPECT_TRUE(modalState);
    EXPECT_EQ(name, "Orvanta Login");

    // The same form shown modeless is a frame.
    login.Show();
    EXPECT_EQ(Of(login.Window())->role(), QAccessible::Window);
    EXPECT_FALSE(Of(login.Window())->state().modal);
    forms::Unload(login);

    // A sizable form stays a frame when shown modally.
    driver.OnModal([&](forms::Form& dlg) {
        shownModally = Of(dlg.Window())->role();
        forms::Unload(dlg);
    });
    Default<frmNotes>().Show(forms::vbModal);
    EXPECT_EQ(shownModally, QAccessible::Window);
}

TEST_F(FormsAccessibility, MenuItemsCarryTheirControlNames) {
    frmMain& f = Default<frmMain>();
    f.Show();
    QAccessibleInterface* window = Of(f.Window());

    QAccessibleInterface* file = Find(window, "mnuFile");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->role(), QAccessible::MenuItem);
    EXPECT_EQ(Name(file), "File");
    EXPECT_EQ(file->parent()->role(), QAccessible::MenuBar);
    EXPECT_TRUE(file->state().hasPopup);
    ASSERT_EQ(file->childCount(), 1);
    QAccessibleInterface* popup = file->child(0);
    EXPECT_EQ(popup->role(), QAccessible::PopupMenu);
    EXPECT_EQ(ChildNames(popup), (std::vector<std::string>{"Login As New User...", "", "1 Bach & Sons", "Exit"}));

    QAccessibleInterface* exit = Find(window, "mnuFileClose");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(Name(exit), "Exit");
    EXPECT_EQ(exit->parent()->object(), popup->object());
    EXPECT_EQ(popup->indexOfChild(exit), 3);
    EXPECT_EQ(exit->text(QAccessible::Accelerator).toStdString(), "Alt+X");
    EXPECT_EQ(Description(Find(window, "mnuRecent(1)")), "mnuRecent(1)");
    QAccessibleInterface* separator = Find(window, "mnuBreak1");
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(separator->role(), QAccessible::Separator);

    // A caption or state set by the program shows at once.
    f.mnuLogin.Enabled(false);
    f.mnuLogin.Caption("&Log Out");
    QAccessibleInterface* login = Find(window, "mnuLogin");
    EXPECT_EQ(Name(login), "Log Out");
    EXPECT_TRUE(login->state().disabled);

    // The tool chooses an item through its action, as a user would.
    bool chosen = false;
    f.mnuHelpAbout.Click = [&] { chosen = true; };
    QAccessibleInterface* about = Find(window, "mnuHelpAbout");
    ASSERT_NE(about, nullptr);
    ASSERT_NE(about->actionInterface(), nullptr);
    about->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(chosen);  // the tool gets its answer first
    QCoreApplication::processEvents();
    EXPECT_TRUE(chosen);
    forms::Unload(f);
}

TEST_F(FormsAccessibility, TheStatusBarShowsItsTextAndItsPanels) {
    frmMain& f = Default<frmMain>();
    f.Show();
    QAccessibleInterface* bar = Find(Of(f.Window()), "statusMain");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::StatusBar);
    EXPECT_EQ(Name(bar), "Click on an event for more information!");
    ASSERT_EQ(bar->childCount(), 1);
    EXPECT_EQ(Name(bar->child(0)), "Click on an event for more information!");
    EXPECT_EQ(Description(bar->child(0)), "statusMain.SimpleText");
    f.statusMain.SimpleText("Data Retrieved");
    EXPECT_EQ(Name(bar), "Data Retrieved");

    // In the normal style the children are the panels, each named by its text.
    f.statusMain.Style(forms::sbrNormal);
    f.statusMain.Panels()(vb::Variant(1)).Text("Product Selected is:");
    f.statusMain.Panels().Add(0, "product", "Goldberg Variations");
    EXPECT_EQ(ChildNames(bar), (std::vector<std::string>{"Product Selected is:", "Goldberg Variations"}));
    QAccessibleInterface* second = Find(bar, "statusMain.Panels(2)");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Name(second), "Goldberg Variations");
    EXPECT_EQ(bar->indexOfChild(second), 1);
    EXPECT_EQ(Name(bar), "Product Selected is: | Goldberg Variations");
    forms::Unload(f);
}

TEST_F(FormsAccessibility, PictureBoxesAndImagesAreImages) {
    frmMain& f = Default<frmMain>();
    f.Show();
    QAccessibleInterface* window = Of(f.Window());
    for (const char* name : {"pictSplash", "pictAlbumImage"}) {
        QAccessibleInterface* picture = Find(window, name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->role(), QAccessible::Graphic) << name;
    }
    // Loaded again, the form's new widgets get the same roles.
    forms::Unload(f);
    f.Show();
    EXPECT_EQ(Find(Of(f.Window()), "pictSplash")->role(), QAccessible::Graphic);
    EXPECT_EQ(Of(f.Window())->role(), QAccessible::Window);
    forms::Unload(f);
}

// ---- grids ----

class frmExisting : public forms::Form {
public:
    frmExisting() : Form("frmExisting") {
        Caption("Existing Orders");
        ClientSize(9000, 4000);
        FlexigridOrders.Rows(3);
        FlexigridOrders.Cols(3);
        FlexigridOrders.FixedCols(0);
        const char* cells[3][3] = {{"ORDERID", "PRODID", "QUANTITY"}, {"7", "12", "1"}, {"8", "3", "2"}};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) FlexigridOrders.TextMatrix(r, c, cells[r][c]);
        }
    }
    forms::FlexGrid FlexigridOrders{this, "FlexigridOrders", 120, 480, 8655, 3015};
};

QAccessibleTableInterface* TableOf(QAccessibleInterface* i) { return i ? i->tableInterface() : nullptr; }

std::vector<std::string> ColumnHeaders(QAccessibleTableInterface* t) {
    std::vector<std::string> out;
    for (int c = 0; c < t->columnCount(); ++c) {
        QAccessibleInterface* cell = t->cellAt(0, c);
        const QList<QAccessibleInterface*> headers = cell ? cell->tableCellInterface()->columnHeaderCells() : QList<QAccessibleInterface*>();
        // Qt's own table cells make new header cells that nothing owns: the
        // accessibility cache takes them, as it holds every other interface.
        for (QAccessibleInterface* h : headers) QAccessible::uniqueId(h);
        out.push_back(headers.size() == 1 ? Name(headers[0]) : "<no header>");
    }
    return out;
}

TEST_F(FormsAccessibility, TheFlexGridsFixedRowIsItsColumnHeaders) {
    frmExisting& f = Default<frmExisting>();
    f.Show();
    QAccessibleInterface* grid = Find(Of(f.Window()), "FlexigridOrders");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = TableOf(grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2);  // the header row is not a row of cells
    EXPECT_EQ(table->columnCount(), 3);
    EXPECT_EQ(ColumnHeaders(table), (std::vector<std::string>{"ORDERID", "PRODID", "QUANTITY"}));
    EXPECT_EQ(table->columnDescription(1).toStdString(), "PRODID");

    QAccessibleInterface* cell = table->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(Name(cell), "2");
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 1);
    EXPECT_EQ(cell->tableCellInterface()->columnIndex(), 2);
    EXPECT_EQ(cell->parent(), grid);
    EXPECT_EQ(table->cellAt(2, 0), nullptr);

    // Children: the header cells, then the cells row by row.
    EXPECT_EQ(grid->childCount(), 3 + 2 * 3);
    EXPECT_EQ(grid->child(0)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(Name(grid->child(0)), "ORDERID");
    EXPECT_EQ(grid->child(3 + 1 * 3 + 2), cell);
    EXPECT_EQ(grid->indexOfChild(cell), 3 + 1 * 3 + 2);
    EXPECT_EQ(grid->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);

    // The selection is the block from the current cell to RowSel, ColSel.
    f.FlexigridOrders.Row(1);
    f.FlexigridOrders.Col(0);
    f.FlexigridOrders.ColSel(2);
    EXPECT_EQ(table->selectedRows(), QList<int>{0});
    EXPECT_TRUE(table->cellAt(0, 1)->tableCellInterface()->isSelected());
    EXPECT_FALSE(table->cellAt(1, 1)->tableCellInterface()->isSelected());

    // The cells follow what the program writes, rows added included; a cell
    // a tool holds stays the same while only texts change.
    QAccessibleInterface* first = table->cellAt(0, 0);
    f.FlexigridOrders.TextMatrix(1, 0, "70");
    EXPECT_EQ(table->cellAt(0, 0), first);
    EXPECT_EQ(Name(first), "70");
    f.FlexigridOrders.TextMatrix(0, 2, "QTY");
    f.FlexigridOrders.AddItem("9\t5\t4");
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(Name(table->cellAt(2, 2)), "4");
    EXPECT_EQ(ColumnHeaders(table).back(), "QTY");

    // Without fixed rows there are no headers.
    f.FlexigridOrders.FixedRows(0);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(Name(table->cellAt(0, 0)), "ORDERID");
    EXPECT_EQ(ColumnHeaders(table).front(), "<no header>");
    forms::Unload(f);
}

// A database file in a folder of its own, removed at the end of the test.
class TempDatabase {
public:
    explicit TempDatabase(const char* sql) {
        std::string pattern = (std::filesystem::temp_directory_path() / "a11y-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        path_ = (dir_ / "orvanta.mdb").string();
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
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

class frmAdmin : public forms::Form {
public:
    frmAdmin() : Form("frmAdmin") {
        Caption("Orvanta Online Administration");
        ClientSize(9000, 8000);
        dbgridAdmin.DataSource(&dataAdmin);
        dbgridAdmin.Caption("Orvanta Online");
        FlexigridCustomers.DataSource(&dataAdmin);
    }
    forms::DBGrid dbgridAdmin{this, "dbgridAdmin", 120, 120, 8295, 3615};
    forms::DataControl dataAdmin{this, "dataAdmin", "", 120, 3840, 2775, 375};
    forms::FlexGrid FlexigridCustomers{this, "FlexigridCustomers", 120, 4320, 8295, 3000};
};

TEST_F(FormsAccessibility, GridsOverARecordsetHeadTheirColumnsWithTheFieldNames) {
    TempDatabase db(R"(CREATE TABLE CUSTOMERS (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(50), CITY TEXT(50));
                       INSERT INTO CUSTOMERS VALUES (4, 'admin', 'Boston'), (7, 'Ada Byron', 'London');)");
    frmAdmin& f = Default<frmAdmin>();
    f.Show();
    f.dataAdmin.DatabaseName(db.path());
    f.dataAdmin.RecordSource("SELECT * FROM CUSTOMERS");
    f.dataAdmin.Refresh();
    QAccessibleInterface* window = Of(f.Window());

    // The flexible grid puts the field names in its fixed row, from column 1 on.
    QAccessibleTableInterface* flex = TableOf(Find(window, "FlexigridCustomers"));
    ASSERT_NE(flex, nullptr);
    EXPECT_EQ(flex->rowCount(), 2);
    EXPECT_EQ(ColumnHeaders(flex), (std::vector<std::string>{"", "CUSTID", "NAME", "CITY"}));
    EXPECT_EQ(Name(flex->cellAt(1, 2)), "Ada Byron");

    // The data-bound grid: a panel named like the control around its table.
    QAccessibleInterface* box = Find(window, "dbgridAdmin");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->role(), QAccessible::Border);  // tools take a "frame" for a window
    QAccessibleTableInterface* table = nullptr;
    for (int i = 0; i < box->childCount() && !table; ++i) table = TableOf(box->child(i));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(ColumnHeaders(table), (std::vector<std::string>{"CUSTID", "NAME", "CITY"}));
    EXPECT_EQ(Name(table->cellAt(1, 1)), "Ada Byron");
    EXPECT_NE(Find(window, "dataAdmin")->role(), QAccessible::Border);
    forms::Unload(f);
}

class frmTabs : public forms::Form {
public:
    frmTabs() : Form("frmTabs") {
        Caption("Samples");
        ClientSize(9000, 6000);
        tabSamples.Place(lblGrid, 1);
        trvProducts.Nodes().Add(vb::Variant(), forms::tvwLast, "R", "Star Distributing Co.");
        trvProducts.Nodes().Add("R", forms::tvwChild, "W", "Widget Division");
    }
    forms::SSTab tabSamples{this, "tabSamples", {"Win32 and Common Controls", "Data Grid and ActiveX"}, 120, 120, 5000, 4000};
    forms::TreeView trvProducts{&tabSamples, "trvProducts", 240, 600, 3000, 3000};
    forms::Label lblGrid{&tabSamples, "lblGrid", "FlexGrid Control", 240, 600, 3000, 255};
    forms::TabStrip tabOrders{this, "tabOrders", {"Orders", "Customers"}, 5400, 120, 3400, 2000};
};

TEST_F(FormsAccessibility, TabControlsArePanelsOfTheirTabsAndNamedPages) {
    frmTabs& f = Default<frmTabs>();
    f.Show();
    QAccessibleInterface* window = Of(f.Window());

    // The tabbed dialog: its tabs and a page per tab, named by the tab and
    // holding the controls on it; the border it draws is no child of its own.
    QAccessibleInterface* dialog = Find(window, "tabSamples");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->role(), QAccessible::Grouping);
    std::vector<QAccessible::Role> roles;
    for (int i = 0; i < dialog->childCount(); ++i) roles.push_back(dialog->child(i)->role());
    EXPECT_EQ(std::count(roles.begin(), roles.end(), QAccessible::PageTabList), 1);
    EXPECT_EQ(std::count(roles.begin(), roles.end(), QAccessible::Grouping), 2);
    EXPECT_EQ(std::count(roles.begin(), roles.end(), QAccessible::Border), 0);
    EXPECT_EQ(std::count(roles.begin(), roles.end(), QAccessible::Client), 0);
    QAccessibleInterface* tree = Find(dialog, "trvProducts");
    ASSERT_NE(tree, nullptr);
    QAccessibleInterface* first = tree->parent();
    EXPECT_EQ(Name(first), "Win32 and Common Controls");
    EXPECT_EQ(first->parent(), dialog);
    EXPECT_GE(dialog->indexOfChild(first), 0);
    QAccessibleInterface* second = Find(dialog, "lblGrid")->parent();
    EXPECT_EQ(Name(second), "Data Grid and ActiveX");
    EXPECT_TRUE(second->state().invisible);
    f.tabSamples.Tab(1);
    EXPECT_FALSE(second->state().invisible);
    EXPECT_TRUE(first->state().invisible);

    // The tab strip: the same, its pages named by their tabs.
    QAccessibleInterface* strip = Find(window, "tabOrders");
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->role(), QAccessible::Grouping);
    std::vector<std::string> pages;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* i, int depth) {
        for (int c = 0; c < i->childCount() && depth < 3; ++c) {
            QAccessibleInterface* child = i->child(c);
            EXPECT_NE(child->role(), QAccessible::Client) << Name(child);
            if (child->role() == QAccessible::Grouping) pages.push_back(Name(child));
            walk(child, depth + 1);
        }
    };
    walk(strip, 0);
    EXPECT_EQ(pages, (std::vector<std::string>{"Orders", "Customers"}));
    f.tabOrders.Tabs()(vb::Variant(2)).Caption("Suppliers");
    pages.clear();
    walk(strip, 0);
    EXPECT_EQ(pages, (std::vector<std::string>{"Orders", "Suppliers"}));
    forms::Unload(f);
}

TEST_F(FormsAccessibility, TheTreesHiddenHeaderHasNothingToRead) {
    frmTabs& f = Default<frmTabs>();
    f.Show();
    QAccessibleInterface* tree = Find(Of(f.Window()), "trvProducts");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    std::vector<std::string> items;
    for (int i = 0; i < tree->childCount(); ++i) {
        QAccessibleInterface* c = tree->child(i);
        if (c->role() == QAccessible::ColumnHeader) {
            EXPECT_TRUE(c->state().invisible);
            EXPECT_EQ(Name(c), "");
        } else {
            items.push_back(Name(c));
        }
    }
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front(), "Star Distributing Co.");
    EXPECT_EQ(std::count(items.begin(), items.end(), "1"), 0);
    forms::Unload(f);
}

// A message box the program shows, as the tool finds it: an alert named by
// its title that gives its text.
TEST(FormsMessageBoxAccessibility, TheAlertNamesItsTitleAndText) {
    QAccessible::Role role = QAccessible::NoRole;
    std::string name, description;
    QTimer::singleShot(10, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            QAccessibleInterface* alert = Of(box);
            role = alert->role();
            name = Name(alert);
            description = Description(alert);
            box->close();
        }
    });
    forms::MsgBox("Error while accessing picture source", forms::vbExclamation, "Image Path Problem");
    EXPECT_EQ(role, QAccessible::AlertMessage);
    EXPECT_EQ(name, "Image Path Problem");
    EXPECT_EQ(description, "Error while accessing picture source");
}

}  // namespace
