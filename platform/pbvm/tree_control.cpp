// Tree views: items with the handles the runtime hands out (1, 2, ... in
// insertion order within each tree), level pictures, and the object
// functions and events the scripts use.
#include <QHeaderView>
#include <QTreeWidget>

#include "stock_pictures.h"
#include "vm_state.h"

namespace pbvm {

// Fields of a treeviewitem structure.
constexpr u32 kItemLevel = 9, kItemLabel = 10, kItemValue11 = 11, kItemData = 15;

struct TreeState {
    struct Item {
        QTreeWidgetItem* widget = nullptr;
        u32 parent = 0;
        int level = 1;
        std::string label;
        PbValue data{0, static_cast<u16>(flag::kValue | flag::kNull), 0};
    };
    std::map<u32, Item> items;
    u32 nextHandle = 1;
    std::map<int, int> levelPictures;  // level -> picture index
    ~TreeState() {
        for (auto& [handle, item] : items) ReleaseValue(item.data);
    }
};

namespace {

constexpr u32 kFnTriggerEvent = 10, kFnExpandAll = 73, kFnGetItem = 75, kFnInsertItemLast = 81, kFnSelectItem = 84,
              kFnSetLevelPictures = 88;
constexpr int kClicked = 38;
// The runtime's code of the event that triggerevent runs on a tree view.
constexpr long kTriggerClicked = 4;

const PbValue& arg(u32 first, u32 i) { return At<PbValue>(first)[i]; }
void setLong(PbValue& r, long n) { r = {static_cast<u32>(n), flag::kLong, type::kLong}; }

QTreeWidget* treeWidget(Object& o) { return qobject_cast<QTreeWidget*>(o.widget.data()); }

void applyPicture(Object& o, TreeState::Item& item) {
    if (!item.widget || !o.def) return;
    auto it = o.tree->levelPictures.find(item.level);
    if (it == o.tree->levelPictures.end()) return;
    const std::string picture = o.def->text("picturename" + std::to_string(it->second));
    if (!picture.empty()) item.widget->setIcon(0, StockPicture(picture));
}

void setField(Object& item, u32 field, const PbValue& value) {
    if (PbValue* f = FieldRecord(item, field)) {
        ReleaseValue(*f);
        *f = value;
        if (value.type == type::kString) f->value = NewString(StringAt(value.value));
    }
}

long insertItemLast(Object& o, long parent, Object& source) {
    TreeState& tree = *o.tree;
    TreeState::Item item;
    if (parent != 0 && !tree.items.count(static_cast<u32>(parent))) return -1;
    item.parent = static_cast<u32>(parent);
    item.level = parent ? tree.items[item.parent].level + 1 : 1;
    if (PbValue* label = FieldRecord(source, kItemLabel)) item.label = ValueText(*label);
    if (PbValue* data = FieldRecord(source, kItemData)) {
        item.data = *data;
        if (data->type == type::kString) item.data.value = NewString(StringAt(data->value));
    }
    const u32 handle = tree.nextHandle++;
    if (QTreeWidget* w = treeWidget(o)) {
        auto* widget = parent ? new QTreeWidgetItem(tree.items[item.parent].widget) : new QTreeWidgetItem(w);
        widget->setText(0, QString::fromStdString(item.label));
        widget->setData(0, Qt::UserRole, handle);
        item.widget = widget;
    }
    auto& stored = tree.items[handle] = item;
    applyPicture(o, stored);
    return handle;
}

void expandAll(TreeState& tree, u32 handle) {
    auto it = tree.items.find(handle);
    if (it == tree.items.end() || !it->second.widget) return;
    it->second.widget->setExpanded(true);
    for (auto& [h, item] : tree.items)
        if (item.parent == handle) expandAll(tree, h);
}

Object* structureOf(const PbValue& argument) {
    // By reference: the value is the address of the variable's record.
    const PbValue* v = &argument;
    if (argument.flags & flag::kByReference) v = At<PbValue>(argument.value);
    return FindObject(v->value);
}

}  // namespace

void FillTreeItem(Object& item, u32 handle, const TreeState& tree) {
    const auto& it = tree.items.at(handle);
    setField(item, kItemLevel, {static_cast<u32>(static_cast<u16>(it.level)), flag::kConstant, type::kInteger});
    PbValue label{NewString(it.label), flag::kValue, type::kString};
    setField(item, kItemLabel, label);
    ReleaseValue(label);
    setField(item, kItemData, it.data);
}

QWidget* CreateTreeWidget(Object& o, QWidget* parent) {
    o.tree = std::make_shared<TreeState>();
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    const u32 address = o.address;
    QObject::connect(tree, &QTreeWidget::itemClicked, [address](QTreeWidgetItem* item, int) {
        const u32 handle = item->data(0, Qt::UserRole).toUInt();
        RunScriptWith(address, kClicked, {{handle, flag::kLong, type::kLong}});
    });
    return tree;
}

bool CallTreeFunction(Object& o, u32 index, u32 argc, u32 first, PbValue& r) {
    if (!o.tree) return false;
    TreeState& tree = *o.tree;
    switch (index) {
    case kFnInsertItemLast: {
        Object* source = argc >= 2 ? structureOf(arg(first, 1)) : nullptr;
        setLong(r, source ? insertItemLast(o, ValueLong(arg(first, 0)), *source) : -1);
        return true;
    }
    case kFnSetLevelPictures: {
        if (argc < 2) return false;
        const int level = static_cast<int>(ValueLong(arg(first, 0)));
        tree.levelPictures[level] = static_cast<int>(ValueLong(arg(first, 1)));
        for (auto& [handle, item] : tree.items)
            if (item.level == level) applyPicture(o, item);
        r = {1, flag::kConstant, type::kInteger};
        return true;
    }
    case kFnExpandAll: {
        const u32 handle = argc ? static_cast<u32>(ValueLong(arg(first, 0))) : 0;
        const bool known = tree.items.count(handle) != 0;
        if (known) expandAll(tree, handle);
        r = {known ? 1u : static_cast<u32>(static_cast<u16>(-1)), flag::kConstant, type::kInteger};
        return true;
    }
    case kFnSelectItem: {
        const u32 handle = argc ? static_cast<u32>(ValueLong(arg(first, 0))) : 0;
        auto it = tree.items.find(handle);
        const bool known = it != tree.items.end();
        if (known && it->second.widget) it->second.widget->treeWidget()->setCurrentItem(it->second.widget);
        r = {known ? 1u : static_cast<u32>(static_cast<u16>(-1)), flag::kConstant, type::kInteger};
        return true;
    }
    case kFnGetItem: {
        Object* item = argc >= 2 ? structureOf(arg(first, 1)) : nullptr;
        const u32 handle = argc ? static_cast<u32>(ValueLong(arg(first, 0))) : 0;
        const bool known = item && tree.items.count(handle);
        if (known) FillTreeItem(*item, handle, tree);
        r = {known ? 1u : static_cast<u32>(static_cast<u16>(-1)), flag::kConstant, type::kInteger};
        return true;
    }
    case kFnTriggerEvent: {
        const long event = argc ? ValueLong(arg(first, 0)) : 0;
        if (event != kTriggerClicked) {
            r = {static_cast<u32>(static_cast<u16>(-1)), flag::kConstant, type::kInteger};
            return true;
        }
        const long handle = argc >= 3 ? ValueLong(arg(first, 2)) : 0;
        const bool ok = RunScriptWith(o.address, kClicked, {{static_cast<u32>(handle), flag::kLong, type::kLong}});
        r = {ok ? 1u : static_cast<u32>(static_cast<u16>(-1)), flag::kConstant, type::kInteger};
        return true;
    }
    default:
        return false;
    }
}

}  // namespace pbvm
