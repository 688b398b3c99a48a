// The library's directory read on its own: entries carrying comments after
// their names (which our writer never writes, but libraries made elsewhere
// do), libraries appended to real program files, and what the reader gives
// for names and times.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "library_file.h"

namespace {

using pbvm::Bytes;

std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t get16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 13);
    return b;
}

// A program of `programSize` bytes followed by a library of `entries` whose
// directory records carry `comments[i]` after their names: the node is laid
// out again with each record's comment length set and its comment bytes
// after the name's zero.
Bytes libraryWithComments(const std::vector<pbvm::LibraryEntry>& entries, const std::vector<std::string>& comments,
                          std::size_t programSize = 700) {
    Bytes file(programSize, 0xCC);
    Bytes library = pbvm::BuildLibrary(entries, programSize, 1600000000);
    file.insert(file.end(), library.begin(), library.end());
    const std::size_t header = (programSize + 511) / 512 * 512;
    const std::size_t node = header + 2 * 512;
    Bytes records(file.begin() + node + 32, file.begin() + node + pbvm::kNodeSize);
    std::fill(file.begin() + node + 32, file.begin() + node + pbvm::kNodeSize, 0);
    std::size_t from = 0, to = node + 32;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t nameLen = get16(records, from + 22);
        const std::string& comment = i < comments.size() ? comments[i] : std::string();
        std::memcpy(&file[to], &records[from], 24 + nameLen);
        put16(file, to + 20, static_cast<std::uint16_t>(comment.size()));
        std::memcpy(&file[to + 24 + nameLen], comment.data(), comment.size());
        from += 24 + nameLen;
        to += 24 + nameLen + comment.size();
    }
    EXPECT_LE(to, node + pbvm::kNodeSize) << "the comments do not fit the node";
    put16(file, node + 16, static_cast<std::uint16_t>(node + pbvm::kNodeSize - to));
    return file;
}

TEST(LibraryDirectory, EntriesAfterCommentedOnesAreFoundByName) {
    const Bytes first = pattern(30, 1), second = pattern(700, 2), third = pattern(5, 3);
    // Comments of odd and even lengths, one of them empty, one that starts
    // like a directory record of its own.
    Bytes file = libraryWithComments({{"w_main.win", first, 0}, {"d_list.dwo", second, 0}, {"ob.exe", third, 0}},
                                     {"Main window of the sample", "", "ENT*0600 not an entry"});
    std::string error;
    auto reader = pbvm::LibraryReader::FromBytes(file, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->names(), (std::vector<std::string>{"w_main.win", "d_list.dwo", "ob.exe"}));
    ASSERT_TRUE(reader->Read("w_main.win"));
    EXPECT_EQ(*reader->Read("w_main.win"), first);
    ASSERT_TRUE(reader->Read("d_list.dwo"));
    EXPECT_EQ(*reader->Read("d_list.dwo"), second);
    ASSERT_TRUE(reader->Read("ob.exe", error)) << error;
    EXPECT_EQ(*reader->Read("ob.exe"), third);
}

TEST(LibraryDirectory, EveryEntryMayHaveAComment) {
    std::vector<pbvm::LibraryEntry> entries;
    std::vector<std::string> comments;
    for (int i = 0; i < 12; ++i) {
        entries.push_back({"entry" + std::to_string(i), pattern(static_cast<std::size_t>(100 * i + 1), static_cast<std::uint8_t>(i)), 0});
        comments.push_back(std::string(static_cast<std::size_t>(i * 7 + 1), static_cast<char>('a' + i)));
    }
    Bytes file = libraryWithComments(entries, comments, 0);
    std::string error;
    auto reader = pbvm::LibraryReader::FromBytes(file, error);
    ASSERT_TRUE(reader) << error;
    ASSERT_EQ(reader->names().size(), entries.size());
    for (const auto& e : entries) {
        auto data = reader->Read(e.name, error);
        ASSERT_TRUE(data) << e.name << ": " << error;
        EXPECT_EQ(*data, e.data) << e.name;
    }
}

