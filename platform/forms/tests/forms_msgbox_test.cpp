// Message boxes: buttons and default answers per style, scripted answers and
// what is recorded, the application title when none is given.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_forms.h"

namespace {

TEST(FormMsgBox, StylesOfferTheirButtonsAndDefaultAnswers) {
    using forms::MsgBoxButtons;
    using forms::MsgBoxDefaultAnswer;
    EXPECT_EQ(MsgBoxButtons(0), (std::vector<int>{1}));
    EXPECT_EQ(MsgBoxButtons(1), (std::vector<int>{1, 2}));
    EXPECT_EQ(MsgBoxButtons(4), (std::vector<int>{6, 7}));
    EXPECT_EQ(MsgBoxButtons(16), (std::vector<int>{1}));
    EXPECT_EQ(MsgBoxButtons(64), (std::vector<int>{1}));
    EXPECT_EQ(MsgBoxButtons(260), (std::vector<int>{6, 7}));
    EXPECT_EQ(MsgBoxButtons(324), (std::vector<int>{6, 7}));
    EXPECT_EQ(MsgBoxButtons(3), (std::vector<int>{6, 7, 2}));
    EXPECT_EQ(MsgBoxButtons(2), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(MsgBoxButtons(5), (std::vector<int>{4, 2}));
    EXPECT_EQ(MsgBoxDefaultAnswer(4), 6);
    EXPECT_EQ(MsgBoxDefaultAnswer(260), 7);   // Yes/No, second button
    EXPECT_EQ(MsgBoxDefaultAnswer(324), 7);   // with the information icon
    EXPECT_EQ(MsgBoxDefaultAnswer(1), 1);
    EXPECT_EQ(MsgBoxDefaultAnswer(512 + 3), 2);
    EXPECT_EQ(MsgBoxDefaultAnswer(512 + 4), 6);  // no third button: the first
}

TEST(FormMsgBox, AnswersComeFromTheScriptAndEveryBoxIsRecorded) {
    forms::testing::Driver driver;
    forms::SetAppTitle("Orvanta Online C");
    driver.AnswerMsgBoxes({forms::vbNo, forms::vbCancel});
    EXPECT_EQ(forms::MsgBox("Do you wish to continue?", 4, "Restore Table Warning!"), 7);
    EXPECT_EQ(forms::MsgBox("Error while accessing picture source", 1, "Image Path Problem"), 2);
    EXPECT_EQ(forms::MsgBox("System Information Is Unavailable At This Time"), 1);
    const auto& boxes = driver.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, "Restore Table Warning!");
    EXPECT_EQ(boxes[0].text, "Do you wish to continue?");
    EXPECT_EQ(boxes[0].style, 4);
    EXPECT_TRUE(boxes[0].scripted);
    EXPECT_EQ(boxes[2].title, "Orvanta Online C");
    EXPECT_EQ(boxes[2].answer, 1);
    EXPECT_FALSE(boxes[2].scripted);
}

// The runtime asks whatever stand-in for the user is installed, not the
// driver as such; a driver installs itself and takes itself away again.
TEST(FormMsgBox, TheRuntimeAsksTheInstalledStandIn) {
    struct Stand : forms::ScriptedUser {
        std::vector<std::string> asked;
        int MsgBoxAnswer(const std::string& title, const std::string& text, int style) override {
            asked.push_back(title + "|" + text + "|" + std::to_string(style));
            return forms::vbRetry;
        }
        void ModalShown(forms::Form&) override {}
        void PopupShown(forms::Menu&) override {}
    } stand;
    {
        forms::testing::Driver driver;
        EXPECT_NE(forms::CurrentScriptedUser(), nullptr);
    }
    EXPECT_EQ(forms::CurrentScriptedUser(), nullptr);
    forms::SetScriptedUser(&stand);
    const int answer = forms::MsgBox("Disk not ready", forms::vbRetryCancel + forms::vbExclamation, "Backup");
    forms::SetScriptedUser(nullptr);
    EXPECT_EQ(answer, forms::vbRetry);
    EXPECT_EQ(stand.asked, std::vector<std::string>{"Backup|Disk not ready|53"});
}

TEST(FormMsgBox, UnscriptedBoxesTakeTheirDefaultButton) {
    forms::testing::Driver driver;
    EXPECT_EQ(forms::MsgBox("Replace?", 260, "t"), forms::vbNo);
    EXPECT_EQ(forms::MsgBox("Replace?", 4, "t"), forms::vbYes);
    EXPECT_EQ(forms::MsgBox("Gone", 16, "t"), forms::vbOK);
}

TEST(FormMsgBox, AppTitleDefaultsToTheProgramName) {
    forms::testing::Driver driver;
    EXPECT_FALSE(forms::AppTitle().empty());
    forms::SetAppTitle("VB Hanzel!");
    forms::MsgBox("x");
    EXPECT_EQ(driver.MessageBoxes().back().title, "VB Hanzel!");
}

// A text from outside (a settings value, a database error) of any length
// gives a box of bounded size: at most 1,024 characters and 24 lines.
TEST(FormMsgBox, HugeTextsAreBoundedBeforeTheBoxIsShown) {
    forms::testing::Driver driver;
    const std::string ellipsis = "\xE2\x80\xA6";
    forms::MsgBox("Cannot open " + std::string(4 << 20, 'x'), forms::vbCritical, std::string(5000, 'T'));
    std::string lines;
    for (int i = 0; i < 100; ++i) lines += "line " + std::to_string(i) + "\r\n";
    forms::MsgBox(lines);
    const auto& boxes = driver.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Cannot open " + std::string(1024 - 12, 'x') + ellipsis);
    EXPECT_EQ(boxes[0].title, std::string(1024, 'T') + ellipsis);
    const std::string& shown = boxes[1].text;
    EXPECT_EQ(shown.substr(0, 16), "line 0\r\nline 1\r\n");
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 24);
    EXPECT_EQ(shown.substr(shown.size() - 12), "line 23\r\n" + ellipsis);
}

}  // namespace
