// The samples window w_samples: a tab control with the page "Common and Data
// Controls" (the company tree and the orders of the clicked product) and the
// page "DataWindows" (the price graph and the customer table), and "<< Home".
#include "class_routines.h"
#include "routine.h"

namespace hanzel {

namespace {

namespace flag = pbvm::flag;
namespace type = pbvm::type;

const char kSource[] = "C:\\TEMP\\cgf9tswf.c";
u32 g_group = 0xFFFFFFFFu;
pbvm::FunctionRecord g_functions[20];
pbvm::TypeRecord g_types[15];
pbvm::ClassHolder g_holder;

// Global slots of the class's group.
constexpr u32 kMessage = 31, kSqlca = 33, kMainWindow = 35, kSamplesWindow = 36;
// Fields.
constexpr u16 kControl = 21, kTabControl = 12, kPageControl = 16;
constexpr u16 kProductOrders = 40;  // ids_productorder
constexpr u16 kDataObject = 3;      // of a data store
constexpr u16 kOrderInfo = 35;      // dw_order_info in tab_commonctrls
constexpr u16 kItemLevel = 9, kItemLabel = 10, kItemValue = 11, kItemData = 15;
// Types.
constexpr u16 kTransaction = 0x8010, kTabType = 0x8018, kUserObject = 0x8019, kTreeViewItem = 0x801B;
constexpr u16 kCommonPage = 0x801C, kDataWindowPage = 0x802A, kDataStore = 0x802F, kTreeView = 0x8027;
constexpr u16 kWindowObject = 0x8006, kTrigEvent = 0x4024;
// Object functions.
constexpr u32 kInsertItemLast = 81, kSetLevelPictures = 88, kExpandAll = 73, kSelectItem = 84, kGetItem = 75,
              kTriggerEvent = 10, kDwSetTransObject = 343, kDwRetrieveOne = 302, kDwRetrieveNone = 301,
              kDsSetTransObject = 216, kDsRetrieve = 175, kAddToTreeview = 118;

const std::initializer_list<Part> kWindowParts = {{38, "cb_home", 0x8013}, {39, "tab_control1", 0x8018}};
const std::initializer_list<Part> kTabPages = {{37, "tab_commonctrls", 0x801C}, {38, "tab_datawindow", 0x802A}};
const std::initializer_list<Part> kCommonControls = {{33, "dw_hidden", 0x8020},
                                                     {34, "st_dw_label", 0x8023},
                                                     {35, "dw_order_info", 0x8025},
                                                     {36, "tv_product", 0x8027},
                                                     {37, "st_tree_abel", 0x8029}};
const std::initializer_list<Part> kDataWindowControls = {{33, "dw_graph_2", 0x802B},
                                                         {34, "st_ocx_label", 0x802C},
                                                         {35, "dw_customer_info", 0x802D},
                                                         {36, "st_dw_label2", 0x802E}};

PbValue longValue(u32 n) { return {n, flag::kConstant, type::kLong}; }
PbValue integerValue(u32 n) { return {n, flag::kConstant, type::kInteger}; }

// The parent of an object; a missing parent is the runtime's error 20543,
// after which the script stops or goes on with a null object.
PbValue parentOf(Routine& r, const PbValue& object, u16 parentType) {
    const u32 parent = (object.flags & flag::kNull) || !object.value ? 0 : vmParentObject(r.context(), object.value);
    if (parent == 0) {
        if (vmNullObjectError(r.context(), 0x503F) == 0) r.stop();
        return {0, static_cast<u16>(flag::kValue | flag::kNull), parentType};
    }
    return {parent, flag::kValue, parentType};
}

// object.settransobject(sqlca) with the function number of its class.
void setTransObject(Routine& r, u32 object, u32 function, unsigned first, unsigned result) {
    const PbValue sqlca = r.global(kSqlca);
    r.val(first) = {sqlca.value, static_cast<u16>(flag::kValue | (sqlca.flags & flag::kNull)), kTransaction};
    r.objectCall(object, function, first, 1, result);
}

// The body shared by the two window functions. Own arguments: 0 the tree
// view, 1 the label, 2 the data, 3 the parent handle. Records: 0 ltvi_new,
// 1 ll_newhandle, 2 target, 3 object, 4 value, 5-6 arguments, 7 after them,
// 8 result.
void addTreeItem(Routine& r, bool dataAsInteger, u32 line) {
    const u32 c = r.context();
    r.declareLocal(0, kTreeViewItem);
    r.declareLocal(1, type::kLong);
    const PbValue& label = *pbvm::At<PbValue>(r.ownArgument(1));
    // ltvi_new.label = as_label
    if (u32 t = r.beginAssign(r.val(0), kItemLabel, 2, 3, line)) {
        r.val(4) = {vmCopyString(c, r.ownArgument(1)), flag::kValue, type::kString};
        r.endAssign(t, r.val(4).value, label.flags & flag::kNull, 4, 3);
    }
    if (!dataAsInteger) {
        // ltvi_new.data = aa_data, of whatever type it came
        if (u32 t = r.beginAssign(r.val(0), kItemData, 2, 3, line + 1)) {
            vmAssignAny(c, t, r.ownArgument(2));
            r.releaseTarget(t);
            vmReleaseValue(c, r.rec(3));
        }
    } else {
        // the item's integer field = Integer(aa_data)
        const PbValue& data = *pbvm::At<PbValue>(r.ownArgument(2));
        r.val(4) = data;
        if (data.type == type::kString) r.val(4).value = vmCopyString(c, r.ownArgument(2));
        vmConvertToInteger(c, r.rec(4));
        const u32 value = vmIntegerValue(c, r.rec(4));
        const bool null = r.val(4).flags & flag::kNull;
        r.val(4).type = type::kEmpty;
        if (u32 t = r.beginAssign(r.val(0), kItemValue, 2, 3, line + 1)) {
            vmAssignInteger(c, t, value, null ? 1 : 0);
            r.releaseTarget(t);
            vmReleaseValue(c, r.rec(3));
        }
    }
    // ll_newhandle = atv_treeview.insertitemlast(al_handle, ltvi_new)
    const PbValue tree = *pbvm::At<PbValue>(r.ownArgument(0));
    if (r.check(tree, 3, line + 2)) {
        const PbValue& handle = *pbvm::At<PbValue>(r.ownArgument(3));
        r.val(5) = {handle.value, static_cast<u16>(flag::kLong | (handle.flags & flag::kNull)), type::kLong};
        r.val(6) = {vmCopyStructure(c, r.val(0).value), flag::kValue, kTreeViewItem};
        r.objectCall(tree.value, kInsertItemLast, 5, 2, 8);
        r.val(1) = {r.val(8).value, static_cast<u16>(flag::kLocal | (r.val(8).flags & flag::kNull)), type::kLong};
        vmReleaseValue(c, r.rec(3));
    }
    // return Integer(ll_newhandle)
    r.val(4) = {r.val(1).value, static_cast<u16>(flag::kLong | (r.val(1).flags & flag::kNull)), type::kLong};
    vmConvertToInteger(c, r.rec(4));
    vmSetReturnValue(c, r.rec(4));
}

}  // namespace

u32 fn_5_32770_118(u32 context, u32) {
    Routine r(context, g_group, 10, kSource);
    r.unwindAtExit(r.ownArgument(1));
    return r.run([&] { addTreeItem(r, false, 100); });
}

u32 fn_5_32770_119(u32 context, u32) {
    Routine r(context, g_group, 10, kSource);
    r.unwindAtExit(r.ownArgument(1));
    return r.run([&] { addTreeItem(r, true, 120); });
}

u32 fn_5_32770_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.createParts(kWindowParts, 0, 1, 140);
        r.gatherParts(kWindowParts, kControl, kWindowObject, 0, 1, 2, 142);
        r.returnNormal();
    });
}

