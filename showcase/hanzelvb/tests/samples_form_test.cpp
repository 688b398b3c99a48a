// The samples form: the settings entry, the company tree, the order of the
// chosen product with its total and status panels, the grid and the chart,
// and a database that cannot be opened.
#include <fstream>
#include <iterator>

#include <QTableView>

#include "acting_as_user.h"
#include "acting_on_platform_controls.h"
#include "application.h"
#include "frm_main.h"
#include "frm_samples.h"
#include "hanzelvb_fixture.h"
#include "hive.h"
#include "settings.h"

namespace hanzelvb::testing {
namespace {

namespace fs = std::filesystem;

class Samples : public HanzelTest {
protected:
    // Shows the samples form as Next does.
    frmSamples& Open() {
        forms::Default<frmMain>().Show();
        EXPECT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
        return forms::Default<frmSamples>();
    }
    std::string Setting() { return vb::GetSetting("Tavorin VB", "Hanzel", "DatabasePath"); }
    // Clicks a node of the tree as the user does.
    void Click(frmSamples& samples, const std::string& key) {
        ASSERT_TRUE(forms::testing::ClickNode(samples.trvProductTree, samples.trvProductTree.Nodes()(key)));
    }
    static std::string Panel(frmSamples& samples, int index) { return samples.StatusBar1.Panels()(index).Text(); }
};

TEST_F(Samples, FirstRunWritesTheDefaultDatabasePath) {
    ASSERT_EQ(Setting(), "");
    frmSamples& samples = Open();
    EXPECT_TRUE(samples.Visible());
    EXPECT_EQ(Setting(), (ProgramFolder() / "tavorin.mdb").string());
    EXPECT_EQ(samples.Caption(), "Tavorin Quentor: Hanzel! with Visual Basic (32-bit) - Sample Controls");
}

TEST_F(Samples, UsesTheDatabaseTheSettingNames) {
    const fs::path elsewhere = Root() / "other data" / "shop.mdb";
    fs::create_directories(elsewhere.parent_path());
    fs::copy_file(DatabaseFile(), elsewhere);
    fs::remove(DatabaseFile());
    vb::SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", elsewhere.string());
    frmSamples& samples = Open();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(samples.txtProduct.Text(), "Widget");
    EXPECT_EQ(Setting(), elsewhere.string());
}

TEST_F(Samples, ADamagedSettingsFileFallsBackToTheDefaultPathAndIsKept) {
    const fs::path hive = reg::HiveFilePath(reg::Hive::CurrentUser);
    fs::create_directories(hive.parent_path());
    const std::string damaged = "#orvanta-registry 1 HKEY_CURRENT_USER\n[Software\\VB and VBA Program Set";
    std::ofstream(hive, std::ios::binary) << damaged;
    frmSamples& samples = Open();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_TRUE(samples.Visible());
    EXPECT_EQ(samples.txtProduct.Text(), "Widget");
    EXPECT_EQ(Setting(), (ProgramFolder() / "tavorin.mdb").string());
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(hive.parent_path())) {
        if (entry.path().filename().string().rfind(hive.filename().string() + ".damaged-", 0) != 0) continue;
        ++kept;
        std::ifstream in(entry.path(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
    }
    EXPECT_EQ(kept, 1);
}

TEST_F(Samples, TreeHoldsTheCompanyItsDivisionsAndProductsAllExpanded) {
    frmSamples& samples = Open();
    forms::Nodes& nodes = samples.trvProductTree.Nodes();
    const char* expected[][3] = {
        {"R", "Star Distributing Co.", ""},
        {"WidgetDiv", "Widget Division", "R"},
        {"Widget", "Widget", "WidgetDiv"},
        {"Mini-Widget", "Mini-Widget", "WidgetDiv"},
        {"Super-Widget", "Super-Widget", "WidgetDiv"},
        {"GizmoDiv", "Gizmo Division", "R"},
        {"Gizmo", "Gizmo", "GizmoDiv"},
        {"GizmoDeluxe", "Gizmo Deluxe", "GizmoDiv"},
        {"ThingDiv", "Thing Division", "R"},
        {"ThingClassic", "Thing Classic", "ThingDiv"},
        {"NewThing", "New Thing", "ThingDiv"},
        {"ServiceDiv", "Service Division", "R"},
        {"CorporateTraining", "Corporate Training", "ServiceDiv"},
        {"NetworkServices", "Network Services", "ServiceDiv"},
    };
    ASSERT_EQ(nodes.Count(), 14);
    for (int i = 1; i <= 14; ++i) {
        forms::Node& node = nodes(i);
        EXPECT_EQ(node.Key(), expected[i - 1][0]);
        EXPECT_EQ(node.Text(), expected[i - 1][1]);
        EXPECT_EQ(node.Parent() ? node.Parent()->Key() : std::string(), expected[i - 1][2]);
        if (node.Children() > 0) {
            EXPECT_TRUE(node.Expanded()) << node.Key();
        }
    }
    EXPECT_EQ(samples.trvProductTree.Style(), 4);
    EXPECT_EQ(samples.trvProductTree.BorderStyle(), 1);
}

TEST_F(Samples, ActivationShowsTheWidgetOrder) {
    frmSamples& samples = Open();
    EXPECT_EQ(samples.trvProductTree.SelectedItem(), &samples.trvProductTree.Nodes()(3));
    EXPECT_EQ(samples.txtProduct.Text(), "Widget");
    EXPECT_EQ(samples.txtOrderQuantity.Text(), "48");
    EXPECT_EQ(samples.txtItemPrice.Text(), "$4.75");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), "$228.00");
    EXPECT_EQ(samples.dbcCustomerList.Text(), "Abbott Hardware");
    EXPECT_EQ(Panel(samples, 1), "Product Selected is:");
    EXPECT_EQ(Panel(samples, 2), "Widget");
}

TEST_F(Samples, ProductClickShowsItsOrderTotalAndStatus) {
    frmSamples& samples = Open();
    Click(samples, "GizmoDeluxe");
    EXPECT_EQ(samples.txtProduct.Text(), "Gizmo Deluxe");
    EXPECT_EQ(samples.txtOrderQuantity.Text(), "12");
    EXPECT_EQ(samples.txtItemPrice.Text(), "$11.25");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), "$135.00");
    EXPECT_EQ(samples.txtOrderDate.Text(), "4/20/1998");
    EXPECT_EQ(samples.dbcCustomerList.Text(), "Evergreen Stores");
    EXPECT_EQ(Panel(samples, 1), "Product Selected is:");
    EXPECT_EQ(Panel(samples, 2), "Gizmo Deluxe");

    Click(samples, "CorporateTraining");
    EXPECT_EQ(samples.txtItemPrice.Text(), "$595.00");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), "$1,785.00");
    EXPECT_EQ(Panel(samples, 2), "Corporate Training");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(Samples, ProductWithoutAnOrderStillSetsTheTotalAndStatus) {
    {
        auto db = dao::OpenDatabase(DatabaseFile().string());
        db->Execute("DELETE FROM OrderData WHERE productid = '9'");
        db->Close();
    }
    frmSamples& samples = Open();
    Click(samples, "Gizmo");
    Click(samples, "NetworkServices");
    // The find found nothing: the boxes keep the last order shown, whose
    // price is already in the currency format and so reads as no number;
    // the total is set all the same, and the status bar names the product.
    EXPECT_EQ(samples.txtProduct.Text(), "Gizmo");
    EXPECT_EQ(samples.txtItemPrice.Text(), "$5.99");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), "$0.00");
    EXPECT_EQ(Panel(samples, 1), "Product Selected is:");
    EXPECT_EQ(Panel(samples, 2), "Network Services");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(Samples, DivisionClickBlanksTheBoxesAndLeavesTheStatusBar) {
    frmSamples& samples = Open();
    Click(samples, "NewThing");
    Click(samples, "ThingDiv");
    for (forms::TextBox* box : {&samples.txtProduct, &samples.txtOrderDate, &samples.txtOrderQuantity,
                                &samples.txtItemPrice, &samples.txtTotalOrderPrice}) {
        EXPECT_EQ(box->Text(), " ") << box->Name();
    }
    EXPECT_EQ(samples.dbcCustomerList.Text(), " ");
    EXPECT_EQ(Panel(samples, 1), "Product Selected is:");
    EXPECT_EQ(Panel(samples, 2), "New Thing");
    Click(samples, "R");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), " ");
}

