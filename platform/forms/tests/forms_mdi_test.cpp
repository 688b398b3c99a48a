// The multiple-document parent: children inside it, the active child,
// tiling, and children unloaded before the parent.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "test_forms.h"

using forms::Default;

namespace {

formtest::EventLog g_log;

class frmMainInventory : public forms::MDIForm {
public:
    frmMainInventory() : MDIForm("frmMainInventory") {
        Caption("Orvanta Inventory Management");
        ClientSize(9495, 7005);
        Picture1.Align(1);
    }
    bool cancelQuery = false;
    forms::PictureBox Picture1{this, "Picture1", 0, 0, 9495, 1215};
    forms::CommandButton cmdSuppliers{&Picture1, "cmdSuppliers", "", 120, 120, 975, 855};

protected:
    void MDIForm_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override {
        g_log.Add("main QueryUnload " + std::to_string(UnloadMode));
        if (cancelQuery) Cancel = 1;
    }
    void MDIForm_Unload(std::int16_t&) override { g_log.Add("main Unload"); }
};

class RecordForm : public forms::Form {
public:
    explicit RecordForm(std::string name) : Form(name), tag_(std::move(name)) {
        MDIChild(true);
        ClientSize(4000, 3000);
    }
    bool cancelQuery = false;
    forms::TextBox txtID{this, "txtID", 120, 120, 1200, 285};

protected:
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override {
        g_log.Add(tag_ + " QueryUnload " + std::to_string(UnloadMode));
        if (cancelQuery) Cancel = 1;
    }
    void Form_Unload(std::int16_t&) override { g_log.Add(tag_ + " Unload"); }
    void Form_Activate() override { g_log.Add(tag_ + " Activate"); }

private:
    std::string tag_;
};

class frmSuppliers : public RecordForm {
public:
    frmSuppliers() : RecordForm("frmSuppliers") {}
};
class frmProducts : public RecordForm {
public:
    frmProducts() : RecordForm("frmProducts") {}
};

// What the main window's buttons do: hide the active child, show the form, tile.
void OpenChild(forms::Form& child) {
    frmMainInventory& main = Default<frmMainInventory>();
    if (forms::Form* active = main.ActiveForm()) active->Visible(false);
    child.Show();
    main.Arrange(forms::vbTileVertical);
}

class Mdi : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.entries.clear();
        Default<frmMainInventory>().Show();
    }
    forms::testing::Driver driver;
};

TEST_F(Mdi, ChildrenOpenInsideTheParent) {
    frmMainInventory& main = Default<frmMainInventory>();
    EXPECT_EQ(main.ActiveForm(), nullptr);
    frmSuppliers& s = Default<frmSuppliers>();
    OpenChild(s);
    EXPECT_EQ(main.ActiveForm(), &s);
    EXPECT_EQ(s.MDIParent(), &main);
    auto* sub = qobject_cast<QMdiSubWindow*>(s.Window());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), main.Area());
    // Alone, the child fills the client area below the toolbar.
    EXPECT_EQ(sub->geometry(), main.Area()->viewport()->rect());
    EXPECT_EQ(main.Area()->geometry().top(), forms::TwipsToPixels(1215));
    EXPECT_EQ(main.Picture1.Width(), 9495);
}

// A child smaller than its controls scrolls to them; a control moved further
// out while it runs is reached too.
TEST_F(Mdi, AChildSmallerThanItsControlsScrollsToThem) {
    frmSuppliers& s = Default<frmSuppliers>();
    OpenChild(s);
    auto* scroller = qobject_cast<QScrollArea*>(qobject_cast<QMdiSubWindow*>(s.Window())->widget());
    ASSERT_NE(scroller, nullptr);
    // The text box lies inside the sub-window: nothing to scroll.
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->widget()->size(), scroller->viewport()->size());

    const int below = scroller->viewport()->height() + 200;
    s.txtID.Top(forms::PixelsToTwips(below));
    const int reach = scroller->verticalScrollBar()->maximum() + scroller->viewport()->height();
    EXPECT_GE(reach, below + s.txtID.Widget()->height());
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);

    const int right = scroller->viewport()->width() + 100;
    s.txtID.Left(forms::PixelsToTwips(right));
    EXPECT_GE(scroller->horizontalScrollBar()->maximum() + scroller->viewport()->width(),
              right + s.txtID.Widget()->width());

    // Back in place: the scroll bars go.
    s.txtID.Move(120, 120);
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);
    // Closing the sub-window unloads the child as before.
    qobject_cast<QMdiSubWindow*>(s.Window())->close();
    EXPECT_FALSE(s.IsLoaded());
}

