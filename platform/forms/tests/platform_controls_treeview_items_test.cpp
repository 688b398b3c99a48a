// The tree view's widget items: a node gets its item when the widget shows
// it (a closed node's children when it opens), and shows then what the node
// holds; keys stay found through many removals and renames; a node keeps
// the image and tag it was given; the accessible tree reads the nodes.
#include <QAccessible>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

#include "platform_controls_forms.h"

using forms::Default;
using forms::Node;
using forms::tvwChild;
using forms::tvwLast;
using pctest::ErrorOf;
using pctest::frmCatalogue;

namespace {

void FillComposers(forms::TreeView& tree) {
    tree.Nodes().Add({}, tvwLast, "Bach", "Bach", 1);
    tree.Nodes().Add("Bach", tvwChild, "P 1", "Goldberg Variations", 2);
    tree.Nodes().Add("Bach", tvwChild, "P 2", "Mass in B minor", 2);
    tree.Nodes().Add({}, tvwLast, "Brahms", "Brahms", 1);
    tree.Nodes().Add("Brahms", tvwChild, "P 3", "Symphony No. 4", 2);
}

TEST(PlatformTreeViewItems, AClosedNodesChildrenShowWhenItOpens) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    FillComposers(f.treMain);
    forms::Nodes& nodes = f.treMain.Nodes();
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* bach = tree->topLevelItem(0);
    EXPECT_EQ(bach->text(0).toStdString(), "Bach");
    EXPECT_FALSE(bach->icon(0).isNull());
    // Closed, it offers to open although its children are not in the widget yet.
    EXPECT_EQ(bach->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    // Changes made before it opens show when it does.
    nodes(vb::Variant("P 1")).Text("Goldberg");
    nodes(vb::Variant("P 2")).Image(vb::Variant());

    // The user opens it with the keyboard.
    tree->setFocus();
    tree->setCurrentItem(bach);
    f.log.clear();
    QTest::keyClick(tree, Qt::Key_Right);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Bach"}));
    ASSERT_EQ(bach->childCount(), 2);
    EXPECT_TRUE(bach->isExpanded());
    EXPECT_EQ(bach->child(0)->text(0).toStdString(), "Goldberg");
    EXPECT_FALSE(bach->child(0)->icon(0).isNull());
    EXPECT_TRUE(bach->child(1)->icon(0).isNull());
    EXPECT_EQ(f.treMain.NodeOfItem(bach->child(1)), &nodes(vb::Variant("P 2")));

    // A node added to an open node shows at once, in its place.
    nodes.Add("P 1", forms::tvwNext, "P 4", "Cello Suites", 2);
    ASSERT_EQ(bach->childCount(), 3);
    EXPECT_EQ(bach->child(1)->text(0).toStdString(), "Cello Suites");

    // Selected from code inside a closed node: the widget's current item is its own.
    Node& symphony = nodes(vb::Variant("P 3"));
    symphony.Selected(true);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0).toStdString(), "Symphony No. 4");
    EXPECT_EQ(f.treMain.NodeOfItem(tree->currentItem()), &symphony);

    // A closed node that loses its last child no longer offers to open.
    nodes.Add({}, tvwLast, "Chopin", "Chopin", 1);
    nodes.Add("Chopin", tvwChild, "P 5", "Nocturnes", 2);
    QTreeWidgetItem* chopin = tree->topLevelItem(2);
    EXPECT_EQ(chopin->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    nodes.Remove(vb::Variant("P 5"));
    EXPECT_EQ(chopin->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

TEST(PlatformTreeViewItems, ANewWidgetShowsWhatWasOpenAndSelected) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    FillComposers(f.treMain);
    forms::Nodes& nodes = f.treMain.Nodes();
    nodes(vb::Variant("Brahms")).Expanded(true);
    nodes(vb::Variant("P 2")).Selected(true);
    // The tree's window goes and a new one is made; the nodes stay.
    f.treMain.DestroyNative();
    EXPECT_EQ(f.treMain.ItemOfNode(nodes(vb::Variant("Bach"))), nullptr);
    f.treMain.CreateNative();
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_TRUE(tree->topLevelItem(1)->isExpanded());
    ASSERT_EQ(tree->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0).toStdString(), "Symphony No. 4");
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0).toStdString(), "Mass in B minor");
    EXPECT_EQ(f.treMain.NodeOfItem(tree->currentItem()), &nodes(vb::Variant("P 2")));
}

TEST(PlatformTreeViewItems, AnUnloadedTreesWidgetKeepsNoItemsOfTheGoneNodes) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    FillComposers(f.treMain);
    f.treMain.Nodes()(vb::Variant("Bach")).Expanded(true);
    QPointer<QTreeWidget> tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    forms::Unload(f);
    // The widget is deleted later; until then it shows nothing of the
    // nodes, which are gone with the unload.
    if (tree) {
        EXPECT_EQ(tree->topLevelItemCount(), 0);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_TRUE(tree.isNull());
}

