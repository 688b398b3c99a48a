#include "catalogue_fixture.h"

#include <QPoint>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <sstream>

#include <unistd.h>

#include "app_object.h"
#include "application.h"
#include "cls_manage_login.h"
#include "mod_main.h"
#include "program_hooks.h"
#include "treeview.h"

namespace catalogue::testing {

namespace fs = std::filesystem;

void CatalogueTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';  // parameterised tests
    }
    root_ = fs::temp_directory_path() / ("catalogue_test_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(root_);
    program_ = root_ / "Orvanta Online" / "bin";
    fs::create_directories(DataFolder());
    for (const auto& entry : fs::directory_iterator(CATALOGUE_SAMPLE_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name == "orvanta.mdb" || entry.path().extension() == ".jpg") {
            fs::copy_file(entry.path(), DataFolder() / name);
        }
    }
    ASSERT_TRUE(fs::exists(DatabaseFile())) << "the sample database has not been built";
    vb::App().SetPathForTesting(program_.string());

    driver_ = std::make_unique<forms::testing::Driver>();
    SetProgramBuild(Build::C);
    SetCommand("");
    modMain::gdbMain.reset();
    modMain::gobjLogin.reset();
    modMain::gsDbMode.clear();
    modMain::gbLoggedIn = false;
}

void CatalogueTest::TearDown() {
    driver_.reset();
    modMain::gdbMain.reset();
    modMain::gobjLogin.reset();
    if (db_) db_->Close();
    db_.reset();
    SetProgramBuild(Build::C);
    vb::App().SetPathForTesting("");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

dao::Database& CatalogueTest::Db() {
    if (!db_) db_ = dao::OpenDatabase(DatabaseFile().string());
    return *db_;
}

void CatalogueTest::Execute(const std::string& sql) { Db().Execute(sql); }

long CatalogueTest::Count(const std::string& table) {
    auto rs = Db().OpenRecordset("SELECT COUNT(*) FROM " + table, dao::dbOpenSnapshot);
    return rs->Fields(0).Value().ToLong();
}

std::string CatalogueTest::Rows(const std::string& table) {
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

void CatalogueTest::SetCommand(const std::string& commandLine) {
    if (commandLine.empty()) {
        const char* argv[] = {"OrvantaC"};
        vb::SetCommandLine(1, argv);
    } else {
        const char* argv[] = {"OrvantaC", commandLine.c_str()};
        vb::SetCommandLine(2, argv);
    }
}

bool CatalogueTest::RunMain() {
    try {
        modMain::Main();
        return true;
    } catch (const forms::EndRequest&) {
        return false;
    }
}

void CatalogueTest::OpenDatabaseAsMain() {
    modMain::gsDbMode = "Access";
    modMain::gobjLogin = std::make_shared<clsManageLogin>();
    modMain::gdbMain = dao::OpenDatabase(DatabaseFile().string(), vb::Variant(), false, "");
}

void CatalogueTest::ClickNode(forms::TreeView& tree, forms::Node& node) {
    QTreeWidgetItem* item = tree.ItemOfNode(node);
    ASSERT_NE(item, nullptr);
    QTreeWidget* widget = item->treeWidget();
    node.EnsureVisible();
    widget->scrollToItem(item);
    const QPoint where = widget->visualItemRect(item).center();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, where);
}

}  // namespace catalogue::testing
