// Every form of the showcase hosts the real test control as ZEVOTest1:
// registered from the program folder, it publishes its markers on each form
// and withdraws them when the form unloads.
#include "activex_host.h"
#include "frm_about.h"
#include "frm_main.h"
#include "frm_samples.h"
#include "hanzelvb_fixture.h"
#include "real_test_control.h"
#include "test_control_class.h"

namespace hanzelvb::testing {
namespace {

using zevote::testing::PublishedValue;
using zevote::testing::PublishesOn;
using zevote::testing::ReadMarkers;
using zevote::testing::WithdrawalWatch;
using zevote::testing::WithdrewFromForm;
using V = std::vector<std::uint32_t>;

class MainForm : public HanzelTest {
protected:
    void SetUp() override {
        HanzelTest::SetUp();
        // Into the registry folder of this test.
        ASSERT_TRUE(zevote::testing::RegisterTestControl());
    }
};

TEST_F(MainForm, EveryFormHostsTheTestControl) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    EXPECT_EQ(main.ZEVOTest1.ProgId(), orvanta::kTestControlClass);
    EXPECT_EQ(main.ZEVOTest1.ProgId(), "ZEVOTestObjectsCtl.ZEVOTest");
    const win::HWND mainWindow = main.hWnd();
    const std::uint32_t pMain = PublishedValue(main.ZEVOTest1);
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});

    // The samples form: its own markers, and a second record on the start
    // form, which registered before it. Hiding the start form keeps its own.
    ASSERT_TRUE(driver().Click(main.cmdNext));
    frmSamples& samples = forms::Default<frmSamples>();
    const win::HWND samplesWindow = samples.hWnd();
    const std::uint32_t pSamples = PublishedValue(samples.ZEVOTest1);
    EXPECT_TRUE(PublishesOn(samples.ZEVOTest1, samplesWindow));
    EXPECT_EQ(ReadMarkers(samplesWindow).list, V{pSamples});
    EXPECT_EQ(ReadMarkers(mainWindow).list, (V{pMain, pSamples}));
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));

    // The About box over the start form: the samples form registered last,
    // so it holds the About box's second record while the box is up.
    ASSERT_TRUE(driver().Click(samples.cmdHome));
    bool shown = false;
    driver().OnModal([&](forms::Form& form) {
        auto& about = dynamic_cast<frmAbout&>(form);
        shown = true;
        const win::HWND aboutWindow = about.hWnd();
        const std::uint32_t pAbout = PublishedValue(about.ZEVOTest1);
        EXPECT_TRUE(PublishesOn(about.ZEVOTest1, aboutWindow));
        EXPECT_EQ(ReadMarkers(aboutWindow).list, V{pAbout});
        EXPECT_EQ(ReadMarkers(samplesWindow).list, (V{pSamples, pAbout}));
        EXPECT_EQ(ReadMarkers(samplesWindow).dispatch, pSamples);

        WithdrawalWatch going(about.ZEVOTest1, aboutWindow);
        driver().Click(about.cmdOK);
        EXPECT_FALSE(about.IsLoaded());
        EXPECT_TRUE(WithdrewFromForm(going));
    });
    ASSERT_TRUE(driver().ChooseMenu(main.AboutMnu));
    ASSERT_TRUE(shown);
    EXPECT_EQ(ReadMarkers(samplesWindow).list, V{pSamples});

    // Unloading the samples form takes its markers and its record on the
    // start form.
    WithdrawalWatch samplesGoing(samples.ZEVOTest1, samplesWindow);
    forms::Unload(samples);
    EXPECT_TRUE(WithdrewFromForm(samplesGoing));
    EXPECT_EQ(ReadMarkers(mainWindow).list, V{pMain});
    EXPECT_TRUE(PublishesOn(main.ZEVOTest1, mainWindow));

    // Closing the start form ends the program, which unloads every form.
    WithdrawalWatch mainGoing(main.ZEVOTest1, mainWindow);
    driver().Close(main);
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_TRUE(WithdrewFromForm(mainGoing));
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

}  // namespace
}  // namespace hanzelvb::testing
