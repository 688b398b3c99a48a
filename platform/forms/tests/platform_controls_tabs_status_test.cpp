// The tab strip (tabs, SelectedItem, Click from the widget and from code)
// and the status bar (simple text, panels, placement along the form's
// bottom edge).
#include <QLabel>
#include <QTabBar>

#include <gtest/gtest.h>

#include "platform_controls_forms.h"

using forms::Default;
using pctest::ErrorOf;
using pctest::frmCatalogue;

namespace {

TEST(PlatformTabStrip, ClicksChangeTheSelectedTab) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    forms::TabStrip& tabs = f.tabMain;
    EXPECT_EQ(tabs.Tabs().Count(), 2);
    EXPECT_EQ(tabs.Tabs()(vb::Variant(2)).Caption(), "Details");
    EXPECT_EQ(tabs.SelectedItem()->Index(), 1);
    EXPECT_EQ(tabs.TabBar()->tabText(1).toStdString(), "Details");

    ASSERT_TRUE(forms::testing::ClickTab(tabs, 2));
    EXPECT_EQ(tabs.SelectedItem()->Index(), 2);
    EXPECT_EQ(f.log, (std::vector<std::string>{"tabMain_Click 2"}));
    EXPECT_FALSE(f.frameInfo.Visible());
    EXPECT_TRUE(f.frameDetails.Visible());
    // The selected tab clicked again is still a click.
    ASSERT_TRUE(forms::testing::ClickTab(tabs, 2));
    EXPECT_EQ(f.log.size(), 2u);
    f.log.clear();

    // Selecting from code raises Click as well.
    tabs.Tabs()(vb::Variant(1)).Selected(true);
    EXPECT_EQ(f.log, (std::vector<std::string>{"tabMain_Click 1"}));
    EXPECT_EQ(tabs.TabBar()->currentIndex(), 0);
    EXPECT_TRUE(f.frameInfo.Visible());
    f.log.clear();

    // A disabled strip takes no clicks.
    tabs.Enabled(false);
    EXPECT_FALSE(forms::testing::ClickTab(tabs, 2));
    EXPECT_EQ(tabs.SelectedItem()->Index(), 1);
    EXPECT_TRUE(f.log.empty());
}

TEST(PlatformTabStrip, CollectionAndLateBinding) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::Tabs& tabs = f.tabMain.Tabs();
    tabs.Add(0, "notes", "Notes");
    EXPECT_EQ(tabs(vb::Variant("notes")).Index(), 3);
    EXPECT_EQ(ErrorOf([&] { tabs.Add(0, "notes", "Again"); }), 35602);
    EXPECT_EQ(ErrorOf([&] { tabs(vb::Variant(4)); }), 35600);
    EXPECT_EQ(ErrorOf([&] { tabs(vb::Variant("none")); }), 35601);
    EXPECT_EQ(f.tabMain.TabBar()->count(), 3);
    tabs.Remove(vb::Variant(2));
    EXPECT_EQ(tabs(vb::Variant("notes")).Index(), 2);
    EXPECT_EQ(f.tabMain.TabBar()->tabText(1).toStdString(), "Notes");

    vb::ObjectRef strip = f.GetMember("tabMain").ToObject();
    EXPECT_EQ(strip->GetMember("SelectedItem").ToObject()->GetMember("Index").ToLong(), 1);
    EXPECT_EQ(strip->GetMember("Tabs").ToObject()->GetMember("Count").ToLong(), 2);

    // The tabs come back as designed when the form loads again.
    forms::Unload(f);
    EXPECT_EQ(f.tabMain.Tabs().Count(), 2);
    EXPECT_EQ(f.tabMain.Tabs()(vb::Variant(2)).Caption(), "Details");
}

TEST(PlatformStatusBar, SimpleTextAndPanels) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    forms::StatusBar& bar = f.statusMain;
    EXPECT_EQ(bar.SimpleText(), "Click on an event for more information!");
    bar.SimpleText(" Click on a composition for more information");
    auto* label = bar.Widget()->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), " Click on a composition for more information");
    EXPECT_TRUE(label->isVisible());
    f.GetMember("statusMain").ToObject()->SetMember("SimpleText", vb::Variant("Data Retrieved"));
    EXPECT_EQ(bar.ShownText(), "Data Retrieved");
    EXPECT_EQ(label->text().toStdString(), "Data Retrieved");

    // Along the bottom edge of the form, at its full width.
    EXPECT_EQ(bar.Widget()->width(), bar.Widget()->parentWidget()->width());
    EXPECT_EQ(bar.Widget()->geometry().bottom(), bar.Widget()->parentWidget()->height() - 1);
    f.Width(f.Width() + 1500);
    driver.ProcessEvents();
    EXPECT_EQ(bar.Widget()->width(), bar.Widget()->parentWidget()->width());
    EXPECT_EQ(bar.Width(), forms::PixelsToTwips(bar.Widget()->parentWidget()->width()));

    // Panels show in the normal style.
    bar.Style(forms::sbrNormal);
    bar.Panels()(vb::Variant(1)).Text("Product Selected is:");
    bar.Panels().Add(0, "product", "Widget");
    EXPECT_EQ(bar.ShownText(), "Product Selected is: | Widget");
    EXPECT_FALSE(label->isVisible());
    EXPECT_EQ(ErrorOf([&] { bar.Panels()(vb::Variant(3)); }), 35600);
    EXPECT_EQ(ErrorOf([&] { bar.Panels().Add(0, "product"); }), 35602);
    const auto labels = bar.Widget()->findChildren<QLabel*>();
    bool shown = false;
    for (QLabel* l : labels) shown = shown || (l->isVisible() && l->text() == "Widget");
    EXPECT_TRUE(shown);
}

}  // namespace

