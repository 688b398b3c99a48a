#include "treeview.h"

#include <algorithm>
#include <unordered_set>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

#include "application.h"
#include "collection_members.h"
#include "err.h"
#include "form.h"
#include "imagelist.h"
#include "keyed_items.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

namespace {

Node* NodeFromVariant(const vb::Variant& v) {
    if (!v.IsObject()) vb::RaiseError(13);
    vb::ObjectRef o = v.ToObject();
    if (!o) return nullptr;
    auto* node = dynamic_cast<Node*>(o.get());
    if (!node) vb::RaiseError(13);
    return node;
}

constexpr int kNodeRole = Qt::UserRole + 1;

}  // namespace

// ---- the widget ----

// The tree widget; it tells its control whether a change of the current item
// comes from the mouse or the keyboard.
class TreeView::TreeWidget : public QTreeWidget {
public:
    TreeWidget(TreeView* owner, QWidget* parent) : QTreeWidget(parent), owner_(owner) {}
    TreeView* owner_;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        Depth d(owner_ ? &owner_->mouseDepth_ : nullptr);
        QTreeWidget::mousePressEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        Depth d(owner_ ? &owner_->keyDepth_ : nullptr);
        QTreeWidget::keyPressEvent(e);
    }
    // A node wider than the tree is not cut short: the one column is as wide
    // as the tree or as its widest shown node, and a horizontal scroll bar
    // comes when the nodes are wider.
    void updateGeometries() override {
        if (!sizing_ && columnCount() == 1) {
            sizing_ = true;
            const int wanted = std::max(viewport()->width(), sizeHintForColumn(0));
            if (header()->sectionSize(0) != wanted) header()->resizeSection(0, wanted);
            sizing_ = false;
        }
        QTreeWidget::updateGeometries();
    }

private:
    bool sizing_ = false;
    struct Depth {
        explicit Depth(int* p) : p_(p) {
            if (p_) ++*p_;
        }
        ~Depth() {
            if (p_) --*p_;
        }
        int* p_;
    };
};

// ---- Node ----

void Node::CheckAlive() const {
    if (!tree_) detail::ItemRemoved();
}

std::string Node::Key() const {
    CheckAlive();
    return key_;
}

void Node::Key(const std::string& key) {
    CheckAlive();
    if (key == key_) return;
    auto& byKey = tree_->nodes_->byKey_;
    if (!key.empty() && byKey.count(key)) detail::KeyNotUnique();
    if (!key_.empty()) byKey.erase(key_);
    key_ = key;
    if (!key_.empty()) byKey[key_] = this;
}

std::string Node::Text() const {
    CheckAlive();
    return text_;
}

void Node::Text(const std::string& text) {
    CheckAlive();
    text_ = text;
    tree_->ItemChanged(*this);
}

vb::Variant Node::Image() const {
    CheckAlive();
    return image_;
}

void Node::Image(const vb::Variant& image) {
    CheckAlive();
    tree_->CheckImage(image);
    image_ = image;
    tree_->ItemChanged(*this);
}

std::string Node::Tag() const {
    CheckAlive();
    return tag_;
}

void Node::Tag(const std::string& tag) {
    CheckAlive();
    tag_ = tag;
}

int Node::Index() const {
    CheckAlive();
    return index_;
}

int Node::Children() const {
    CheckAlive();
    return childCount_;
}

Node* Node::Child() const {
    CheckAlive();
    return firstChild_;
}

Node* Node::Parent() const {
    CheckAlive();
    return parent_ == &tree_->nodes_->top_ ? nullptr : parent_;
}

Node* Node::Next() const {
    CheckAlive();
    return next_;
}

Node* Node::Previous() const {
    CheckAlive();
    return prev_;
}

Node* Node::FirstSibling() const {
    CheckAlive();
    return parent_->firstChild_;
}

Node* Node::LastSibling() const {
    CheckAlive();
    return parent_->lastChild_;
}

Node* Node::Root() const {
    CheckAlive();
    const Node* top = &tree_->nodes_->top_;
    const Node* n = this;
    while (n->parent_ != top) n = n->parent_;
    return const_cast<Node*>(n);
}

