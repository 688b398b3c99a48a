#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "registry.h"
#include "satellite.h"
#include "server_test_support.h"
#include "test_driver.h"

using namespace zevote::testing;
namespace fs = std::filesystem;

namespace {

const com::CLSID kControl = com::MakeGuid("{4B27E760-5745-11CF-8918-00A02416C765}");
const com::CLSID kPage = com::MakeGuid("{4CFDDFE0-5745-11CF-8918-00A02416C765}");
const com::IID kIZEVOTest = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");

std::string SatelliteBuildFolder() { return std::string(ZEVOTE_SATELLITE_DIR); }

void SetLanguage(const char* abbreviation) {
    com::SetLocaleInfo(com::LOCALE_USER_DEFAULT, com::LOCALE_SABBREVLANGNAME, abbreviation);
}

class Satellites : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        char pattern[] = "/tmp/zevote-sat-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        SetLanguage("");
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    // Copies a built file into the control's folder.
    void Place(const std::string& from, const std::string& name) {
        fs::copy_file(from, folder_ + "/" + name, fs::copy_options::overwrite_existing);
    }
    void PlaceSatellite(const char* language) {
        const std::string name = std::string("zevote32") + language + ".DLL";
        Place(SatelliteBuildFolder() + "/" + name, name);
    }
    std::string ControlCopy() const { return folder_ + "/zevote32.ocx"; }
    static std::string Caption(com::HMODULE module) { return com::LoadStringText(module, 2006).value_or("(none)"); }

    ScopedRegistry registry_;
    std::string folder_;
};

TEST_F(Satellites, EnuInAnyCaseNeverLoadsOne) {
    PlaceSatellite("LOC");
    Place(SatelliteBuildFolder() + "/zevote32DEU.DLL", "zevote32ENU.DLL");
    for (const char* enu : {"enu", "ENU", "eNu", "Enu"}) {
        SetLanguage(enu);
        EXPECT_EQ(zevote::ProbeSatelliteDll(ControlCopy()), nullptr) << enu;
    }
}

TEST_F(Satellites, LocLibraryWinsOverTheLanguageLibrary) {
    SetLanguage("DEU");
    EXPECT_EQ(zevote::ProbeSatelliteDll(ControlCopy()), nullptr);  // none there

    PlaceSatellite("DEU");
    com::HMODULE deu = zevote::ProbeSatelliteDll(ControlCopy());
    ASSERT_NE(deu, nullptr);
    EXPECT_EQ(Caption(deu), "DEU: About Tavorin ActiveX Test Control");

    PlaceSatellite("LOC");
    com::HMODULE loc = zevote::ProbeSatelliteDll(ControlCopy());
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(Caption(loc), "LOC: About Tavorin ActiveX Test Control");
}

TEST_F(Satellites, OnlyTheControlsOwnFolderIsSearched) {
    SetLanguage("DEU");
    // A satellite in the working folder is not the control's.
    const fs::path previous = fs::current_path();
    fs::current_path(SatelliteBuildFolder());
    EXPECT_EQ(zevote::ProbeSatelliteDll(ControlCopy()), nullptr);
    fs::current_path(previous);
    // A path longer than the probe works with finds nothing.
    EXPECT_EQ(zevote::ProbeSatelliteDll(std::string(600, 'a') + "/zevote32.ocx"), nullptr);
}

TEST_F(Satellites, FileNamesAreReplacedWithinTheirBuffer) {
    char out[32];
    ASSERT_TRUE(zevote::ReplaceFileName("/opt/app/zevote32.ocx", "x.DLL", out, sizeof out));
    EXPECT_STREQ(out, "/opt/app/x.DLL");
    ASSERT_TRUE(zevote::ReplaceFileName("zevote32.ocx", "x.DLL", out, sizeof out));
    EXPECT_STREQ(out, "x.DLL");
    ASSERT_TRUE(zevote::ReplaceFileName("/opt/\xc3\xa4pp/z.ocx", "y", out, sizeof out));
    EXPECT_STREQ(out, "/opt/\xc3\xa4pp/y");
    EXPECT_FALSE(zevote::ReplaceFileName("/a/very/long/folder/name/z.ocx", "library.DLL", out, 20));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(zevote::ReplaceFileName("/a/", "0123456789012345", out, 20));
    EXPECT_FALSE(zevote::ReplaceFileName("/ab/", "0123456789012345", out, 20));
}

TEST_F(Satellites, LanguageMapRegistersTheTypeLibrariesItNames) {
    PlaceSatellite("DEU");
    std::string map;
    auto record = [&](std::uint16_t lang, std::uint16_t sub, const std::string& name, bool terminated = true) {
        map.append(reinterpret_cast<const char*>(&lang), 2);
        map.append(reinterpret_cast<const char*>(&sub), 2);
        map += name;
        if (terminated) map.push_back('\0');
    };
    record(9, 1, "missing.DLL");
    record(7, 1, "../zevote32DEU.DLL");   // outside the control's folder: ignored
    record(7, 1, "zevote32DEU.DLL");
    record(7, 1, "zevote32DEU", false);   // cut short by the end of the resource
    zevote::RegisterLanguageMapTypeLibs(ControlCopy(), map);
    const auto path = reg::QueryValue(reg::Hive::ClassesRoot,
                                      "TypeLib\\{478E45E0-5745-11CF-8918-00A02416C765}\\1.0\\407\\win32", "");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->data, folder_ + "/zevote32DEU.DLL");
    // Truncated and empty maps end quietly.
    zevote::RegisterLanguageMapTypeLibs(ControlCopy(), std::string("\x07\x00\x01", 3));
    zevote::RegisterLanguageMapTypeLibs(ControlCopy(), "");
}

