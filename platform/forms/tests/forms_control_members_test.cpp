// Members of the intrinsic controls beyond the basics: selections, multiple
// lines, password characters, buttons clicked from code, bound values,
// containers and aligned picture boxes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::ErrorOf;
using forms::Default;

namespace {

class frmEdit : public forms::Form {
public:
    frmEdit() : Form("frmEdit") {
        txtDescription.MultiLine(true);
        txtDescription.ScrollBars(2);
        txtPassword.PasswordChar("*");
        cmdOK.Click = [this] { ++okClicks; };
        cmdOK.Default(true);
        txtImageHolder.Change = [this] { imageChanges.push_back(txtImageHolder.Text()); };
        txtImageHolder.Visible(false);
        lstMany.MultiSelect(1);
    }
    int okClicks = 0;
    std::vector<std::string> imageChanges;
    forms::TextBox txtName{this, "txtName", "Ada Lovelace", 120, 120, 3000, 285};
    forms::TextBox txtDescription{this, "txtDescription", 120, 500, 3000, 900};
    forms::TextBox txtPassword{this, "txtPassword", 120, 1500, 3000, 285};
    forms::TextBox txtImageHolder{this, "txtImageHolder", 120, 1900, 3000, 285};
    forms::Label lblPrice{this, "lblPrice", "", 3300, 120, 1000, 255};
    forms::CheckBox chkActive{this, "chkActive", "Active", 3300, 500, 1500, 255};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 3300, 900};
    forms::CommandButton cmdOther{this, "cmdOther", "Other", 3300, 1400};
    forms::ListBox lstMany{this, "lstMany", 3300, 1900, 1500, 900};
    forms::Frame fraBox{this, "fraBox", "Box", 120, 2400, 3000, 900};
    forms::Label lblInside{&fraBox, "lblInside", "inside", 120, 300, 1000, 255};
    forms::PictureBox picToolbar{this, "picToolbar", 0, 0, 1000, 600};
};

TEST(FormControlMembers, SelectionOfATextBox) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    forms::TextBox& t = f.txtName;
    t.SelStart(4);
    t.SelLength(4);
    EXPECT_EQ(t.SelText(), "Love");
    t.SelText("Byron ");
    EXPECT_EQ(t.Text(), "Ada Byron lace");
    EXPECT_EQ(t.SelStart(), 10);
    EXPECT_EQ(t.SelLength(), 0);
    t.SelStart(0);
    t.SelLength(999);
    EXPECT_EQ(t.SelLength(), static_cast<std::int32_t>(t.Text().size()));
    EXPECT_EQ(ErrorOf([&] { t.SelStart(-1); }), 380);
}

// Text set by the program shows from its beginning, with the caret before
// it; typing leaves the caret where the typing ends.
TEST(FormControlMembers, TextSetByCodeShowsItsBeginning) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    forms::TextBox& t = f.txtName;
    f.Show();
    auto* edit = qobject_cast<QLineEdit*>(t.Widget());
    ASSERT_NE(edit, nullptr);
    const std::string longText =
        "The four famous opening notes and a finale in blazing C major, in a taut and dramatic reading.";
    t.Text(longText);
    EXPECT_EQ(t.SelStart(), 0);
    EXPECT_EQ(edit->cursorPosition(), 0);
    // The beginning is what shows: the caret stands at the box's left edge.
    const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_LT(caret.left(), edit->fontMetrics().horizontalAdvance(QStringLiteral("The")));

    // The same value through data binding, and from the late-bound member.
    t.ShowBoundValue(vb::Variant(std::string("Autumn restock of symphonies and concertos for the season")));
    EXPECT_EQ(t.SelStart(), 0);
    t.SetMember("Text", vb::Variant(longText + " Again."));
    EXPECT_EQ(t.SelStart(), 0);

    driver.Focus(t);
    t.SelStart(static_cast<std::int32_t>(t.Text().size()));
    driver.Type(t, "!");
    EXPECT_EQ(t.SelStart(), static_cast<std::int32_t>(t.Text().size()));
}

TEST(FormControlMembers, MultiLineTextKeepsCarriageReturnLineFeeds) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.txtDescription.Text("line one\r\nline two");
    auto* edit = qobject_cast<QPlainTextEdit*>(f.txtDescription.Widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText().toStdString(), "line one\nline two");
    EXPECT_EQ(f.txtDescription.Text(), "line one\r\nline two");
    driver.Type(f.txtDescription, "!");
    EXPECT_EQ(f.txtDescription.Text(), "!line one\r\nline two");  // the caret starts at 0
    EXPECT_EQ(ErrorOf([&] { f.txtDescription.MultiLine(false); }), 382);  // design time only
}