TEST_F(Samples, ShownTextsAreNeverWrittenBackIntoTheOrders) {
    const std::string products = Rows("product"), orders = Rows("OrderData"), customers = Rows("Customer");
    frmSamples& samples = Open();
    Click(samples, "Gizmo");
    Click(samples, "GizmoDiv");
    Click(samples, "Widget");
    Click(samples, "NetworkServices");
    ASSERT_TRUE(driver().Click(samples.cmdHome));
    ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
    Click(samples, "ServiceDiv");
    driver().Close(samples);
    EXPECT_FALSE(samples.IsLoaded());
    EXPECT_EQ(Rows("product"), products);
    EXPECT_EQ(Rows("OrderData"), orders);
    EXPECT_EQ(Rows("Customer"), customers);
}

TEST_F(Samples, GridShowsTheCustomersAndWidensItsColumnsOnEveryActivation) {
    frmSamples& samples = Open();
    forms::FlexGrid& grid = samples.MSFlexGrid;
    ASSERT_EQ(grid.Rows(), 7);
    EXPECT_EQ(grid.TextMatrix(0, 1), "customerid");
    EXPECT_EQ(grid.TextMatrix(0, 2), "customername");
    EXPECT_EQ(grid.TextMatrix(1, 2), "Abbott Hardware");
    EXPECT_EQ(grid.TextMatrix(6, 2), "Foster and Sons");
    const auto widths = [&grid] {
        std::vector<forms::Twips> w;
        for (int c = 0; c < grid.Cols(); ++c) w.push_back(grid.ColWidth(c));
        return w;
    };
    // Every column but 1 and 2 as wide as column 0.
    const auto expected = [&grid](forms::Twips others, forms::Twips widened) {
        std::vector<forms::Twips> w(static_cast<std::size_t>(grid.Cols()), others);
        w[1] = w[2] = widened;
        return w;
    };
    // The first activation: every column 1.5 times column 1's width, then
    // columns 1 and 2 1.5 times that.
    ASSERT_GT(grid.Cols(), 3);
    EXPECT_EQ(widths(), expected(1440, 2160));

    // Shown again: the columns grow from the widths they have now.
    ASSERT_TRUE(driver().Click(samples.cmdHome));
    ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
    EXPECT_EQ(widths(), expected(3240, 4860));
    EXPECT_EQ(grid.View()->columnWidth(0), forms::TwipsToPixels(3240));
    EXPECT_EQ(grid.View()->columnWidth(1), forms::TwipsToPixels(4860));

    // However often it is shown, no column grows wider than the grid.
    for (int round = 0; round < 30; ++round) {
        ASSERT_TRUE(driver().Click(samples.cmdHome));
        ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
    }
    for (forms::Twips w : widths()) EXPECT_EQ(w, grid.Width());
}

