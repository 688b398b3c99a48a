// The menu m_main: File (Exit, About) and Samples (Sample Components).
#include "class_routines.h"
#include "routine.h"

namespace hanzel {

namespace {

const char kSource[] = "C:\\TEMP\\cgf9tswc.c";
u32 g_group = 0xFFFFFFFFu;
pbvm::FunctionRecord g_functions[13];
pbvm::TypeRecord g_types[7];
pbvm::ClassHolder g_holder;

constexpr u32 kAboutWindow = 17, kSamplesWindow = 19, kMainWindow = 21;
constexpr u16 kText = 3, kItem = 7, kToolbarItemName = 11, kFirstItem = 21, kSecondItem = 22;
constexpr u16 kMenu = 0x8001;

// An item's caption and toolbar picture. Records: 0 target, 1 object, 2 value.
void setCaption(Routine& r, const char* text, const char* picture, u32 line) {
    const PbValue me = r.thisValue(0x8002);
    r.assignText(me, kText, text, 0, 2, 1, line);
    if (picture) r.assignText(me, kToolbarItemName, picture, 0, 2, 1, line + 1);
}

}  // namespace

u32 fn_3_32770_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        vmAssignObject(context, vmGroupVariable(context, r.instance()), r.self(), 0);
        const std::initializer_list<Part> items = {{kFirstItem, "m_file", 0x8010}, {kSecondItem, "m_samples", 0x8013}};
        r.createParts(items, 0, 1, 100);
        r.gatherParts(items, kItem, kMenu, 0, 1, 2, 102);
        r.returnNormal();
    });
}

u32 fn_3_32770_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({kFirstItem, kSecondItem}, 0, 110);
        r.returnNormal();
    });
}

u32 fn_3_32784_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        setCaption(r, "&File", nullptr, 120);
        const std::initializer_list<Part> items = {{kFirstItem, "m_exit", 0x8011}, {kSecondItem, "m_about", 0x8012}};
        r.createParts(items, 0, 1, 121);
        r.gatherParts(items, kItem, kMenu, 0, 1, 2, 123);
        r.returnNormal();
    });
}

u32 fn_3_32784_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({kFirstItem, kSecondItem}, 0, 130);
        r.returnNormal();
    });
}

u32 fn_3_32785_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        setCaption(r, "&Exit", "Custom080!", 140);
        r.returnNormal();
    });
}

u32 fn_3_32785_21(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] { r.halt(); });
}

u32 fn_3_32786_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        setCaption(r, "&About", "Custom090!", 160);
        r.returnNormal();
    });
}

u32 fn_3_32786_21(u32 context, u32) {
    // Records: 0 the window reference, 1 after it.
    Routine r(context, g_group, 2, kSource);
    return r.run([&] {
        r.openWindow(kAboutWindow, 0);
        r.returnNormal();
    });
}

u32 fn_3_32787_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        setCaption(r, "&Samples", "Custom069!", 180);
        const std::initializer_list<Part> items = {{kFirstItem, "m_samplecomponents", 0x8014}};
        r.createParts(items, 0, 1, 182);
        r.gatherParts(items, kItem, kMenu, 0, 1, 2, 183);
        r.returnNormal();
    });
}

u32 fn_3_32787_1(u32 context, u32) {
    Routine r(context, g_group, 1, kSource);
    return r.run([&] {
        r.destroyFields({kFirstItem}, 0, 190);
        r.returnNormal();
    });
}

u32 fn_3_32788_0(u32 context, u32) {
    Routine r(context, g_group, 3, kSource);
    return r.run([&] {
        setCaption(r, "&Sample Components", nullptr, 200);
        r.returnNormal();
    });
}

u32 fn_3_32788_21(u32 context, u32) {
    // Records: 0 the argument, 1 after it.
    Routine r(context, g_group, 2, kSource);
    return r.run([&] {
        r.openWindow(kSamplesWindow, 0);
        r.closeWindow(r.global(kMainWindow), 0);
        r.returnNormal();
    });
}

u32 getVtableInfo_m_main(u32 context, u32, u32 holderOut) {
    return RegisterClassTables(context, holderOut, g_group, g_holder);
}

ClassTablesView MMainTables() { return {&g_holder, &g_group}; }

namespace {
const bool g_filled = [] {
    FillClassTables(g_functions, g_types, g_holder,
                    {{32770, {{0, fn_3_32770_0}, {1, fn_3_32770_1}}},
                     {32784, {{0, fn_3_32784_0}, {1, fn_3_32784_1}}},
                     {32785, {{0, fn_3_32785_0}, {21, fn_3_32785_21}}},
                     {32786, {{0, fn_3_32786_0}, {21, fn_3_32786_21}}},
                     {32787, {{0, fn_3_32787_0}, {1, fn_3_32787_1}}},
                     {32788, {{0, fn_3_32788_0}, {21, fn_3_32788_21}}}});
    return true;
}();
}  // namespace

}  // namespace hanzel
