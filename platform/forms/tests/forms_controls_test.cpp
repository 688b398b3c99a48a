// Intrinsic controls: lists and combo boxes, check boxes, option groups,
// control arrays, tab order, labels, timers, frames and user controls.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::ErrorOf;
using formtest::frmOrder;
using forms::Default;

namespace {

TEST(FormControls, ComboBoxItemDataListIndexAndNewIndex) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    forms::ComboBox& c = f.comboCardType;
    EXPECT_EQ(c.ListCount(), 4);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Text(), "");
    c.AddItem("Diners");
    EXPECT_EQ(c.NewIndex(), 4);
    c.ItemData(c.NewIndex(), -2);
    EXPECT_EQ(c.ItemData(4), -2);
    f.log.entries.clear();
    c.ListIndex(1);
    EXPECT_EQ(c.Text(), "MasterCard");
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"comboCardType_Click 1"}));
    EXPECT_EQ(static_cast<QComboBox*>(c.Widget())->currentText().toStdString(), "MasterCard");
    // Inserting before the selection moves it; removing it clears it.
    c.AddItem("Amex", 0);
    EXPECT_EQ(c.ListIndex(), 2);
    EXPECT_EQ(c.List(2), "MasterCard");
    c.RemoveItem(2);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.List(99), "");
    EXPECT_EQ(ErrorOf([&] { c.ListIndex(99); }), 380);
    EXPECT_EQ(ErrorOf([&] { c.ItemData(99); }), 381);
    EXPECT_EQ(ErrorOf([&] { c.RemoveItem(-1); }), 5);
    EXPECT_EQ(ErrorOf([&] { c.Text("Cash"); }), 383);  // a drop-down list only takes its entries
    c.Text("visa");
    EXPECT_EQ(c.ListIndex(), 1);
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.NewIndex(), -1);
}

TEST(FormControls, ChoosingAComboEntryAsTheUserRaisesClickOnce) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    f.log.entries.clear();
    EXPECT_TRUE(driver.Choose(f.comboCardType, "Discover"));
    EXPECT_EQ(f.comboCardType.ListIndex(), 3);
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"comboCardType_Click 3"}));
    EXPECT_FALSE(driver.Choose(f.comboCardType, "Cash"));
    f.comboCardType.Locked(true);
    EXPECT_FALSE(driver.Choose(f.comboCardType, 0));
    EXPECT_EQ(f.comboCardType.ListIndex(), 3);
}

class frmLists : public forms::Form {
public:
    frmLists() : Form("frmLists") {
        lstNames.Sorted(true);
        cboFree.Style(0);
        lstNames.Click = [this] { ++listClicks; };
        chkRemember.Click = [this] { ++checkClicks; };
        optSort.Click = [this](std::int16_t index) { optClicks.push_back(index); };
        optOther.Click = [this] { ++otherClicks; };
    }
    int listClicks = 0, checkClicks = 0, otherClicks = 0;
    std::vector<int> optClicks;
    forms::ListBox lstNames{this, "lstNames", 120, 120, 2000, 1200};
    forms::ComboBox cboFree{this, "cboFree", 2400, 120, 2000, 315};
    forms::CheckBox chkRemember{this, "chkRemember", "Remember Password", 120, 1500, 2400, 255};
    forms::Frame fraSort{this, "fraSort", "Sort By", 120, 1900, 2655, 1575};
    forms::ControlArray<forms::OptionButton> optSort{&fraSort, "optSort",
                                                     forms::Element(0, "Option 1", 120, 240, 2000, 255),
                                                     forms::Element(1, "Option 2", 120, 600, 2000, 255),
                                                     forms::Element(2, "Option 3", 120, 960, 2000, 255)};
    forms::OptionButton optOther{this, "optOther", "Other", 3000, 1900, 2000, 255};
};

TEST(FormControls, SortedListBoxAndUserChoice) {
    forms::testing::Driver driver;
    frmLists& f = Default<frmLists>();
    f.Show();
    for (const char* n : {"walker", "Adams", "baker"}) f.lstNames.AddItem(n);
    EXPECT_EQ(f.lstNames.List(0), "Adams");
    EXPECT_EQ(f.lstNames.List(1), "baker");
    EXPECT_EQ(f.lstNames.NewIndex(), 1);
    EXPECT_TRUE(driver.Choose(f.lstNames, "walker"));
    EXPECT_EQ(f.lstNames.ListIndex(), 2);
    EXPECT_EQ(f.lstNames.Text(), "walker");
    EXPECT_EQ(f.listClicks, 1);
}

