// The library container written and read back: block layout, the directory,
// data chains, and damaged files that must give an error, not a crash.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "library_file.h"

namespace {

using pbvm::Bytes;

std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t get16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

// A program of `programSize` bytes with a library of the given entries.
Bytes programWith(const std::vector<pbvm::LibraryEntry>& entries, std::size_t programSize = 1000) {
    Bytes file(programSize, 0x90);
    Bytes library = pbvm::BuildLibrary(entries, programSize, 1700000000);
    file.insert(file.end(), library.begin(), library.end());
    return file;
}

TEST(LibraryFile, BlocksStartAtABoundaryAndTheTrailerEndsTheFile) {
    Bytes file = programWith({{"a.txt", pattern(10, 1), 0}, {"b.bin", pattern(1004, 2), 0}}, 1000);
    ASSERT_EQ(file.size() % 512, 0u);
    const std::size_t header = 1024;  // the next boundary after 1000 bytes
    EXPECT_EQ(std::memcmp(&file[header], "HDR*PowerBuilder\0\0" "0600", 22), 0);
    EXPECT_EQ(get32(file, header + 22), 1700000000u);
    EXPECT_EQ(std::memcmp(&file[header + 512], "FRE*", 4), 0);
    EXPECT_EQ(std::memcmp(&file[header + 1024], "NOD*", 4), 0);
    const std::size_t trailer = file.size() - 512;
    EXPECT_EQ(std::memcmp(&file[trailer], "TRL*", 4), 0);
    EXPECT_EQ(get32(file, trailer + 4), header);

    // header, map, six node blocks, 1 + 2 data blocks, trailer: 12 blocks, all
    // but the trailer in use.
    const std::size_t blocks = (file.size() - header) / 512;
    EXPECT_EQ(blocks, 12u);
    const std::size_t map = header + 512 + 8;
    EXPECT_EQ(file[map], 0xFF);
    EXPECT_EQ(file[map + 1], 0xE0);  // blocks 9 to 11 in use, the trailer free
    EXPECT_EQ(file[map + 2], 0x00);
}

TEST(LibraryFile, DirectoryNodeCountsAndPositions) {
    Bytes file = programWith({{"zeta.bmp", pattern(5, 1), 0}, {"alpha.win", pattern(5, 2), 0}, {"m.men", {}, 0}}, 512);
    const std::size_t node = 512 + 1024;
    EXPECT_EQ(get16(file, node + 20), 3);
    const std::size_t used = 32 + (24 + 9) + (24 + 10) + (24 + 6);
    EXPECT_EQ(get16(file, node + 16), 3072 - used);
    // Names: zeta at 32 + 24, alpha after it.
    EXPECT_EQ(get16(file, node + 18), 32 + 24);            // sorts last
    EXPECT_EQ(get16(file, node + 22), 32 + 33 + 24);       // sorts first
    EXPECT_EQ(std::memcmp(&file[node + 32], "ENT*0600", 8), 0);
    EXPECT_EQ(get16(file, node + 32 + 22), 9);  // "zeta.bmp" and its zero
}

TEST(LibraryFile, EntriesReadBackByName) {
    Bytes big = pattern(5000, 3);
    Bytes file = programWith({{"small", pattern(3, 9), 0}, {"big", big, 0}, {"empty", {}, 0}});
    std::string error;
    auto reader = pbvm::LibraryReader::FromBytes(file, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->names(), (std::vector<std::string>{"small", "big", "empty"}));
    EXPECT_EQ(*reader->Read("big"), big);
    EXPECT_EQ(*reader->Read("small"), pattern(3, 9));
    EXPECT_TRUE(reader->Read("empty")->empty());
    EXPECT_FALSE(reader->Read("BIG", error));
    EXPECT_NE(error.find("no entry"), std::string::npos);
}

TEST(LibraryFile, EntryOfAMultipleOf502EndsWithAFullBlock) {
    Bytes data = pattern(2 * 502, 5);
    Bytes file = programWith({{"exact", data, 0}}, 0);
    const std::size_t first = 8 * 512;  // after header, map and node
    EXPECT_EQ(get32(file, first + 4), first + 512);
    EXPECT_EQ(get16(file, first + 8), 502);
    EXPECT_EQ(get32(file, first + 512 + 4), 0u);
    EXPECT_EQ(get16(file, first + 512 + 8), 502);
    EXPECT_EQ(file.size(), 11u * 512);  // no third, empty block
    std::string error;
    auto reader = pbvm::LibraryReader::FromBytes(file, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(*reader->Read("exact"), data);
}

TEST(LibraryFile, AFileWithoutTrailerHasNoLibrary) {
    Bytes file = programWith({{"a", pattern(10, 1), 0}});
    file.push_back(0);  // the last 512 bytes no longer start with "TRL*"
    std::string error;
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(file, error));
    EXPECT_NE(error.find("no object library"), std::string::npos);
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(Bytes(100, 0), error));
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(Bytes{}, error));
}

