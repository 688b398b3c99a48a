// The registry calls of servers, over a temporary registry.
#include <cstring>

#include "reg_keys.h"
#include "temp_registry.h"

using namespace com;

using RegistryCalls = TempRegistry;

TEST_F(RegistryCalls, KeysAndValuesRoundTrip) {
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "CLSID\\{X}", &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValue(key, "InprocServer32", REG_SZ, "/opt/x.ocx", 10), ERROR_SUCCESS);
    HKEY sub = 0;
    ASSERT_EQ(RegOpenKey(key, "InprocServer32", &sub), ERROR_SUCCESS);
    const char* model = "Apartment";
    ASSERT_EQ(RegSetValueEx(sub, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), 10),
              ERROR_SUCCESS);
    const std::uint32_t number = 164241;
    ASSERT_EQ(RegSetValueEx(sub, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);

    char text[64];
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValue(key, "InprocServer32", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "/opt/x.ocx");
    EXPECT_EQ(size, 11);
    DWORD type = 0, bytes = sizeof text;
    ASSERT_EQ(RegQueryValueEx(sub, "ThreadingModel", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_STREQ(text, "Apartment");
    std::uint32_t back = 0;
    bytes = 4;
    ASSERT_EQ(RegQueryValueEx(sub, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&back), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(back, number);

    // Too small a buffer: the size needed and ERROR_MORE_DATA.
    char small[4];
    bytes = sizeof small;
    EXPECT_EQ(RegQueryValueEx(sub, "ThreadingModel", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &bytes),
              ERROR_MORE_DATA);
    EXPECT_EQ(bytes, 10u);
    EXPECT_EQ(RegQueryValueEx(sub, "Missing", nullptr, nullptr, nullptr, &bytes), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(sub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValue(sub, nullptr, REG_SZ, "x", 1), ERROR_INVALID_HANDLE);
    RegCloseKey(key);
}

TEST_F(RegistryCalls, DeleteKeyRefusesKeysWithSubkeysAndEnumKeyListsThem) {
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "Lib.Name\\CLSID", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "Lib.Name\\CurVer", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "Lib.Name", &key), ERROR_SUCCESS);
    char name[32];
    EXPECT_EQ(RegEnumKey(key, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "CLSID");
    EXPECT_EQ(RegEnumKey(key, 1, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "CurVer");
    EXPECT_EQ(RegEnumKey(key, 2, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKey(key, 0, name, 3), ERROR_MORE_DATA);
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Lib.Name"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Lib.Name\\CLSID"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Lib.Name\\CLSID"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "Lib.Name"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "Lib.Name", &key), ERROR_FILE_NOT_FOUND);
}