TEST(PlatformTreeViewItems, ManyKeysStayFoundThroughRemovalsAndRenames) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::Nodes& nodes = f.treMain.Nodes();
    constexpr int kComposers = 50, kAlbums = 200;
    for (int c = 0; c < kComposers; ++c) {
        const std::string composer = "Composer " + std::to_string(c);
        nodes.Add({}, tvwLast, composer, composer, 1);
        for (int a = 0; a < kAlbums; ++a) {
            const std::string key = "P " + std::to_string(c * kAlbums + a);
            nodes.Add(composer, tvwChild, key, "Album " + key.substr(2), 2);
        }
    }
    ASSERT_EQ(nodes.Count(), kComposers * (kAlbums + 1));
    // Every third album goes, every fifth composer with its albums, and
    // every seventh remaining album is renamed.
    for (int p = 0; p < kComposers * kAlbums; p += 3) nodes.Remove(vb::Variant("P " + std::to_string(p)));
    for (int c = 0; c < kComposers; c += 5) nodes.Remove(vb::Variant("Composer " + std::to_string(c)));
    for (int p = 1; p < kComposers * kAlbums; p += 7) {
        if (Node* n = nodes.Find(vb::Variant("P " + std::to_string(p)))) n->Key("Q " + std::to_string(p));
    }
    int expected = 0;
    for (int c = 0; c < kComposers; ++c) {
        const bool composerKept = c % 5 != 0;
        EXPECT_EQ(nodes.Find(vb::Variant("Composer " + std::to_string(c))) != nullptr, composerKept) << c;
        if (composerKept) ++expected;
        for (int a = 0; a < kAlbums; ++a) {
            const int p = c * kAlbums + a;
            const bool kept = composerKept && p % 3 != 0;
            const bool renamed = kept && (p - 1) % 7 == 0;
            Node* asP = nodes.Find(vb::Variant("P " + std::to_string(p)));
            Node* asQ = nodes.Find(vb::Variant("Q " + std::to_string(p)));
            ASSERT_EQ(asP != nullptr, kept && !renamed) << p;
            ASSERT_EQ(asQ != nullptr, renamed) << p;
            if (Node* n = asP ? asP : asQ) {
                EXPECT_EQ(n->Text(), "Album " + std::to_string(p));
                EXPECT_EQ(&nodes(vb::Variant(n->Index())), n);
            }
            if (kept) ++expected;
        }
    }
    EXPECT_EQ(nodes.Count(), expected);
    // The keys that went are free again.
    nodes.Add({}, tvwLast, "P 0", "again");
    EXPECT_EQ(nodes(vb::Variant("P 0")).Text(), "again");
    EXPECT_EQ(ErrorOf([&] { nodes.Add({}, tvwLast, "Q 211", "twice"); }), 35602);
}

TEST(PlatformTreeViewItems, ANodeKeepsTheImageAndTagItWasGiven) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::Nodes& nodes = f.treMain.Nodes();
    Node& integer = nodes.Add({}, tvwLast, "a", "a", vb::Variant::Integer(1));
    Node& number = nodes.Add({}, tvwLast, "b", "b", vb::Variant::Long(2));
    Node& keyed = nodes.Add({}, tvwLast, "c", "c", vb::Variant("album"));
    Node& none = nodes.Add({}, tvwLast, "d", "d");
    EXPECT_EQ(integer.Image().Type(), vb::VarType::Integer);
    EXPECT_EQ(integer.Image().ToLong(), 1);
    EXPECT_EQ(number.Image().Type(), vb::VarType::Long);
    EXPECT_EQ(number.Image().ToLong(), 2);
    EXPECT_EQ(keyed.Image().Type(), vb::VarType::String);
    EXPECT_EQ(keyed.Image().ToString(), "album");
    EXPECT_TRUE(none.Image().IsEmpty());
    keyed.Image(vb::Variant::Long(1));
    EXPECT_EQ(keyed.Image().Type(), vb::VarType::Long);
    number.Image(vb::Variant("album"));
    EXPECT_EQ(number.GetMember("Image").ToString(), "album");
    // The picture shown follows the image, by number or by key.
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    const QImage album = f.imglstTree.Icon(vb::Variant("album")).pixmap(16, 16).toImage();
    EXPECT_EQ(tree->topLevelItem(1)->icon(0).pixmap(16, 16).toImage(), album);
    EXPECT_NE(tree->topLevelItem(0)->icon(0).pixmap(16, 16).toImage(), album);
    EXPECT_FALSE(tree->topLevelItem(0)->icon(0).isNull());

    // Null names no picture.
    integer.Image(vb::Variant::Null());
    EXPECT_TRUE(integer.Image().IsNull());
    EXPECT_TRUE(tree->topLevelItem(0)->icon(0).isNull());

    EXPECT_EQ(none.Tag(), "");
    none.Tag("spare");
    none.SetMember("Text", vb::Variant("renamed"));
    EXPECT_EQ(none.Tag(), "spare");
    EXPECT_EQ(none.GetMember("Tag").ToString(), "spare");
    EXPECT_EQ(none.Text(), "renamed");
    EXPECT_EQ(none.Key(), "d");
    none.Key("e");
    EXPECT_EQ(none.Text(), "renamed");
    EXPECT_EQ(none.Tag(), "spare");
}

// Every accessible object below `root`, depth first.
void ForEachAccessible(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (!child) continue;
        visit(child);
        ForEachAccessible(child, visit);
    }
}

TEST(PlatformTreeViewItems, TheAccessibleTreeReadsTheShownNodes) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    FillComposers(f.treMain);
    f.treMain.Nodes()(vb::Variant("Bach")).Expanded(true);
    QApplication::processEvents();
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(f.treMain.Widget());
    ASSERT_NE(tree, nullptr);
    std::vector<std::string> names;
    ForEachAccessible(tree, [&](QAccessibleInterface* a) {
        if (a->role() == QAccessible::TreeItem) names.push_back(a->text(QAccessible::Name).toStdString());
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Bach", "Goldberg Variations", "Mass in B minor", "Brahms"}));
}

}  // namespace
