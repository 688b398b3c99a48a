// The start form: its texts, the bold product phrase, the ways on to the
// samples form, and the ways out of the program.
#include <cstdlib>
#include <cstring>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTextEdit>

#include "application.h"
#include "frm_about.h"
#include "frm_main.h"
#include "frm_samples.h"
#include "hanzelvb_fixture.h"

namespace hanzelvb::testing {
namespace {

using MainForm = HanzelTest;

TEST_F(MainForm, ShowsItsTextsAndMenus) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    EXPECT_EQ(main.Caption(), "Tavorin Quentor: Hanzel! with Visual Basic");
    EXPECT_EQ(main.ScaleWidth(), 8430);
    EXPECT_EQ(main.ScaleHeight(), 5115);
    EXPECT_EQ(main.rtfVBStuff.Text(),
              "Use this applet with the Tavorin Quentor: Hanzel! card. Discover how easy it is to test the "
              "controls in your Visual Basic applications, including:");
    const std::pair<forms::Label*, const char*> labels[] = {
        {&main.Label3, "Microsoft Windows common controls"}, {&main.Label4, "Data Bound List control"},
        {&main.Label2, "Flexigrid Data Bound grid"},         {&main.Label5, "Microsoft Chart control"},
        {&main.Label1, "Rich Text Box control"}};
    forms::Twips top = 2520;
    for (const auto& [label, caption] : labels) {
        EXPECT_EQ(label->Caption(), caption);
        EXPECT_EQ(label->Left(), 4680);
        EXPECT_EQ(label->Top(), top);
        top += 360;
    }
    EXPECT_EQ(main.Label7.Caption(), "Label7");
    EXPECT_EQ(main.cmdExitMain.Caption(), "Exit");
    EXPECT_EQ(main.cmdNext.Caption(), "Next >>>");
    EXPECT_EQ(main.filemnu.Caption(), "&File");
    EXPECT_EQ(main.Exitmnu.Caption(), "E&xit");
    EXPECT_EQ(main.SampMnu.Caption(), "&Samples");
    EXPECT_EQ(main.CompMnu.Caption(), "&View Samples...");
    EXPECT_EQ(main.mnuHelp.Caption(), "&Help");
    EXPECT_EQ(main.AboutMnu.Caption(), "&About");
    for (forms::Image* bullet : {&main.Image1, &main.Image3, &main.Image4, &main.Image5, &main.Image6}) {
        ASSERT_TRUE(bullet->Picture());
        EXPECT_EQ(bullet->Picture()->Pixmap().width(), 20);
        EXPECT_EQ(bullet->Picture()->Pixmap().height(), 18);
    }
}

// In the faces drawn for the forms' fonts the introduction fits its box to
// the last line, and the bullet captions their labels.
TEST_F(MainForm, TheIntroductionAndTheBulletsShowWhole) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "the Liberation fonts are not installed (fonts-liberation)";
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    auto* intro = qobject_cast<QTextEdit*>(main.rtfVBStuff.Widget());
    ASSERT_NE(intro, nullptr);
    EXPECT_LE(intro->document()->size().height(), intro->viewport()->height());
    EXPECT_EQ(intro->verticalScrollBar()->maximum(), 0);
    for (forms::Label* label : {&main.Label1, &main.Label2, &main.Label3, &main.Label4, &main.Label5}) {
        const QWidget* w = label->Widget();
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(QString::fromStdString(label->Caption())), w->width())
            << label->Caption();
    }
}

TEST_F(MainForm, OnlyTheProductPhraseIsBold) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    // Load leaves nothing selected.
    EXPECT_EQ(main.rtfVBStuff.SelStart(), 0);
    EXPECT_EQ(main.rtfVBStuff.SelLength(), 0);
    const std::string text = main.rtfVBStuff.Text();
    const std::size_t phraseStart = text.find(frmMain::kProductPhrase);
    ASSERT_EQ(phraseStart, 25u);
    const std::size_t phraseEnd = phraseStart + std::strlen(frmMain::kProductPhrase);
    for (std::size_t i = 0; i < text.size(); ++i) {
        main.rtfVBStuff.SelStart(static_cast<std::int32_t>(i));
        main.rtfVBStuff.SelLength(1);
        const bool inPhrase = i >= phraseStart && i < phraseEnd;
        EXPECT_EQ(main.rtfVBStuff.SelBold().ToBool(), inPhrase) << "character " << i << " '" << text[i] << "'";
    }
}

TEST_F(MainForm, NextHidesTheStartFormAndViewSamplesLeavesItVisible) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    ASSERT_TRUE(driver().Click(main.cmdNext));
    frmSamples& samples = forms::Default<frmSamples>();
    EXPECT_TRUE(samples.Visible());
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_FALSE(main.Visible());

    ASSERT_TRUE(driver().Click(samples.cmdHome));
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(samples.Visible());
    EXPECT_TRUE(samples.IsLoaded());

    ASSERT_TRUE(driver().ChooseMenu(main.CompMnu));
    EXPECT_TRUE(samples.Visible());
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(driver().MessageBoxes().empty());
}

TEST_F(MainForm, ClosingTheSamplesFormBringsTheStartFormBack) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    ASSERT_TRUE(driver().Click(main.cmdNext));
    driver().Close(forms::Default<frmSamples>());
    EXPECT_FALSE(forms::Default<frmSamples>().IsLoaded());
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(forms::ProgramEnded());
}

TEST_F(MainForm, ClosingTheStartFormEndsTheProgramWithTheSamplesFormOpen) {
    frmMain& main = forms::Default<frmMain>();
    main.Show();
    ASSERT_TRUE(driver().ChooseMenu(main.CompMnu));
    ASSERT_TRUE(forms::Default<frmSamples>().Visible());
    driver().Close(main);
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_TRUE(forms::Forms().empty());
}

TEST_F(MainForm, ExitButtonAndExitMenuEndTheProgram) {
    forms::Default<frmMain>().Show();
    ASSERT_TRUE(driver().Click(forms::Default<frmMain>().cmdExitMain));
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_TRUE(forms::Forms().empty());

    forms::detail::ResetRuntime();
    forms::Default<frmMain>().Show();
    ASSERT_TRUE(driver().ChooseMenu(forms::Default<frmMain>().Exitmnu));
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_TRUE(forms::Forms().empty());
}

TEST_F(MainForm, FormsTakeTheFontOfTheUsersLocale) {
    const char* before = std::getenv("LC_ALL");
    const std::string saved = before ? before : "";
    ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    forms::Load(forms::Default<frmMain>());
    forms::Load(forms::Default<frmSamples>());
    forms::Load(forms::Default<frmAbout>());
    if (before) {
        ::setenv("LC_ALL", saved.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    EXPECT_EQ(forms::Default<frmMain>().cmdNext.Font().Charset(), 128);
    EXPECT_EQ(forms::Default<frmMain>().Label3.Font().Size(), 9);
    EXPECT_EQ(forms::Default<frmSamples>().txtProduct.Font().Charset(), 128);
    EXPECT_EQ(forms::Default<frmAbout>().lblVersion.Font().Charset(), 128);
}

}  // namespace
}  // namespace hanzelvb::testing