TEST(FormControls, EditableComboTextMatchesAnEntry) {
    forms::testing::Driver driver;
    frmLists& f = Default<frmLists>();
    f.cboFree.AddItem("Alpha");
    f.cboFree.AddItem("Beta");
    f.cboFree.Text("beta");
    EXPECT_EQ(f.cboFree.ListIndex(), 1);
    f.cboFree.Text("Gamma");
    EXPECT_EQ(f.cboFree.ListIndex(), -1);
    EXPECT_EQ(f.cboFree.Text(), "Gamma");
}

TEST(FormControls, CheckBoxValuesAndClicks) {
    forms::testing::Driver driver;
    frmLists& f = Default<frmLists>();
    f.Show();
    EXPECT_EQ(f.chkRemember.Value(), 0);
    f.chkRemember.Value(1);
    EXPECT_EQ(f.checkClicks, 1);
    f.chkRemember.Value(1);
    EXPECT_EQ(f.checkClicks, 1);  // no change, no Click
    f.chkRemember.Value(2);
    EXPECT_TRUE(driver.Click(f.chkRemember));  // greyed -> checked
    EXPECT_EQ(f.chkRemember.Value(), 1);
    EXPECT_TRUE(driver.Click(f.chkRemember));
    EXPECT_EQ(f.chkRemember.Value(), 0);
    EXPECT_EQ(f.checkClicks, 4);
    EXPECT_EQ(ErrorOf([&] { f.chkRemember.Value(3); }), 380);
}

TEST(FormControls, OptionButtonsFormAGroupPerContainer) {
    forms::testing::Driver driver;
    frmLists& f = Default<frmLists>();
    f.Show();
    f.optOther.Value(true);
    EXPECT_TRUE(driver.Click(f.optSort(1)));
    EXPECT_TRUE(f.optSort(1).Value());
    EXPECT_TRUE(f.optOther.Value());  // another container, another group
    f.optSort(2).Value(true);
    EXPECT_FALSE(f.optSort(1).Value());
    EXPECT_EQ(f.optClicks, (std::vector<int>{1, 2}));
    EXPECT_EQ(f.optSort(0).Widget()->parentWidget(), f.fraSort.Widget());
    EXPECT_NE(qobject_cast<QGroupBox*>(f.fraSort.Widget()), nullptr);
}

class frmRecord : public forms::Form {
public:
    frmRecord() : Form("frmRecord") {
        txtFields.LostFocus = [this](std::int16_t index) { lastLeft = index; };
        txtFields.Change = [this](std::int16_t index) { changed.push_back(index); };
    }
    int lastLeft = -1;
    std::vector<int> changed;
    forms::ControlArray<forms::Label> lblLabels{this, "lblLabels", forms::Element(0, "Name:", 120, 120),
                                                forms::Element(1, "City:", 120, 520)};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields", forms::Element(0, 1500, 120, 2000, 285),
                                                  forms::Element(1, 1500, 520, 2000, 285),
                                                  forms::Element(3, "x", 1500, 920, 2000, 285)};
    forms::TextBox txtID{this, "txtID", 1500, 1320, 2000, 285};
};

TEST(FormControls, ControlArraysHaveIndexesNamesAndSharedEvents) {
    forms::testing::Driver driver;
    frmRecord& f = Default<frmRecord>();
    f.Show();
    EXPECT_EQ(f.txtFields.Count(), 3);
    EXPECT_EQ(f.txtFields.LBound(), 0);
    EXPECT_EQ(f.txtFields.UBound(), 3);
    EXPECT_EQ(f.txtFields(3).Text(), "x");
    EXPECT_EQ(f.txtFields(3).Index(), 3);
    EXPECT_EQ(f.txtFields(3).Widget()->objectName().toStdString(), "txtFields(3)");
    EXPECT_EQ(f.txtFields(3).Widget()->accessibleDescription().toStdString(), "txtFields(3)");
    EXPECT_EQ(ErrorOf([&] { f.txtFields(2); }), 340);
    EXPECT_EQ(ErrorOf([&] { f.txtID.Index(); }), 343);
    std::vector<int> order;
    for (forms::TextBox& t : f.txtFields) order.push_back(t.Index());
    EXPECT_EQ(order, (std::vector<int>{0, 1, 3}));

    driver.Type(f.txtFields(1), "ab");
    driver.Focus(f.txtID);
    EXPECT_EQ(f.lastLeft, 1);
    EXPECT_EQ(f.changed, (std::vector<int>{1, 1}));
    EXPECT_TRUE(f.txtFields(1).DataChanged());
}

