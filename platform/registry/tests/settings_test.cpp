#include <gtest/gtest.h>

#include "err.h"
#include "registry.h"
#include "settings.h"
#include "temp_registry.h"

using namespace vb;

namespace {

int ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const VBError& e) {
        return e.number();
    }
    return 0;
}

const char* kHanzel = "Software\\VB and VBA Program Settings\\Tavorin VB\\Hanzel";

}  // namespace

using Settings = TempRegistry;

TEST_F(Settings, MissingSettingGivesTheDefault) {
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath"), "");
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/bin/tavorin.mdb"),
              "/opt/bin/tavorin.mdb");
}

TEST_F(Settings, SavedSettingIsReadBackFromTheUsualPlace) {
    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/data/tavorin.mdb");
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath", "other"), "/data/tavorin.mdb");
    EXPECT_EQ(GetSetting("tavorin vb", "HANZEL", "databasepath"), "/data/tavorin.mdb");
    auto v = reg::QueryValue(reg::Hive::CurrentUser, kHanzel, "DatabasePath");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, reg::REG_SZ);
    EXPECT_EQ(v->data, "/data/tavorin.mdb");

    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "");
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath", "default"), "");
    SaveSetting("Tavorin VB", "Hanzel", "Notes", "two\nlines = \\ ok");
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "Notes"), "two\nlines = \\ ok");
}

TEST_F(Settings, NumberStoredByOthersReadsAsText) {
    reg::SetNumber(reg::Hive::CurrentUser, kHanzel, "Width", 640);
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "Width", "0"), "640");
}

TEST_F(Settings, DeleteSettingOrSection) {
    SaveSetting("App", "One", "a", "1");
    SaveSetting("App", "One", "b", "2");
    SaveSetting("App", "Two", "c", "3");
    DeleteSetting("App", "One", "a");
    EXPECT_EQ(GetSetting("App", "One", "a", "gone"), "gone");
    EXPECT_EQ(GetSetting("App", "One", "b"), "2");
    DeleteSetting("App", "One");
    EXPECT_EQ(GetSetting("App", "One", "b", "gone"), "gone");
    EXPECT_EQ(GetSetting("App", "Two", "c"), "3");
    // Deleting what is not there is error 5.
    EXPECT_EQ(ErrorNumber([] { DeleteSetting("App", "One"); }), 5);
    EXPECT_EQ(ErrorNumber([] { DeleteSetting("App", "Two", "missing"); }), 5);
    EXPECT_EQ(ErrorNumber([] { DeleteSetting("Nobody", "Two", "c"); }), 5);
}

TEST_F(Settings, NamesThatWouldLeaveTheSettingsPlaceAreRefused) {
    EXPECT_EQ(ErrorNumber([] { SaveSetting("", "S", "k", "v"); }), 5);
    EXPECT_EQ(ErrorNumber([] { SaveSetting("A", "", "k", "v"); }), 5);
    EXPECT_EQ(ErrorNumber([] { SaveSetting("A", "S", "", "v"); }), 5);
    EXPECT_EQ(ErrorNumber([] { SaveSetting("A\\..", "S", "k", "v"); }), 5);
    EXPECT_EQ(ErrorNumber([] { GetSetting("A", "S\\T", "k"); }), 5);
    // A key is a value name, so "\" is allowed there.
    SaveSetting("A", "S", "k\\1", "v");
    EXPECT_EQ(GetSetting("A", "S", "k\\1"), "v");
}
