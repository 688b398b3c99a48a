// The About box and the splash in both builds: their texts from the
// program's version block.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "app_object.h"
#include "application.h"
#include "frm_about.h"
#include "frm_splash.h"
#include "inventory_fixture.h"

namespace inventory::testing {
namespace {

using AboutAndSplash = InventoryTest;

TEST_F(AboutAndSplash, AboutBoxOfBuildC) {
    frmAbout& about = forms::Default<frmAbout>();
    forms::Load(about);
    EXPECT_EQ(about.Caption(), "About Orvanta Inventory C");
    EXPECT_EQ(about.lblTitle.Caption(), "Orvanta Inventory C");
    EXPECT_EQ(about.lblVersion.Caption(), "Version C.1.0.4");
    EXPECT_EQ(about.lblCopyright.Caption(), vb::App().LegalCopyright() + " " + vb::App().CompanyName());
    EXPECT_FALSE(vb::App().CompanyName().empty());
    EXPECT_EQ(about.lblDisclaimer.Caption(), kLegalWarning);
    ASSERT_TRUE(about.Image1);
    EXPECT_FALSE(about.picIcon);
    EXPECT_EQ(about.ScaleWidth(), 5685);
    EXPECT_EQ(about.ScaleHeight(), 3675);
}

TEST_F(AboutAndSplash, AboutBoxOfBuildBShowsAnIconAndItsLetter) {
    UseBuild(Build::B);
    frmAbout& about = forms::Default<frmAbout>();
    forms::Load(about);
    EXPECT_EQ(about.Caption(), "About Orvanta Inventory B");
    EXPECT_EQ(about.lblVersion.Caption(), "Version B.1.0.4");
    ASSERT_TRUE(about.picIcon);
    EXPECT_FALSE(about.Image1);
    EXPECT_EQ(about.picIcon->Picture()->Pixmap().size(), QSize(32, 32));
    EXPECT_EQ(about.ScaleWidth(), 5730);
    EXPECT_EQ(about.ScaleHeight(), 3555);
}

TEST_F(AboutAndSplash, EnterAndEscCloseTheAboutBox) {
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout& about = forms::Default<frmAbout>();
        about.Show();
        driver().PressKey(about.cmdOK, key);
        EXPECT_FALSE(about.IsLoaded()) << key;
    }
}

TEST_F(AboutAndSplash, SplashOfBuildCShowsItselfWithTheCompany) {
    frmSplash& splash = forms::Default<frmSplash>();
    forms::Load(splash);
    EXPECT_TRUE(splash.Visible());
    EXPECT_EQ(splash.lblProductName.Caption(), "Orvanta Inventory C");
    EXPECT_EQ(splash.lblCompany.Caption(), vb::App().CompanyName());
    EXPECT_EQ(splash.lblVersion.Caption(), "Version 1.0.4");
    EXPECT_EQ(splash.lblCopyright.Caption(), vb::App().LegalCopyright() + " " + vb::App().CompanyName());
    EXPECT_EQ(splash.lblWarning.Caption(), kLegalWarning);
    EXPECT_EQ(splash.ScaleWidth(), 6660);
}

TEST_F(AboutAndSplash, SplashOfBuildBKeepsItsOwnWording) {
    UseBuild(Build::B);
    frmSplash& splash = forms::Default<frmSplash>();
    forms::Load(splash);
    EXPECT_TRUE(splash.Visible());
    EXPECT_EQ(splash.lblVersion.Caption(), "Verson 1.0.4");
    EXPECT_EQ(splash.lblCopyright.Caption(), vb::App().LegalCopyright());
    EXPECT_EQ(splash.lblProductName.Caption(), "Orvanta Inventory B");
    EXPECT_EQ(splash.ScaleWidth(), 6645);
}

TEST_F(AboutAndSplash, AKeyOrAClickOnTheFrameClosesTheSplash) {
    frmSplash& splash = forms::Default<frmSplash>();
    forms::Load(splash);
    driver().PressKey(splash, Qt::Key_A, U'a');
    EXPECT_FALSE(splash.IsLoaded());
    forms::Load(splash);
    EXPECT_TRUE(driver().ClickControl(splash.Frame1));
    EXPECT_FALSE(splash.IsLoaded());
}

}  // namespace
}  // namespace inventory::testing
