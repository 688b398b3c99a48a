// The class tables handed to the runtime and their registration.
#include <gtest/gtest.h>

#include "class_routines.h"
#include "hanzel_runtime.h"
#include "routine.h"

namespace {

using namespace hanzel;

// The packed records' fields, copied out to be compared.
struct TypeEntry {
    u16 typeId, count, zero;
    u32 first, end, zero2;
};
struct FunctionEntry {
    u16 event;
    u32 address;
};

std::vector<TypeEntry> typeList(const pbvm::ClassHolder& holder) {
    std::vector<TypeEntry> out;
    for (auto* t = pbvm::At<pbvm::TypeRecord>(holder.types); t->typeId; ++t)
        out.push_back({t->typeId, t->count, t->zero, t->first, t->end, t->zero2});
    return out;
}

FunctionEntry function(const pbvm::ClassHolder& holder, u32 index) {
    const pbvm::FunctionRecord& f = pbvm::At<pbvm::FunctionRecord>(holder.functions)[index];
    return {f.event, f.address};
}

u32 address(EventRoutine r) { return pbvm::Low(reinterpret_cast<const void*>(r)); }

TEST(ClassTables, StartWindowTypeListHasEveryControlWithOrWithoutScripts) {
    const pbvm::ClassHolder& holder = *WMain1Tables().holder;
    auto types = typeList(holder);
    ASSERT_EQ(types.size(), 20u);
    EXPECT_EQ(types[0].typeId, 32770);
    EXPECT_EQ(types[0].count, 3);
    EXPECT_EQ(types[0].first, 1u);
    EXPECT_EQ(types[0].end, 4u);
    EXPECT_EQ(types[1].typeId, 32787);  // p_welcome_image: no scripts
    EXPECT_EQ(types[1].count, 0);
    EXPECT_EQ(types[1].first, types[1].end);
    EXPECT_EQ(types[8].typeId, 32796);  // rte_pb60_info
    EXPECT_EQ(types[8].count, 1);
    EXPECT_EQ(types[19].typeId, 32815);
    for (const auto& t : types) {
        EXPECT_EQ(t.zero, 0);
        EXPECT_EQ(t.zero2, 0u);
        EXPECT_EQ(t.end - t.first, t.count);
    }
    EXPECT_EQ(function(holder, 0).event, 0);
    EXPECT_EQ(function(holder, 0).address, 0u);
    EXPECT_EQ(function(holder, 3).event, 37);
    EXPECT_EQ(function(holder, 3).address, address(fn_2_32770_37));
    EXPECT_EQ(function(holder, 6).event, 33);
    EXPECT_EQ(function(holder, 6).address, address(fn_2_32814_33));
}

TEST(ClassTables, SamplesWindowListsFunctionsThenEventsTypeByType) {
    const pbvm::ClassHolder& holder = *WSamplesTables().holder;
    auto types = typeList(holder);
    const std::vector<u16> ids = {32770, 32787, 32792, 32796, 32800, 32803, 32805,
                                  32807, 32809, 32810, 32811, 32812, 32813, 32814};
    const std::vector<u16> counts = {6, 1, 2, 2, 0, 0, 1, 2, 0, 3, 1, 0, 1, 0};
    ASSERT_EQ(types.size(), ids.size());
    u32 next = 1;
    for (std::size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].typeId, ids[i]);
        EXPECT_EQ(types[i].count, counts[i]) << ids[i];
        EXPECT_EQ(types[i].first, next);
        next += counts[i];
        EXPECT_EQ(types[i].end, next);
    }
    // Read row by row: the two functions, then create, destroy, open, close,
    // ... the tree view's constructor before its clicked.
    const std::vector<u16> events = {118, 119, 0, 1, 37, 23, 33, 0, 1, 0, 1, 36, 39, 38, 0, 1, 33, 36, 36};
    for (u32 i = 0; i < events.size(); ++i) EXPECT_EQ(function(holder, i + 1).event, events[i]) << i;
    EXPECT_EQ(function(holder, 1).address, address(fn_5_32770_118));
    EXPECT_EQ(function(holder, 13).address, address(fn_5_32807_39));
    EXPECT_EQ(function(holder, 19).address, address(fn_5_32813_36));
}

TEST(ClassTables, MenuAndApplicationListTheirRoutinesInOrder) {
    const pbvm::ClassHolder& menu = *MMainTables().holder;
    auto types = typeList(menu);
    ASSERT_EQ(types.size(), 6u);
    const std::pair<u16, u16> events[] = {{0, 1}, {0, 1}, {0, 21}, {0, 21}, {0, 1}, {0, 21}};
    for (std::size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].typeId, i == 0 ? 32770 : 32783 + i);
        ASSERT_EQ(types[i].count, 2);
        EXPECT_EQ(function(menu, types[i].first).event, events[i].first);
        EXPECT_EQ(function(menu, types[i].first + 1).event, events[i].second);
    }
    const pbvm::ClassHolder& app = *PbApplet32Tables().holder;
    auto appTypes = typeList(app);
    ASSERT_EQ(appTypes.size(), 1u);
    EXPECT_EQ(appTypes[0].typeId, 32777);
    EXPECT_EQ(function(app, 3).event, 21);
    EXPECT_EQ(function(app, 4).event, 19);
    auto about = typeList(*WAboutTables().holder);
    ASSERT_EQ(about.size(), 6u);
    EXPECT_EQ(about[5].typeId, 32798);
    EXPECT_EQ(about[5].count, 1);
}

TEST(ClassTables, ASecondRegistrationCallLeavesGroupAndHolderUnchanged) {
    test::LoadRuntime();
    const u32 c = pbvm::Runtime::Get().Context();
    const u32 group = *WMain1Tables().groupCache;
    EXPECT_EQ(static_cast<int>(group), pbvm::Runtime::Get().GroupOf("w_main1"));
    u32 frame = pbvm::LowAlloc(8);
    EXPECT_NE(getVtableInfo_w_main1(c, 0, frame + 4), 0u);
    EXPECT_EQ(*WMain1Tables().groupCache, group);
    EXPECT_EQ(pbvm::Word(frame + 4), pbvm::Low(WMain1Tables().holder));
    pbvm::LowFree(frame);
}

}  // namespace