u32 fn_5_32770_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({38, 39}, 0, 160);
        r.returnNormal();
    });
}

u32 fn_5_32770_37(u32 context, u32) {
    // Records: 0 target, 1 object, 2 result, 3 argument, 4 after it, 5 value.
    Routine r(context, g_group, 6, kSource);
    return r.run([&] {
        const PbValue me = r.thisValue(0x8002);
        // ids_productorder = create datastore
        if (r.check(me, 1, 180)) {
            vmFieldLValue(context, r.rec(0), me.value, kProductOrders);
            const u32 target = pbvm::Word(r.rec(0));
            if (vmCreateObject(context, r.rec(1), r.instance(), kDataStore) == 0) {
                r.releaseTarget(target);
                r.stop();
            }
            vmStoreObject(context, target, r.val(1).value, r.val(1).flags & flag::kNull);
            r.releaseTarget(target);
        }
        // ids_productorder.dataobject = "d_printorder"
        PbValue store = r.readObject(me, kProductOrders, 1, 181);
        r.assignText(store, kDataObject, "d_printorder", 0, 5, 1, 181);
        // ids_productorder.settransobject(sqlca)
        store = r.readObject(me, kProductOrders, 1, 182);
        if (r.check(store, 1, 182)) {
            setTransObject(r, store.value, kDsSetTransObject, 3, 2);
            vmReleaseValue(context, r.rec(1));
        }
        // ids_productorder.retrieve()
        store = r.readObject(me, kProductOrders, 1, 183);
        if (r.check(store, 1, 183)) {
            r.objectCall(store.value, kDsRetrieve, 3, 0, 2);
            vmReleaseValue(context, r.rec(1));
        }
        r.eventResult(kMessage, 1, 184);
    });
}

