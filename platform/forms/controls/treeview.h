#pragma once
// TreeView: a tree of nodes, each with a key, a text and an image from an
// image list. Nodes are numbered from 1 in the order they were added; a key
// names a node uniquely.
//
//     treMain.Nodes().Add(vb::Variant(), forms::tvwLast, "Bach", "Bach", 1);
//     treMain.Nodes().Add("Bach", forms::tvwChild, "P 12", "Goldberg Variations", 2);
//     treMain.NodeClick = [this](forms::Node& Node) { ... };
//
// Events: NodeClick(Node) when the user clicks a node (or moves to one with
// the keyboard), Expand(Node) and Collapse(Node) when a node opens or closes
// (by the user or by setting Expanded), and the common Click, DblClick,
// mouse and key events.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QIcon>

#include "control.h"
#include "treeview_key_index.h"
#include "treeview_node_texts.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace forms {

class ImageList;
class TreeView;
class Nodes;
class Node;

namespace detail {
struct NodeKeyOf {
    std::string_view operator()(const Node& node) const;
};
}  // namespace detail

// Where Nodes.Add puts a node relative to another.
constexpr int tvwFirst = 0;     // first sibling of the relative
constexpr int tvwLast = 1;      // last sibling of the relative
constexpr int tvwNext = 2;      // right after the relative
constexpr int tvwPrevious = 3;  // right before the relative
constexpr int tvwChild = 4;     // last child of the relative

class Node : public vb::Object {
public:
    std::string TypeName() const override { return "Node"; }

    // Every member raises error 35605 once the node was removed from its tree.
    std::string Key() const;
    void Key(const std::string& key);  // error 35602 when another node has it
    std::string Text() const;
    void Text(const std::string& text);
    // Index or key of the image in the tree's image list; Empty for none.
    vb::Variant Image() const;
    void Image(const vb::Variant& image);
    std::string Tag() const;
    void Tag(const std::string& tag);
    // 1-based place in the tree's Nodes collection.
    int Index() const;

    // Number of children, and the relatives (null where there is none).
    int Children() const;
    Node* Child() const;         // the first child
    Node* Parent() const;
    Node* Next() const;          // the next sibling
    Node* Previous() const;      // the previous sibling
    Node* FirstSibling() const;
    Node* LastSibling() const;
    Node* Root() const;          // the top-level node above (or this one)
    // Texts from the top-level node down to this one, joined with the tree's
    // PathSeparator.
    std::string FullPath() const;

    // Setting Expanded raises Expand or Collapse when it changes.
    bool Expanded() const;
    void Expanded(bool expanded);
    // Setting Selected to True makes the node the tree's SelectedItem (no
    // NodeClick).
    bool Selected() const;
    void Selected(bool selected);
    // Opens the node's ancestors.
    void EnsureVisible();

    TreeView* Tree() const { return tree_; }
    std::shared_ptr<Node> Ref() { return std::static_pointer_cast<Node>(shared_from_this()); }

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class Nodes;
    friend class TreeView;
    friend struct detail::NodeKeyOf;
    void CheckAlive() const;
    void SetImage(const vb::Variant& image);

    // What few nodes have: a tag, or an image named by key (or by a number
    // given as another kind than Integer or Long).
    struct Extra {
        std::string tag;
        vb::Variant image;
    };
    // How the node names its image.
    enum class ImageKind : std::uint8_t { None, Integer, Long, Other };

    // A tree holds many nodes: a node keeps its texts in one block, its
    // image as a number, and the rest only when it has any.
    TreeView* tree_ = nullptr;  // null once removed
    detail::NodeTexts texts_;   // key and text
    Node* parent_ = nullptr;
    Node* firstChild_ = nullptr;
    Node* lastChild_ = nullptr;
    Node* next_ = nullptr;
    Node* prev_ = nullptr;
    // The node's item in the widget: made when the widget first shows the
    // node (or is asked for it), not when the node is added.
    QTreeWidgetItem* item_ = nullptr;
    std::unique_ptr<Extra> extra_;
    int index_ = 0;
    int childCount_ = 0;
    std::int32_t imageNumber_ = 0;
    ImageKind imageKind_ = ImageKind::None;
    bool expanded_ = false;
    bool childItems_ = false;  // the children have their items
};

// The Nodes collection of a tree.
class Nodes : public vb::Object {
public:
    explicit Nodes(TreeView& tree) : tree_(tree) {}
    std::string TypeName() const override { return "Nodes"; }

