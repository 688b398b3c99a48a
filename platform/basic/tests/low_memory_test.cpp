#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "low_memory.h"

namespace low = vb::low;

namespace {

constexpr std::uint8_t kNode = 1;
constexpr std::uint8_t kSlot = 2;

std::uint32_t AddressOf(const void* p) { return low::AddressOf(p); }

}  // namespace

TEST(LowMemory, RecordsAreZeroedLowAndCheckedBeforeUse) {
    std::set<void*> seen;
    std::vector<void*> records;
    for (int i = 0; i < 2000; ++i) {
        auto* r = static_cast<std::uint32_t*>(low::AllocateRecord(kNode));
        ASSERT_NE(r, nullptr);
        ASSERT_TRUE(low::FitsIn32Bits(r, 8));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(r) % 8, 0u);
        EXPECT_EQ(r[0], 0u);
        EXPECT_EQ(r[1], 0u);
        r[0] = 0xFFFFFFFF;
        EXPECT_TRUE(seen.insert(r).second);
        records.push_back(r);
    }
    const std::uint32_t first = AddressOf(records.front());
    EXPECT_EQ(low::LiveRecord(first, kNode), records.front());
    EXPECT_EQ(low::LiveRecord(first, kSlot), nullptr);
    EXPECT_EQ(low::LiveRecord(first + 4, kNode), nullptr);
    EXPECT_EQ(low::LiveRecord(0, kNode), nullptr);

    const std::size_t live = low::LiveRecordCount();
    for (void* r : records) low::FreeRecord(r);
    EXPECT_EQ(low::LiveRecordCount(), live - records.size());
    EXPECT_EQ(low::LiveRecord(first, kNode), nullptr);
    low::FreeRecord(records.front());  // a second free is ignored
    EXPECT_EQ(low::LiveRecordCount(), live - records.size());

    auto* again = static_cast<std::uint32_t*>(low::AllocateRecord(kSlot));  // reused memory comes back zeroed
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again[0], 0u);
    low::FreeRecord(again);
}

TEST(LowMemory, BlocksAreLowAlignedZeroedAndMarkedWhenFreed) {
    void* small = low::Allocate(40);
    void* large = low::Allocate(600000);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_TRUE(low::FitsIn32Bits(small, 40));
    EXPECT_TRUE(low::FitsIn32Bits(large, 600000));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(small) % 16, 0u);
    EXPECT_TRUE(low::IsBlock(small));
    EXPECT_FALSE(low::IsBlock(static_cast<char*>(small) + 16));
    int x = 0;
    EXPECT_FALSE(low::IsBlock(&x));
    static_cast<char*>(small)[39] = 7;
    low::Free(small);
    EXPECT_FALSE(low::IsBlock(small));
    low::Free(small);  // a second free is ignored
    void* again = low::Allocate(33);  // the same size class: the freed block, zeroed
    EXPECT_EQ(again, small);
    EXPECT_EQ(static_cast<char*>(again)[39], 0);
    low::Free(again);
    low::Free(large);
}

// Blocks are 16-byte aligned even when they follow 8-byte records in a region.
TEST(LowMemory, BlocksAfterRecordsAreRealigned) {
    std::vector<void*> records;
    for (int i = 0; i < 3; ++i) {
        void* r = low::AllocateRecord(kNode);
        ASSERT_NE(r, nullptr);
        records.push_back(r);
        void* block = low::Allocate(24 + 16 * i);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
        low::Free(block);
    }
    for (void* r : records) low::FreeRecord(r);
}

TEST(LowMemory, ExhaustionFailsEveryAllocation) {
    low::SimulateExhaustedForTesting(true);
    EXPECT_EQ(low::AllocateRecord(kNode), nullptr);
    EXPECT_EQ(low::Allocate(16), nullptr);
    low::SimulateExhaustedForTesting(false);
    void* r = low::AllocateRecord(kNode);
    EXPECT_NE(r, nullptr);
    low::FreeRecord(r);
}

TEST(LowMemory, AddressesAbove4GiBAreRefused) {
    EXPECT_TRUE(low::FitsIn32Bits(reinterpret_cast<void*>(0xFFFFFFFFu)));
    EXPECT_FALSE(low::FitsIn32Bits(reinterpret_cast<void*>(0xFFFFFFFFu), 2));
    const auto* high = reinterpret_cast<const void*>(std::uintptr_t{1} << 32);
    EXPECT_FALSE(low::FitsIn32Bits(high));
    EXPECT_THROW(low::AddressOf(high), std::out_of_range);
    EXPECT_EQ(low::AddressOf(reinterpret_cast<void*>(0x12345678u)), 0x12345678u);
}

TEST(LowMemory, RegionsForCodeLieBelow4GiB) {
    void* region = low::MapRegion(4096);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(low::FitsIn32Bits(region, 4096));
    EXPECT_EQ(static_cast<unsigned char*>(region)[4095], 0);
}

// Threads that allocate and free at once get distinct blocks and records.
TEST(LowMemory, IsSafeFromManyThreads) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 2000;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &failures] {
            std::vector<unsigned char*> blocks;
            std::vector<std::uint32_t*> records;
            for (int i = 0; i < kRounds; ++i) {
                auto* b = static_cast<unsigned char*>(low::Allocate(32));
                auto* r = static_cast<std::uint32_t*>(low::AllocateRecord(kNode));
                if (!b || !r || b[31] != 0 || r[1] != 0) {
                    ++failures[t];
                    continue;
                }
                std::memset(b, t + 1, 32);
                r[1] = static_cast<std::uint32_t>(t + 1);
                blocks.push_back(b);
                records.push_back(r);
                if (i % 3 == 0) {
                    low::Free(blocks.front());
                    blocks.erase(blocks.begin());
                    low::FreeRecord(records.front());
                    records.erase(records.begin());
                }
            }
            for (unsigned char* b : blocks)
                if (b[0] != t + 1 || b[31] != t + 1) ++failures[t];
            for (std::uint32_t* r : records)
                if (r[1] != static_cast<std::uint32_t>(t + 1) || !low::LiveRecord(AddressOf(r), kNode)) ++failures[t];
            for (unsigned char* b : blocks) low::Free(b);
            for (std::uint32_t* r : records) low::FreeRecord(r);
        });
    }
    for (auto& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}
