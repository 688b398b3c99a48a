// The About box of each build, read from this test program's version block
// (the catalogue programs' version and legal notice).
#include <gtest/gtest.h>

#include "app_object.h"
#include "application.h"
#include "frm_about.h"
#include "program_build.h"
#include "test_driver.h"

namespace catalogue::testing {
namespace {

class About : public ::testing::TestWithParam<Build> {
protected:
    void SetUp() override {
        SetProgramBuild(GetParam());
        vb::App().SetTitle(std::string("Orvanta Online ") + Letter());
    }
    void TearDown() override { SetProgramBuild(Build::C); }
    char Letter() const { return GetParam() == Build::A ? 'A' : GetParam() == Build::B ? 'B' : 'C'; }
    // Opens the box modally and runs `inside` in it; OK closes it.
    void Open(const std::function<void(frmAbout&)>& inside) {
        driver_.OnModal([&, inside](forms::Form& form) {
            auto& about = dynamic_cast<frmAbout&>(form);
            inside(about);
            driver_.Click(about.cmdOK);
        });
        forms::Default<frmAbout>().Show(forms::vbModal);
        EXPECT_FALSE(forms::Default<frmAbout>().IsLoaded());
    }
    forms::testing::Driver driver_;
};

TEST_P(About, ShowsTitleVersionAndNotice) {
    const std::string title = std::string("Orvanta Online ") + Letter();
    Open([&](frmAbout& about) {
        EXPECT_EQ(about.Caption(), "About " + title);
        EXPECT_EQ(about.lblTitle.Caption(), title);
        EXPECT_EQ(about.lblVersion.Caption(), std::string("Version ") + Letter() + ".1.0.38");
        if (GetParam() == Build::A) {
            EXPECT_FALSE(about.lblCopyright);
            EXPECT_EQ(about.Controls().Find("lblCopyright"), nullptr);
            ASSERT_TRUE(about.lblDescription && about.picMisc);
            EXPECT_EQ(about.lblDescription->Caption(), "App Description");
            EXPECT_EQ(about.lblDisclaimer.Caption(), "Warning: ...");
        } else {
            ASSERT_TRUE(about.lblCopyright);
            EXPECT_EQ(about.lblCopyright->Caption(), "Copyright (c) Orvanta Software. All rights reserved.");
            EXPECT_FALSE(about.picMisc || about.lblDescription);
            EXPECT_EQ(about.lblDisclaimer.Caption(), "");
        }
        EXPECT_TRUE(about.picIcon.Picture());
        EXPECT_EQ(about.picIcon.Picture()->Type(), GetParam() == Build::C ? 1 : 3);
    });
}

INSTANTIATE_TEST_SUITE_P(Builds, About, ::testing::Values(Build::A, Build::B, Build::C),
                         [](const auto& info) { return std::string(1, "ABC"[static_cast<int>(info.param)]); });

TEST(AboutBuildA, DoubleClickHidesTheIconUntilTheBoxCloses) {
    SetProgramBuild(Build::A);
    forms::testing::Driver driver;
    bool hidden = false, shownAgain = false;
    driver.OnModal([&](forms::Form& form) {
        auto& about = dynamic_cast<frmAbout&>(form);
        driver.DoubleClickControl(about.picIcon);
        hidden = !about.picIcon.Visible();
        driver.Click(about.cmdOK);
    });
    forms::Default<frmAbout>().Show(forms::vbModal);
    driver.OnModal([&](forms::Form& form) { shownAgain = dynamic_cast<frmAbout&>(form).picIcon.Visible(); });
    forms::Default<frmAbout>().Show(forms::vbModal);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shownAgain);
    SetProgramBuild(Build::C);
}

}  // namespace
}  // namespace catalogue::testing