std::string Node::FullPath() const {
    CheckAlive();
    const Node* top = &tree_->nodes_->top_;
    std::string path = text_;
    for (const Node* n = parent_; n != top; n = n->parent_) path = n->text_ + tree_->state_.pathSeparator + path;
    return path;
}

bool Node::Expanded() const {
    CheckAlive();
    return expanded_;
}

void Node::Expanded(bool expanded) {
    CheckAlive();
    if (expanded_ == expanded) return;
    expanded_ = expanded;
    TreeView* tree = tree_;
    tree->ItemExpanded(*this);
    tree->RaiseNodeEvent(expanded ? tree->Expand : tree->Collapse, *this);
}

bool Node::Selected() const {
    CheckAlive();
    return tree_->selected_ == this;
}

void Node::Selected(bool selected) {
    CheckAlive();
    if (selected) {
        tree_->ItemSelected(this);
    } else if (tree_->selected_ == this) {
        tree_->ItemSelected(nullptr);
    }
}

void Node::EnsureVisible() {
    CheckAlive();
    for (Node* p = Parent(); p; p = p->Parent()) {
        if (!p->expanded_) p->Expanded(true);
    }
    if (item_) {
        QTreeWidgetItem* item = item_;
        tree_->Tree()->scrollToItem(item);
    }
}

vb::Variant Node::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "key") return vb::Variant(Key());
    if (n == "text") return vb::Variant(Text());
    if (n == "image") return Image();
    if (n == "tag") return vb::Variant(Tag());
    if (n == "index") return vb::Variant(Index());
    if (n == "children") return vb::Variant(Children());
    if (n == "child") return detail::ObjectVariant(Child());
    if (n == "parent") return detail::ObjectVariant(Parent());
    if (n == "next") return detail::ObjectVariant(Next());
    if (n == "previous") return detail::ObjectVariant(Previous());
    if (n == "firstsibling") return detail::ObjectVariant(FirstSibling());
    if (n == "lastsibling") return detail::ObjectVariant(LastSibling());
    if (n == "root") return detail::ObjectVariant(Root());
    if (n == "fullpath") return vb::Variant(FullPath());
    if (n == "expanded") return vb::Variant(Expanded());
    if (n == "selected") return vb::Variant(Selected());
    return vb::Object::GetMember(name);
}

void Node::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "key") return Key(value.ToString());
    if (n == "text") return Text(value.ToString());
    if (n == "image") return Image(value);
    if (n == "tag") return Tag(value.ToString());
    if (n == "expanded") return Expanded(value.ToBool());
    if (n == "selected") return Selected(value.ToBool());
    vb::Object::SetMember(name, value);
}

vb::Variant Node::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (detail::Lower(name) == "ensurevisible") {
        EnsureVisible();
        return {};
    }
    if (args.empty()) return GetMember(name);
    return vb::Object::CallMember(name, args);
}

// ---- Nodes ----

Node* Nodes::Find(const vb::Variant& indexOrKey) const {
    return detail::FindItem(order_, indexOrKey, [this](const std::string& key) -> Node* {
        auto it = byKey_.find(key);
        return it == byKey_.end() ? nullptr : it->second;
    });
}

Node& Nodes::Item(const vb::Variant& indexOrKey) const {
    if (Node* node = Find(indexOrKey)) return *node;
    detail::NoSuchItem(indexOrKey);
}