TEST_F(Mdi, ArrangeTwoTilesVisibleChildrenSideBySide) {
    frmMainInventory& main = Default<frmMainInventory>();
    frmSuppliers& s = Default<frmSuppliers>();
    frmProducts& p = Default<frmProducts>();
    s.Show();
    p.Show();
    EXPECT_EQ(main.ActiveForm(), &p);
    main.Arrange(forms::vbTileVertical);
    const QRect a = s.Window()->geometry();
    const QRect b = p.Window()->geometry();
    const QRect area = main.Area()->viewport()->rect();
    EXPECT_EQ(a.top(), 0);
    EXPECT_EQ(b.top(), 0);
    EXPECT_EQ(a.height(), area.height());
    EXPECT_EQ(a.left(), 0);
    EXPECT_EQ(b.left(), a.right() + 1);
    EXPECT_EQ(a.width() + b.width(), area.width());
}

TEST_F(Mdi, HidingTheActiveChildActivatesTheOtherAndShowingAgainKeepsIt) {
    frmMainInventory& main = Default<frmMainInventory>();
    frmSuppliers& s = Default<frmSuppliers>();
    frmProducts& p = Default<frmProducts>();
    OpenChild(s);
    s.txtID.Text("17");
    OpenChild(p);  // hides suppliers
    EXPECT_FALSE(s.Visible());
    EXPECT_TRUE(s.IsLoaded());
    EXPECT_EQ(main.ActiveForm(), &p);
    OpenChild(s);  // hides products, suppliers come back as they were
    EXPECT_EQ(main.ActiveForm(), &s);
    EXPECT_EQ(s.txtID.Text(), "17");
    EXPECT_EQ(g_log.Count("frmSuppliers Activate"), 2);
    OpenChild(s);  // the active one: hidden and shown again
    EXPECT_TRUE(s.Visible());
    EXPECT_EQ(main.ActiveForm(), &s);
}

TEST_F(Mdi, UnloadingTheParentUnloadsTheChildrenFirst) {
    frmMainInventory& main = Default<frmMainInventory>();
    OpenChild(Default<frmSuppliers>());
    OpenChild(Default<frmProducts>());
    g_log.entries.clear();
    forms::Unload(main);
    EXPECT_EQ(g_log.entries, (std::vector<std::string>{"main QueryUnload 1", "frmSuppliers QueryUnload 4",
                                                       "frmProducts QueryUnload 4", "frmSuppliers Unload",
                                                       "frmProducts Unload", "main Unload"}));
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(Mdi, AChildCanCancelTheParentsUnload) {
    frmMainInventory& main = Default<frmMainInventory>();
    frmSuppliers& s = Default<frmSuppliers>();
    OpenChild(s);
    s.cancelQuery = true;
    driver.Close(main);
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_TRUE(s.IsLoaded());
    EXPECT_EQ(g_log.Count("main QueryUnload 0"), 1);
    EXPECT_EQ(g_log.Count("main Unload"), 0);
}

TEST_F(Mdi, ClosingAChildUnloadsOnlyTheChild) {
    frmSuppliers& s = Default<frmSuppliers>();
    OpenChild(s);
    driver.Close(s);
    EXPECT_FALSE(s.IsLoaded());
    EXPECT_TRUE(Default<frmMainInventory>().IsLoaded());
    EXPECT_EQ(g_log.Count("frmSuppliers QueryUnload 0"), 1);
    EXPECT_EQ(Default<frmMainInventory>().ActiveForm(), nullptr);
}

TEST_F(Mdi, LoadingAChildLoadsTheParent) {
    forms::Unload(Default<frmMainInventory>());
    frmProducts& p = Default<frmProducts>();
    forms::Load(p);
    EXPECT_TRUE(Default<frmMainInventory>().IsLoaded());
    EXPECT_EQ(forms::Forms().size(), 2u);
    EXPECT_EQ(forms::Forms()[0]->Name(), "frmMainInventory");
}

}  // namespace