TEST_F(Satellites, ResourcesComeFromTheSatelliteInUse) {
    Place(ControlPath(), "zevote32.ocx");
    PlaceSatellite("LOC");
    SetLanguage("FRA");
    ControlLibrary copy(ControlCopy());
    ASSERT_TRUE(copy.Loaded()) << com::LastLoadError();

    com::ComPtr<com::IClassFactory> factory;
    ASSERT_EQ(copy.getClassObject(kControl, com::IID_IClassFactory, factory.Out()), com::S_OK);
    com::ComPtr<IZEVOTest> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, kIZEVOTest, reinterpret_cast<void**>(control.OutTyped())), com::S_OK);
    {
        forms::testing::Driver driver;
        EXPECT_EQ(control->AboutBox(), com::S_OK);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_EQ(driver.MessageBoxes()[0].title, "LOC: About Tavorin ActiveX Test Control");
        EXPECT_EQ(driver.MessageBoxes()[0].text, "LOC: Tavorin ActiveX Test Control\nSatellite");
    }

    com::ComPtr<com::IClassFactory> pageFactory;
    ASSERT_EQ(copy.getClassObject(kPage, com::IID_IClassFactory, pageFactory.Out()), com::S_OK);
    com::ComPtr<com::IPropertyPage> page;
    ASSERT_EQ(pageFactory->CreateInstance(nullptr, com::IID_IPropertyPage, page.Out()), com::S_OK);
    std::string title, doc;
    com::SIZE size;
    ASSERT_EQ(page->GetPageInfo(&title, &size, &doc), com::S_OK);
    EXPECT_EQ(title, "LOC: General Properties");
    EXPECT_EQ(doc, "LOC: General properties for the Tavorin ActiveX Test Control");

    // With a satellite in use and no language map, registration registers
    // the control's own type library only.
    ASSERT_EQ(copy.registerServer(), com::S_OK);
    std::vector<std::string> locales;
    for (const std::string& key :
         reg::SubKeyNames(reg::Hive::ClassesRoot, "TypeLib\\{478E45E0-5745-11CF-8918-00A02416C765}\\1.0")) {
        if (key != "FLAGS" && key != "HELPDIR") locales.push_back(key);
    }
    EXPECT_EQ(locales, std::vector<std::string>{"409"});
}

TEST_F(Satellites, ACutSatelliteIsSkippedAsIfItWereMissing) {
    Place(ControlPath(), "zevote32.ocx");
    std::string cut(5000, '\0');
    {
        std::ifstream in(SatelliteBuildFolder() + "/zevote32LOC.DLL", std::ios::binary);
        in.read(cut.data(), static_cast<std::streamsize>(cut.size()));
        ASSERT_EQ(in.gcount(), 5000);
    }
    std::ofstream(folder_ + "/zevote32LOC.DLL", std::ios::binary) << cut;

    SetLanguage("DEU");
    EXPECT_EQ(zevote::ProbeSatelliteDll(ControlCopy()), nullptr);
    PlaceSatellite("DEU");  // the next choice, as when the LOC library is missing
    com::HMODULE deu = zevote::ProbeSatelliteDll(ControlCopy());
    ASSERT_NE(deu, nullptr);
    EXPECT_EQ(Caption(deu), "DEU: About Tavorin ActiveX Test Control");
    fs::remove(folder_ + "/zevote32DEU.DLL");

    // The control loaded beside the cut library serves its own resources.
    SetLanguage("FRA");
    ControlLibrary copy(ControlCopy());
    ASSERT_TRUE(copy.Loaded()) << com::LastLoadError();
    com::ComPtr<com::IClassFactory> factory;
    ASSERT_EQ(copy.getClassObject(kControl, com::IID_IClassFactory, factory.Out()), com::S_OK);
    com::ComPtr<IZEVOTest> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, kIZEVOTest, reinterpret_cast<void**>(control.OutTyped())), com::S_OK);
    forms::testing::Driver driver;
    EXPECT_EQ(control->AboutBox(), com::S_OK);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].title, "About Tavorin ActiveX Test Control");
}

TEST_F(Satellites, WithoutASatelliteTheControlServesItsOwnResources) {
    SetLanguage("ENU");
    ControlLibrary own;
    ASSERT_TRUE(own.Loaded());
    EXPECT_EQ(Caption(own.module), "About Tavorin ActiveX Test Control");
    EXPECT_EQ(com::LoadStringText(own.module, 1000).value_or(""), "Tavorin ActiveX Test Control Properties");
    EXPECT_EQ(com::LoadStringText(own.module, 2003).value_or(""), "General Properties");
    EXPECT_EQ(com::LoadStringText(own.module, 2004).value_or(""),
              "General properties for the Tavorin ActiveX Test Control");
    auto dialog = com::LoadDialogTemplate(own.module, 2000);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->cx, 195);
    EXPECT_EQ(dialog->cy, 127);
    EXPECT_TRUE(dialog->items.empty());
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
    EXPECT_EQ(dialog->pointSize, 8);
    auto version = com::LoadVersionInfo(own.module);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->Value("FileDescription").value_or(""), "Tavorin ActiveX Testing Control");
    EXPECT_TRUE(version->Value("OLESelfRegister").has_value());
    EXPECT_FALSE(com::FindResource(own.module, "INTLSZ_LANGMAP", com::RT_RCDATA));
    EXPECT_TRUE(com::FindResource(own.module, 1, com::RT_BITMAP));
    EXPECT_TRUE(com::FindResource(own.module, 1, com::RT_TYPELIB));
}

}  // namespace