u32 fn_5_32770_23(u32 context, u32) {
    // Records: 0 object, 1 argument, 2 after it.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        const PbValue me = r.thisValue(0x8002);
        // destroy ids_productorder
        const PbValue store = r.readObject(me, kProductOrders, 0, 200);
        if (!(store.flags & flag::kNull) && store.value != 0 && vmDestroyObject(context, store.value) == 0) r.stop();
        // Open(w_main1); Close(w_samples)
        r.openWindow(kMainWindow, 1);
        r.closeWindow(r.global(kSamplesWindow), 1);
        r.eventResult(kMessage, 0, 202);
    });
}

u32 fn_5_32787_33(u32 context, u32) {
    // Records: 0 object, 1 argument, 2 after it.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.openWindow(kMainWindow, 1);
        r.closeWindow(r.global(kSamplesWindow), 1);
        r.eventResult(kMessage, 0, 220);
    });
}

u32 fn_5_32792_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.createParts(kTabPages, 0, 1, 240, kTabType);
        r.gatherParts(kTabPages, kTabControl, kUserObject, 0, 1, 2, 242, kTabType);
        r.returnNormal();
    });
}

u32 fn_5_32792_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({37, 38}, 0, 260, kTabType);
        r.returnNormal();
    });
}

u32 fn_5_32796_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.createParts(kCommonControls, 0, 1, 280, kCommonPage);
        r.gatherParts(kCommonControls, kPageControl, kWindowObject, 0, 1, 2, 285, kCommonPage);
        r.returnNormal();
    });
}

u32 fn_5_32796_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({33, 34, 35, 36, 37}, 0, 300, kCommonPage);
        r.returnNormal();
    });
}

u32 fn_5_32805_36(u32 context, u32) {
    // Records: 0 object, 1 result, 2 argument, 3 after it.
    Routine r(context, g_group, 4, kSource);
    return r.run([&] {
        setTransObject(r, r.self(), kDwSetTransObject, 2, 1);
        r.eventResult(kMessage, 0, 320);
    });
}

namespace {

// The tree of tv_product: label, data, and whether the item is the company
// (0), a division (1) or a product (2).
struct TreeRow {
    const char* label;
    u32 data;
    int kind;
};
const TreeRow kTree[] = {
    {"Star Distribution Co.", 1, 0}, {"Widget Division", 1, 1},   {"Widget", 3, 2},
    {"Mini-Widget", 3, 2},           {"Super-Widget", 3, 2},      {"Gizmo Division", 1, 1},
    {"Gizmo", 2, 2},                 {"Gizmo Deluxe", 2, 2},      {"Thing Division", 1, 1},
    {"Thing Classic", 4, 2},         {"New Thing", 4, 2},         {"Service Division", 1, 1},
    {"Corporate Training", 5, 2},    {"Network Services", 5, 2},
};

}  // namespace

