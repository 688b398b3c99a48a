// Blocks of memory for stores of many rows: usable over their whole size
// whatever it is, and large ones given back to the system when freed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>

#include "system_blocks.h"

namespace {

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

TEST(SystemBlocks, SmallAndLargeBlocksHoldWhatIsWrittenOverTheirWholeSize) {
    for (std::size_t bytes : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{64 * 1024 - 1},
                              std::size_t{64 * 1024}, std::size_t{300 * 1024 + 7}}) {
        vb::SystemBlock<std::uint8_t> block = vb::NewSystemBlock<std::uint8_t>(bytes);
        ASSERT_NE(block.get(), nullptr) << bytes;
        for (std::size_t i = 0; i < bytes; ++i) block[i] = static_cast<std::uint8_t>(i * 7);
        for (std::size_t i = 0; i < bytes; ++i) ASSERT_EQ(block[i], static_cast<std::uint8_t>(i * 7)) << bytes;
    }
    vb::SystemBlock<std::uint64_t> values = vb::NewSystemBlock<std::uint64_t>(100000);
    values[99999] = 0x0123456789abcdefULL;
    EXPECT_EQ(values[99999], 0x0123456789abcdefULL);
    vb::SystemBlock<std::uint64_t> moved = std::move(values);
    EXPECT_EQ(moved[99999], 0x0123456789abcdefULL);
}

TEST(SystemBlocks, ALargeBlockLeavesTheProcessWhenFreedWhateverTheHeapHoldsAboveIt) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer build takes every block from its own heap";
#endif
    constexpr std::size_t kBytes = 64u << 20;
    const long before = ResidentKb();
    auto block = vb::NewSystemBlock<char>(kBytes);
    std::memset(block.get(), 1, kBytes);
    // Heap memory allocated after the block, as a store's other rows are.
    auto after = std::make_unique<char[]>(1 << 20);
    std::memset(after.get(), 2, 1 << 20);
    EXPECT_GE(ResidentKb() - before, static_cast<long>(kBytes / 1024) - 1024);
    block.reset();
    EXPECT_LT(ResidentKb() - before, 16 * 1024) << "the block's pages are still in the process";
}
