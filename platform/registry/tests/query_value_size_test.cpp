// Querying a value into room of exactly its size, one byte less, or none:
// texts count their terminating zero, numbers four bytes, binary data its
// own length.
#include <gtest/gtest.h>

#include "registry.h"
#include "registry_calls.h"
#include "temp_registry.h"

using namespace reg;

namespace {

constexpr const char* kKey = "SOFTWARE\\Vendor\\Sizes";

class QueryValueSize : public TempRegistry {
protected:
    void SetUp() override {
        TempRegistry::SetUp();
        SetText(Hive::LocalMachine, kKey, "Text", "abcdef");
        SetText(Hive::LocalMachine, kKey, "Empty", "");
        SetNumber(Hive::LocalMachine, kKey, "Number", 0x01020304);
        SetValue(Hive::LocalMachine, kKey, "Blob", Value::Bytes(std::string("\x10\x00\x20\x30\x40", 5), REG_BINARY));
        ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, key_), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        TempRegistry::TearDown();
    }
    // Queries `name` with `room` bytes of room in a buffer of 'x'; the result
    // code, and the size and buffer after the call.
    std::int32_t query(const char* name, std::uint32_t room) {
        buffer_.assign(room, 'x');
        size_ = room;
        type_ = 0xFFFF;
        return RegQueryValueEx(key_, name, type_, buffer_, size_);
    }
    std::uint32_t key_ = 0;
    std::uint32_t type_ = 0, size_ = 0;
    std::string buffer_;
};

TEST_F(QueryValueSize, ATextFitsExactlyWithItsZero) {
    ASSERT_EQ(query("Text", 7), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_SZ);
    EXPECT_EQ(size_, 7u);
    EXPECT_EQ(buffer_, std::string("abcdef\0", 7));

    EXPECT_EQ(query("Text", 6), ERROR_MORE_DATA);  // room for the letters, not the zero
    EXPECT_EQ(size_, 7u);
    EXPECT_EQ(buffer_, std::string(6, 'x'));

    ASSERT_EQ(query("Text", 8), ERROR_SUCCESS);
    EXPECT_EQ(size_, 7u);
    EXPECT_EQ(buffer_, std::string("abcdef\0x", 8));  // the byte after it untouched
}

TEST_F(QueryValueSize, AnEmptyTextNeedsOneByte) {
    EXPECT_EQ(query("Empty", 0), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 1u);
    ASSERT_EQ(query("Empty", 1), ERROR_SUCCESS);
    EXPECT_EQ(size_, 1u);
    EXPECT_EQ(buffer_, std::string(1, '\0'));
}

TEST_F(QueryValueSize, ANumberFitsInFourBytes) {
    ASSERT_EQ(query("Number", 4), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_DWORD);
    EXPECT_EQ(size_, 4u);
    EXPECT_EQ(buffer_, std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(query("Number", 3), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 4u);
    EXPECT_EQ(buffer_, std::string(3, 'x'));
}

TEST_F(QueryValueSize, BinaryDataFitsInItsOwnLength) {
    ASSERT_EQ(query("Blob", 5), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_BINARY);
    EXPECT_EQ(size_, 5u);
    EXPECT_EQ(buffer_, std::string("\x10\x00\x20\x30\x40", 5));
    EXPECT_EQ(query("Blob", 4), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 5u);
    EXPECT_EQ(buffer_, std::string(4, 'x'));
    EXPECT_EQ(query("Blob", 0), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 5u);
}

TEST_F(QueryValueSize, TheSizeAsked) {
    // The size the first call reports is enough for the second.
    for (const char* name : {"Text", "Empty", "Number", "Blob"}) {
        ASSERT_EQ(query(name, 0), ERROR_MORE_DATA) << name;
        const std::uint32_t needed = size_;
        EXPECT_EQ(query(name, needed), ERROR_SUCCESS) << name;
        EXPECT_EQ(size_, needed) << name;
    }
}

}  // namespace
