// The About window w_about: the product lines and OK.
#include "class_routines.h"
#include "routine.h"

namespace hanzel {

namespace {

const char kSource[] = "C:\\TEMP\\cgf9tswe.c";
u32 g_group = 0xFFFFFFFFu;
pbvm::FunctionRecord g_functions[4];
pbvm::TypeRecord g_types[7];
pbvm::ClassHolder g_holder;

constexpr u32 kMessage = 28;
constexpr u16 kControl = 21;

const std::initializer_list<Part> kControls = {
    {38, "st_4", 0x8013}, {39, "st_3", 0x801A}, {40, "st_2", 0x801B}, {41, "st_1", 0x801C}, {42, "cb_1", 0x801E}};

}  // namespace

u32 fn_4_32770_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        r.createParts(kControls, 0, 1, 100);
        r.gatherParts(kControls, kControl, 0x8006, 0, 1, 2, 106);
        r.returnNormal();
    });
}

u32 fn_4_32770_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({38, 39, 40, 41, 42}, 0, 120);
        r.returnNormal();
    });
}

u32 fn_4_32798_33(u32 context, u32) {
    // Records: 0 object, 1 argument, 2 after it.
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        u32 parent = vmParentObject(context, r.self());
        if (parent == 0) {
            if (vmNullObjectError(context, 0x503F) == 0) r.stop();
        } else {
            r.closeWindow({parent, pbvm::flag::kValue, 0x8002}, 1);
        }
        r.eventResult(kMessage, 0, 140);
    });
}

u32 getVtableInfo_w_about(u32 context, u32, u32 holderOut) {
    return RegisterClassTables(context, holderOut, g_group, g_holder);
}

ClassTablesView WAboutTables() { return {&g_holder, &g_group}; }

namespace {
const bool g_filled = [] {
    FillClassTables(g_functions, g_types, g_holder,
                    {{32770, {{0, fn_4_32770_0}, {1, fn_4_32770_1}}},
                     {32787, {}},
                     {32794, {}},
                     {32795, {}},
                     {32796, {}},
                     {32798, {{33, fn_4_32798_33}}}});
    return true;
}();
}  // namespace

}  // namespace hanzel