u32 fn_5_32807_39(u32 context, u32) {
    // Records: 0 ll_company_handle, 1 ll_division_handle, 2 item, 3 target,
    // 4 object, 5 window, 6-10 arguments, 11 after them, 12 result.
    Routine r(context, g_group, 13, kSource);
    r.declareLocal(0, type::kLong);
    r.declareLocal(1, type::kLong);
    r.declareLocal(2, kTreeViewItem);
    return r.run([&] {
        const PbValue me = r.thisValue(kTreeView);
        u32 line = 340;
        // The window is the tree view's parent's parent's parent.
        const PbValue page = parentOf(r, me, kCommonPage);
        const PbValue tab = parentOf(r, page, kTabType);
        const PbValue window = parentOf(r, tab, 0x8002);
        for (const TreeRow& row : kTree) {
            ++line;
            if (!r.check(window, 4, line)) continue;
            const unsigned parentHandle = row.kind == 2 ? 1 : 0;
            r.val(6) = me;
            r.stringArgument(7, row.label);
            r.val(8) = longValue(row.data);
            if (row.kind == 0) {
                r.val(9) = longValue(0);
            } else {
                const PbValue& h = r.val(parentHandle);
                r.val(9) = {h.value, static_cast<u16>(flag::kLong | (h.flags & flag::kNull)), type::kLong};
            }
            r.objectCall(window.value, kAddToTreeview, 6, 4, 12);
            r.releaseArguments(7, 1);
            const u32 handle = vmIntegerValue(context, r.rec(12));
            const unsigned into = row.kind == 0 ? 0 : (row.kind == 1 ? 1 : 3);
            if (into < 2) r.val(into) = {handle, static_cast<u16>(flag::kLocal | (r.val(12).flags & flag::kNull)), type::kLong};
            vmReleaseValue(context, r.rec(4));
        }
        // Level pictures 1, 2 and 3.
        for (u32 level = 1; level <= 3; ++level) {
            r.val(6) = integerValue(level);
            r.val(7) = integerValue(level);
            r.val(8) = integerValue(level);
            r.val(9) = integerValue(0);
            r.val(10) = integerValue(0);
            r.objectCall(me.value, kSetLevelPictures, 6, 5, 12);
        }
        // The company and everything below it expanded; "Widget" selected.
        r.val(6) = longValue(1);
        r.objectCall(me.value, kExpandAll, 6, 1, 12);
        r.val(6) = longValue(3);
        r.objectCall(me.value, kSelectItem, 6, 1, 12);
        r.val(6) = longValue(3);
        r.val(7) = *pbvm::At<PbValue>(vmByReferenceArgument(context, r.rec(2), kTreeViewItem));
        r.objectCall(me.value, kGetItem, 6, 2, 12);
        r.val(6) = {4, flag::kConstant, kTrigEvent};
        r.val(7) = longValue(0);
        r.val(8) = longValue(3);
        r.objectCall(me.value, kTriggerEvent, 6, 3, 12);
        // dw_order_info.retrieve("widget")
        const PbValue parent = parentOf(r, me, kCommonPage);
        const PbValue orders = r.readObject(parent, kOrderInfo, 4, 360);
        if (r.check(orders, 4, 360)) {
            r.stringArgument(6, "widget");
            r.objectCall(orders.value, kDwRetrieveOne, 6, 1, 12);
            r.releaseArguments(6, 1);
            vmReleaseValue(context, r.rec(4));
        }
        r.eventResult(kMessage, 4, 361);
    });
}