// Alt and a label's access key put the focus on the control that follows the
// label in the tab order of that moment, passing over those that cannot take it.
TEST(FormControls, ALabelsAccessKeyFocusesTheNextControlInTabOrder) {
    forms::testing::Driver driver;
    frmRecord& f = Default<frmRecord>();
    f.Show();
    QWidget* window = f.Window()->window();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    f.lblLabels(1).Caption("Cit&y:");
    EXPECT_EQ(static_cast<QLabel*>(f.lblLabels(1).Widget())->buddy(), f.lblLabels(1).Widget());
    // Tab order: Name:, the first box, City:, the second box, the third, txtID.
    f.lblLabels(1).TabIndex(2);
    driver.Focus(f.txtID);
    QTest::keyClick(window, Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.txtFields(1).Widget());

    driver.Focus(f.txtID);
    f.txtFields(1).Enabled(false);
    QTest::keyClick(window, Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.txtFields(3).Widget());

    // Moved in the tab order while the form runs: the key follows.
    f.txtFields(1).Enabled(true);
    f.lblLabels(1).TabIndex(0);
    driver.Focus(f.txtID);
    QTest::keyClick(window, Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.txtFields(0).Widget());
}

// A label without a back colour of its own shows its container's: inside a
// frame it does not paint the form's colour over the frame's.
TEST(FormControls, ALabelShowsTheBackColourOfItsFrame) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    QWidget* frame = f.fraInfo.Widget();
    QWidget* label = f.lblInfoName.Widget();
    const QImage picture = frame->grab().toImage();
    // Beside the label's text, and in the frame just below the label.
    const QPoint inLabel = label->geometry().topRight() + QPoint(-2, 2);
    const QPoint besideLabel = label->geometry().bottomRight() + QPoint(-2, 4);
    EXPECT_EQ(picture.pixelColor(inLabel), picture.pixelColor(besideLabel));

    // A colour of its own is painted.
    f.lblInfoName.BackColor(0x00FFFF);
    const QImage yellow = frame->grab().toImage();
    EXPECT_EQ(yellow.pixelColor(inLabel), QColor(255, 255, 0));
    // Transparent: the frame again.
    f.lblInfoName.BackStyle(0);
    EXPECT_EQ(frame->grab().toImage().pixelColor(inLabel), picture.pixelColor(besideLabel));
}

// A button that counts how many of its kind were destroyed.
class CountedButton : public forms::CommandButton {
public:
    using CommandButton::CommandButton;
    ~CountedButton() override { ++destroyed; }
    static inline int destroyed = 0;
};

// Each row button removes itself, or closes the whole form, when clicked.
class frmRows : public forms::Form {
public:
    frmRows() : Form("frmRows") {
        cmdRows.Click = [this](std::int16_t index) {
            CountedButton& self = cmdRows(index);
            if (closeForm) {
                forms::Unload(*this);
            } else {
                cmdRows.Unload(index);
            }
            destroyedInClick = CountedButton::destroyed;
            nameInClick = self.Name();
        };
    }
    bool closeForm = false;
    int destroyedInClick = -1;
    std::string nameInClick;
    forms::ControlArray<CountedButton> cmdRows{this, "cmdRows", forms::Element(0, "Row", 120, 120, 1200, 375)};
};

