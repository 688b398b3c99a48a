// The main window: the composer tree, the album display and its picture.
#include <gtest/gtest.h>

#include <map>

#include "application.h"
#include "catalogue_fixture.h"
#include "cls_manage_main.h"
#include "frm_main.h"
#include "mod_main.h"
#include "number_functions.h"

namespace catalogue::testing {
namespace {

class MainWindow : public CatalogueTest {
protected:
    frmMain& Load() {
        OpenDatabaseAsMain();
        frmMain& window = forms::Default<frmMain>();
        forms::Load(window);
        return window;
    }
    frmMain& LoadAndShow() {
        frmMain& window = Load();
        window.Show();
        driver().ProcessEvents();
        return window;
    }
    static std::vector<forms::Node*> TopLevel(frmMain& window) {
        std::vector<forms::Node*> result;
        forms::Nodes& nodes = window.treMain.Nodes();
        for (int i = 1; i <= nodes.Count(); ++i) {
            if (nodes.Item(vb::Variant(i)).Parent() == nullptr) result.push_back(&nodes.Item(vb::Variant(i)));
        }
        return result;
    }
};

TEST_F(MainWindow, TreeHoldsEachComposerWithItsCompositions) {
    frmMain& window = Load();
    forms::Nodes& nodes = window.treMain.Nodes();
    ASSERT_EQ(nodes.Count(), 6 + 16);

    std::map<std::string, std::vector<std::string>> tree;
    for (forms::Node* composer : TopLevel(window)) {
        EXPECT_EQ(composer->Key(), composer->Text());
        EXPECT_EQ(composer->Image().ToLong(), 1);
        for (forms::Node* child = composer->Child(); child != nullptr; child = child->Next()) {
            tree[composer->Text()].push_back(child->Key());
            EXPECT_EQ(child->Image().ToLong(), 2);
            EXPECT_EQ(child->Children(), 0);
        }
    }
    EXPECT_EQ(tree.size(), 6u);
    EXPECT_EQ(tree["Beethoven"], (std::vector<std::string>{"P 1", "P 2", "P 3", "P 4"}));
    EXPECT_EQ(tree["Bach"], (std::vector<std::string>{"P 8", "P 9", "P 10"}));

    forms::Node& product12 = nodes.Item(vb::Variant("P 12"));
    EXPECT_EQ(product12.Text(), "Symphony No. 6 Pathetique");
    EXPECT_EQ(product12.Parent()->Key(), "Tchaikovsky");
}

TEST_F(MainWindow, TheFirstAlbumIsShownWhenTheWindowLoads) {
    frmMain& window = Load();
    forms::Nodes& nodes = window.treMain.Nodes();
    EXPECT_TRUE(nodes.Item(vb::Variant(1)).Expanded());
    ASSERT_NE(window.treMain.SelectedItem(), nullptr);
    EXPECT_EQ(window.treMain.SelectedItem()->Index(), 2);
    EXPECT_EQ(window.treMain.SelectedItem()->Key(), "P 1");

    EXPECT_EQ(window.lblComposer.Caption(), "Beethoven");
    EXPECT_EQ(window.lblComposition.Caption(), "Symphony No. 5 in C minor");
    EXPECT_EQ(window.txtImageHolder.Text(), "beethoven5.jpg");
    EXPECT_TRUE(window.pictAlbumImage.Visible());
    ASSERT_TRUE(window.pictAlbumImage.Picture());
    EXPECT_FALSE(window.pictAlbumImage.Picture()->IsEmpty());
    EXPECT_TRUE(window.tabMain.Enabled());
    EXPECT_EQ(window.statusMain.SimpleText(), "Data Retrieved");
    EXPECT_TRUE(window.frameInfo.Visible());
    EXPECT_FALSE(window.frameDetails.Visible());
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(MainWindow, ClickingACompositionShowsItsRow) {
    frmMain& window = LoadAndShow();
    std::vector<std::string> statusWhileFetching;
    window.dataMain.Reposition = [&] { statusWhileFetching.push_back(window.statusMain.SimpleText()); };

    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 12")));

    EXPECT_EQ(statusWhileFetching, std::vector<std::string>{"Working..."});
    EXPECT_EQ(window.statusMain.SimpleText(), "Data Retrieved");
    EXPECT_EQ(window.treMain.SelectedItem()->Key(), "P 12");
    EXPECT_EQ(window.lblComposer.Caption(), "Tchaikovsky");
    EXPECT_EQ(window.lblComposition.Caption(), "Symphony No. 6 Pathetique");
    EXPECT_EQ(window.lblComposer2.Caption(), "Tchaikovsky");
    EXPECT_EQ(window.lblPerformer.Caption(), "Moscow Festival Orchestra");
    EXPECT_EQ(window.lblConductor.Caption(), "Nikolai Petrov");
    EXPECT_EQ(window.lblPrice.Caption(), "15.99");
    EXPECT_EQ(window.txtDescription.Text(),
              "The composer's last symphony, ending in a slow and sorrowful finale.");
    EXPECT_EQ(window.txtImageHolder.Text(), "tchaikovsky6.jpg");
    auto rs = window.dataMain.Recordset();
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->Name(), "select * from products where PRODID = 12");
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST_F(MainWindow, ClickingAComposerKeepsTheAlbum) {
    frmMain& window = LoadAndShow();
    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 9")));
    window.statusMain.SimpleText("");
    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("Mozart")));
    EXPECT_EQ(window.treMain.SelectedItem()->Key(), "Mozart");
    EXPECT_EQ(window.statusMain.SimpleText(), "Data Retrieved");
    EXPECT_EQ(window.lblComposition.Caption(), "Goldberg Variations");
}

TEST_F(MainWindow, TabsShowTheirFrames) {
    frmMain& window = LoadAndShow();
    ASSERT_EQ(window.tabMain.Tabs().Count(), 2);
    EXPECT_EQ(window.tabMain.Tabs().Item(vb::Variant(1)).Caption(), "Album");
    EXPECT_EQ(window.tabMain.Tabs().Item(vb::Variant(2)).Caption(), "Details");
    window.tabMain.SelectedItem(&window.tabMain.Tabs().Item(vb::Variant(2)));
    EXPECT_FALSE(window.frameInfo.Visible());
    EXPECT_TRUE(window.frameDetails.Visible());
    window.tabMain.SelectedItem(&window.tabMain.Tabs().Item(vb::Variant(1)));
    EXPECT_TRUE(window.frameInfo.Visible());
    EXPECT_FALSE(window.frameDetails.Visible());
}

TEST_F(MainWindow, MissingPictureIsReportedAndTheOldOneStays) {
    Execute("UPDATE PRODUCTS SET IMAGE = 'no such picture.jpg' WHERE PRODID = 12");
    frmMain& window = LoadAndShow();
    const forms::PictureRef before = window.pictAlbumImage.Picture();
    ASSERT_TRUE(before);

    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 12")));

    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Image Path Problem");
    EXPECT_EQ(box.text, "Error while accessing picture source: 'File not found'.");
    EXPECT_EQ(box.style, forms::vbOKCancel);
    EXPECT_EQ(window.pictAlbumImage.Picture(), before);
    EXPECT_EQ(window.lblComposition.Caption(), "Symphony No. 6 Pathetique");
    EXPECT_EQ(window.statusMain.SimpleText(), "Data Retrieved");

    // Once per change: another album with a picture, then the broken one again.
    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 11")));
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 12")));
    EXPECT_EQ(driver().MessageBoxes().size(), 2u);
}

TEST_F(MainWindow, ComposerWithAQuoteShowsItsCompositions) {
    Execute("INSERT INTO PRODUCTS VALUES (30, 'Carl O''Neill', 'Harbour Suite', 'x', 'y', 9.99, 'd', 'brahms1.jpg')");
    Execute("INSERT INTO PRODUCTS VALUES (31, 'Carl O''Neill', 'Night Ferry', 'x', 'y', 9.99, 'd', 'brahms1.jpg')");
    frmMain& window = LoadAndShow();
    forms::Node& composer = window.treMain.Nodes().Item(vb::Variant("Carl O'Neill"));
    ASSERT_EQ(composer.Children(), 2);
    EXPECT_EQ(composer.Child()->Key(), "P 30");
    ClickNode(window.treMain, window.treMain.Nodes().Item(vb::Variant("P 31")));
    EXPECT_EQ(window.lblComposer.Caption(), "Carl O'Neill");
    EXPECT_EQ(window.lblComposition.Caption(), "Night Ferry");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(MainWindow, EmptyTitleDoesNotRefillItsComposer) {
    Execute("DELETE FROM PRODUCTS WHERE COMPOSER = 'Vivaldi'");
    Execute("INSERT INTO PRODUCTS VALUES (40, 'Vivaldi', '', 'x', 'y', 9.99, 'd', 'vivaldi_seasons.jpg')");
    Execute("INSERT INTO PRODUCTS VALUES (41, 'Vivaldi', 'Gloria in D major', 'x', 'y', 9.99, 'd', 'vivaldi_gloria.jpg')");
    frmMain& window = LoadAndShow();
    forms::Node& vivaldi = window.treMain.Nodes().Item(vb::Variant("Vivaldi"));
    ASSERT_EQ(vivaldi.Children(), 2);
    const int count = window.treMain.Nodes().Count();

    vivaldi.Expanded(true);
    vivaldi.Expanded(false);
    vivaldi.Expanded(true);

    EXPECT_EQ(window.treMain.Nodes().Count(), count);
    EXPECT_EQ(vivaldi.Children(), 2);
    EXPECT_EQ(vivaldi.Child()->Key(), "P 40");
    EXPECT_EQ(vivaldi.Child()->Text(), "");
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(MainWindow, PlaceholderChildIsReplacedByTheCompositions) {
    frmMain& window = LoadAndShow();
    forms::Nodes& nodes = window.treMain.Nodes();
    // Take Bach's compositions away and leave a placeholder in their place.
    nodes.Remove(vb::Variant("P 8"));
    nodes.Remove(vb::Variant("P 9"));
    nodes.Remove(vb::Variant("P 10"));
    nodes.Add(vb::Variant("Bach"), forms::tvwChild, "", "");

    nodes.Item(vb::Variant("Bach")).Expanded(true);

    forms::Node& bach = nodes.Item(vb::Variant("Bach"));
    ASSERT_EQ(bach.Children(), 3);
    EXPECT_EQ(bach.Child()->Key(), "P 8");
    EXPECT_EQ(window.treMain.SelectedItem(), bach.Child());
    EXPECT_EQ(window.lblComposition.Caption(), "Brandenburg Concertos 1-6");
}

TEST_F(MainWindow, UnreadableComposerListEndsTheProgram) {
    Execute("DROP TABLE PRODUCTS");
    std::string engineText;
    int engineNumber = 0;
    try {
        Db().OpenRecordset("SELECT DISTINCT COMPOSER FROM PRODUCTS", dao::dbOpenSnapshot);
    } catch (const vb::VBError& e) {
        engineText = e.description();
        engineNumber = e.number();
    }
    driver().AnswerMsgBox(forms::vbNo);
    OpenDatabaseAsMain();
    EXPECT_THROW(forms::Load(forms::Default<frmMain>()), forms::EndRequest);

    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    const auto& box = driver().MessageBoxes()[0];
    EXPECT_EQ(box.title, "Data Access Problem");
    EXPECT_EQ(box.style, forms::vbYesNo);
    std::string upper = engineText;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(box.text, "Error " + std::to_string(engineNumber) + upper +
                            ".  NOTE:  The usual cause for data access errors at this point is ODBC "
                            "configuration.");
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(MainWindow, ProductKeysCarryStrsBlank) {
    EXPECT_EQ(ProductNodeKey(vb::Variant(12)), "P 12");
    EXPECT_EQ(ProductNodeKey(vb::Variant(7)), "P 7");
    EXPECT_EQ(ProductNodeKey(vb::Variant(-3)), "P-3");
}

}  // namespace
}  // namespace catalogue::testing