TEST(LibraryFile, ATrailerThatDoesNotPointAtAHeaderIsRejected) {
    Bytes file = programWith({{"a", pattern(10, 1), 0}}, 512);
    for (std::uint32_t offset : {0u, 1024u, 0xFFFFFF00u, static_cast<std::uint32_t>(file.size())}) {
        Bytes damaged = file;
        put32(damaged, damaged.size() - 512 + 4, offset);
        std::string error;
        EXPECT_FALSE(pbvm::LibraryReader::FromBytes(damaged, error)) << offset;
        EXPECT_FALSE(error.empty());
    }
}

TEST(LibraryFile, DamagedChainsGiveAnErrorInsteadOfData) {
    Bytes data = pattern(1500, 4);  // three blocks
    Bytes file = programWith({{"e", data, 0}}, 0);
    const std::size_t first = 8 * 512;
    std::string error;

    Bytes loop = file;  // the third block points back at the first
    put32(loop, first + 1024 + 4, first);
    auto reader = pbvm::LibraryReader::FromBytes(loop, error);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->Read("e", error));
    EXPECT_FALSE(error.empty());

    Bytes past = file;  // the first block points past the end of the file
    put32(past, first + 4, 0x7FFFFE00);
    reader = pbvm::LibraryReader::FromBytes(past, error);
    EXPECT_FALSE(reader->Read("e", error));
    EXPECT_NE(error.find("leaves the library"), std::string::npos);

    Bytes tag = file;  // a block without its tag
    std::memcpy(&tag[first + 512], "XXX*", 4);
    reader = pbvm::LibraryReader::FromBytes(tag, error);
    EXPECT_FALSE(reader->Read("e", error));

    Bytes length = file;  // a block claiming more than 502 bytes
    length[first + 8] = 0xFF;
    length[first + 9] = 0x01;
    reader = pbvm::LibraryReader::FromBytes(length, error);
    EXPECT_FALSE(reader->Read("e", error));

    Bytes shortSize = file;  // the directory says more than the chain holds
    put32(shortSize, 2 * 512 + 32 + 12, 1600);
    reader = pbvm::LibraryReader::FromBytes(shortSize, error);
    EXPECT_FALSE(reader->Read("e", error));
}

// A directory entry claiming 4 GiB does not make the reader ask for 4 GiB:
// in a process that cannot have that much, the damage is still an error.
TEST(LibraryFileDeathTest, ASizeBeyondTheFileIsNotReserved) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more than the limit leaves";
#else
    Bytes file = programWith({{"e", pattern(1500, 4), 0}}, 0);
    put32(file, 2 * 512 + 32 + 12, 0xFFFFFFFF);
    EXPECT_EXIT(
        {
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 2ull << 30);
            setrlimit(RLIMIT_AS, &limit);
            std::string error;
            auto reader = pbvm::LibraryReader::FromBytes(file, error);
            std::exit(reader && !reader->Read("e", error) && !error.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
#endif
}

TEST(LibraryFile, DamagedDirectoryEntriesAreRejected) {
    Bytes file = programWith({{"a", pattern(10, 1), 0}}, 0);
    const std::size_t entry = 2 * 512 + 32;
    std::string error;
    Bytes count = file;
    count[2 * 512 + 20] = 200;  // more entries than the node holds
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(count, error));
    Bytes name = file;
    name[entry + 22] = 0xFF;  // a name running past the node
    name[entry + 23] = 0x7F;
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(name, error));
}

TEST(LibraryFile, EntriesThatDoNotFitOneNodeAreRefused) {
    std::vector<pbvm::LibraryEntry> many;
    for (int i = 0; i < 100; ++i) many.push_back({"entry_with_a_long_name_" + std::to_string(i), {}, 0});
    EXPECT_THROW(pbvm::BuildLibrary(many, 0, 0), std::runtime_error);
}

}  // namespace
