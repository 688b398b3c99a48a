// The start window w_main1: welcome picture, feature texts, the rich-text
// description, the program folder's files, Exit and Next.
#include "class_routines.h"
#include "routine.h"

namespace hanzel {

namespace {

const char kSource[] = "C:\\TEMP\\cgf9tswa.c";
u32 g_group = 0xFFFFFFFFu;
pbvm::FunctionRecord g_functions[7];
pbvm::TypeRecord g_types[21];
pbvm::ClassHolder g_holder;

constexpr u32 kMessage = 32, kSamplesWindow = 34;
constexpr u16 kMenuName = 10, kMenuId = 11, kControl = 21;
constexpr u16 kRichText = 45, kDirList = 52, kCurrentDir = 53;
constexpr u16 kText = 23;

const std::initializer_list<Part> kControls = {
    {38, "p_welcome_image", 0x8013}, {39, "p_8", 0x8015},          {40, "p_7", 0x8016},
    {41, "p_6", 0x8017},             {42, "p_5", 0x8018},          {43, "p_4", 0x8019},
    {44, "p_2", 0x801A},             {45, "rte_pb60_info", 0x801C}, {46, "st_ocx", 0x801E},
    {47, "st_datastore", 0x8024},    {48, "st_dropdata", 0x8025},  {49, "st_hiddendata", 0x8026},
    {50, "st_data", 0x8027},         {51, "st_trees", 0x8028},     {52, "lb_dir1", 0x802A},
    {53, "st_current_dir1", 0x802B}, {54, "cb_main_exit", 0x802D}, {55, "cb_main_next", 0x802E},
    {56, "p_testy_image", 0x802F}};

}  // namespace

u32 fn_2_32770_0(u32 context, u32) {
    // Records: 0 target, 1 object, 2 element value.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        const PbValue me = r.thisValue(0x8002);
        bool null = false;
        u32 menuName = r.readString(me, kMenuName, 1, 210, null);
        if (!null && vmCompareString(context, menuName, "m_main") == 0 && r.check(me, 1, 211)) {
            vmFieldLValue(context, r.rec(0), me.value, kMenuId);
            u32 target = pbvm::Word(r.rec(0));
            if (vmCreateObject(context, r.rec(1), r.instance(), 0x8030) == 0) {
                vmFreeString(context, menuName);
                r.releaseTarget(target);
                r.stop();
            }
            vmStoreObject(context, target, r.val(1).value, r.val(1).flags & pbvm::flag::kNull);
            r.releaseTarget(target);
        }
        vmFreeString(context, menuName);
        r.createParts(kControls, 0, 1, 212);
        r.gatherParts(kControls, kControl, 0x8006, 0, 1, 2, 231);
        r.returnNormal();
    });
}

u32 fn_2_32770_1(u32 context, u32) {
    Routine r(context, g_group, 2, kSource);
    return r.run([&] {
        r.destroyFields({kMenuId}, 0, 260);
        r.destroyFields({38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56}, 0, 261);
        r.returnNormal();
    });
}

u32 fn_2_32770_37(u32 context, u32) {
    // Records: 0 ls_file, 1 object, 2 result, 3-5 arguments, 6 after them.
    Routine r(context, g_group, 8, kSource);
    r.declareLocal(0, pbvm::type::kString);
    r.unwindAtExit(r.rec(0));
    return r.run([&] {
        const PbValue me = r.thisValue(0x8002);
        // lb_dir1.dirlist("*.*", 0, st_current_dir1)
        PbValue list = r.readObject(me, kDirList, 1, 300);
        PbValue label = r.readObject(me, kCurrentDir, 1, 300);
        if (r.check(list, 1, 300)) {
            r.stringArgument(3, "*.*");
            r.val(4) = {0, pbvm::flag::kConstant, pbvm::type::kInteger};
            r.val(5) = {label.value, static_cast<u16>(pbvm::flag::kValue | (label.flags & pbvm::flag::kNull)), 0x802B};
            r.objectCall(list.value, 47, 3, 3, 2);
            r.releaseArguments(3, 1);
            vmReleaseValue(context, r.rec(1));
        }
        // ls_file = st_current_dir1.text + "\pb60.rtf"
        bool null = false;
        label = r.readObject(me, kCurrentDir, 1, 301);
        u32 text = r.readString(label, kText, 1, 301, null);
        text = r.concat(text, null, pbvm::Low("\\pb60.rtf"), false);
        vmFreeVariableValue(context, r.rec(0));
        r.val(0) = {text, static_cast<u16>(pbvm::flag::kLocal | (null ? pbvm::flag::kNull : 0)), pbvm::type::kString};
        // rte_pb60_info.insertdocument(ls_file, true, FileTypeRichText!)
        PbValue rte = r.readObject(me, kRichText, 1, 302);
        if (r.check(rte, 1, 302)) {
            r.val(3) = {r.val(0).value, static_cast<u16>(pbvm::flag::kValue | (r.val(0).flags & pbvm::flag::kNull)),
                        pbvm::type::kString};
            r.val(4) = {1, pbvm::flag::kConstant, pbvm::type::kBoolean};
            r.val(5) = {1, pbvm::flag::kConstant, pbvm::type::kFileTypeEnum};
            r.objectCall(rte.value, 132, 3, 3, 2);
            vmReleaseValue(context, r.rec(1));
        }
        r.eventResult(kMessage, 1, 303);
    });
}

u32 fn_2_32796_0(u32 context, u32) {
    // Records: 0 result, 1 argument, 2 after it.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        const u32 me = r.self();
        r.stringArgument(1, "pb60.rtf");
        r.objectCall(me, 80, 1, 1, 0);
        r.releaseArguments(1, 1);
        r.val(1) = {12632256, pbvm::flag::kConstant, pbvm::type::kLong};
        r.objectCall(me, 40, 1, 1, 0);
        r.val(1) = {12632256, pbvm::flag::kConstant, pbvm::type::kLong};
        r.objectCall(me, 54, 1, 1, 0);
        r.returnNormal();
    });
}

u32 fn_2_32813_33(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] { r.halt(); });
}

u32 fn_2_32814_33(u32 context, u32) {
    // Records: 0 object, 1 argument, 2 after it.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.openWindow(kSamplesWindow, 1);
        r.closeWindow(*pbvm::At<PbValue>(vmGroupVariable(context, r.instance())), 1);
        r.eventResult(kMessage, 0, 340);
    });
}

u32 getVtableInfo_w_main1(u32 context, u32, u32 holderOut) {
    return RegisterClassTables(context, holderOut, g_group, g_holder);
}

ClassTablesView WMain1Tables() { return {&g_holder, &g_group}; }

namespace {
const bool g_filled = [] {
    FillClassTables(g_functions, g_types, g_holder,
                    {{32770, {{0, fn_2_32770_0}, {1, fn_2_32770_1}, {37, fn_2_32770_37}}},
                     {32787, {}},
                     {32789, {}},
                     {32790, {}},
                     {32791, {}},
                     {32792, {}},
                     {32793, {}},
                     {32794, {}},
                     {32796, {{0, fn_2_32796_0}}},
                     {32798, {}},
                     {32804, {}},
                     {32805, {}},
                     {32806, {}},
                     {32807, {}},
                     {32808, {}},
                     {32810, {}},
                     {32811, {}},
                     {32813, {{33, fn_2_32813_33}}},
                     {32814, {{33, fn_2_32814_33}}},
                     {32815, {}}});
    return true;
}();
}  // namespace

}  // namespace hanzel
