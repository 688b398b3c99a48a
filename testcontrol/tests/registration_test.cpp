#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <map>
#include <thread>

#include "registry.h"
#include "server_test_support.h"

using namespace zevote::testing;

namespace {

constexpr const char* kControlKey = "CLSID\\{4B27E760-5745-11CF-8918-00A02416C765}";
constexpr const char* kPageKey = "CLSID\\{4CFDDFE0-5745-11CF-8918-00A02416C765}";
constexpr const char* kIndependentProgId = "Tavorin ActiveX Test Control.ZEVObjectTestingControl";
constexpr const char* kVersionedProgId = "Tavorin ActiveX Test Control.ZEVObjectTestingControl.1";
constexpr const char* kTypeLibKey = "TypeLib\\{478E45E0-5745-11CF-8918-00A02416C765}";

// Every key of HKEY_CLASSES_ROOT with its values: "key|value name" -> text
// ("key|" alone for a key without values).
std::map<std::string, std::string> DumpClassesRoot(const std::string& key = "") {
    std::map<std::string, std::string> dump;
    const auto names = reg::ValueNames(reg::Hive::ClassesRoot, key);
    if (!key.empty() && names.empty()) dump[key + "|"] = "";
    for (const std::string& name : names) {
        auto value = reg::QueryValue(reg::Hive::ClassesRoot, key, name);
        dump[key + "|" + name] = value ? value->data : "?";
    }
    for (const std::string& sub : reg::SubKeyNames(reg::Hive::ClassesRoot, key)) {
        auto below = DumpClassesRoot(key.empty() ? sub : key + "\\" + sub);
        dump.insert(below.begin(), below.end());
    }
    return dump;
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library_.Loaded()) << ControlPath() << ": " << com::LastLoadError(); }
    ScopedRegistry registry_;
    ControlLibrary library_;
};

TEST_F(Registration, WritesEveryKeyAndValueOnceHoweverOftenItRuns) {
    const std::string path = com::ModuleFileName(library_.module);
    ASSERT_EQ(library_.registerServer(), com::S_OK);
    const auto once = DumpClassesRoot();
    ASSERT_EQ(library_.registerServer(), com::S_OK);
    const auto twice = DumpClassesRoot();
    EXPECT_EQ(once, twice);

    const std::string control = kControlKey;
    const std::map<std::string, std::string> expected = {
        {control + "|", "ZEVObjectTestingControl Object"},
        {control + "\\InprocServer32|", path},
        {control + "\\InprocServer32|ThreadingModel", "Apartment"},
        {control + "\\VersionIndependentProgID|", kIndependentProgId},
        {control + "\\ProgID|", kVersionedProgId},
        {control + "\\TypeLib|", "{478E45E0-5745-11CF-8918-00A02416C765}"},
        {control + "\\Control|", ""},
        {control + "\\MiscStatus|", "0"},
        {control + "\\MiscStatus\\1|", "164241"},
        {control + "\\ToolboxBitmap32|", path + ", 1"},
        {control + "\\Version|", "1.0"},
        {std::string(kIndependentProgId) + "|", "ZEVObjectTestingControl Object"},
        {std::string(kIndependentProgId) + "\\CLSID|", "{4B27E760-5745-11CF-8918-00A02416C765}"},
        {std::string(kIndependentProgId) + "\\CurVer|", kVersionedProgId},
        {std::string(kVersionedProgId) + "|", "ZEVObjectTestingControl Object"},
        {std::string(kVersionedProgId) + "\\CLSID|", "{4B27E760-5745-11CF-8918-00A02416C765}"},
        {std::string(kPageKey) + "|", "Tavorin ActiveX Test Control General Property Page Object"},
        {std::string(kPageKey) + "\\InprocServer32|", path},
        {std::string(kPageKey) + "\\InprocServer32|ThreadingModel", "Apartment"},
    };
    for (const auto& [entry, value] : expected) {
        auto it = twice.find(entry);
        ASSERT_NE(it, twice.end()) << entry;
        EXPECT_EQ(it->second, value) << entry;
    }
    // Nothing else but the type library's entries.
    std::size_t typeLibEntries = 0;
    for (const auto& [entry, value] : twice) {
        if (entry.rfind(kTypeLibKey, 0) == 0) {
            ++typeLibEntries;
        } else if (entry != "CLSID|" && entry != "TypeLib|") {  // the shared parents stay
            EXPECT_TRUE(expected.count(entry)) << "unexpected " << entry;
        }
    }
    EXPECT_GT(typeLibEntries, 0u);
    EXPECT_EQ(twice.at(std::string(kTypeLibKey) + "\\1.0|"), "Tavorin ActiveX Test Control");
    EXPECT_EQ(twice.at(std::string(kTypeLibKey) + "\\1.0\\409\\win32|"), path);

    // The class is found through its program identifiers.
    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID(kIndependentProgId, &clsid), com::S_OK);
    EXPECT_EQ(com::GuidToString(clsid), "{4B27E760-5745-11CF-8918-00A02416C765}");
}

