#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

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

namespace {

// The files beside the hive that keep a damaged copy of it.
std::vector<std::string> KeptDamagedFiles(const std::string& folder) {
    std::vector<std::string> kept;
    const std::string prefix = std::filesystem::path(reg::HiveFilePath(reg::Hive::CurrentUser)).filename().string() +
                               ".damaged-";
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0) kept.push_back(entry.path().string());
    std::sort(kept.begin(), kept.end());
    return kept;
}

}  // namespace

TEST_F(Settings, ADamagedHiveReadsAsDefaultsAndIsKeptAsideWhenASettingIsSaved) {
    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/data/tavorin.mdb");
    SaveSetting("Other", "Window", "Width", "640");
    const std::string hive = reg::HiveFilePath(reg::Hive::CurrentUser);
    // Cut short as a write interrupted half-way leaves it.
    const std::string whole = ReadFile(hive);
    const std::string damaged = whole.substr(0, whole.size() / 2);
    WriteFile(hive, damaged);

    // Reading changes nothing on disk.
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/tavorin.mdb"), "/opt/tavorin.mdb");
    EXPECT_EQ(ReadFile(hive), damaged);
    EXPECT_TRUE(KeptDamagedFiles(folder_).empty());

    // Saving starts a new hive and keeps the damaged one beside it.
    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/tavorin.mdb");
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath"), "/opt/tavorin.mdb");
    EXPECT_EQ(GetSetting("Other", "Window", "Width", "none"), "none");
    auto kept = KeptDamagedFiles(folder_);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadFile(kept[0]), damaged);
    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/srv/tavorin.mdb");
    EXPECT_EQ(KeptDamagedFiles(folder_).size(), 1u);

    // A second damage, even within the same second, is kept as well: no kept
    // file is ever overwritten.
    WriteFile(hive, "not a registry file at all\n");
    SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/tavorin.mdb");
    kept = KeptDamagedFiles(folder_);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_NE(ReadFile(kept[0]), ReadFile(kept[1]));
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath"), "/opt/tavorin.mdb");
}

TEST_F(Settings, AHiveThatCannotBeReadGivesTheDefault) {
    const std::string hive = reg::HiveFilePath(reg::Hive::CurrentUser);
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directories(hive);
    EXPECT_EQ(GetSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/tavorin.mdb"), "/opt/tavorin.mdb");
    // Nothing damaged to keep: saving still reports the failure.
    EXPECT_NE(ErrorNumber([] { SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "x"); }), 0);
    EXPECT_TRUE(std::filesystem::is_directory(hive));
}