TEST(FormControlMembers, PasswordCharactersHideTheText) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    driver.Type(f.txtPassword, "secret");
    EXPECT_EQ(f.txtPassword.Text(), "secret");
    EXPECT_EQ(qobject_cast<QLineEdit*>(f.txtPassword.Widget())->echoMode(), QLineEdit::Password);
    f.txtPassword.PasswordChar("");
    EXPECT_EQ(qobject_cast<QLineEdit*>(f.txtPassword.Widget())->echoMode(), QLineEdit::Normal);
}

TEST(FormControlMembers, ButtonsClickedFromCodeAndOneDefaultButton) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.cmdOK.Value(true);
    EXPECT_EQ(f.okClicks, 1);
    f.cmdOther.Default(true);
    EXPECT_FALSE(f.cmdOK.Default());
    EXPECT_TRUE(qobject_cast<QPushButton*>(f.cmdOther.Widget())->isDefault());
    EXPECT_EQ(qobject_cast<QPushButton*>(f.cmdOK.Widget())->text().toStdString(), "OK");
    f.cmdOK.Enabled(false);
    f.Show();
    EXPECT_FALSE(driver.Click(f.cmdOK));
    f.cmdOK.Enabled(true);
    f.cmdOK.Visible(false);
    EXPECT_FALSE(driver.Click(f.cmdOK));
    EXPECT_EQ(f.okClicks, 1);
}

TEST(FormControlMembers, BoundValuesShowWithoutMarkingTheControlChanged) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.txtImageHolder.ShowBoundValue(vb::Variant("bach.jpg"));
    EXPECT_EQ(f.imageChanges, (std::vector<std::string>{"bach.jpg"}));  // a hidden box still raises Change
    EXPECT_FALSE(f.txtImageHolder.DataChanged());
    f.txtImageHolder.ShowBoundValue(vb::Variant::Null());
    EXPECT_EQ(f.txtImageHolder.Text(), "");
    f.txtImageHolder.Text("typed");
    EXPECT_TRUE(f.txtImageHolder.DataChanged());
    EXPECT_EQ(f.txtImageHolder.BoundValue().ToString(), "typed");

    f.lblPrice.ShowBoundValue(vb::Variant(15.99));
    EXPECT_EQ(f.lblPrice.Caption(), "15.99");
    f.chkActive.ShowBoundValue(vb::Variant(true));
    EXPECT_EQ(f.chkActive.Value(), 1);
    f.chkActive.ShowBoundValue(vb::Variant::Null());
    EXPECT_EQ(f.chkActive.Value(), 2);
    EXPECT_EQ(qobject_cast<QCheckBox*>(f.chkActive.Widget())->checkState(), Qt::PartiallyChecked);

    f.txtName.DataSource(&f.chkActive);
    f.txtName.DataField("NAME");
    EXPECT_EQ(f.txtName.DataSource(), &f.chkActive);
    EXPECT_EQ(f.txtName.GetMember("DataField").ToString(), "NAME");
}

TEST(FormControlMembers, MultiSelectListsAndRemovingEntries) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    for (const char* n : {"a", "b", "c", "d"}) f.lstMany.AddItem(n);
    f.lstMany.Selected(1, true);
    f.lstMany.Selected(3, true);
    EXPECT_EQ(f.lstMany.SelCount(), 2);
    EXPECT_TRUE(f.lstMany.Selected(3));
    EXPECT_FALSE(f.lstMany.Selected(0));
    f.lstMany.RemoveItem(0);
    EXPECT_EQ(f.lstMany.List(0), "b");
    const QAbstractItemModel* shown = qobject_cast<QListView*>(f.lstMany.Widget())->model();
    EXPECT_EQ(shown->rowCount(), 3);
    f.lstMany.List(0, "B");
    EXPECT_EQ(shown->index(0, 0).data().toString().toStdString(), "B");
    f.lstMany.Clear();
    EXPECT_EQ(f.lstMany.ListCount(), 0);
    EXPECT_EQ(ErrorOf([&] { f.lstMany.Selected(0); }), 381);
}

