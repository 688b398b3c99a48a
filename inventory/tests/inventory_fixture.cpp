#include "inventory_fixture.h"

#include <sstream>

#include <unistd.h>

#include "app_object.h"
#include "application.h"
#include "c_database.h"
#include "frm_tip.h"
#include "module_inventory.h"
#include "program_hooks.h"
#include "run_program.h"

namespace inventory::testing {

namespace fs = std::filesystem;

void InventoryTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    root_ = fs::temp_directory_path() / ("inventory_test_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(root_);
    program_ = root_ / "Orvanta Inventory" / "bin";
    fs::create_directories(DataFolder());
    fs::copy_file(fs::path(INVENTORY_SAMPLE_DATA_DIR) / "Inventory.mdb", DatabaseFile());
    vb::App().SetPathForTesting(program_.string());

    driver_ = std::make_unique<forms::testing::Driver>();
    UseBuild(Build::C);
    SetCommand("");
    Inventory::ResetModuleState();
}

void InventoryTest::TearDown() {
    driver_.reset();
    Inventory::ResetModuleState();
    orvanta::frmTip::UseLoadProcedure({});
    if (db_) db_->Close();
    db_.reset();
    UseBuild(Build::C);
    vb::App().SetPathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void InventoryTest::UseBuild(Build build) {
    SetProgramBuild(build);
    vb::App().SetTitle(build == Build::B ? "Orvanta Inventory B" : "Orvanta Inventory C");
    forms::SetAppTitle(vb::App().Title());
    UseInventoryTips();
}

void InventoryTest::SetCommand(const std::string& commandLine) {
    if (commandLine.empty()) {
        const char* argv[] = {"StockwiseC"};
        vb::SetCommandLine(1, argv);
    } else {
        const char* argv[] = {"StockwiseC", commandLine.c_str()};
        vb::SetCommandLine(2, argv);
    }
}

bool InventoryTest::RunMain() {
    try {
        Inventory::Main();
        return true;
    } catch (const forms::EndRequest&) {
        return false;
    }
}

void InventoryTest::OpenDataLayer() {
    CDataBase& database = Inventory::gobjDataBase();
    database.sName = Inventory::kDatabaseFile;
    database.sPath = DataFolder().string();
    Inventory::gsDataPath = database.sPath;
    database.Open_Database();
    Inventory::DefineTables();
}

dao::Database& InventoryTest::Db() {
    if (!db_) db_ = dao::OpenDatabase(DatabaseFile().string());
    return *db_;
}

void InventoryTest::Execute(const std::string& sql) { Db().Execute(sql); }

long InventoryTest::Count(const std::string& table) {
    auto rs = Db().OpenRecordset("SELECT COUNT(*) FROM " + table, dao::dbOpenSnapshot);
    return rs->Fields(0).Value().ToLong();
}

long InventoryTest::Value(const std::string& sql) {
    auto rs = Db().OpenRecordset(sql, dao::dbOpenSnapshot);
    return rs->Fields(0).Value().ToLong();
}

std::string InventoryTest::Text(const std::string& sql) {
    auto rs = Db().OpenRecordset(sql, dao::dbOpenSnapshot);
    if (rs->Eof()) return "<none>";
    const vb::Variant v = rs->Fields(0).Value();
    return v.IsNull() ? "<null>" : v.ToString();
}

std::string InventoryTest::Rows(const std::string& table) {
    auto rs = Db().OpenRecordset("SELECT * FROM " + table + " ORDER BY 1", dao::dbOpenSnapshot);
    std::ostringstream out;
    while (!rs->Eof()) {
        for (int i = 0; i < rs->Fields().Count(); ++i) {
            const vb::Variant v = rs->Fields(i).Value();
            out << (v.IsNull() ? std::string("<null>") : v.ToString()) << '|';
        }
        out << '\n';
        rs->MoveNext();
    }
    return out.str();
}

forms::testing::RecordedMessageBox InventoryTest::LastBox() const {
    if (driver_->MessageBoxes().empty()) return {};
    return driver_->MessageBoxes().back();
}

}  // namespace inventory::testing
