// The splash window and the wait that hides it.
#include <gtest/gtest.h>

#include <Qt>

#include "application.h"
#include "catalogue_fixture.h"
#include "frm_splash.h"
#include "splash_wait.h"

namespace catalogue::testing {
namespace {

TEST(SplashWait, StartSecondRoundsHalfToEven) {
    EXPECT_EQ(TakeSplashStart(100.4).second, 100);
    EXPECT_EQ(TakeSplashStart(100.5).second, 100);
    EXPECT_EQ(TakeSplashStart(101.5).second, 102);
    EXPECT_EQ(TakeSplashStart(101.6).second, 102);
}

TEST(SplashWait, EndsOnceTheWholeSecondsPassTheStartSecond) {
    const SplashStart early = TakeSplashStart(100.2);  // start second 100
    EXPECT_FALSE(SplashWaitOver(early, 100.2));
    EXPECT_FALSE(SplashWaitOver(early, 100.99));
    EXPECT_TRUE(SplashWaitOver(early, 101.0));

    const SplashStart late = TakeSplashStart(100.7);  // start second 101
    EXPECT_FALSE(SplashWaitOver(late, 101.9));
    EXPECT_TRUE(SplashWaitOver(late, 102.0));
}

TEST(SplashWait, EndsWhenStartedInTheLastSecondBeforeMidnight) {
    const SplashStart start = TakeSplashStart(86399.7);  // start second 86400: never reached
    EXPECT_FALSE(SplashWaitOver(start, 86399.8));
    EXPECT_TRUE(SplashWaitOver(start, 0.05));  // the timer began again at midnight

    double clock = 86399.7;
    int reads = 0;
    WaitForSplash(start, [&] {
        ++reads;
        clock += 0.1;
        if (clock >= 86400.0) clock -= 86400.0;
        return clock;
    });
    EXPECT_LE(reads, 5);
}

using Splash = CatalogueTest;

TEST_F(Splash, FitsItsPictureAndGoesOnAnyKey) {
    frmSplash& splash = forms::Default<frmSplash>();
    splash.Show();
    ASSERT_TRUE(splash.pictSplash.Picture());
    EXPECT_FALSE(splash.pictSplash.Picture()->IsEmpty());
    EXPECT_EQ(splash.pictSplash.Left(), 25);
    EXPECT_EQ(splash.pictSplash.Top(), 25);
    EXPECT_EQ(splash.Width(), splash.pictSplash.Width() + 75);
    EXPECT_EQ(splash.Height(), splash.pictSplash.Height() + 75);
    EXPECT_EQ(splash.ZEVOTest1.ProgId(), "ZEVOTestObjectsCtl.ZEVOTest");

    driver().PressKey(splash, Qt::Key_A, U'a');
    EXPECT_FALSE(splash.IsLoaded());
}

}  // namespace
}  // namespace catalogue::testing
