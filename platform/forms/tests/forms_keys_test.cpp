// Key events: KeyPress with the key code by reference, key preview on the
// form, Change after each accepted character, default and cancel buttons,
// focus events and Validate.
#include <QLineEdit>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::frmOrder;
using forms::Default;

namespace {

TEST(FormKeys, KeyPressDiscardsCharactersSetToZero) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    f.txtQuantity.Text("");
    f.log.entries.clear();
    driver.Type(f.txtQuantity, "1a2");
    EXPECT_EQ(f.txtQuantity.Text(), "12");
    EXPECT_EQ(f.log.Count("txtQuantity_Change"), 2);
    EXPECT_EQ(f.log.Count("txtQuantity_KeyPress 97"), 1);
    EXPECT_EQ(static_cast<QLineEdit*>(f.txtQuantity.Widget())->text().toStdString(), "12");
}

TEST(FormKeys, FormSeesKeysFirstWithKeyPreview) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.KeyPreview(true);
    f.Show();
    f.txtQuantity.Text("");
    f.log.entries.clear();
    driver.Type(f.txtQuantity, "5");
    ASSERT_GE(f.log.entries.size(), 2u);
    EXPECT_EQ(f.log.entries[0], "Form_KeyPress 53");
    EXPECT_EQ(f.log.entries[1], "txtQuantity_KeyPress 53");
    // Enter is taken by the form and discarded: the text box never sees it.
    f.log.entries.clear();
    driver.Type(f.txtQuantity, "\r");
    EXPECT_EQ(f.log.Count("enter"), 1);
    EXPECT_EQ(f.log.Count("txtQuantity_KeyPress 13"), 0);
    EXPECT_EQ(f.txtQuantity.Text(), "5");
}

TEST(FormKeys, WithoutKeyPreviewTheFormDoesNotSeeControlKeys) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    f.log.entries.clear();
    driver.Type(f.txtQuantity, "7");
    EXPECT_EQ(f.log.Count("Form_KeyPress 55"), 0);
    EXPECT_EQ(f.log.Count("txtQuantity_KeyPress 55"), 1);
}

TEST(FormKeys, KeyUpFollowsEachKey) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    f.log.entries.clear();
    driver.Type(f.txtQuantity, "3x");
    EXPECT_EQ(f.log.Count("txtQuantity_KeyUp 51"), 1);
    EXPECT_EQ(f.log.Count("txtQuantity_KeyUp 88"), 1);  // the discarded key is still released
}

class frmUpper : public forms::Form {
public:
    frmUpper() : Form("frmUpper") {
        txtCode.KeyPress = [](std::int16_t& k) {
            if (k >= 'a' && k <= 'z') k = static_cast<std::int16_t>(k - 32);
        };
        cmdOK.Default(true);
        cmdCancel.Cancel(true);
        cmdOK.Click = [this] { ++okClicks; };
        cmdCancel.Click = [this] { ++cancelClicks; };
        txtCode.GotFocus = [this] { log.Add("txtCode_GotFocus"); };
        txtCode.LostFocus = [this] { log.Add("txtCode_LostFocus"); };
        txtCode.Validate = [this](bool& cancel) {
            log.Add("txtCode_Validate");
            cancel = txtCode.Text() == "BAD";
        };
        txtOther.GotFocus = [this] { log.Add("txtOther_GotFocus"); };
    }
    int okClicks = 0, cancelClicks = 0;
    formtest::EventLog log;
    forms::TextBox txtCode{this, "txtCode", 120, 120, 2000, 285};
    forms::TextBox txtOther{this, "txtOther", 120, 520, 2000, 285};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 120, 1000};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 1500, 1000};
};

TEST(FormKeys, ChangingTheCodeTypesTheNewCharacter) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    driver.Type(f.txtCode, "ab1");
    EXPECT_EQ(f.txtCode.Text(), "AB1");
}

TEST(FormKeys, EnterAndEscPressTheDefaultAndCancelButtons) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    driver.Type(f.txtCode, "\r");
    EXPECT_EQ(f.okClicks, 1);
    driver.Type(f.txtCode, "\x1b");
    EXPECT_EQ(f.cancelClicks, 1);
    f.cmdOK.Enabled(false);
    driver.Type(f.txtCode, "\r");
    EXPECT_EQ(f.okClicks, 1);
    EXPECT_EQ(f.txtCode.Text(), "");
}

TEST(FormKeys, FocusMovesRaiseValidateLostFocusAndGotFocus) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    driver.Focus(f.txtCode);
    driver.Type(f.txtCode, "ok");
    f.log.entries.clear();
    driver.Focus(f.txtOther);
    EXPECT_EQ(f.log.entries,
              (std::vector<std::string>{"txtCode_Validate", "txtCode_LostFocus", "txtOther_GotFocus"}));
}

TEST(FormKeys, ValidateCanKeepTheFocus) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    driver.Type(f.txtCode, "bad");
    f.log.entries.clear();
    driver.Focus(f.txtOther);
    driver.ProcessEvents();
    EXPECT_EQ(f.log.Count("txtCode_LostFocus"), 0);
    EXPECT_EQ(f.ActiveControl(), &f.txtCode);
}

TEST(FormKeys, LockedTextBoxTakesNoTypingButCodeCanSetIt) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    f.txtCode.Locked(true);
    driver.Type(f.txtCode, "abc");
    EXPECT_EQ(f.txtCode.Text(), "");
    f.txtCode.Text("set");
    EXPECT_EQ(f.txtCode.Text(), "set");
}

TEST(FormKeys, BackspaceAndMaxLength) {
    forms::testing::Driver driver;
    frmUpper& f = Default<frmUpper>();
    f.Show();
    f.txtCode.MaxLength(3);
    driver.Type(f.txtCode, "abcd");
    EXPECT_EQ(f.txtCode.Text(), "ABC");
    driver.Type(f.txtCode, "\b");
    EXPECT_EQ(f.txtCode.Text(), "AB");
}

class frmSplashKeys : public forms::Form {
public:
    frmSplashKeys() : Form("frmSplashKeys") {}
    int keys = 0;

protected:
    void Form_KeyPress(std::int16_t&) override {
        ++keys;
        forms::Unload(*this);
    }
};

TEST(FormKeys, AFormWithoutControlsGetsTheKeys) {
    forms::testing::Driver driver;
    frmSplashKeys& f = Default<frmSplashKeys>();
    f.Show();
    driver.PressKey(f, Qt::Key_A, U'a');
    EXPECT_EQ(f.keys, 1);
    EXPECT_FALSE(f.IsLoaded());
}

}  // namespace
