// Control and satellite files that are cut short or damaged, and registry
// files that cannot be read: the registration tool and programs report them
// instead of dying in the system loader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "err.h"
#include "forms.h"
#include "module_files.h"
#include "registry.h"
#include "server_test_support.h"
#include "test_driver.h"

using namespace zevote::testing;

namespace {

constexpr const char* kControlServerKey = "CLSID\\{4B27E760-5745-11CF-8918-00A02416C765}\\InprocServer32";

class frmCutControl : public forms::Form {
public:
    frmCutControl() : Form("frmCutControl") {}
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1", 120, 120, 390, 390};
};

class DamagedModules : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        char pattern[] = "/tmp/zevote-cut-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        control_ = ReadBytes(ControlPath());
        ASSERT_GT(control_.size(), 4096u);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    // The control's copy in the test folder, cut after `size` bytes.
    std::string CutControl(std::size_t size) {
        const std::string path = folder_ + "/zevote32.ocx";
        WriteBytes(path, control_.substr(0, size));
        return path;
    }
    // The cuts of the control that reach into its loadable segments.
    std::vector<std::size_t> Cuts() const {
        const std::size_t end = LoadableEnd(control_);
        std::vector<std::size_t> cuts;
        for (std::size_t cut : {std::size_t{4096}, std::size_t{20000}, std::size_t{60000}, std::size_t{91000}, end - 1})
            if (cut < end) cuts.push_back(cut);
        return cuts;
    }
    // Settings for the tool run on a copy outside the program folder: the
    // copy finds the libraries it needs in the program folder.
    std::string ToolEnvironment(const std::string& language = "C") const {
        return "LC_ALL=" + language + " LD_LIBRARY_PATH='" + ProgramFolder() + "' ORVANTA_REGISTRY_DIR='" +
               registry_.Folder() + "'";
    }

    ScopedRegistry registry_;
    std::string folder_;
    std::string control_;
};

TEST_F(DamagedModules, RegsvrReportsACutControlByNameAndRegistersNothing) {
    for (std::size_t cut : Cuts()) {
        const std::string path = CutControl(cut);
        for (const char* mode : {"", "-u "}) {
            const ToolRun run = RunRegsvr(ProgramFolder(), std::string(mode) + "'" + path + "'", ToolEnvironment());
            EXPECT_TRUE(run.exited) << "cut at " << cut << ": ended by a signal";
            EXPECT_NE(run.exitCode, 0) << "cut at " << cut;
            EXPECT_NE(run.output.find(path), std::string::npos) << "cut at " << cut << ": " << run.output;
        }
    }
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, "CLSID\\{4B27E760-5745-11CF-8918-00A02416C765}"));
}

TEST_F(DamagedModules, ACutSatelliteIsSkippedWhenTheToolLoadsTheControl) {
    const std::string path = folder_ + "/zevote32.ocx";
    WriteBytes(path, control_);
    WriteBytes(folder_ + "/zevote32LOC.DLL",
               ReadBytes(std::string(ZEVOTE_SATELLITE_DIR) + "/zevote32LOC.DLL").substr(0, 5000));
    const ToolRun run = RunRegsvr(ProgramFolder(), "'" + path + "'", ToolEnvironment("de_DE.UTF-8"));
    EXPECT_TRUE(run.exited) << "ended by a signal";
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "DllRegisterServer in " + path + " succeeded.\n");
    const auto server = reg::QueryValue(reg::Hive::ClassesRoot, kControlServerKey, "");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(server->data, path);
}

TEST_F(DamagedModules, AFormWhoseRegisteredControlIsCutRaisesError339) {
    ControlLibrary library;
    ASSERT_TRUE(library.Loaded()) << com::LastLoadError();
    ASSERT_EQ(library.registerServer(), com::S_OK);
    reg::SetText(reg::Hive::ClassesRoot, kControlServerKey, "", CutControl(20000));

    forms::testing::Driver driver;
    try {
        forms::Default<frmCutControl>().Show();
        ADD_FAILURE() << "the form was shown";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 339);
        EXPECT_NE(e.description().find("'zevote32.ocx'"), std::string::npos) << e.description();
    }
    // Through the creation calls a program makes: the file cannot be loaded.
    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID("Tavorin ActiveX Test Control.ZEVObjectTestingControl", &clsid), com::S_OK);
    com::ComPtr<com::IUnknown> control;
    EXPECT_EQ(com::CoCreateInstance(clsid, nullptr, com::CLSCTX_INPROC_SERVER, com::IID_IUnknown, control.Out()),
              com::CO_E_DLLNOTFOUND);
    EXPECT_NE(com::LastLoadError().find(folder_ + "/zevote32.ocx"), std::string::npos) << com::LastLoadError();
}

TEST_F(DamagedModules, UnregisteringFromARegistryThatCannotBeReadFails) {
    const std::string path = folder_ + "/zevote32.ocx";
    WriteBytes(path, control_);
    ASSERT_EQ(RunRegsvr(ProgramFolder(), "'" + path + "'", ToolEnvironment()).exitCode, 0);
    const std::string hive = reg::HiveFilePath(reg::Hive::ClassesRoot);
    std::string damaged = ReadBytes(hive);
    damaged.resize(damaged.size() / 2);  // cut: its end line is missing
    WriteBytes(hive, damaged);

    const ToolRun run = RunRegsvr(ProgramFolder(), "-u '" + path + "'", ToolEnvironment());
    EXPECT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.output.find("succeeded"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("DllUnregisterServer in " + path + " failed."), std::string::npos) << run.output;
    EXPECT_EQ(ReadBytes(hive), damaged);
}

}  // namespace