TEST(LibraryDirectory, ACommentRunningPastTheNodeIsDamage) {
    Bytes file = libraryWithComments({{"a.win", pattern(10, 1), 0}, {"b.win", pattern(10, 2), 0}}, {"first", "x"}, 0);
    const std::size_t node = 2 * 512;
    // The second record's comment claims the rest of the node and more.
    const std::size_t second = node + 32 + 24 + 6 + 5;
    ASSERT_EQ(std::memcmp(&file[second], "ENT*", 4), 0);
    put16(file, second + 20, static_cast<std::uint16_t>(pbvm::kNodeSize));
    std::string error;
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(file, error));
    EXPECT_NE(error.find("directory entry 2"), std::string::npos) << error;

    // A comment length that makes the next record start off its tag.
    Bytes shifted = libraryWithComments({{"a.win", pattern(10, 1), 0}, {"b.win", pattern(10, 2), 0}}, {"first"}, 0);
    put16(shifted, node + 32 + 20, 4);
    EXPECT_FALSE(pbvm::LibraryReader::FromBytes(shifted, error));
    EXPECT_NE(error.find("directory entry 2 is damaged"), std::string::npos) << error;
}

class LibraryOnAProgram : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("pbvm_directory_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { std::filesystem::remove(path_); }
    void writeProgram(const Bytes& bytes) {
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Bytes contents() const {
        std::ifstream in(path_, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path path_;
};

TEST_F(LibraryOnAProgram, AppendingKeepsTheProgramAndTheReaderFindsTheLibraryAtItsEnd) {
    const Bytes program = pattern(1234, 9);
    writeProgram(program);
    const Bytes data = pattern(2000, 4);
    pbvm::AppendLibrary(path_.string(), {{"app.apl", data, 1500000000}, {"ob.exe", pattern(97, 5), 0}}, 1700000000);
    const Bytes file = contents();
    ASSERT_GT(file.size(), program.size());
    EXPECT_TRUE(std::equal(program.begin(), program.end(), file.begin()));
    // Padding up to the next block, then the header there.
    EXPECT_TRUE(std::all_of(file.begin() + 1234, file.begin() + 1536, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(file.size() % 512, 0u);

    std::string error;
    auto reader = pbvm::LibraryReader::Open(path_.string(), error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->headerOffset(), 1536u);
    EXPECT_EQ(reader->time(), 1700000000u);
    EXPECT_EQ(*reader->Read("app.apl"), data);
    // The entry's own time, and the library's for an entry without one.
    const std::size_t node = 1536 + 1024;
    EXPECT_EQ(get32(file, node + 32 + 16), 1500000000u);
    EXPECT_EQ(get32(file, node + 32 + 24 + 8 + 16), 1700000000u);
}

TEST_F(LibraryOnAProgram, ASecondLibraryAppendedHidesTheFirst) {
    writeProgram(pattern(512, 1));
    pbvm::AppendLibrary(path_.string(), {{"old.win", pattern(10, 1), 0}}, 1);
    pbvm::AppendLibrary(path_.string(), {{"new.win", pattern(20, 2), 0}}, 2);
    std::string error;
    auto reader = pbvm::LibraryReader::Open(path_.string(), error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->names(), std::vector<std::string>{"new.win"});
    EXPECT_EQ(reader->time(), 2u);
    EXPECT_FALSE(reader->Read("old.win"));
}

TEST_F(LibraryOnAProgram, MissingFilesAndNamesThatDifferInCaseOrLength) {
    std::string error;
    EXPECT_FALSE(pbvm::LibraryReader::Open(path_.string() + ".none", error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    EXPECT_THROW(pbvm::AppendLibrary(path_.string() + ".none", {}, 0), std::runtime_error);

    writeProgram(pattern(100, 1));
    pbvm::AppendLibrary(path_.string(), {{"w_main.win", pattern(3, 1), 0}, {"w_main.wi", pattern(4, 2), 0}}, 0);
    auto reader = pbvm::LibraryReader::Open(path_.string(), error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->Read("w_main.win")->size(), 3u);
    EXPECT_EQ(reader->Read("w_main.wi")->size(), 4u);
    EXPECT_FALSE(reader->Read("W_MAIN.WIN"));
    EXPECT_FALSE(reader->Read("w_main"));
    EXPECT_FALSE(reader->Read(""));
}

TEST(LibraryDirectory, AnEmptyLibraryHasNoNames) {
    Bytes file = libraryWithComments({}, {}, 0);
    std::string error;
    auto reader = pbvm::LibraryReader::FromBytes(file, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_TRUE(reader->names().empty());
    EXPECT_FALSE(reader->Read("ob.exe", error));
    EXPECT_NE(error.find("no entry"), std::string::npos);
}

}  // namespace
