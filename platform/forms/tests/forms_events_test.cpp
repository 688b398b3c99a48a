// Where errors raised inside event handlers go, nested modal forms, and the
// active form.
#include <QWidget>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::frmOrder;
using formtest::frmSplash;
using forms::Default;

namespace {

class frmFailing : public forms::Form {
public:
    frmFailing() : Form("frmFailing") {
        txtQuantity.Change = [this] {
            if (txtQuantity.Text() == "x") vb::RaiseError(13);
        };
        cboChoice.AddItem("one");
        cboChoice.AddItem("two");
        cboChoice.Click = [] { vb::RaiseError(5); };
    }
    bool failUnload = false;
    forms::TextBox txtQuantity{this, "txtQuantity", 120, 120};
    forms::ComboBox cboChoice{this, "cboChoice", 120, 600};

protected:
    void Form_Unload(std::int16_t&) override {
        if (failUnload) vb::RaiseError(3021);
    }
};

TEST(FormEvents, AnErrorInAnEventRaisedFromCodeReachesThatCode) {
    forms::testing::Driver driver;
    frmFailing& f = Default<frmFailing>();
    try {
        f.txtQuantity.Text("x");  // Change runs inside the widget's own signal
        FAIL() << "expected error 13";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_EQ(f.txtQuantity.Text(), "x");
    try {
        f.cboChoice.ListIndex(1);
        FAIL() << "expected error 5";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_FALSE(forms::ProgramEnded());
}

TEST(FormEvents, AnErrorInAnEventRaisedByTheUserEndsTheProgram) {
    forms::testing::Driver driver;
    frmFailing& f = Default<frmFailing>();
    f.Show();
    driver.Type(f.txtQuantity, "x");
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Run-time error '13':\r\n\r\nType mismatch");
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(FormEvents, AnErrorInUnloadKeepsTheFormLoaded) {
    forms::testing::Driver driver;
    frmFailing& f = Default<frmFailing>();
    f.Show();
    f.failUnload = true;
    try {
        forms::Unload(f);
        FAIL() << "expected error 3021";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 3021);
    }
    EXPECT_TRUE(f.IsLoaded());
    f.failUnload = false;
    forms::Unload(f);
    EXPECT_FALSE(f.IsLoaded());
}

TEST(FormEvents, ModalFormsNestAndMessageBoxesInsideThemAreRecorded) {
    forms::testing::Driver driver;
    frmOrder& order = Default<frmOrder>();
    frmSplash& confirm = Default<frmSplash>();
    std::vector<std::string> steps;
    driver.OnModal([&](forms::Form&) {
        steps.push_back("order shown");
        EXPECT_EQ(forms::ActiveForm(), &order);
        confirm.Show(forms::vbModal);  // a second modal level
        steps.push_back("confirm closed");
        EXPECT_EQ(forms::MsgBox("Order placed", 64, "Orvanta"), forms::vbOK);
        order.Hide();
    });
    driver.OnModal([&](forms::Form& shown) {
        steps.push_back("confirm shown");
        EXPECT_EQ(&shown, &confirm);
        EXPECT_TRUE(order.IsModal());
        confirm.Hide();
    });
    order.Show(forms::vbModal);
    EXPECT_EQ(steps, (std::vector<std::string>{"order shown", "confirm shown", "confirm closed"}));
    EXPECT_EQ(driver.ModalShows(), (std::vector<std::string>{"frmOrder", "frmSplash"}));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].style, 64);
    EXPECT_FALSE(order.IsModal());
}

TEST(FormEvents, VisibleTrueShowsAndHideLoads) {
    forms::testing::Driver driver;
    frmSplash& f = Default<frmSplash>();
    f.Hide();
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible());
    f.Visible(true);
    EXPECT_TRUE(f.Window()->isVisible());
    EXPECT_EQ(forms::ActiveForm(), &f);
    EXPECT_EQ(forms::Screen.ActiveForm(), &f);
    f.Visible(false);
    EXPECT_EQ(forms::ActiveForm(), nullptr);
}

TEST(FormEvents, EndInMainStopsRun) {
    forms::testing::Driver driver;
    int argc = 1;
    forms::Application app(argc, nullptr);
    bool after = false;
    EXPECT_EQ(app.Run([&] {
                  Default<frmSplash>().Show();
                  forms::End();
                  after = true;
              }),
              0);
    EXPECT_FALSE(after);
    EXPECT_EQ(Default<frmSplash>().log.Count("Unload"), 0);
    EXPECT_TRUE(forms::ProgramEnded());
}

}  // namespace