TEST(FormControls, AnElementUnloadedFromItsOwnEventLivesUntilTheEventIsOver) {
    for (const bool closeForm : {false, true}) {
        forms::testing::Driver driver;
        frmRows& f = Default<frmRows>();
        f.closeForm = closeForm;
        f.Show();
        const int controls = f.Controls().Count();
        CountedButton& row = f.cmdRows.Load(1);
        row.Visible(true);
        CountedButton::destroyed = 0;
        EXPECT_TRUE(driver.Click(row));
        EXPECT_EQ(f.destroyedInClick, 0) << "closeForm " << closeForm;
        EXPECT_EQ(f.nameInClick, "cmdRows");
        EXPECT_EQ(f.Controls().Count(), controls);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(CountedButton::destroyed, 1);
        EXPECT_FALSE(f.cmdRows.Exists(1));
        forms::Unload(f);
    }
}

TEST(FormControls, ElementsLoadedAtRunTimeCopyTheFirstAndGoWithTheForm) {
    forms::testing::Driver driver;
    frmRecord& f = Default<frmRecord>();
    f.txtFields(0).Text("model");
    forms::TextBox& added = f.txtFields.Load(7);
    EXPECT_FALSE(added.Visible());
    EXPECT_EQ(added.Text(), "model");
    EXPECT_EQ(added.Width(), 2000);
    ASSERT_NE(added.Widget(), nullptr);
    EXPECT_EQ(added.Widget()->objectName().toStdString(), "txtFields(7)");
    EXPECT_EQ(ErrorOf([&] { f.txtFields.Load(7); }), 360);
    EXPECT_EQ(ErrorOf([&] { f.txtFields.Unload(1); }), 362);
    EXPECT_EQ(f.Controls().Count(), 7);
    forms::Unload(added);
    EXPECT_FALSE(f.txtFields.Exists(7));
    f.txtFields.Load(8);
    forms::Unload(f);
    EXPECT_FALSE(f.txtFields.Exists(8));  // touching reloads the form without it
    EXPECT_EQ(f.txtFields.Count(), 3);
    EXPECT_EQ(f.txtFields(0).Text(), "");
}

TEST(FormControls, TabIndexRenumbersTheOthers) {
    forms::testing::Driver driver;
    frmRecord& f = Default<frmRecord>();
    // Declaration order: lblLabels(0), lblLabels(1), txtFields(0), txtFields(1), txtFields(3), txtID.
    EXPECT_EQ(f.txtID.TabIndex(), 5);
    f.txtID.TabIndex(0);
    EXPECT_EQ(f.lblLabels(0).TabIndex(), 1);
    EXPECT_EQ(f.txtFields(3).TabIndex(), 5);
    f.txtID.TabIndex(99);
    EXPECT_EQ(f.txtID.TabIndex(), 5);
    EXPECT_EQ(f.lblLabels(0).TabIndex(), 0);
    EXPECT_EQ(ErrorOf([&] { f.txtID.TabIndex(-1); }), 380);
    f.txtID.TabStop(false);
    EXPECT_EQ(f.txtID.Widget()->focusPolicy(), Qt::ClickFocus);
}

TEST(FormControls, LabelCaptionsAutoSizeAndAccessKeys) {
    forms::testing::Driver driver;
    frmRecord& f = Default<frmRecord>();
    forms::Label& l = f.lblLabels(0);
    l.Caption("Order how many &albums?");
    // The widget keeps the marker: it underlines the key instead of showing "&".
    EXPECT_EQ(static_cast<QLabel*>(l.Widget())->text().toStdString(), "Order how many &albums?");
    EXPECT_EQ(l.Caption(), "Order how many &albums?");
    const forms::Twips before = l.Width();
    l.AutoSize(true);
    EXPECT_NE(l.Width(), before);
    const forms::Twips shortWidth = l.Width();
    l.Caption("Order how many albums? And more text");
    EXPECT_GT(l.Width(), shortWidth);
    EXPECT_EQ(l.Widget()->width(), forms::TwipsToPixels(l.Width()));
}

class frmTimer : public forms::Form {
public:
    frmTimer() : Form("frmTimer") { tmrTick.TimerEvent = [this] { ++ticks; }; }
    int ticks = 0;
    forms::Timer tmrTick{this, "tmrTick", 10};
};

TEST(FormControls, TimerTicksWhileEnabledAndLoaded) {
    forms::testing::Driver driver;
    frmTimer& f = Default<frmTimer>();
    forms::Load(f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.ticks >= 2; }, 2000));
    EXPECT_GE(f.ticks, 2);
    f.tmrTick.Enabled(false);
    const int stopped = f.ticks;
    driver.ProcessEvents(50);
    EXPECT_EQ(f.ticks, stopped);
    EXPECT_EQ(ErrorOf([&] { f.tmrTick.Interval(-1); }), 380);
}