void Nodes::Link(Node& node, Node* relative, int relationship) {
    Node* parent = &top_;
    Node* after = nullptr;  // insert after this sibling; null: first
    if (relative) {
        switch (relationship) {
        case tvwChild:
            parent = relative;
            after = relative->lastChild_;
            break;
        case tvwFirst:
            parent = relative->parent_;
            break;
        case tvwLast:
            parent = relative->parent_;
            after = parent->lastChild_;
            break;
        case tvwNext:
            parent = relative->parent_;
            after = relative;
            break;
        case tvwPrevious:
            parent = relative->parent_;
            after = relative->prev_;
            break;
        default:
            vb::RaiseError(5);
        }
    } else if (relationship != tvwFirst) {
        after = top_.lastChild_;
    }
    node.parent_ = parent;
    node.prev_ = after;
    node.next_ = after ? after->next_ : parent->firstChild_;
    if (node.prev_) {
        node.prev_->next_ = &node;
    } else {
        parent->firstChild_ = &node;
    }
    if (node.next_) {
        node.next_->prev_ = &node;
    } else {
        parent->lastChild_ = &node;
    }
    ++parent->childCount_;
}

void Nodes::Detach(Node& node) {
    Node* parent = node.parent_;
    if (node.prev_) {
        node.prev_->next_ = node.next_;
    } else {
        parent->firstChild_ = node.next_;
    }
    if (node.next_) {
        node.next_->prev_ = node.prev_;
    } else {
        parent->lastChild_ = node.prev_;
    }
    --parent->childCount_;
    node.prev_ = node.next_ = nullptr;
}

Node& Nodes::Add(const vb::Variant& relative, int relationship, const std::string& key, const std::string& text,
                 const vb::Variant& image) {
    Node* rel = nullptr;
    const bool hasRelative = !relative.IsEmpty() && !(relative.IsObject() && !relative.ToObject());
    if (hasRelative) {
        rel = relative.IsObject() ? NodeFromVariant(relative) : Find(relative);
        if (!rel || rel->tree_ != &tree_) detail::ElementNotFound();
    }
    if (relationship < tvwFirst || relationship > tvwChild) vb::RaiseError(5);
    if (!key.empty() && byKey_.count(key)) detail::KeyNotUnique();
    tree_.CheckImage(image);

    auto node = std::make_shared<Node>();
    node->tree_ = &tree_;
    node->key_ = key;
    node->text_ = text;
    node->image_ = image;
    node->index_ = Count() + 1;
    Link(*node, rel, relationship);
    order_.push_back(node);
    if (!key.empty()) byKey_[key] = node.get();
    tree_.ItemAdded(*node);
    return *node;
}

void Nodes::Remove(const vb::Variant& indexOrKey) {
    Node& node = Item(indexOrKey);
    auto keep = node.Ref();
    // Everything below the node goes with it.
    std::unordered_set<const Node*> gone;
    std::vector<Node*> stack{&node};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        gone.insert(n);
        for (Node* c = n->firstChild_; c; c = c->next_) stack.push_back(c);
    }
    tree_.ItemRemoved(node);
    Detach(node);
    std::size_t first = order_.size();
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (gone.count(order_[i].get())) {
            first = i;
            break;
        }
    }
    for (const Node* n : gone) {
        if (!n->key_.empty()) byKey_.erase(n->key_);
        tree_.Forget(*const_cast<Node*>(n));
    }
    order_.erase(std::remove_if(order_.begin(), order_.end(),
                                [&](const std::shared_ptr<Node>& n) { return gone.count(n.get()) > 0; }),
                 order_.end());
    Renumber(first);
}

void Nodes::Clear() {
    auto nodes = std::move(order_);
    order_.clear();
    byKey_.clear();
    top_.firstChild_ = top_.lastChild_ = nullptr;
    top_.childCount_ = 0;
    if (QTreeWidget* w = tree_.Tree()) {
        ++tree_.syncing_;
        w->clear();
        --tree_.syncing_;
    }
    for (auto& n : nodes) tree_.Forget(*n);
}

void Nodes::Renumber(std::size_t from) {
    for (std::size_t i = from; i < order_.size(); ++i) order_[i]->index_ = static_cast<int>(i + 1);
}

vb::Variant Nodes::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant Nodes::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (auto result = detail::CallCollectionMember(*this, n, args)) return *result;
    if (n == "add") {
        // Add([Relative], [Relationship], [Key], [Text], [Image])
        using detail::OptionalArg;
        using detail::OptionalString;
        Node& node = Add(OptionalArg(args, 0), detail::OptionalLong(args, 1, tvwNext), OptionalString(args, 2),
                         OptionalString(args, 3), OptionalArg(args, 4));
        return detail::ObjectVariant(&node);
    }
    return vb::Object::CallMember(name, args);
}

