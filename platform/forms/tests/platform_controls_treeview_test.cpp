// The tree view: keys and indexes, the collection's errors, relatives,
// selection, NodeClick and Expand from the real widget, images, and late
// binding.
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "platform_controls_forms.h"

using forms::Default;
using forms::Node;
using forms::tvwChild;
using forms::tvwFirst;
using forms::tvwLast;
using forms::tvwNext;
using forms::tvwPrevious;
using pctest::ErrorOf;
using pctest::frmCatalogue;

namespace {

// Two composers with their albums, keyed as the catalogue keys them.
void FillComposers(forms::TreeView& tree) {
    tree.Nodes().Add({}, tvwLast, "Bach", "Bach", 1);
    tree.Nodes().Add("Bach", tvwChild, "P 1", "Goldberg Variations", 2);
    tree.Nodes().Add("Bach", tvwChild, "P 2", "Mass in B minor", 2);
    tree.Nodes().Add({}, tvwLast, "Brahms", "Brahms", 1);
    tree.Nodes().Add("Brahms", tvwChild, "P 3", "Symphony No. 4", 2);
}

std::vector<std::string> ChildKeys(const Node* parent) {
    std::vector<std::string> keys;
    for (Node* n = parent->Child(); n; n = n->Next()) keys.push_back(n->Key());
    return keys;
}

TEST(PlatformTreeView, KeysIndexesAndCollectionErrors) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::Nodes& nodes = f.treMain.Nodes();
    FillComposers(f.treMain);
    EXPECT_EQ(nodes.Count(), 5);
    EXPECT_EQ(nodes(vb::Variant("Brahms")).Index(), 4);
    EXPECT_EQ(nodes(vb::Variant(2)).Key(), "P 1");
    EXPECT_EQ(nodes(vb::Variant(3)).Text(), "Mass in B minor");

    EXPECT_EQ(ErrorOf([&] { nodes.Add({}, tvwLast, "Bach", "again"); }), 35602);
    EXPECT_EQ(ErrorOf([&] { nodes.Add("Mozart", tvwChild, "P 9", "x"); }), 35601);
    EXPECT_EQ(ErrorOf([&] { nodes(vb::Variant("Mozart")); }), 35601);
    EXPECT_EQ(ErrorOf([&] { nodes(vb::Variant(6)); }), 35600);
    EXPECT_EQ(ErrorOf([&] { nodes(vb::Variant(0)); }), 35600);
    EXPECT_EQ(ErrorOf([&] { nodes.Add("Bach", 7, "P 9", "x"); }), 5);
    EXPECT_EQ(nodes.Count(), 5);  // nothing was added by the failures
    try {
        nodes(vb::Variant("Mozart"));
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.description(), "Element not found");
    }

    // Changing a key keeps the index by key in step; a key in use is refused.
    Node& album = nodes(vb::Variant("P 3"));
    album.Key("P 30");
    EXPECT_EQ(&nodes(vb::Variant("P 30")), &album);
    EXPECT_EQ(ErrorOf([&] { nodes(vb::Variant("P 3")); }), 35601);
    EXPECT_EQ(ErrorOf([&] { album.Key("Bach"); }), 35602);

    // Removing a composer takes its albums along; the rest are renumbered.
    auto removed = nodes(vb::Variant("P 1")).Ref();
    nodes.Remove(vb::Variant("Bach"));
    EXPECT_EQ(nodes.Count(), 2);
    EXPECT_EQ(nodes(vb::Variant("Brahms")).Index(), 1);
    EXPECT_EQ(nodes(vb::Variant(2)).Key(), "P 30");
    EXPECT_EQ(ErrorOf([&] { nodes(vb::Variant("P 2")); }), 35601);
    EXPECT_EQ(ErrorOf([&] { removed->Text(); }), 35605);
    nodes.Add({}, tvwLast, "Bach", "Bach");  // the key is free again

    auto tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 0);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(f.treMain.SelectedItem(), nullptr);
}

