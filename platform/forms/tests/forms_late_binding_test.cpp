// Members by name: controls, fonts, forms and control arrays; error 438 for
// members that an object does not have.
#include <QWidget>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::ErrorOf;
using formtest::frmOrder;
using forms::Default;

namespace {

class frmMixed : public forms::Form {
public:
    frmMixed() : Form("frmMixed") {}
    bool editMode = false;
    forms::TextBox txtName{this, "txtName", 120, 120, 2000, 285};
    forms::Line Line1{this, "Line1", 0, 600, 3000, 600};
    forms::Shape Shape1{this, "Shape1", 0, 700, 3000, 30};
    forms::Timer tmrSplash{this, "tmrSplash", 500, false};
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Image imgLogo{this, "imgLogo", 0, 0, 300, 300};
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields", forms::Element(0, 120, 900, 2000, 285),
                                                  forms::Element(1, 120, 1300, 2000, 285)};

    // A public operation of the form, reached by name.
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override {
        if (name == "EditRecordMode") {
            editMode = args.at(0).ToBool();
            return {};
        }
        return Form::CallMember(name, args);
    }
};

TEST(FormLateBinding, ControlMembersByNameIgnoreCase) {
    forms::testing::Driver driver;
    frmMixed& f = Default<frmMixed>();
    forms::Control& t = f.txtName;
    t.SetMember("TEXT", "abc");
    EXPECT_EQ(f.txtName.Text(), "abc");
    EXPECT_EQ(t.GetMember("text").ToString(), "abc");
    t.SetMember("Locked", true);
    EXPECT_TRUE(f.txtName.Locked());
    t.SetMember("Left", 240);
    EXPECT_EQ(t.GetMember("left").ToDouble(), 240);
    EXPECT_EQ(t.GetMember("Name").ToString(), "txtName");
    EXPECT_EQ(t.GetMember("TabIndex").ToInteger(), 0);
    EXPECT_EQ(ErrorOf([&] { t.GetMember("Caption"); }), 438);
    EXPECT_EQ(ErrorOf([&] { t.SetMember("NoSuchThing", 1); }), 438);
    EXPECT_EQ(ErrorOf([&] { t.CallMember("NoSuchMethod", {vb::Variant(1)}); }), 438);
    EXPECT_EQ(ErrorOf([&] { t.GetMember("Index"); }), 343);
}

TEST(FormLateBinding, FontsAreChangedInPlaceByName) {
    forms::testing::Driver driver;
    frmMixed& f = Default<frmMixed>();
    vb::ObjectRef font = f.txtName.GetMember("Font").ToObject();
    font->SetMember("Charset", 128);
    font->SetMember("Name", std::string("\xEF\xBC\xAD\xEF\xBC\xB3"));
    font->SetMember("Size", 9);
    EXPECT_EQ(f.txtName.Font().Charset(), 128);
    EXPECT_EQ(f.txtName.Font().Size(), 9);
    EXPECT_EQ(f.txtName.Widget()->font().pointSizeF(), 9);
    font->SetMember("Name", std::string());
    EXPECT_EQ(f.txtName.Font().Name(), "");
    EXPECT_EQ(ErrorOf([&] { font->SetMember("Size", 0); }), 380);
    EXPECT_EQ(ErrorOf([&] { font->GetMember("Colour"); }), 438);
    // The font is the control's: a reload brings back the design font.
    forms::Unload(f);
    EXPECT_EQ(f.txtName.Font().Charset(), 0);
    EXPECT_EQ(f.txtName.Font().Name(), "MS Sans Serif");
}

TEST(FormLateBinding, ControlsWithoutAFontRaise438AndTheLoopGoesOn) {
    forms::testing::Driver driver;
    frmMixed& f = Default<frmMixed>();
    std::vector<std::string> withFont;
    for (forms::Control* c : f.Controls()) {
        vb::ResumeNext([&] {
            vb::ObjectRef font = c->GetMember("Font").ToObject();
            font->SetMember("Charset", 1);
            withFont.push_back(c->QualifiedName());
        });
    }
    EXPECT_EQ(withFont, (std::vector<std::string>{"txtName", "txtFields(0)", "txtFields(1)"}));
    EXPECT_EQ(vb::Err().Number, 438);
    vb::Err().Clear();
}

TEST(FormLateBinding, FormsReachTheirControlsAndArraysByName) {
    forms::testing::Driver driver;
    frmMixed& f = Default<frmMixed>();
    vb::ObjectRef form = f.Ref();
    vb::ObjectRef text = form->GetMember("txtName").ToObject();
    text->SetMember("Text", "via form");
    EXPECT_EQ(f.txtName.Text(), "via form");
    vb::ObjectRef field = form->CallMember("txtFields", {vb::Variant(1)}).ToObject();
    field->SetMember("Locked", true);
    EXPECT_TRUE(f.txtFields(1).Locked());
    vb::ObjectRef array = form->GetMember("txtFields").ToObject();
    EXPECT_EQ(array->GetMember("Count").ToLong(), 2);
    EXPECT_EQ(array->GetMember("UBound").ToLong(), 1);
    form->CallMember("EditRecordMode", {vb::Variant(true)});
    EXPECT_TRUE(f.editMode);
    form->SetMember("Caption", "Named");
    EXPECT_EQ(f.Caption(), "Named");
    vb::ObjectRef controls = form->GetMember("Controls").ToObject();
    EXPECT_EQ(controls->GetMember("Count").ToLong(), f.Controls().Count());
    EXPECT_EQ(ErrorOf([&] { form->GetMember("lQuantity"); }), 438);
}

TEST(FormLateBinding, KindsOfControlsKnowTheirOwnMembers) {
    forms::testing::Driver driver;
    frmMixed& f = Default<frmMixed>();
    EXPECT_EQ(f.Line1.GetMember("X2").ToDouble(), 3000);
    EXPECT_EQ(ErrorOf([&] { f.Line1.GetMember("Left"); }), 438);
    EXPECT_EQ(ErrorOf([&] { f.tmrSplash.GetMember("Visible"); }), 438);
    EXPECT_EQ(f.tmrSplash.GetMember("Interval").ToLong(), 500);
    EXPECT_EQ(ErrorOf([&] { f.mnuFile.GetMember("TabIndex"); }), 438);
    EXPECT_EQ(f.mnuFile.GetMember("Caption").ToString(), "&File");
    EXPECT_EQ(ErrorOf([&] { f.imgLogo.hWnd(); }), 438);
    f.Shape1.SetMember("Shape", 2);
    EXPECT_EQ(f.Shape1.ShapeKind(), 2);
    EXPECT_EQ(f.ZEVOTest1.TypeName(), "ZEVOTest");
    f.ZEVOTest1.SetMember("TabStop", false);  // the extender's member
    EXPECT_FALSE(f.ZEVOTest1.TabStop());
    EXPECT_EQ(ErrorOf([&] { f.ZEVOTest1.CallMember("AboutBox", {}); }), 438);  // no control behind it yet
}

TEST(FormLateBinding, ControlReferencesKeepTheirFormAlive) {
    forms::testing::Driver driver;
    vb::ObjectRef ref;
    {
        auto f = forms::New<frmMixed>();
        ref = f->txtName.Ref();
    }
    ref->SetMember("Text", "still here");
    EXPECT_EQ(ref->GetMember("Text").ToString(), "still here");
}

}  // namespace
