// A server's value query into room of exactly the value's size, one byte
// less, or no buffer at all (the size alone).
#include <cstring>

#include "reg_keys.h"
#include "temp_registry.h"

using namespace com;

namespace {

class RegQuerySize : public TempRegistry {
protected:
    void SetUp() override {
        TempRegistry::SetUp();
        ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "CLSID\\{Sizes}", &key_), ERROR_SUCCESS);
        const char* text = "Apartment";  // nine letters
        ASSERT_EQ(RegSetValueEx(key_, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 10), ERROR_SUCCESS);
        const std::uint32_t number = 0xA1B2C3D4;
        ASSERT_EQ(RegSetValueEx(key_, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
        const BYTE blob[3] = {7, 0, 9};
        ASSERT_EQ(RegSetValueEx(key_, "Blob", 0, REG_BINARY, blob, 3), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        TempRegistry::TearDown();
    }
    LSTATUS query(const char* name, DWORD room) {
        std::memset(buffer_, 'x', sizeof buffer_);
        size_ = room;
        type_ = 0xFFFF;
        return RegQueryValueEx(key_, name, nullptr, &type_, buffer_, &size_);
    }
    HKEY key_ = 0;
    DWORD type_ = 0, size_ = 0;
    BYTE buffer_[32];
};

TEST_F(RegQuerySize, ATextFitsExactlyWithItsZero) {
    ASSERT_EQ(query("Text", 10), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_SZ);
    EXPECT_EQ(size_, 10u);
    EXPECT_EQ(std::memcmp(buffer_, "Apartment\0x", 11), 0);
    EXPECT_EQ(query("Text", 9), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 10u);
}

TEST_F(RegQuerySize, NumbersAndBinaryDataFitTheirOwnSize) {
    ASSERT_EQ(query("Number", 4), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_DWORD);
    EXPECT_EQ(size_, 4u);
    EXPECT_EQ(std::memcmp(buffer_, "\xD4\xC3\xB2\xA1x", 5), 0);
    EXPECT_EQ(query("Number", 3), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 4u);

    ASSERT_EQ(query("Blob", 3), ERROR_SUCCESS);
    EXPECT_EQ(type_, REG_BINARY);
    EXPECT_EQ(size_, 3u);
    EXPECT_EQ(std::memcmp(buffer_, "\x07\x00\x09x", 4), 0);
    EXPECT_EQ(query("Blob", 2), ERROR_MORE_DATA);
    EXPECT_EQ(size_, 3u);
}

TEST_F(RegQuerySize, WithoutABufferTheSizeIsReported) {
    for (const auto& [name, needed] : {std::pair<const char*, DWORD>{"Text", 10}, {"Number", 4}, {"Blob", 3}}) {
        DWORD size = 0, type = 0;
        EXPECT_EQ(RegQueryValueEx(key_, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << name;
        EXPECT_EQ(size, needed) << name;
        // That size is enough.
        EXPECT_EQ(query(name, size), ERROR_SUCCESS) << name;
    }
}

}  // namespace