TEST(PlatformTreeView, RelativesAndPlacement) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    FillComposers(f.treMain);
    forms::Nodes& nodes = f.treMain.Nodes();
    Node& bach = nodes(vb::Variant("Bach"));
    Node& mass = nodes(vb::Variant("P 2"));
    EXPECT_EQ(bach.Children(), 2);
    EXPECT_EQ(bach.Child()->Key(), "P 1");
    EXPECT_EQ(bach.Parent(), nullptr);
    EXPECT_EQ(bach.Next()->Key(), "Brahms");
    EXPECT_EQ(mass.Parent(), &bach);
    EXPECT_EQ(mass.Root(), &bach);
    EXPECT_EQ(mass.Previous()->Key(), "P 1");
    EXPECT_EQ(mass.Next(), nullptr);
    EXPECT_EQ(mass.FirstSibling()->Key(), "P 1");
    EXPECT_EQ(nodes(vb::Variant("P 1")).LastSibling(), &mass);
    EXPECT_EQ(mass.FullPath(), "Bach\\Mass in B minor");
    EXPECT_EQ(nodes(vb::Variant("P 3")).Children(), 0);
    EXPECT_EQ(nodes(vb::Variant("P 3")).Child(), nullptr);

    // Relationships relative to an album: next, previous, first, last.
    nodes.Add("P 1", tvwNext, "a", "after Goldberg");
    nodes.Add("P 1", tvwPrevious, "b", "before Goldberg");
    nodes.Add("P 2", tvwFirst, "c", "first");
    nodes.Add("P 1", tvwLast, "d", "last");
    EXPECT_EQ(ChildKeys(&bach), (std::vector<std::string>{"c", "b", "P 1", "a", "P 2", "d"}));
    EXPECT_EQ(bach.Children(), 6);
    // Indexes keep the order of adding, not the order in the tree.
    EXPECT_EQ(nodes(vb::Variant("c")).Index(), 8);
    // The widget shows the same order.
    QTreeWidgetItem* item = f.treMain.ItemOfNode(bach);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->childCount(), 6);
    EXPECT_EQ(item->child(0)->text(0).toStdString(), "first");
    EXPECT_EQ(item->child(3)->text(0).toStdString(), "after Goldberg");
    // A node given by object works as relative too.
    Node& brahms = nodes(vb::Variant("Brahms"));
    nodes.Add(vb::Variant(brahms.Ref()), tvwChild, "P 4", "Symphony No. 1");
    EXPECT_EQ(brahms.Children(), 2);
    mass.Text("Mass");
    EXPECT_EQ(item->child(4)->text(0).toStdString(), "Mass");
}

TEST(PlatformTreeView, SelectionFromCodeRaisesNoNodeClick) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    FillComposers(f.treMain);
    Node& mass = f.treMain.Nodes()(vb::Variant("P 2"));
    EXPECT_EQ(f.treMain.SelectedItem(), nullptr);
    mass.Selected(true);
    EXPECT_EQ(f.treMain.SelectedItem(), &mass);
    EXPECT_TRUE(mass.Selected());
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    EXPECT_EQ(tree->currentItem(), f.treMain.ItemOfNode(mass));
    f.treMain.SelectedItem(&f.treMain.Nodes()(vb::Variant(1)));
    EXPECT_FALSE(mass.Selected());
    EXPECT_TRUE(f.log.empty());
    // Removing the selected node leaves nothing selected.
    f.treMain.Nodes().Remove(vb::Variant(1));
    EXPECT_EQ(f.treMain.SelectedItem(), nullptr);
}

