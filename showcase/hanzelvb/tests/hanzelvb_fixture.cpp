#include "hanzelvb_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app_object.h"
#include "application.h"

namespace hanzelvb::testing {

namespace fs = std::filesystem;

void HanzelTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            ("hanzelvb_test_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    fs::remove_all(root_);
    program_ = root_ / "VB Hanzel" / "bin";
    fs::create_directories(program_);
    fs::create_directories(root_ / "registry");
    ::setenv("ORVANTA_REGISTRY_DIR", (root_ / "registry").c_str(), 1);
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    const fs::path built = fs::path(bin ? bin : "bin") / "tavorin.mdb";
    ASSERT_TRUE(fs::exists(built)) << "the sample database has not been built";
    fs::copy_file(built, DatabaseFile());
    vb::App().SetPathForTesting(program_.string());
    driver_ = std::make_unique<forms::testing::Driver>();
}

void HanzelTest::TearDown() {
    driver_.reset();
    vb::App().SetPathForTesting("");
    ::unsetenv("ORVANTA_REGISTRY_DIR");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string HanzelTest::Rows(const std::string& table) {
    auto db = dao::OpenDatabase(DatabaseFile().string());
    auto rs = db->OpenRecordset("SELECT * FROM " + table + " ORDER BY 1", dao::dbOpenSnapshot);
    std::ostringstream out;
    while (!rs->Eof()) {
        for (int i = 0; i < rs->Fields().Count(); ++i) {
            const vb::Variant v = rs->Fields(i).Value();
            out << (v.IsNull() ? std::string("<null>") : v.ToString()) << '|';
        }
        out << '\n';
        rs->MoveNext();
    }
    rs->Close();
    db->Close();
    return out.str();
}

void HanzelTest::WriteScript(const fs::path& path, const std::string& body) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

}  // namespace hanzelvb::testing