// ---- TreeView ----

TreeView::TreeView(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)), nodes_(std::make_shared<forms::Nodes>(*this)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

TreeView::~TreeView() {
    if (imageList_) imageList_->RemoveListener(this);
    if (widget_) TreeView::DestroyNative();
    nodes_->Clear();
}

forms::Nodes& TreeView::Nodes() {
    Touch();
    return *nodes_;
}

QTreeWidget* TreeView::Tree() const { return static_cast<QTreeWidget*>(widget_); }

Node* TreeView::SelectedItem() const {
    Touch();
    return selected_;
}

void TreeView::SelectedItem(Node* node) {
    Touch();
    if (node && node->tree_ != this) vb::RaiseError(5);
    ItemSelected(node);
}

void TreeView::ImageList(forms::ImageList* images) {
    if (imageList_) imageList_->RemoveListener(this);
    imageList_ = images;
    if (imageList_) {
        imageList_->AddListener(
            this, [this] { RefreshIcons(); },
            [this, gone = imageList_] {
                if (imageList_ == gone) imageList_ = nullptr;
                if (designImageList_ == gone) designImageList_ = nullptr;
            });
    }
    RefreshIcons();
}

std::int16_t TreeView::Style() const {
    Touch();
    return state_.style;
}

void TreeView::Style(std::int16_t v) {
    Touch();
    if (v < 0 || v > 7) vb::RaiseError(380);
    state_.style = v;
    ApplyLook();
    RefreshIcons();
}

std::int16_t TreeView::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void TreeView::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.borderStyle = v;
    ApplyLook();
}

std::int16_t TreeView::LineStyle() const {
    Touch();
    return state_.lineStyle;
}

void TreeView::LineStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.lineStyle = v;
}

Twips TreeView::Indentation() const {
    Touch();
    return state_.indentation;
}

void TreeView::Indentation(Twips v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    state_.indentation = v;
    ApplyLook();
}

bool TreeView::HideSelection() const {
    Touch();
    return state_.hideSelection;
}

void TreeView::HideSelection(bool v) {
    Touch();
    state_.hideSelection = v;
}

std::string TreeView::PathSeparator() const {
    Touch();
    return state_.pathSeparator;
}

void TreeView::PathSeparator(const std::string& v) {
    Touch();
    state_.pathSeparator = v;
}

void TreeView::CheckImage(const vb::Variant& image) const {
    if (image.IsEmpty() || image.IsNull()) return;
    if (!imageList_) throw vb::VBError(35613, "ImageList must be initialized before it can be used");
    imageList_->ListImages().Item(image);  // 35600 or 35601 when it names no image
}

Node* TreeView::NodeOfItem(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    return reinterpret_cast<Node*>(item->data(0, kNodeRole).value<quintptr>());
}

void TreeView::RaiseNodeEvent(const std::function<void(Node&)>& handler, Node& node) {
    if (!handler) return;
    auto keep = node.Ref();
    Raise([&] { handler(*keep); });
}

// ---- keeping the widget in step ----

QTreeWidgetItem* TreeView::MakeItem(Node& node) {
    auto* item = new QTreeWidgetItem();
    item->setText(0, QString::fromStdString(node.text_));
    item->setData(0, kNodeRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(&node)));
    const bool pictures = state_.style == 1 || state_.style == 3 || state_.style == 5 || state_.style == 7;
    if (imageList_ && pictures && !node.image_.IsEmpty()) item->setIcon(0, imageList_->Icon(node.image_));
    node.item_ = item;
    return item;
}