TEST_F(Samples, ChartShowsTheMonthsOverTheDivisions) {
    frmSamples& samples = Open();
    forms::MSChart& chart = samples.MSChart1;
    ASSERT_EQ(chart.SeriesCount(), 4);
    const char* months[] = {"January", "February", "March", "April"};
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(chart.SeriesLabel(s), months[s - 1]);
        EXPECT_EQ(chart.SeriesValues(s).size(), 4u);
    }
    EXPECT_EQ(chart.Categories(),
              (std::vector<std::string>{"Widget Division", "Gizmo Division", "Thing Division", "Service Division"}));
    EXPECT_TRUE(chart.ShowLegend());
}

TEST_F(Samples, TabsHoldTheirControls) {
    frmSamples& samples = Open();
    forms::SSTab& tabs = samples.SamplesTabControl;
    ASSERT_EQ(tabs.Tabs(), 2);
    EXPECT_EQ(tabs.TabCaption(0), "Win32 and Common Controls");
    EXPECT_EQ(tabs.TabCaption(1), "Data Grid and ActiveX");
    EXPECT_EQ(tabs.TabOf(samples.trvProductTree), 0);
    EXPECT_EQ(tabs.TabOf(samples.StatusBar1), 0);
    EXPECT_EQ(tabs.TabOf(samples.MSFlexGrid), 1);
    EXPECT_EQ(tabs.TabOf(samples.MSChart1), 1);
    ASSERT_TRUE(forms::testing::ClickTab(tabs, 1));
    EXPECT_EQ(tabs.Tab(), 1);
    // Activated again on the grid's tab: the tree cannot take the focus, and
    // the form goes on.
    ASSERT_TRUE(driver().Click(samples.cmdHome));
    ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
    EXPECT_FALSE(forms::ProgramEnded());
    EXPECT_EQ(samples.txtProduct.Text(), "Widget");
    EXPECT_EQ(samples.txtItemPrice.Text(), "$4.75");
    EXPECT_EQ(samples.txtTotalOrderPrice.Text(), "$228.00");
}

TEST_F(Samples, DatabaseThatCannotBeOpenedIsReportedAndTheStartFormStays) {
    const std::string missing = (Root() / "gone" / "tavorin.mdb").string();
    vb::SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", missing);
    forms::Default<frmMain>().Show();
    ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdNext));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_NE(driver().MessageBoxes()[0].text.find(missing), std::string::npos);
    EXPECT_FALSE(forms::Default<frmSamples>().IsLoaded());
    EXPECT_TRUE(forms::Default<frmMain>().Visible());
    EXPECT_FALSE(forms::ProgramEnded());
}

TEST_F(Samples, DatabaseWithoutTheOrderTablesIsReported) {
    {
        auto db = dao::OpenDatabase(DatabaseFile().string());
        db->Execute("DROP TABLE OrderData");
        db->Close();
    }
    forms::Default<frmMain>().Show();
    ASSERT_TRUE(driver().ChooseMenu(forms::Default<frmMain>().CompMnu));
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_NE(driver().MessageBoxes()[0].text.find(DatabaseFile().string()), std::string::npos);
    EXPECT_FALSE(forms::Default<frmSamples>().IsLoaded());
    EXPECT_TRUE(forms::Default<frmMain>().Visible());
}

}  // namespace
}  // namespace hanzelvb::testing
