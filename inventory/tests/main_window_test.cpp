// The main window in both builds: its toolbar and menus, the dialogs they
// open, and closing.
#include <gtest/gtest.h>

#include <QImage>

#include <set>

#include "application.h"
#include "dao.h"
#include "frm_about.h"
#include "frm_main_inventory.h"
#include "frm_po.h"
#include "frm_products.h"
#include "frm_restore_inventory.h"
#include "frm_tip.h"
#include "inventory_fixture.h"
#include "module_inventory.h"
#include "msgbox.h"

namespace inventory::testing {
namespace {

// Every visible pixel is one of the sixteen colours of the standard palette.
bool InSixteenColours(const QImage& picture) {
    static const std::set<QRgb> palette{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0 && !palette.contains(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)))) return false;
        }
    }
    return true;
}

class MainWindow : public InventoryTest {
protected:
    frmMainInventory& Open(Build build) {
        UseBuild(build);
        EXPECT_TRUE(RunMain());
        return forms::Default<frmMainInventory>();
    }
};

TEST_F(MainWindow, ToolbarHoldsSixPictureButtonsInARow) {
    frmMainInventory& main = Open(Build::C);
    EXPECT_EQ(main.Caption(), "Orvanta Inventory Management");
    EXPECT_EQ(main.Picture1.Align(), 1);
    EXPECT_EQ(main.Picture1.Height(), 1215);
    forms::CommandButton* buttons[] = {&main.cmdSuppliers, &main.cmdPO, &main.cmdProducts,
                                       &main.cmdRestore, &main.cmdHelp, &main.cmdExit};
    float left = 120;
    std::int16_t tab = 1;
    for (forms::CommandButton* b : buttons) {
        EXPECT_EQ(b->Left(), left) << b->Name();
        EXPECT_EQ(b->Top(), 120);
        EXPECT_EQ(b->Width(), 975);
        EXPECT_EQ(b->Height(), 855);
        EXPECT_EQ(b->TabIndex(), tab++);
        EXPECT_EQ(b->Style(), 1);
        EXPECT_EQ(b->Caption(), "");
        ASSERT_TRUE(b->Picture());
        EXPECT_EQ(b->Picture()->Pixmap().size(), QSize(48, 48));
        EXPECT_TRUE(InSixteenColours(b->Picture()->Pixmap().toImage())) << b->Name();
        left += 1080;
    }
    EXPECT_EQ(main.mnuFile.Caption(), "&File");
    EXPECT_EQ(main.mnuExit.Caption(), "E&xit");
    EXPECT_EQ(main.mnuHelp.Caption(), "&Help");
    EXPECT_EQ(main.mnuHelpTip.Caption(), "&Tip of the day...");
    EXPECT_EQ(main.mnuHelpAbout.Caption(), "&About Orvanta Inventory...");
}

TEST_F(MainWindow, BuildCOpensItsDialogsModally) {
    frmMainInventory& main = Open(Build::C);
    EXPECT_TRUE(driver().Click(main.cmdRestore));
    EXPECT_TRUE(driver().Click(main.cmdHelp));
    EXPECT_TRUE(driver().ChooseMenu(main.mnuHelpTip));
    EXPECT_TRUE(driver().ChooseMenu(main.mnuHelpAbout));
    EXPECT_EQ(driver().ModalShows(),
              (std::vector<std::string>{"frmRestoreInventory", "frmTip", "frmTip", "frmAbout"}));
    // The record forms open as child windows, one visible at a time.
    EXPECT_TRUE(driver().Click(main.cmdSuppliers));
    EXPECT_TRUE(driver().Click(main.cmdPO));
    EXPECT_TRUE(driver().Click(main.cmdProducts));
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(driver().ModalShows().size(), 4u);
    EXPECT_EQ(main.ActiveForm()->Name(), "frmProducts");
    EXPECT_FALSE(forms::Default<frmPO>().Visible());
    EXPECT_TRUE(forms::Default<frmPO>().IsLoaded());
    EXPECT_TRUE(main.Visible());
}

TEST_F(MainWindow, BuildBSaysWhatIsNotImplemented) {
    frmMainInventory& main = Open(Build::B);
    EXPECT_EQ(main.ScaleWidth(), 8010);
    EXPECT_EQ(main.Picture1.Width(), 8010);
    const std::pair<forms::CommandButton*, const char*> buttons[] = {{&main.cmdPO, "Purchase Orders"},
                                                                      {&main.cmdProducts, "Products"},
                                                                      {&main.cmdSuppliers, "Suppliers"},
                                                                      {&main.cmdRestore, "Restore"}};
    for (const auto& [button, feature] : buttons) {
        driver().ClearMessageBoxes();
        EXPECT_TRUE(driver().Click(*button));
        ASSERT_EQ(driver().MessageBoxes().size(), 1u);
        EXPECT_EQ(LastBox().text, "This feature is not implemented.");
        EXPECT_EQ(LastBox().title, std::string("Not Implemented: ") + feature);
        EXPECT_EQ(LastBox().style, forms::vbOKOnly);
    }
    EXPECT_TRUE(driver().Click(main.cmdHelp));
    EXPECT_TRUE(driver().ChooseMenu(main.mnuHelpAbout));
    EXPECT_EQ(driver().ModalShows(), (std::vector<std::string>{"frmTip", "frmAbout"}));
    EXPECT_TRUE(driver().ChooseMenu(main.mnuExit));
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(MainWindow, ExitClosesTheDatabaseAndEndsTheProgram) {
    frmMainInventory& main = Open(Build::C);
    const std::shared_ptr<dao::Database> db = Inventory::gdbInventory;
    ASSERT_NE(db, nullptr);
    EXPECT_TRUE(driver().Click(main.cmdExit));
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_EQ(Inventory::gdbInventory, nullptr);
    EXPECT_THROW(db->OpenRecordset("SELECT * FROM tblStates"), vb::VBError);  // closed
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(MainWindow, ClosingTheWindowEndsTheProgramToo) {
    frmMainInventory& main = Open(Build::C);
    driver().Close(main);
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_EQ(Inventory::gdbInventory, nullptr);
    EXPECT_TRUE(forms::ProgramEnded());
}

}  // namespace
}  // namespace inventory::testing