    // Adds a node. `relative` is the index or key of an existing node, or
    // Empty for a top-level node at the end. Errors: 35601 unknown relative,
    // 35602 key already used, 35600 image index beyond the image list,
    // 35613 an image without an image list, 5 a bad relationship.
    Node& Add(const vb::Variant& relative = {}, int relationship = tvwNext, const std::string& key = {},
              const std::string& text = {}, const vb::Variant& image = {});
    int Count() const { return static_cast<int>(order_.size()); }
    // By 1-based index (error 35600 out of range) or key (error 35601).
    Node& Item(const vb::Variant& indexOrKey) const;
    Node& operator()(const vb::Variant& indexOrKey) const { return Item(indexOrKey); }
    // Null when there is no such node.
    Node* Find(const vb::Variant& indexOrKey) const;
    // Removes the node and everything below it.
    void Remove(const vb::Variant& indexOrKey);
    void Clear();

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class Node;
    friend class TreeView;
    void Renumber(std::size_t from);
    void Detach(Node& node);
    void Link(Node& node, Node* relative, int relationship);

    TreeView& tree_;
    Node top_;  // holds the top-level nodes as its children
    std::vector<std::shared_ptr<Node>> order_;
    detail::KeyIndex<Node, detail::NodeKeyOf> byKey_;
};

class TreeView : public Control {
public:
    TreeView(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 2895,
             Twips height = 2895);
    ~TreeView() override;
    std::string TypeName() const override { return "TreeView"; }
    const char* WindowClass() const override { return "TreeViewWndClass"; }

    forms::Nodes& Nodes();
    // The selected node, or null.
    Node* SelectedItem() const;
    void SelectedItem(Node* node);  // no NodeClick
    forms::ImageList* ImageList() const { return imageList_; }
    void ImageList(forms::ImageList* images);
    // 0 text only ... 7 tree lines, plus/minus, pictures and text (the default).
    std::int16_t Style() const;
    void Style(std::int16_t v);
    // 0 none, 1 fixed single.
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);
    // 0 lines between siblings, 1 lines to the top-level nodes too.
    std::int16_t LineStyle() const;
    void LineStyle(std::int16_t v);
    // Indentation of each level, in twips.
    Twips Indentation() const;
    void Indentation(Twips v);
    bool HideSelection() const;
    void HideSelection(bool v);
    std::string PathSeparator() const;
    void PathSeparator(const std::string& v);

    // Events.
    std::function<void(Node& Node)> NodeClick;
    std::function<void(Node& Node)> Expand;
    std::function<void(Node& Node)> Collapse;

    // The node behind a widget item (for the test driver and the widget).
    Node* NodeOfItem(const QTreeWidgetItem* item) const;
    // The node's item in the widget, with the items of its children; null
    // while not loaded. The widget makes a node's item only when it shows
    // the node, so this makes it (and its parents') when needed.
    QTreeWidgetItem* ItemOfNode(Node& node);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    friend class Node;
    friend class forms::Nodes;
    class TreeWidget;
    friend class TreeWidget;

    class NodeItem;

    QTreeWidget* Tree() const;
    // Keeps the widget in step with the nodes. A node has an item once its
    // parent's children have theirs (the top-level nodes always do).
    void ItemAdded(Node& node);
    void ItemRemoved(Node& node);
    void ChildrenChanged(Node& parent);
    void ItemChanged(Node& node);
    void ItemExpanded(Node& node);
    void ItemSelected(Node* node);
    void BuildItems();
    void RefreshIcons();
    void ApplyLook();
    QTreeWidgetItem* MakeItem(Node& node);
    QTreeWidgetItem* ParentItem(Node& parent) const;
    // Gives the children of `parent` (which has its item) their items.
    void MakeChildItems(Node& parent);
    // The node's item, made with its parents' when needed.
    QTreeWidgetItem* ItemFor(Node& node);
    // What the widget shows for a node.
    QIcon IconOf(const Node& node) const;
    void CheckImage(const vb::Variant& image) const;
    // Called when the tree no longer has the node.
    void Forget(Node& node);

    // From the widget.
    void UserCurrentChanged(QTreeWidgetItem* item, bool byMouse);
    void UserClicked(QTreeWidgetItem* item);
    void UserExpanded(QTreeWidgetItem* item, bool expanded);
    void RaiseNodeEvent(const std::function<void(Node&)>& handler, Node& node);

    struct State {
        std::int16_t style = 7;
        std::int16_t borderStyle = 0;
        std::int16_t lineStyle = 0;
        Twips indentation = 566.9291f;
        bool hideSelection = true;
        std::string pathSeparator = "\\";
    };
    State state_, design_;
    std::shared_ptr<forms::Nodes> nodes_;
    mutable std::map<std::string, QIcon> icons_;  // by image, as the widget draws them
    Node* selected_ = nullptr;
    forms::ImageList* imageList_ = nullptr;
    forms::ImageList* designImageList_ = nullptr;
    int syncing_ = 0;      // the widget is being changed by code: no events
    int mouseDepth_ = 0;   // inside a mouse press on the widget
    int keyDepth_ = 0;     // inside a key press on the widget
};

}  // namespace forms