TEST(PlatformTreeView, ClicksAndExpandingThroughTheWidget) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    FillComposers(f.treMain);
    forms::Nodes& nodes = f.treMain.Nodes();
    Node& bach = nodes(vb::Variant("Bach"));

    // Expanding from code raises Expand once; the widget opens.
    bach.Expanded(true);
    bach.Expanded(true);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Bach"}));
    EXPECT_TRUE(f.treMain.ItemOfNode(bach)->isExpanded());
    f.log.clear();

    // A click on an album: NodeClick with that node, which is now selected.
    ASSERT_TRUE(forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 2"))));
    EXPECT_EQ(f.log, (std::vector<std::string>{"NodeClick P 2"}));
    EXPECT_EQ(f.treMain.SelectedItem()->Key(), "P 2");
    // Clicking the selected node again is a node click again.
    ASSERT_TRUE(forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 2"))));
    EXPECT_EQ(f.log.size(), 2u);
    f.log.clear();

    // An album of a closed composer cannot be clicked; the plus box opens it.
    Node& brahms = nodes(vb::Variant("Brahms"));
    EXPECT_FALSE(forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 3"))));
    ASSERT_TRUE(forms::testing::ClickExpander(f.treMain, brahms));
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Brahms"}));
    EXPECT_TRUE(brahms.Expanded());
    EXPECT_EQ(f.treMain.SelectedItem()->Key(), "P 2");  // the plus box selects nothing
    ASSERT_TRUE(forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 3"))));
    ASSERT_TRUE(forms::testing::ClickExpander(f.treMain, brahms));
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Brahms", "NodeClick P 3", "Collapse Brahms"}));
    EXPECT_FALSE(brahms.Expanded());
    f.log.clear();

    // Moving with the keyboard is a node click too.
    forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 1")));
    f.log.clear();
    QTest::keyClick(f.treMain.Widget(), Qt::Key_Down);
    EXPECT_EQ(f.log, (std::vector<std::string>{"NodeClick P 2"}));
    EXPECT_EQ(f.treMain.SelectedItem()->Key(), "P 2");
}

TEST(PlatformTreeView, ImagesComeFromTheImageList) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    FillComposers(f.treMain);
    forms::Nodes& nodes = f.treMain.Nodes();
    EXPECT_EQ(nodes(vb::Variant("P 1")).Image().ToLong(), 2);
    EXPECT_FALSE(f.treMain.ItemOfNode(nodes(vb::Variant("P 1")))->icon(0).isNull());
    EXPECT_EQ(ErrorOf([&] { nodes.Add({}, tvwLast, "x", "x", 3); }), 35600);
    EXPECT_EQ(ErrorOf([&] { nodes.Add({}, tvwLast, "x", "x", "nope"); }), 35601);
    nodes.Add({}, tvwLast, "y", "y", "album");  // by key
    EXPECT_EQ(f.imglstTree.ListImages()(vb::Variant("album")).Index(), 2);
    EXPECT_EQ(ErrorOf([&] { f.imglstTree.ListImages().Add(0, "album", pctest::SolidPicture(Qt::red)); }), 35602);
    EXPECT_EQ(ErrorOf([&] { f.imglstTree.ListImages()(vb::Variant(3)); }), 35600);

    // Without an image list a picture cannot be given.
    f.treMain.ImageList(nullptr);
    EXPECT_EQ(ErrorOf([&] { nodes.Add({}, tvwLast, "z", "z", 1); }), 35613);
    EXPECT_TRUE(f.treMain.ItemOfNode(nodes(vb::Variant("P 1")))->icon(0).isNull());
}

TEST(PlatformTreeView, LateBoundMembersAndUnload) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    vb::ObjectRef tree = f.GetMember("treMain").ToObject();
    vb::ObjectRef nodes = tree->GetMember("Nodes").ToObject();
    nodes->CallMember("Add", {vb::Variant(), vb::Variant(), vb::Variant("Bach"), vb::Variant("Bach"), vb::Variant(1)});
    vb::Variant child = nodes->CallMember("Add", {vb::Variant("Bach"), vb::Variant(4), vb::Variant("P 12"),
                                                  vb::Variant("Goldberg"), vb::Variant(2)});
    EXPECT_EQ(nodes->GetMember("Count").ToLong(), 2);
    EXPECT_EQ(child.ToObject()->GetMember("Key").ToString(), "P 12");
    // The catalogue takes the product number from the key's third character on.
    EXPECT_EQ(child.ToObject()->GetMember("Key").ToString().substr(2), "12");
    vb::ObjectRef bach = nodes->CallMember("Item", {vb::Variant(1)}).ToObject();
    EXPECT_EQ(bach->GetMember("Children").ToLong(), 1);
    EXPECT_EQ(bach->GetMember("Child").ToObject()->GetMember("Text").ToString(), "Goldberg");
    EXPECT_FALSE(bach->GetMember("Parent").ToObject());
    bach->SetMember("Expanded", vb::Variant(true));
    child.ToObject()->SetMember("Selected", vb::Variant(true));
    EXPECT_EQ(tree->GetMember("SelectedItem").ToObject()->GetMember("Index").ToLong(), 2);
    EXPECT_EQ(ErrorOf([&] { bach->GetMember("Colour"); }), 438);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Bach"}));

    // The nodes belong to the loaded form: unloading lets go of them.
    forms::Unload(f);
    EXPECT_EQ(f.treMain.Nodes().Count(), 0);
    EXPECT_EQ(ErrorOf([&] { bach->GetMember("Text"); }), 35605);
}

}  // namespace

