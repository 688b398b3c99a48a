// Start-up: where the database is looked for, the message when it is
// missing, the splash, the two connections of build C and one of build B.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "application.h"
#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "frm_main_inventory.h"
#include "frm_splash.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"

namespace inventory::testing {
namespace {

namespace fs = std::filesystem;

class Startup : public InventoryTest {
protected:
    // A second database folder elsewhere, holding a copy of the database.
    fs::path OtherFolder() {
        const fs::path folder = ProgramFolder().parent_path() / "other data";
        fs::create_directories(folder);
        if (!fs::exists(folder / "Inventory.mdb")) fs::copy_file(DatabaseFile(), folder / "Inventory.mdb");
        return folder;
    }
    // Both connections are open on `file`: a row written through the data
    // layer is seen through the forms' database.
    void ExpectBothConnectionsOn(const fs::path& file) {
        EXPECT_EQ(fs::weakly_canonical(Inventory::gdbInventory->Name()), fs::weakly_canonical(file));
        Inventory::gtblSuppliers().Delete(vb::Variant("SupplierID"), vb::Variant(1));
        auto rs = Inventory::gdbInventory->OpenRecordset("SELECT * FROM tblSuppliers WHERE SupplierID = 1");
        EXPECT_TRUE(rs->Eof());
        auto same = dao::OpenDatabase(file.string())->OpenRecordset("SELECT * FROM tblSuppliers WHERE SupplierID = 1");
        EXPECT_TRUE(same->Eof());
    }
    void ExpectStarted() {
        EXPECT_TRUE(driver().MessageBoxes().empty());
        EXPECT_TRUE(forms::Default<frmMainInventory>().Visible());
        EXPECT_FALSE(forms::Default<frmSplash>().IsLoaded());
        EXPECT_EQ(Inventory::gtblPO().colFields.Count(), 8);
    }
};

TEST_F(Startup, AFolderOnTheCommandLineIsTheDataFolder) {
    const fs::path other = OtherFolder();
    SetCommand(other.string());
    ASSERT_TRUE(RunMain());
    ExpectStarted();
    EXPECT_EQ(Inventory::gsDataPath, other.string());
    EXPECT_EQ(Inventory::gobjDataBase().sPath, other.string());
    ExpectBothConnectionsOn(other / "Inventory.mdb");
    EXPECT_EQ(Count("tblSuppliers"), 15);  // the program folder's copy is untouched
}

TEST_F(Startup, AFolderWithATrailingSeparatorOpensTheSameFile) {
    const fs::path other = OtherFolder();
    SetCommand(other.string() + "/");
    ASSERT_TRUE(RunMain());
    ExpectStarted();
    EXPECT_EQ(Inventory::gobjDataBase().DatabaseFilePath(), other.string() + "//Inventory.mdb");
    ExpectBothConnectionsOn(other / "Inventory.mdb");
}

TEST_F(Startup, WithoutACommandLineTheDataFolderIsFound) {
    ASSERT_TRUE(RunMain());
    ExpectStarted();
    EXPECT_EQ(Inventory::gsDataPath, DataFolder().string() + "/");
    ExpectBothConnectionsOn(DatabaseFile());
}

TEST_F(Startup, WithoutADataFolderTheProgramFolderIsUsed) {
    fs::rename(DatabaseFile(), ProgramFolder() / "Inventory.mdb");
    ASSERT_TRUE(RunMain());
    ExpectStarted();
    EXPECT_EQ(Inventory::gsDataPath, ProgramFolder().string() + "/");
    ExpectBothConnectionsOn(ProgramFolder() / "Inventory.mdb");
}

TEST_F(Startup, AMissingDatabaseIsNamedAndNoFormOpens) {
    fs::remove(DatabaseFile());
    RunMain();
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Data Access Error!");
    EXPECT_EQ(LastBox().text, ProgramFolder().string() + "/Inventory.mdb cannot be found. Please verify that you "
                                                         "have run the sample setup application.");
    EXPECT_EQ(LastBox().style, forms::vbCritical);
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_EQ(Inventory::gdbInventory, nullptr);

    driver().ClearMessageBoxes();
    SetCommand("/nowhere/at all");
    RunMain();
    EXPECT_EQ(LastBox().text, "/nowhere/at all/Inventory.mdb cannot be found. Please verify that you have run the "
                              "sample setup application.");
}

TEST_F(Startup, BuildBOpensOnlyTheDataLayersConnection) {
    UseBuild(Build::B);
    ASSERT_TRUE(RunMain());
    ExpectStarted();
    EXPECT_EQ(Inventory::gdbInventory, nullptr);
    EXPECT_EQ(Inventory::NextRecordId(Inventory::gtblSuppliers()), 16);
}

TEST_F(Startup, AFileThatIsNoDatabaseEndsInTheRuntimesErrorBox) {
    { std::ofstream(DatabaseFile(), std::ios::trunc) << "not a database"; }
    try {
        Inventory::Main();
        FAIL() << "expected the engine's error";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3343);
        EXPECT_EQ(e.source(), "CDataBase:Open_Database Method");
    }
}

}  // namespace
}  // namespace inventory::testing