class InvChkBox : public forms::UserControl {
public:
    InvChkBox(forms::ControlParent parent, std::string name, forms::Twips left = 0, forms::Twips top = 0,
              forms::Twips width = 3795, forms::Twips height = 270)
        : UserControl(parent, std::move(name), left, top, width, height) {
        SetTypeName("InvChkBox");
        lblCheckBox.Click = [this] { Toggle(); };
        imgCheck.Click = [this] { Toggle(); };
    }
    std::string Caption() {
        return lblCheckBox.Caption();
    }
    void Caption(const std::string& c) {
        lblCheckBox.Caption(c);
        PropertyChanged("Caption");
    }
    std::int16_t Value() { return imgCheck.Visible() ? 1 : 0; }
    void Value(std::int16_t v) {
        imgCheck.Visible(v == 1);
        PropertyChanged("Value");
    }
    forms::Image imgUncheck{this, "imgUncheck", 0, 0, 210, 210};
    forms::Image imgCheck{this, "imgCheck", 0, 0, 225, 210};
    forms::Label lblCheckBox{this, "lblCheckBox", "CheckBox Label", 360, 0, 3255, 255};

protected:
    void UserControl_ReadProperties(forms::PropertyBag& bag) override {
        lblCheckBox.Caption(bag.ReadProperty("Caption", "CheckBox Label").ToString());
    }
    void UserControl_WriteProperties(forms::PropertyBag& bag) override {
        bag.WriteProperty("Caption", lblCheckBox.Caption(), "CheckBox Label");
    }

private:
    void Toggle() {
        Value(Value() == 1 ? 0 : 1);
        RaiseEvent(Click);
    }
};

class frmReport : public forms::Form {
public:
    frmReport() : Form("frmReport") {
        chkOrder.Caption("Sort in Ascending Order");
        chkOrder.Click = [this] { ++clicks; };
    }
    int clicks = 0;
    InvChkBox chkOrder{this, "chkOrder", 130, 2160, 2895, 375};
    InvChkBox chkDelimited{this, "chkDelimited", 120, 2520, 2775, 255};
};

TEST(FormControls, UserControlsKeepDesignPropertiesAndRaiseTheirEvents) {
    forms::testing::Driver driver;
    frmReport& f = Default<frmReport>();
    f.Show();
    EXPECT_EQ(f.chkOrder.Caption(), "Sort in Ascending Order");
    EXPECT_EQ(f.chkDelimited.Caption(), "CheckBox Label");
    EXPECT_FALSE(f.chkDelimited.Bag().Contains("Caption"));  // defaults are not stored
    EXPECT_EQ(f.chkOrder.Value(), 1);
    EXPECT_TRUE(driver.ClickControl(f.chkOrder.lblCheckBox));
    EXPECT_EQ(f.chkOrder.Value(), 0);
    EXPECT_EQ(f.clicks, 1);
    // The constituents belong to the user control, not to the form.
    EXPECT_EQ(f.Controls().Count(), 2);
    EXPECT_EQ(f.chkOrder.Controls().Count(), 3);
    EXPECT_EQ(f.chkOrder.lblCheckBox.Widget()->parentWidget(), f.chkOrder.Widget());
    f.chkOrder.Caption("Changed");
    forms::Unload(f);
    EXPECT_EQ(f.chkOrder.Caption(), "Sort in Ascending Order");  // reloaded from the saved properties
    EXPECT_EQ(f.chkOrder.Value(), 1);
}

}  // namespace

namespace {
TEST(FormControls, FrameWithoutBorderHidesItsCaptionButKeepsIt) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    EXPECT_EQ(f.fraInfo.Caption(), "Your Information");  // loads the form
    auto* box = qobject_cast<QGroupBox*>(f.fraInfo.Widget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title().toStdString(), "Your Information");
    f.fraInfo.BorderStyle(0);
    EXPECT_TRUE(box->title().isEmpty());
    EXPECT_EQ(f.fraInfo.Caption(), "Your Information");
    f.fraInfo.BorderStyle(1);
    EXPECT_EQ(box->title().toStdString(), "Your Information");
}
}  // namespace