u32 fn_5_32807_38(u32 context, u32) {
    // Records: 0 prod_id, 1 selected_item, 2 target, 3 object, 4-5 arguments,
    // 6 after them, 7 result.
    Routine r(context, g_group, 8, kSource);
    r.declareLocal(0, type::kString);
    r.declareLocal(1, kTreeViewItem);
    r.unwindAtExit(r.rec(0));
    return r.run([&] {
        const PbValue me = r.thisValue(kTreeView);
        const PbValue handle = *pbvm::At<PbValue>(vmEventArgument(context, 0));
        // getitem(handle, selected_item)
        r.val(4) = {handle.value, static_cast<u16>(flag::kLong | (handle.flags & flag::kNull)), type::kLong};
        r.val(5) = *pbvm::At<PbValue>(vmByReferenceArgument(context, r.rec(1), kTreeViewItem));
        r.objectCall(me.value, kGetItem, 4, 2, 7);
        // A product (level 3): prod_id = its label.
        const PbValue level = r.readScalar(r.val(1), kItemLevel, 3, 381);
        if (!(level.flags & flag::kNull) && static_cast<std::int16_t>(level.value & 0xFFFF) == 3) {
            bool null = false;
            const u32 label = r.readString(r.val(1), kItemLabel, 3, 382, null);
            vmFreeVariableValue(context, r.rec(0));
            r.val(0) = {label, static_cast<u16>(flag::kLocal | (null ? flag::kNull : 0)), type::kString};
        }
        // dw_order_info.retrieve(prod_id); an unset prod_id goes as a null string.
        const PbValue parent = parentOf(r, me, kCommonPage);
        const PbValue orders = r.readObject(parent, kOrderInfo, 3, 383);
        if (r.check(orders, 3, 383)) {
            const PbValue& id = r.val(0);
            const bool null = (id.flags & flag::kNull) || id.value == 0;
            r.val(4) = {null ? 0 : vmCopyString(context, r.rec(0)), static_cast<u16>(flag::kValue | (null ? flag::kNull : 0)),
                        type::kString};
            r.objectCall(orders.value, kDwRetrieveOne, 4, 1, 7);
            r.releaseArguments(4, 1);
            vmReleaseValue(context, r.rec(3));
        }
        r.eventResult(kMessage, 3, 384);
    });
}

u32 fn_5_32810_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.createParts(kDataWindowControls, 0, 1, 400, kDataWindowPage);
        r.gatherParts(kDataWindowControls, kPageControl, kWindowObject, 0, 1, 2, 404, kDataWindowPage);
        r.returnNormal();
    });
}

u32 fn_5_32810_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({33, 34, 35, 36}, 0, 420, kDataWindowPage);
        r.returnNormal();
    });
}

u32 fn_5_32810_33(u32 context, u32) {
    // Records: 0 seriesnbr, 1 object.
    Routine r(context, g_group, 2, kSource);
    r.declareLocal(0, type::kInteger);
    return r.run([&] { r.eventResult(kMessage, 1, 440); });
}

u32 fn_5_32811_36(u32 context, u32) {
    // Records: 0 object, 1 result, 2 argument, 3 after it.
    Routine r(context, g_group, 4, kSource);
    return r.run([&] {
        setTransObject(r, r.self(), kDwSetTransObject, 2, 1);
        r.objectCall(r.self(), kDwRetrieveNone, 2, 0, 1);
        r.eventResult(kMessage, 0, 460);
    });
}

u32 fn_5_32813_36(u32 context, u32) {
    // Records: 0 object, 1 result, 2 argument, 3 after it.
    Routine r(context, g_group, 4, kSource);
    return r.run([&] {
        setTransObject(r, r.self(), kDwSetTransObject, 2, 1);
        r.objectCall(r.self(), kDwRetrieveNone, 2, 0, 1);
        r.eventResult(kMessage, 0, 480);
    });
}

u32 getVtableInfo_w_samples(u32 context, u32, u32 holderOut) {
    return RegisterClassTables(context, holderOut, g_group, g_holder);
}

ClassTablesView WSamplesTables() { return {&g_holder, &g_group}; }

namespace {
const bool g_filled = [] {
    FillClassTables(g_functions, g_types, g_holder,
                    {{32770,
                      {{118, fn_5_32770_118},
                       {119, fn_5_32770_119},
                       {0, fn_5_32770_0},
                       {1, fn_5_32770_1},
                       {37, fn_5_32770_37},
                       {23, fn_5_32770_23}}},
                     {32787, {{33, fn_5_32787_33}}},
                     {32792, {{0, fn_5_32792_0}, {1, fn_5_32792_1}}},
                     {32796, {{0, fn_5_32796_0}, {1, fn_5_32796_1}}},
                     {32800, {}},
                     {32803, {}},
                     {32805, {{36, fn_5_32805_36}}},
                     {32807, {{39, fn_5_32807_39}, {38, fn_5_32807_38}}},
                     {32809, {}},
                     {32810, {{0, fn_5_32810_0}, {1, fn_5_32810_1}, {33, fn_5_32810_33}}},
                     {32811, {{36, fn_5_32811_36}}},
                     {32812, {}},
                     {32813, {{36, fn_5_32813_36}}},
                     {32814, {}}});
    return true;
}();
}  // namespace

}  // namespace hanzel
