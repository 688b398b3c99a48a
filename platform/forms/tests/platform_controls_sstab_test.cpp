// The tabbed dialog: controls on its tabs, only the current tab's shown, the
// tabs switched by the user and by code, captions in the dialog's font.
#include <QLabel>
#include <QTabBar>

#include <gtest/gtest.h>

#include "acting_on_platform_controls.h"
#include "error_of.h"
#include "forms.h"
#include "sstab.h"
#include "test_driver.h"

using forms::Default;
using formtest::ErrorOf;

namespace {

class frmSamples : public forms::Form {
public:
    frmSamples() : Form("frmSamples") {
        Caption("Samples");
        ClientSize(9555, 7065);
        SamplesTabControl.Font().Name("Arial Narrow");
        SamplesTabControl.Place(GridLabel, 1);
        SamplesTabControl.Place(cmdGrid, 1);
        SamplesTabControl.Click = [this](std::int16_t PreviousTab) {
            log.push_back("Click " + std::to_string(PreviousTab) + " -> " + std::to_string(SamplesTabControl.Tab()));
        };
    }
    std::vector<std::string> log;

    forms::SSTab SamplesTabControl{this, "SamplesTabControl",
                                   {"Win32 and Common Controls", "Data Grid and ActiveX"}, 120, 120, 9315, 6375};
    forms::Label TreeViewLabel{&SamplesTabControl, "TreeViewLabel", "TreeView Control", 240, 600, 2000, 255};
    forms::Label GridLabel{&SamplesTabControl, "GridLabel", "FlexGrid Control", 300, 660, 2000, 255};
    forms::CommandButton cmdGrid{&SamplesTabControl, "cmdGrid", "Grid", 300, 1200, 1215, 375};
    forms::CommandButton cmdHome{this, "cmdHome", "<<< Home", 7800, 6600, 1215, 375};
};

bool Shown(forms::Control& c) { return c.Widget() && c.Widget()->isVisible(); }

TEST(PlatformSSTab, OnlyTheCurrentTabsControlsAreShown) {
    forms::testing::Driver driver;
    frmSamples& f = Default<frmSamples>();
    f.Show();
    EXPECT_EQ(f.SamplesTabControl.Tab(), 0);
    EXPECT_EQ(f.SamplesTabControl.Tabs(), 2);
    EXPECT_EQ(f.SamplesTabControl.Caption(), "Win32 and Common Controls");
    EXPECT_TRUE(Shown(f.TreeViewLabel));
    EXPECT_FALSE(Shown(f.GridLabel));
    EXPECT_FALSE(Shown(f.cmdGrid));
    EXPECT_TRUE(Shown(f.cmdHome));
    EXPECT_TRUE(f.GridLabel.Visible());  // hidden by its tab, not by itself
    EXPECT_EQ(f.SamplesTabControl.TabOf(f.cmdGrid), 1);

    // The controls keep the dialog's coordinates.
    QWidget* dialog = f.SamplesTabControl.Widget();
    EXPECT_EQ(f.TreeViewLabel.Widget()->mapTo(dialog, QPoint(0, 0)), QPoint(16, 40));

    ASSERT_TRUE(forms::testing::ClickTab(f.SamplesTabControl, 1));
    EXPECT_EQ(f.SamplesTabControl.Tab(), 1);
    EXPECT_FALSE(Shown(f.TreeViewLabel));
    EXPECT_TRUE(Shown(f.GridLabel));
    EXPECT_TRUE(Shown(f.cmdGrid));
    EXPECT_TRUE(driver.Click(f.cmdGrid));
    EXPECT_EQ(f.GridLabel.Widget()->mapTo(dialog, QPoint(0, 0)), QPoint(20, 44));
    EXPECT_EQ(f.SamplesTabControl.GetMember("Caption").ToString(), "Data Grid and ActiveX");

    // From code, late-bound.
    f.SamplesTabControl.SetMember("Tab", vb::Variant(0));
    EXPECT_TRUE(Shown(f.TreeViewLabel));
    EXPECT_FALSE(Shown(f.cmdGrid));
    EXPECT_FALSE(driver.Click(f.cmdGrid));  // out of the user's reach
    EXPECT_EQ(f.log, (std::vector<std::string>{"Click 0 -> 1", "Click 1 -> 0"}));

    // A control hidden by itself stays hidden on its tab.
    f.GridLabel.Visible(false);
    f.SamplesTabControl.Tab(1);
    EXPECT_FALSE(Shown(f.GridLabel));
    EXPECT_TRUE(Shown(f.cmdGrid));

    // A disabled tab cannot be clicked.
    f.SamplesTabControl.Tab(0);
    f.SamplesTabControl.TabEnabled(1, false);
    EXPECT_FALSE(forms::testing::ClickTab(f.SamplesTabControl, 1));
    EXPECT_EQ(f.SamplesTabControl.Tab(), 0);

    EXPECT_EQ(ErrorOf([&] { f.SamplesTabControl.Tab(2); }), 380);
    EXPECT_EQ(ErrorOf([&] { f.SamplesTabControl.Place(f.cmdHome, 1); }), 380);
}

TEST(PlatformSSTab, CaptionsInTheDialogsFontAndTheDesignTabAfterReload) {
    forms::testing::Driver driver;
    frmSamples& f = Default<frmSamples>();
    f.Show();
    ASSERT_NE(f.SamplesTabControl.TabBar(), nullptr);
    EXPECT_EQ(f.SamplesTabControl.TabBar()->font().family().toStdString(), "Arial Narrow");
    EXPECT_NE(f.TreeViewLabel.Widget()->font().family().toStdString(), "Arial Narrow");
    EXPECT_EQ(f.SamplesTabControl.TabBar()->tabText(1).toStdString(), "Data Grid and ActiveX");
    f.SamplesTabControl.TabCaption(1, "Grid");
    EXPECT_EQ(f.SamplesTabControl.TabBar()->tabText(1).toStdString(), "Grid");

    f.SamplesTabControl.Tab(1);
    f.UnloadForm();
    f.Show();
    EXPECT_EQ(f.SamplesTabControl.Tab(), 0);
    EXPECT_EQ(f.SamplesTabControl.TabCaption(1), "Data Grid and ActiveX");
    EXPECT_TRUE(Shown(f.TreeViewLabel));
    EXPECT_FALSE(Shown(f.cmdGrid));
}

}  // namespace