void TreeView::ItemAdded(Node& node) {
    QTreeWidget* w = Tree();
    if (!w) return;
    ++syncing_;
    QTreeWidgetItem* item = MakeItem(node);
    Node* parent = node.parent_;
    int position = 0;
    if (!node.next_) {
        position = parent->childCount_ - 1;
    } else {
        for (Node* p = node.prev_; p; p = p->prev_) ++position;
    }
    if (parent == &nodes_->top_) {
        w->insertTopLevelItem(position, item);
    } else if (parent->item_) {
        parent->item_->insertChild(position, item);
        if (parent->expanded_ && !parent->item_->isExpanded()) parent->item_->setExpanded(true);
    }
    --syncing_;
}

void TreeView::ItemRemoved(Node& node) {
    if (!node.item_) return;
    ++syncing_;
    delete node.item_;  // takes the items below with it
    --syncing_;
}

void TreeView::Forget(Node& node) {
    node.item_ = nullptr;
    node.tree_ = nullptr;
    node.parent_ = nullptr;
    node.firstChild_ = node.lastChild_ = node.next_ = node.prev_ = nullptr;
    node.childCount_ = 0;
    if (selected_ == &node) {
        selected_ = nullptr;
        if (QTreeWidget* w = Tree()) {
            ++syncing_;
            w->setCurrentItem(nullptr);
            --syncing_;
        }
    }
}

void TreeView::ItemChanged(Node& node) {
    if (!node.item_) return;
    ++syncing_;
    node.item_->setText(0, QString::fromStdString(node.text_));
    const bool pictures = state_.style == 1 || state_.style == 3 || state_.style == 5 || state_.style == 7;
    node.item_->setIcon(0, imageList_ && pictures ? imageList_->Icon(node.image_) : QIcon());
    --syncing_;
}

void TreeView::ItemExpanded(Node& node) {
    if (!node.item_) return;
    ++syncing_;
    node.item_->setExpanded(node.expanded_);
    --syncing_;
}

void TreeView::ItemSelected(Node* node) {
    selected_ = node;
    QTreeWidget* w = Tree();
    if (!w) return;
    ++syncing_;
    if (node && node->item_) {
        w->setCurrentItem(node->item_);
    } else {
        w->setCurrentItem(nullptr);
        w->clearSelection();
    }
    --syncing_;
}

void TreeView::RefreshIcons() {
    if (!Tree()) return;
    for (auto& n : nodes_->order_) ItemChanged(*n);
}

void TreeView::ApplyLook() {
    QTreeWidget* w = Tree();
    if (!w) return;
    const int s = state_.style;
    w->setRootIsDecorated(s == 2 || s == 3 || s == 6 || s == 7);
    w->setIndentation(std::max(8, TwipsToPixels(state_.indentation)));
    // The tree has its sunken edge; a fixed single border is a plain line.
    w->setFrameShape(state_.borderStyle == 1 ? QFrame::Box : QFrame::StyledPanel);
    w->setFrameShadow(state_.borderStyle == 1 ? QFrame::Plain : QFrame::Sunken);
    if (imageList_) w->setIconSize(QSize(imageList_->ImageWidth(), imageList_->ImageHeight()));
}

void TreeView::BuildItems() {
    QTreeWidget* w = Tree();
    if (!w) return;
    ++syncing_;
    w->clear();
    // Parents before children: walk the tree from the top.
    std::vector<std::pair<Node*, QTreeWidgetItem*>> stack;
    QList<QTreeWidgetItem*> topItems;
    for (Node* n = nodes_->top_.firstChild_; n; n = n->next_) topItems.append(MakeItem(*n));
    for (Node* n = nodes_->top_.firstChild_; n; n = n->next_) stack.emplace_back(n, n->item_);
    while (!stack.empty()) {
        auto [node, item] = stack.back();
        stack.pop_back();
        for (Node* c = node->firstChild_; c; c = c->next_) {
            item->addChild(MakeItem(*c));
            stack.emplace_back(c, c->item_);
        }
    }
    w->addTopLevelItems(topItems);
    for (auto& n : nodes_->order_) {
        if (n->expanded_ && n->item_) n->item_->setExpanded(true);
    }
    if (selected_ && selected_->item_) w->setCurrentItem(selected_->item_);
    --syncing_;
}

