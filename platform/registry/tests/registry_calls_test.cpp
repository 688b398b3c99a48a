// Opening keys by handle, querying typed values, closing.
#include <gtest/gtest.h>

#include "registry.h"
#include "registry_calls.h"
#include "temp_registry.h"

using namespace reg;

namespace {

class RegistryCalls : public TempRegistry {
protected:
    void SetUp() override {
        TempRegistry::SetUp();
        SetText(Hive::LocalMachine, "SOFTWARE\\Vendor\\Shared Tools\\INFO", "PATH", "/opt/tools/sysinfo");
        SetNumber(Hive::LocalMachine, "SOFTWARE\\Vendor\\Shared Tools\\INFO", "Flags", 0x1A2B3C);
        SetValue(Hive::LocalMachine, "SOFTWARE\\Vendor\\Shared Tools\\INFO", "Blob", Value::Bytes("\x01\x02", REG_BINARY));
    }
};

TEST_F(RegistryCalls, QueriesTextAndNumberValuesWithTheirTypes) {
    std::uint32_t key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software\\vendor\\Shared Tools\\INFO", 0, KEY_READ, key), ERROR_SUCCESS);
    EXPECT_NE(key, 0u);

    std::uint32_t type = 0, size = 1024;
    std::string buffer(1024, '\0');
    ASSERT_EQ(RegQueryValueEx(key, "PATH", type, buffer, size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 19u);  // the text and its terminating zero
    EXPECT_EQ(buffer.substr(0, size), std::string("/opt/tools/sysinfo") + '\0');
    EXPECT_EQ(buffer.size(), 1024u);

    size = 1024;
    ASSERT_EQ(RegQueryValueEx(key, "flags", type, buffer, size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(buffer.substr(0, 4), std::string("\x3C\x2B\x1A\x00", 4));  // low byte first

    size = 1024;
    ASSERT_EQ(RegQueryValueEx(key, "Blob", type, buffer, size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 2u);

    // A missing value leaves the buffer as it was.
    size = 1024;
    std::string untouched(16, 'x');
    EXPECT_EQ(RegQueryValueEx(key, "MSINFO", type, untouched, size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(untouched, std::string(16, 'x'));

    // Too little room: the size needed, nothing written.
    size = 4;
    EXPECT_EQ(RegQueryValueEx(key, "PATH", type, untouched, size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 19u);
    EXPECT_EQ(untouched, std::string(16, 'x'));

    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    size = 1024;
    EXPECT_EQ(RegQueryValueEx(key, "PATH", type, buffer, size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(0), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryCalls, MissingKeysHandlesAndRights) {
    std::uint32_t key = 7;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor\\Shared Tools Location", 0, KEY_READ, key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(RegOpenKeyEx(0x1234, "SOFTWARE", 0, KEY_READ, key), ERROR_INVALID_HANDLE);
    // Nothing was created by the failed open.
    EXPECT_FALSE(KeyExists(Hive::LocalMachine, "SOFTWARE\\Vendor\\Shared Tools Location"));

    // A key opened below an opened key; a key opened without the right to
    // query values cannot be queried.
    std::uint32_t vendor = 0, info = 0, noQuery = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", 0, KEY_READ, vendor), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyEx(vendor, "Shared Tools\\INFO", 0, 0x2003F, info), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyEx(vendor, "Shared Tools\\INFO", 0, KEY_ENUMERATE_SUB_KEYS, noQuery), ERROR_SUCCESS);
    std::uint32_t type = 0, size = 64;
    std::string buffer;
    EXPECT_EQ(RegQueryValueEx(info, "PATH", type, buffer, size), ERROR_SUCCESS);
    EXPECT_EQ(buffer.size(), 64u);
    size = 64;
    EXPECT_EQ(RegQueryValueEx(noQuery, "PATH", type, buffer, size), ERROR_ACCESS_DENIED);

    // A key deleted while open.
    DeleteKey(Hive::LocalMachine, "SOFTWARE\\Vendor\\Shared Tools");
    size = 64;
    EXPECT_EQ(RegQueryValueEx(info, "PATH", type, buffer, size), ERROR_KEY_DELETED);
    for (std::uint32_t k : {vendor, info, noQuery}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
}

}  // namespace
