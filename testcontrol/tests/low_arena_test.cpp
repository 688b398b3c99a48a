#include <gtest/gtest.h>

#include <set>

#include "low_arena.h"
#include "marker_list.h"

using namespace zevote;

TEST(LowArena, RecordsAreZeroedLowAndCheckedBeforeUse) {
    std::set<void*> seen;
    std::vector<void*> records;
    for (int i = 0; i < 2000; ++i) {
        void* r = AllocateLowRecord(RecordKind::MarkerNode);
        ASSERT_NE(r, nullptr);
        ASSERT_TRUE(FitsIn32Bits(r));
        EXPECT_EQ(static_cast<MarkerNode*>(r)->value, 0u);
        EXPECT_EQ(static_cast<MarkerNode*>(r)->next, 0u);
        static_cast<MarkerNode*>(r)->value = 0xFFFFFFFF;
        EXPECT_TRUE(seen.insert(r).second);
        records.push_back(r);
    }
    const std::uint32_t first = AddressOf(records.front());
    EXPECT_EQ(LiveLowRecord(first, RecordKind::MarkerNode), records.front());
    EXPECT_EQ(LiveLowRecord(first, RecordKind::PendingSlot), nullptr);
    EXPECT_EQ(LiveLowRecord(first + 4, RecordKind::MarkerNode), nullptr);
    EXPECT_EQ(LiveLowRecord(0, RecordKind::MarkerNode), nullptr);

    for (void* r : records) FreeLowRecord(r);
    EXPECT_EQ(LiveLowRecord(first, RecordKind::MarkerNode), nullptr);
    FreeLowRecord(records.front());  // a second free is ignored

    void* again = AllocateLowRecord(RecordKind::PendingSlot);  // reused memory comes back zeroed
    EXPECT_EQ(static_cast<PendingSlot*>(again)->field, 0u);
    FreeLowRecord(again);
}

TEST(LowArena, ObjectsAreLowAlignedAndZeroed) {
    void* small = AllocateLowObject(40);
    void* large = AllocateLowObject(600000);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_TRUE(FitsIn32Bits(small));
    EXPECT_TRUE(FitsIn32Bits(static_cast<char*>(large) + 599999));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(small) % 16, 0u);
    EXPECT_TRUE(IsLowObject(small));
    int x = 0;
    EXPECT_FALSE(IsLowObject(&x));
    static_cast<char*>(small)[39] = 7;
    FreeLowObject(small);
    EXPECT_FALSE(IsLowObject(small));
    void* again = AllocateLowObject(33);
    EXPECT_EQ(static_cast<char*>(again)[39], 0);
    FreeLowObject(again);
    FreeLowObject(large);
}

TEST(LowArena, ExhaustionFailsEveryAllocation) {
    SimulateLowArenaExhaustedForTesting(true);
    EXPECT_EQ(AllocateLowRecord(RecordKind::MarkerNode), nullptr);
    EXPECT_EQ(AllocateLowObject(16), nullptr);
    SimulateLowArenaExhaustedForTesting(false);
    void* r = AllocateLowRecord(RecordKind::MarkerNode);
    EXPECT_NE(r, nullptr);
    FreeLowRecord(r);
}
