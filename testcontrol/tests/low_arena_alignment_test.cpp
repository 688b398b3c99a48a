// Marker records and control objects taken from the same low memory one
// after the other: records stay aligned and apart from objects of any size,
// and an object's block (reused or not) never reaches into a record.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "low_memory.h"
#include "marker_list.h"

using namespace zevote;

namespace {

std::uintptr_t At(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

struct Block {
    void* p;
    std::size_t size;
};

bool Overlap(const void* a, std::size_t aSize, const void* b, std::size_t bSize) {
    return At(a) < At(b) + bSize && At(b) < At(a) + aSize;
}

TEST(LowArenaAlignment, RecordsAfterObjectsOfOddSizesAreAligned) {
    std::vector<Block> objects;
    std::vector<MarkerNode*> nodes;
    std::vector<PendingSlot*> slots;
    std::uint32_t value = 1;
    for (std::size_t size : {1u, 3u, 5u, 7u, 9u, 13u, 17u, 21u, 33u, 45u, 63u, 65u, 99u, 127u, 129u, 255u}) {
        void* object = vb::low::Allocate(size);
        ASSERT_NE(object, nullptr) << size;
        EXPECT_EQ(At(object) % 16, 0u) << size;
        std::memset(object, 0xA5, size);
        objects.push_back({object, size});
        // A record of each kind right after the object, and one more.
        for (int i = 0; i < 2; ++i) {
            MarkerNode* node = NewMarkerNode(value++);
            ASSERT_NE(node, nullptr);
            EXPECT_EQ(At(node) % sizeof(MarkerNode), 0u) << "after an object of " << size;
            EXPECT_TRUE(vb::low::FitsIn32Bits(node));
            EXPECT_EQ(NodeAt(AddressOf(node)), node);
            nodes.push_back(node);
        }
        PendingSlot* slot = NewPendingSlot(value++);
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(At(slot) % sizeof(PendingSlot), 0u) << "after an object of " << size;
        EXPECT_EQ(SlotAt(AddressOf(slot)), slot);
        slots.push_back(slot);
    }
    // Nothing shares a byte: each record holds what was written to it and
    // lies outside every object.
    std::uint32_t expected = 1;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        for (int k = 0; k < 2; ++k) {
            MarkerNode* node = nodes[2 * i + static_cast<std::size_t>(k)];
            EXPECT_EQ(node->value, expected++);
            EXPECT_EQ(node->next, 0u);
        }
        EXPECT_EQ(slots[i]->field, expected++);
    }
    for (const Block& o : objects) {
        for (MarkerNode* n : nodes) EXPECT_FALSE(Overlap(o.p, o.size, n, sizeof *n));
        for (PendingSlot* s : slots) EXPECT_FALSE(Overlap(o.p, o.size, s, sizeof *s));
        const auto* bytes = static_cast<const std::uint8_t*>(o.p);
        for (std::size_t b = 0; b < o.size; ++b) ASSERT_EQ(bytes[b], 0xA5) << "object of " << o.size;
    }
    for (MarkerNode* n : nodes) FreeMarkerNode(n);
    for (PendingSlot* s : slots) FreePendingSlot(s);
    for (const Block& o : objects) vb::low::Free(o.p);
}

TEST(LowArenaAlignment, AReusedObjectBlockLeavesTheRecordsAfterItAlone) {
    // An odd-sized object, records right after it; the object's block freed
    // and handed out again (zeroed for its new owner) must not clear them.
    void* object = vb::low::Allocate(19);
    ASSERT_NE(object, nullptr);
    std::vector<MarkerNode*> nodes;
    for (std::uint32_t v = 1; v <= 4; ++v) {
        MarkerNode* node = NewMarkerNode(0xC0DE0000u + v);
        ASSERT_NE(node, nullptr);
        nodes.push_back(node);
    }
    vb::low::Free(object);
    void* again = vb::low::Allocate(19);
    ASSERT_NE(again, nullptr);
    std::memset(again, 0xFF, 19);
    for (std::uint32_t v = 1; v <= 4; ++v) EXPECT_EQ(nodes[v - 1]->value, 0xC0DE0000u + v);
    for (MarkerNode* n : nodes) FreeMarkerNode(n);
    vb::low::Free(again);
}

TEST(LowArenaAlignment, ObjectsAfterRecordsStartOnTheirOwnBoundary) {
    std::vector<MarkerNode*> nodes;
    std::vector<void*> objects;
    for (int round = 0; round < 8; ++round) {
        // An odd number of 8-byte records, then an object.
        for (int i = 0; i <= round; i += 2) {
            MarkerNode* node = NewMarkerNode(static_cast<std::uint32_t>(round));
            ASSERT_NE(node, nullptr);
            nodes.push_back(node);
        }
        void* object = vb::low::Allocate(static_cast<std::size_t>(8 * round + 3));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(At(object) % 16, 0u) << round;
        for (MarkerNode* n : nodes) EXPECT_FALSE(Overlap(object, static_cast<std::size_t>(8 * round + 3), n, sizeof *n));
        objects.push_back(object);
    }
    for (MarkerNode* n : nodes) FreeMarkerNode(n);
    for (void* o : objects) vb::low::Free(o);
}

}  // namespace