namespace {

TEST(PlatformStatusBar, DesignTextComesBackAndAlignNoneKeepsGeometry) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.statusMain.SimpleText("Working...");
    forms::Unload(f);
    EXPECT_EQ(f.statusMain.SimpleText(), "Click on an event for more information!");
    f.statusMain.Align(0);
    f.statusMain.Move(300, 600, 3000, 300);
    EXPECT_EQ(f.statusMain.Widget()->geometry(), QRect(20, 40, 200, 20));
    f.statusMain.Align(1);  // along the top
    EXPECT_EQ(f.statusMain.Widget()->y(), 0);
    EXPECT_EQ(f.statusMain.Top(), 0);
    EXPECT_EQ(ErrorOf([&] { f.statusMain.Style(2); }), 380);
}

TEST(PlatformTabStrip, RemovingTheSelectedTabSelectsAnother) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::Tabs& tabs = f.tabMain.Tabs();
    tabs(vb::Variant(2)).Selected(true);
    f.log.clear();
    auto removed = tabs(vb::Variant(2)).shared_from_this();
    tabs.Remove(vb::Variant(2));
    EXPECT_EQ(f.tabMain.SelectedItem()->Index(), 1);
    EXPECT_EQ(ErrorOf([&] { static_cast<forms::Tab&>(*removed).Caption(); }), 35605);
    tabs(vb::Variant(1)).Caption("Cover");
    EXPECT_EQ(f.tabMain.TabBar()->tabText(0).toStdString(), "Cover");
    tabs.Clear();
    EXPECT_EQ(f.tabMain.SelectedItem(), nullptr);
    tabs.Add(0, "a", "First again");
    EXPECT_EQ(f.tabMain.SelectedItem()->Key(), "a");
    EXPECT_TRUE(f.log.empty());  // none of this is a click
}

}  // namespace

namespace {

// Tabs, panels and list images answer the same late-bound members: Add
// with its arguments left out, Item by index or key, Remove, Clear, Count.
TEST(PlatformKeyedCollections, LateBoundMembersActOnTheItems) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    for (const char* member : {"Tabs", "Panels"}) {
        SCOPED_TRACE(member);
        const char* control = std::string(member) == "Tabs" ? "tabMain" : "statusMain";
        vb::ObjectRef items = f.GetMember(control).ToObject()->GetMember(member).ToObject();
        const long before = items->CallMember("Count", {}).ToLong();
        vb::ObjectRef added = items->CallMember("Add", {vb::Variant(1), vb::Variant("front")}).ToObject();
        EXPECT_EQ(added->GetMember("Index").ToLong(), 1);
        EXPECT_EQ(added->GetMember("Key").ToString(), "front");
        items->CallMember("Add", {});  // at the end, without a key
        EXPECT_EQ(items->GetMember("Count").ToLong(), before + 2);
        EXPECT_EQ(items->CallMember("Item", {vb::Variant("front")}).ToObject(), added);
        EXPECT_EQ(ErrorOf([&] { items->CallMember("Item", {vb::Variant("")}); }), 35601);
        EXPECT_EQ(ErrorOf([&] { items->CallMember("Item", {}); }), 450);
        EXPECT_EQ(ErrorOf([&] { items->CallMember("Add", {vb::Variant(), vb::Variant("front")}); }), 35602);
        items->CallMember("Remove", {vb::Variant("front")});
        EXPECT_EQ(items->GetMember("Count").ToLong(), before + 1);
        EXPECT_EQ(ErrorOf([&] { added->GetMember("Key"); }), 35605);
        items->CallMember("Clear", {});
        EXPECT_EQ(items->GetMember("Count").ToLong(), 0);
    }

    vb::ObjectRef images = f.GetMember("imglstTree").ToObject()->GetMember("ListImages").ToObject();
    vb::Variant picture(vb::ObjectRef(pctest::SolidPicture(Qt::green)));
    vb::ObjectRef image = images->CallMember("Add", {vb::Variant(), vb::Variant("green"), picture}).ToObject();
    EXPECT_EQ(image->GetMember("Index").ToLong(), 3);
    EXPECT_EQ(images->CallMember("Item", {vb::Variant(3)}).ToObject(), image);
    EXPECT_EQ(ErrorOf([&] { images->CallMember("Add", {vb::Variant(), vb::Variant("blue")}); }), 35607);
    images->CallMember("Remove", {vb::Variant(1)});
    EXPECT_EQ(image->GetMember("Index").ToLong(), 2);
    images->CallMember("Clear", {});
    EXPECT_EQ(images->CallMember("Count", {}).ToLong(), 0);
}

}  // namespace