TEST(FormControlMembers, ContainersAndLabelsInsideThem) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    EXPECT_EQ(f.lblInside.Container(), &f.fraBox);
    EXPECT_EQ(f.txtName.Container(), nullptr);
    EXPECT_EQ(&f.lblInside.Parent(), &f);
    EXPECT_EQ(f.lblInside.GetMember("Container").ToObject().get(), &f.fraBox);
    EXPECT_EQ(f.txtName.GetMember("Container").ToObject().get(), &f);
    EXPECT_EQ(f.lblInside.Widget()->parentWidget(), f.fraBox.Widget());
    // Hiding the frame hides what it holds.
    f.Show();
    f.fraBox.Visible(false);
    EXPECT_FALSE(f.lblInside.Widget()->isVisible());
    EXPECT_TRUE(f.lblInside.Visible());
}

TEST(FormControlMembers, PictureBoxesAlignedToTheTopFollowTheFormWidth) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.picToolbar.Align(1);
    EXPECT_EQ(f.picToolbar.Left(), 0);
    EXPECT_EQ(f.picToolbar.Width(), f.ScaleWidth());
    f.Show();
    f.ClientSize(9000, 5000);
    EXPECT_EQ(f.picToolbar.Widget()->width(), forms::TwipsToPixels(9000));
    EXPECT_EQ(f.picToolbar.Width(), 9000);
}

TEST(FormControlMembers, LabelsShowTheirStyles) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    forms::Load(f);
    auto* l = qobject_cast<QLabel*>(f.lblPrice.Widget());
    ASSERT_NE(l, nullptr);
    f.lblPrice.Alignment(1);
    EXPECT_TRUE(l->alignment() & Qt::AlignRight);
    f.lblPrice.BackStyle(0);
    EXPECT_FALSE(l->autoFillBackground());
    f.lblPrice.WordWrap(true);
    EXPECT_TRUE(l->wordWrap());
    f.lblPrice.BorderStyle(1);
    EXPECT_NE(l->frameStyle(), 0);
    f.lblPrice.Caption("A && B");  // shown as "A & B"
    EXPECT_EQ(l->text().toStdString(), "A && B");
    EXPECT_EQ(ErrorOf([&] { f.lblPrice.Alignment(3); }), 380);
}

TEST(FormControlMembers, GeometryIsKeptInTwips) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.txtName.Move(300, 450, 1500);
    EXPECT_EQ(f.txtName.Left(), 300);
    EXPECT_EQ(f.txtName.Top(), 450);
    EXPECT_EQ(f.txtName.Width(), 1500);
    EXPECT_EQ(f.txtName.Height(), 285);
    EXPECT_EQ(f.txtName.Widget()->geometry(), QRect(20, 30, 100, 19));
    EXPECT_EQ(ErrorOf([&] { f.txtName.Width(-1); }), 380);
    f.Move(1500, 1200, 6000, 4500);
    EXPECT_EQ(f.Left(), 1500);
    EXPECT_EQ(f.Width(), 6000);
    EXPECT_EQ(f.Height(), 4500);
    EXPECT_EQ(f.ScaleHeight(), 4500 - 510);
}

TEST(FormControlMembers, LateBoundMoveKeepsWhatIsLeftOut) {
    forms::testing::Driver driver;
    frmEdit& f = Default<frmEdit>();
    f.txtName.Move(300, 450, 1500, 285);
    vb::ObjectRef box = f.GetMember("txtName").ToObject();
    box->CallMember("Move", {vb::Variant(600), vb::Variant(), vb::Variant(2000)});
    EXPECT_EQ(f.txtName.Left(), 600);
    EXPECT_EQ(f.txtName.Top(), 450);
    EXPECT_EQ(f.txtName.Width(), 2000);
    EXPECT_EQ(f.txtName.Height(), 285);
    EXPECT_EQ(ErrorOf([&] { box->CallMember("Move", {vb::Variant(0), vb::Variant(0), vb::Variant(-1)}); }), 380);
    EXPECT_EQ(ErrorOf([&] { box->CallMember("Move", {}); }), 450);

    f.Move(1500, 1200, 6000, 4500);
    f.CallMember("Move", {vb::Variant(900), vb::Variant(300)});
    EXPECT_EQ(f.Left(), 900);
    EXPECT_EQ(f.Top(), 300);
    EXPECT_EQ(f.Width(), 6000);
    EXPECT_EQ(f.Height(), 4500);
    f.CallMember("Move", {vb::Variant(900), vb::Variant(), vb::Variant(), vb::Variant(3000)});
    EXPECT_EQ(f.Top(), 300);
    EXPECT_EQ(f.Height(), 3000);
    EXPECT_EQ(ErrorOf([&] { f.CallMember("Move", {vb::Variant(0), vb::Variant(0), vb::Variant(0), vb::Variant(-5)}); }), 380);
}

}  // namespace