QWidget* TreeView::CreateWidget(QWidget* parent) {
    auto* w = new TreeWidget(this, parent);
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    w->header()->setStretchLastSection(false);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setUniformRowHeights(true);
    w->setExpandsOnDoubleClick(true);
    detail::HookWidget(w->viewport(), this);
    QObject::connect(w, &QTreeWidget::currentItemChanged, connections_,
                     [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                         if (syncing_) return;
                         UserCurrentChanged(current, mouseDepth_ > 0);
                     });
    QObject::connect(w, &QTreeWidget::itemClicked, connections_, [this](QTreeWidgetItem* item, int) {
        if (syncing_) return;
        UserClicked(item);
    });
    QObject::connect(w, &QTreeWidget::itemExpanded, connections_, [this](QTreeWidgetItem* item) {
        if (!syncing_) UserExpanded(item, true);
    });
    QObject::connect(w, &QTreeWidget::itemCollapsed, connections_, [this](QTreeWidgetItem* item) {
        if (!syncing_) UserExpanded(item, false);
    });
    return w;
}

void TreeView::ApplyState() {
    ApplyLook();
    BuildItems();
}

void TreeView::DestroyNative() {
    if (auto* w = static_cast<TreeWidget*>(widget_)) w->owner_ = nullptr;
    for (auto& n : nodes_->order_) n->item_ = nullptr;
    Control::DestroyNative();
}

// ---- what the user does ----

void TreeView::UserCurrentChanged(QTreeWidgetItem* item, bool byMouse) {
    Node* node = NodeOfItem(item);
    selected_ = node;
    // A click raises NodeClick when the button comes up; a key at once.
    if (node && !byMouse && keyDepth_ > 0) RaiseNodeEvent(NodeClick, *node);
}

void TreeView::UserClicked(QTreeWidgetItem* item) {
    Node* node = NodeOfItem(item);
    if (!node) return;
    selected_ = node;
    RaiseNodeEvent(NodeClick, *node);
}

void TreeView::UserExpanded(QTreeWidgetItem* item, bool expanded) {
    Node* node = NodeOfItem(item);
    if (!node || node->expanded_ == expanded) return;
    node->expanded_ = expanded;
    RaiseNodeEvent(expanded ? Expand : Collapse, *node);
}

// ---- late binding ----

vb::Variant TreeView::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "nodes") {
        Touch();
        return vb::Variant(vb::ObjectRef(nodes_));
    }
    if (n == "selecteditem") return detail::ObjectVariant(SelectedItem());
    if (n == "imagelist") return imageList_ ? vb::Variant(imageList_->Ref()) : vb::Variant(vb::ObjectRef{});
    if (n == "style") return vb::Variant(Style());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    if (n == "linestyle") return vb::Variant(LineStyle());
    if (n == "indentation") return vb::Variant(Indentation());
    if (n == "hideselection") return vb::Variant(HideSelection());
    if (n == "pathseparator") return vb::Variant(PathSeparator());
    return Control::GetMember(name);
}

void TreeView::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "selecteditem") return SelectedItem(NodeFromVariant(value));
    if (n == "imagelist") {
        vb::ObjectRef o = value.ToObject();
        auto* images = dynamic_cast<forms::ImageList*>(o.get());
        if (o && !images) vb::RaiseError(13);
        return ImageList(images);
    }
    if (n == "style") return Style(value.ToInteger());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    if (n == "linestyle") return LineStyle(value.ToInteger());
    if (n == "indentation") return Indentation(static_cast<Twips>(value.ToDouble()));
    if (n == "hideselection") return HideSelection(value.ToBool());
    if (n == "pathseparator") return PathSeparator(value.ToString());
    Control::SetMember(name, value);
}

// ---- design values ----

void TreeView::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
    designImageList_ = imageList_;
}

void TreeView::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    nodes_->Clear();
    selected_ = nullptr;
    if (imageList_ != designImageList_) ImageList(designImageList_);
}

void TreeView::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const TreeView*>(&other)) {
        state_ = o->state_;
        ImageList(o->imageList_);
    }
}

}  // namespace forms
