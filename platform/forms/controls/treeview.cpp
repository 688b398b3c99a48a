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

bool ShowsPictures(std::int16_t style) { return style == 1 || style == 3 || style == 5 || style == 7; }

}  // namespace

std::string_view detail::NodeKeyOf::operator()(const Node& node) const { return node.texts_.Key(); }

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

// A node's item: it keeps nothing of its own but reads the text and the
// picture from the node each time the widget draws it.
class TreeView::NodeItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    explicit NodeItem(Node* node) : QTreeWidgetItem(kType), node_(node) {}
    Node* node() const { return node_; }
    void Changed() { emitDataChanged(); }

    QVariant data(int column, int role) const override {
        if (column == 0 && node_->tree_) {
            if (role == Qt::DisplayRole || role == Qt::EditRole)
                return QString::fromUtf8(node_->texts_.Text().data(), static_cast<qsizetype>(node_->texts_.Text().size()));
            if (role == Qt::DecorationRole) {
                QIcon icon = node_->tree_->IconOf(*node_);
                return icon.isNull() ? QVariant() : QVariant(icon);
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    Node* node_;
};

// ---- Node ----

void Node::CheckAlive() const {
    if (!tree_) detail::ItemRemoved();
}

std::string Node::Key() const {
    CheckAlive();
    return std::string(texts_.Key());
}

void Node::Key(const std::string& key) {
    CheckAlive();
    if (key == texts_.Key()) return;
    auto& byKey = tree_->nodes_->byKey_;
    if (!key.empty() && byKey.Find(key)) detail::KeyNotUnique();
    if (!texts_.Key().empty()) byKey.Erase(this);
    texts_.Set(key, texts_.Text());
    if (!key.empty()) byKey.Insert(this);
}

std::string Node::Text() const {
    CheckAlive();
    return std::string(texts_.Text());
}

void Node::Text(const std::string& text) {
    CheckAlive();
    texts_.Set(texts_.Key(), text);
    tree_->ItemChanged(*this);
}

vb::Variant Node::Image() const {
    CheckAlive();
    switch (imageKind_) {
    case ImageKind::None:
        return {};
    case ImageKind::Integer:
        return vb::Variant::Integer(static_cast<std::int16_t>(imageNumber_));
    case ImageKind::Long:
        return vb::Variant::Long(imageNumber_);
    case ImageKind::Other:
        break;
    }
    return extra_->image;
}

void Node::Image(const vb::Variant& image) {
    CheckAlive();
    tree_->CheckImage(image);
    SetImage(image);
    tree_->ItemChanged(*this);
}

void Node::SetImage(const vb::Variant& image) {
    if (extra_) extra_->image = vb::Variant();
    imageNumber_ = 0;
    switch (image.Type()) {
    case vb::VarType::Empty:
        imageKind_ = ImageKind::None;
        break;
    case vb::VarType::Integer:
        imageKind_ = ImageKind::Integer;
        imageNumber_ = image.ToInteger();
        break;
    case vb::VarType::Long:
        imageKind_ = ImageKind::Long;
        imageNumber_ = image.ToLong();
        break;
    default:
        imageKind_ = ImageKind::Other;
        if (!extra_) extra_ = std::make_unique<Extra>();
        extra_->image = image;
    }
}

std::string Node::Tag() const {
    CheckAlive();
    return extra_ ? extra_->tag : std::string();
}

void Node::Tag(const std::string& tag) {
    CheckAlive();
    if (!extra_) {
        if (tag.empty()) return;
        extra_ = std::make_unique<Extra>();
    }
    extra_->tag = tag;
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
    std::string path(texts_.Text());
    for (const Node* n = parent_; n != top; n = n->parent_)
        path = std::string(n->texts_.Text()) + tree_->state_.pathSeparator + path;
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
    if (!tree_) return;  // an Expand handler removed it
    if (QTreeWidgetItem* item = tree_->ItemFor(*this)) tree_->Tree()->scrollToItem(item);
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
    return detail::FindItem(order_, indexOrKey, [this](const std::string& key) { return byKey_.Find(key); });
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
    if (!key.empty() && byKey_.Find(key)) detail::KeyNotUnique();
    tree_.CheckImage(image);

    auto node = std::make_shared<Node>();
    node->tree_ = &tree_;
    node->texts_.Set(key, text);
    node->SetImage(image);
    node->index_ = Count() + 1;
    order_.push_back(node);
    Link(*node, rel, relationship);
    if (!key.empty()) byKey_.Insert(node.get());
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
    Node* parent = node.parent_;
    Detach(node);
    tree_.ChildrenChanged(*parent);
    std::size_t first = order_.size();
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (gone.count(order_[i].get())) {
            first = i;
            break;
        }
    }
    for (const Node* n : gone) {
        if (!n->texts_.Key().empty()) byKey_.Erase(n);
        tree_.Forget(*const_cast<Node*>(n));
    }
    order_.erase(std::remove_if(order_.begin(), order_.end(),
                                [&](const std::shared_ptr<Node>& n) { return gone.count(n.get()) > 0; }),
                 order_.end());
    Renumber(first);
}

void Nodes::Clear() {
    auto nodes = std::move(order_);
    order_ = {};
    byKey_.Clear();
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
    if (!item || item->type() != NodeItem::kType) return nullptr;
    Node* node = static_cast<const NodeItem*>(item)->node();
    return node->tree_ == this ? node : nullptr;
}

QTreeWidgetItem* TreeView::ItemOfNode(Node& node) {
    if (node.tree_ != this) return nullptr;
    QTreeWidgetItem* item = ItemFor(node);
    if (item) MakeChildItems(node);
    return item;
}

void TreeView::RaiseNodeEvent(const std::function<void(Node&)>& handler, Node& node) {
    if (!handler) return;
    auto keep = node.Ref();
    Raise([&] { handler(*keep); });
}

QIcon TreeView::IconOf(const Node& node) const {
    if (!imageList_ || !ShowsPictures(state_.style) || node.imageKind_ == Node::ImageKind::None) return {};
    const vb::Variant image = node.Image();
    if (image.IsNull()) return {};
    // One icon per image, shared by the nodes that show it.
    const std::string name = (image.IsNumericType() ? "#" : "$") + image.ToString();
    auto it = icons_.find(name);
    if (it == icons_.end()) it = icons_.emplace(name, imageList_->Icon(image)).first;
    return it->second;
}

// ---- keeping the widget in step ----

QTreeWidgetItem* TreeView::MakeItem(Node& node) {
    auto* item = new NodeItem(&node);
    if (node.childCount_ > 0) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    node.item_ = item;
    node.childItems_ = false;
    return item;
}

QTreeWidgetItem* TreeView::ParentItem(Node& parent) const {
    if (&parent == &nodes_->top_) return Tree() ? Tree()->invisibleRootItem() : nullptr;
    return parent.item_;
}

void TreeView::MakeChildItems(Node& parent) {
    QTreeWidgetItem* parentItem = ParentItem(parent);
    if (!parentItem || parent.childItems_) return;
    ++syncing_;
    QList<QTreeWidgetItem*> items;
    items.reserve(parent.childCount_);
    for (Node* c = parent.firstChild_; c; c = c->next_) items.append(MakeItem(*c));
    parentItem->addChildren(items);
    parent.childItems_ = true;
    parentItem->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    // Open children show their own children.
    for (Node* c = parent.firstChild_; c; c = c->next_) {
        if (!c->expanded_) continue;
        MakeChildItems(*c);
        c->item_->setExpanded(true);
    }
    --syncing_;
}

QTreeWidgetItem* TreeView::ItemFor(Node& node) {
    if (node.item_ || !Tree()) return node.item_;
    Node& parent = *node.parent_;
    if (&parent != &nodes_->top_ && !ItemFor(parent)) return nullptr;
    MakeChildItems(parent);
    return node.item_;
}

void TreeView::ItemAdded(Node& node) {
    QTreeWidget* w = Tree();
    if (!w) return;
    Node* parent = node.parent_;
    QTreeWidgetItem* parentItem = ParentItem(*parent);
    if (!parentItem) return;
    ++syncing_;
    if (!parent->childItems_) {
        // The children get their items when the parent opens.
        parentItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    } else {
        QTreeWidgetItem* item = MakeItem(node);
        int position = 0;
        if (!node.next_) {
            position = parent->childCount_ - 1;
        } else {
            for (Node* p = node.prev_; p; p = p->prev_) ++position;
        }
        parentItem->insertChild(position, item);
        if (parent != &nodes_->top_ && parent->expanded_ && !parentItem->isExpanded()) parentItem->setExpanded(true);
    }
    --syncing_;
}

void TreeView::ItemRemoved(Node& node) {
    if (!node.item_) return;
    ++syncing_;
    delete node.item_;  // takes the items below with it
    --syncing_;
}

void TreeView::ChildrenChanged(Node& parent) {
    QTreeWidgetItem* item = ParentItem(parent);
    if (!item || parent.childItems_ || &parent == &nodes_->top_) return;
    ++syncing_;
    item->setChildIndicatorPolicy(parent.childCount_ > 0 ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    --syncing_;
}

void TreeView::Forget(Node& node) {
    node.item_ = nullptr;
    node.childItems_ = false;
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
    static_cast<NodeItem*>(node.item_)->Changed();
    --syncing_;
}

void TreeView::ItemExpanded(Node& node) {
    if (!node.item_) return;  // shown as it is once it gets its item
    ++syncing_;
    if (node.expanded_) MakeChildItems(node);
    node.item_->setExpanded(node.expanded_);
    --syncing_;
}

void TreeView::ItemSelected(Node* node) {
    selected_ = node;
    QTreeWidget* w = Tree();
    if (!w) return;
    ++syncing_;
    if (QTreeWidgetItem* item = node ? ItemFor(*node) : nullptr) {
        w->setCurrentItem(item);
    } else {
        w->setCurrentItem(nullptr);
        w->clearSelection();
    }
    --syncing_;
}

void TreeView::RefreshIcons() {
    icons_.clear();
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
    for (auto& n : nodes_->order_) {
        n->item_ = nullptr;
        n->childItems_ = false;
    }
    nodes_->top_.childItems_ = false;
    // The top-level nodes, and below them what is open.
    MakeChildItems(nodes_->top_);
    if (selected_) {
        if (QTreeWidgetItem* item = ItemFor(*selected_)) w->setCurrentItem(item);
    }
    --syncing_;
}

QWidget* TreeView::CreateWidget(QWidget* parent) {
    auto* w = new TreeWidget(this, parent);
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    // The hidden header has no text either, which tools would read as a
    // column named "1".
    w->setHeaderLabels({QString()});
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
    if (auto* w = static_cast<TreeWidget*>(widget_)) {
        w->owner_ = nullptr;
        // The items read their nodes when drawn: they go now, not with the
        // widget later, which may outlive the nodes.
        ++syncing_;
        w->clear();
        --syncing_;
    }
    for (auto& n : nodes_->order_) {
        n->item_ = nullptr;
        n->childItems_ = false;
    }
    nodes_->top_.childItems_ = false;
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
    if (!node) return;
    // An opened node shows its children: they get their items now.
    if (expanded) MakeChildItems(*node);
    if (node->expanded_ == expanded) return;
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