namespace {

// The catalogue's expand handler: a composer whose first child has no text
// (a placeholder) gets its albums when opened.
TEST(PlatformTreeView, ExpandHandlerReplacesAPlaceholderWhileOpening) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    forms::Nodes& nodes = f.treMain.Nodes();
    nodes.Add({}, tvwLast, "Haydn", "Haydn", 1);
    nodes.Add("Haydn", tvwChild, "", "");  // the placeholder
    f.treMain.Expand = [&](Node& node) {
        f.log.push_back("Expand " + node.Key());
        if (node.Child()->Text() != "") return;
        nodes.Remove(vb::Variant(node.Child()->Index()));
        nodes.Add(node.Key(), tvwChild, "P 7", "The Creation", 2);
        nodes.Add(node.Key(), tvwChild, "P 8", "London Symphonies", 2);
        node.Child()->Selected(true);
    };
    Node& haydn = nodes(vb::Variant("Haydn"));
    ASSERT_TRUE(forms::testing::ClickExpander(f.treMain, haydn));
    EXPECT_EQ(f.log, (std::vector<std::string>{"Expand Haydn"}));
    EXPECT_EQ(ChildKeys(&haydn), (std::vector<std::string>{"P 7", "P 8"}));
    EXPECT_EQ(f.treMain.SelectedItem()->Key(), "P 7");
    QTreeWidgetItem* item = f.treMain.ItemOfNode(haydn);
    ASSERT_EQ(item->childCount(), 2);
    EXPECT_TRUE(item->isExpanded());
    EXPECT_EQ(item->child(1)->text(0).toStdString(), "London Symphonies");
    // Opening it again adds nothing.
    haydn.Expanded(false);
    haydn.Expanded(true);
    EXPECT_EQ(haydn.Children(), 2);
    EXPECT_TRUE(forms::testing::ClickNode(f.treMain, nodes(vb::Variant("P 8"))));
}

TEST(PlatformTreeView, StyleIndentationAndALoadAfterUnload) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    FillComposers(f.treMain);
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    QTreeWidgetItem* bach = f.treMain.ItemOfNode(f.treMain.Nodes()(vb::Variant("Bach")));
    EXPECT_TRUE(tree->rootIsDecorated());
    EXPECT_FALSE(bach->icon(0).isNull());
    f.treMain.Style(4);  // lines and text only
    EXPECT_FALSE(tree->rootIsDecorated());
    EXPECT_TRUE(bach->icon(0).isNull());
    EXPECT_EQ(ErrorOf([&] { f.treMain.Style(8); }), 380);
    f.treMain.Indentation(450);
    EXPECT_EQ(tree->indentation(), 30);
    f.treMain.ImageList(nullptr);

    // Unloading brings back the designed style and image list; the tree is
    // empty and works as before.
    forms::Unload(f);
    f.Show();
    EXPECT_EQ(f.treMain.Style(), 7);
    EXPECT_EQ(f.treMain.ImageList(), &f.imglstTree);
    EXPECT_EQ(f.treMain.Nodes().Count(), 0);
    FillComposers(f.treMain);
    f.treMain.Nodes()(vb::Variant("Bach")).Expanded(true);
    f.log.clear();
    ASSERT_TRUE(forms::testing::ClickNode(f.treMain, f.treMain.Nodes()(vb::Variant("P 1"))));
    EXPECT_EQ(f.log, (std::vector<std::string>{"NodeClick P 1"}));
}

TEST(PlatformImageList, ImagesByIndexAndKey) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    forms::ListImages& images = f.imglstTree.ListImages();
    EXPECT_EQ(images.Count(), 2);
    images.Add(1, "first", pctest::SolidPicture(Qt::green));
    EXPECT_EQ(images(vb::Variant("album")).Index(), 3);
    EXPECT_EQ(images(vb::Variant(1)).Key(), "first");
    EXPECT_EQ(ErrorOf([&] { images.Add(0, "", nullptr); }), 35607);
    EXPECT_EQ(ErrorOf([&] { images.Add(9, "", pctest::SolidPicture(Qt::green)); }), 35600);
    images.Remove(vb::Variant("first"));
    EXPECT_EQ(images(vb::Variant("album")).Index(), 2);
    EXPECT_FALSE(f.imglstTree.Icon(vb::Variant(2)).isNull());
    EXPECT_TRUE(f.imglstTree.Icon(vb::Variant(5)).isNull());
    // An empty key names no image, not the first image without a key.
    EXPECT_EQ(ErrorOf([&] { images(vb::Variant("")); }), 35601);
    EXPECT_TRUE(f.imglstTree.Icon(vb::Variant("")).isNull());
    EXPECT_EQ(ErrorOf([&] { f.treMain.Nodes().Add({}, tvwLast, "k", "k", ""); }), 35601);
    vb::ObjectRef list = f.GetMember("imglstTree").ToObject()->GetMember("ListImages").ToObject();
    EXPECT_EQ(list->GetMember("Count").ToLong(), 2);
    // The images added at run time go when the form unloads.
    images.Add(pctest::SolidPicture(Qt::yellow));
    forms::Unload(f);
    EXPECT_EQ(f.imglstTree.ListImages().Count(), 2);
}

}  // namespace