TEST_F(Registration, EntriesThatAreAlreadyThereAreReplacedWhole) {
    reg::SetText(reg::Hive::ClassesRoot, std::string(kControlKey) + "\\Stale", "", "left over");
    ASSERT_EQ(library_.registerServer(), com::S_OK);
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, std::string(kControlKey) + "\\Stale"));
}

TEST_F(Registration, UnregistrationLeavesNoneOfItsEntries) {
    ASSERT_EQ(library_.registerServer(), com::S_OK);
    reg::SetText(reg::Hive::ClassesRoot, "CLSID\\{00000000-1111-2222-3333-444444444444}", "", "someone else");
    EXPECT_EQ(library_.unregisterServer(), com::S_OK);
    for (const auto& [entry, value] : DumpClassesRoot()) {
        EXPECT_EQ(entry.find("4B27E760"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("4CFDDFE0"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("478E45E0"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("Tavorin"), std::string::npos) << entry;
    }
    EXPECT_TRUE(reg::KeyExists(reg::Hive::ClassesRoot, "CLSID\\{00000000-1111-2222-3333-444444444444}"));
    // Unregistering again finds nothing to remove and still succeeds.
    EXPECT_EQ(library_.unregisterServer(), com::S_OK);
}

TEST_F(Registration, AFailedRegistryWriteIsReportedAsFailure) {
    // A damaged hive file is never overwritten: every write fails.
    const std::string hiveFile = reg::HiveFilePath(reg::Hive::ClassesRoot);
    std::ofstream(hiveFile, std::ios::trunc) << "\x01\x02 damaged";
    EXPECT_TRUE(com::FAILED(library_.registerServer()));
    EXPECT_TRUE(com::FAILED(library_.unregisterServer()));
    std::ifstream in(hiveFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\x01\x02 damaged");
}

TEST_F(Registration, ProgramsStartingWhileItIsRegisteredAgainAlwaysFindTheControl) {
    ASSERT_EQ(library_.registerServer(), com::S_OK);
    std::atomic<bool> done{false};
    std::atomic<int> lookups{0}, missing{0};
    // A program starting: finds the class by its name and gets its class object.
    std::thread program([&] {
        while (!done) {
            com::CLSID clsid;
            com::ComPtr<com::IClassFactory> factory;
            if (com::CLSIDFromProgID(kIndependentProgId, &clsid) != com::S_OK ||
                com::CoGetClassObject(clsid, com::CLSCTX_INPROC_SERVER, nullptr, com::IID_IClassFactory,
                                      factory.Out()) != com::S_OK) {
                ++missing;
            }
            ++lookups;
        }
    });
    for (int round = 0; round < 30; ++round) EXPECT_EQ(library_.registerServer(), com::S_OK);
    done = true;
    program.join();
    EXPECT_GT(lookups, 30);
    EXPECT_EQ(missing, 0) << "of " << lookups << " lookups";
}

}  // namespace
