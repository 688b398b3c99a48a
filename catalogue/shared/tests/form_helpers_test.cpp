// The helpers that act on forms: fonts for the locale, the orderly end of
// the program and the unexpected-error report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "forms.h"
#include "test_driver.h"
#include "unload_all_forms.h"

namespace {

class frmFonts : public forms::Form {
public:
    frmFonts() : Form("frmFonts") {}
    forms::Label lblName{this, "lblName", "Name:", 120, 120};
    forms::Timer tmrTick{this, "tmrTick"};  // has no font
    forms::TextBox txtName{this, "txtName", 1440, 120};
};

class frmPlain : public forms::Form {
public:
    frmPlain() : Form("frmPlain") {}
    forms::CommandButton cmdOK{this, "cmdOK", "OK"};
};

// Unloads every form again from its QueryUnload, as the catalogue's main
// window does in builds A and B.
class frmReentrant : public forms::Form {
public:
    frmReentrant() : Form("frmReentrant") {}
    int queryUnloads = 0;

protected:
    void Form_QueryUnload(std::int16_t&, std::int16_t) override {
        ++queryUnloads;
        orvanta::UnloadAllForms();
    }
};

class frmHidden : public forms::Form {
public:
    frmHidden() : Form("frmHidden") {}
};

class LanguageScope {
public:
    explicit LanguageScope(const char* lang) {
        for (const char* v : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* old = std::getenv(v);
            saved_.push_back({v, old ? std::optional<std::string>(old) : std::nullopt});
            unsetenv(v);
        }
        setenv("LANG", lang, 1);
    }
    ~LanguageScope() {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(SetFontsForLocale, EveryControlWithAFontGetsTheLocaleFont) {
    forms::testing::Driver driver;
    LanguageScope japanese("ja_JP.UTF-8");
    frmFonts& form = forms::Default<frmFonts>();
    forms::Load(form);
    const std::string formFace = form.Font().Name();
    const double formSize = form.Font().Size();

    orvanta::SetFontsForLocale(form);

    for (forms::Control* control : {static_cast<forms::Control*>(&form.lblName),
                                    static_cast<forms::Control*>(&form.txtName)}) {
        EXPECT_EQ(control->Font().Charset(), 128) << control->Name();
        EXPECT_EQ(control->Font().Size(), 9) << control->Name();
        EXPECT_EQ(control->Font().Name(),
                  "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
    }
    EXPECT_EQ(form.Font().Name(), formFace);
    EXPECT_EQ(form.Font().Size(), formSize);
}

TEST(SetFontsForLocale, OtherLocalesGetTheNeutralRow) {
    forms::testing::Driver driver;
    LanguageScope english("en_US.UTF-8");
    frmFonts& form = forms::Default<frmFonts>();
    orvanta::SetFontsForLocale(form);
    EXPECT_EQ(form.txtName.Font().Charset(), 1);
    EXPECT_EQ(form.txtName.Font().Size(), 8);
    EXPECT_EQ(form.txtName.Font().Name(), "");
}

TEST(UnloadAllForms, UnloadsShownHiddenAndModelessFormsAndEndsTheProgram) {
    forms::testing::Driver driver;
    forms::Default<frmPlain>().Show();
    forms::Load(forms::Default<frmHidden>());
    forms::Default<frmFonts>().Show();
    forms::Default<frmFonts>().Hide();
    ASSERT_EQ(forms::Forms().size(), 3u);

    orvanta::UnloadAllForms();

    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(UnloadAllForms, EnteredAgainFromQueryUnloadUnloadsEachFormOnce) {
    forms::testing::Driver driver;
    forms::Default<frmPlain>().Show();
    frmReentrant& reentrant = forms::Default<frmReentrant>();
    reentrant.Show();
    forms::Load(forms::Default<frmHidden>());

    orvanta::UnloadAllForms();

    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_EQ(reentrant.queryUnloads, 1);
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(UnloadAllForms, UserClosingAFormThatUnloadsEverything) {
    forms::testing::Driver driver;
    forms::Default<frmPlain>().Show();
    forms::Default<frmReentrant>().Show();
    driver.Close(forms::Default<frmReentrant>());
    EXPECT_TRUE(forms::Forms().empty());
}

TEST(ReportUnexpectedError, ShowsNumberAndDescriptionUnderTheProcedure) {
    forms::testing::Driver driver;
    vb::OnErrorGoTo([] { vb::RaiseError(3078, "modMain.Restore"); },
                    [] { orvanta::ReportUnexpectedError("modMain.Restore"); });
    vb::OnErrorGoTo([] { vb::Err().Raise(52); },
                    [] { orvanta::ReportUnexpectedError("clsManageMain.AdminTable"); });

    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(driver.MessageBoxes()[0].title, "Unexpected error in modMain.Restore");
    EXPECT_EQ(driver.MessageBoxes()[0].text, "3078: " + vb::StandardErrorDescription(3078));
    EXPECT_EQ(driver.MessageBoxes()[0].style, forms::vbOKOnly);
    EXPECT_EQ(driver.MessageBoxes()[1].title, "Unexpected error in clsManageMain.AdminTable");
    EXPECT_EQ(driver.MessageBoxes()[1].text, "52: Bad file name or number");
}

}  // namespace
