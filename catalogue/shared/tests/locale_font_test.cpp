#include "locale_font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "err.h"

namespace {

// A font that records what is set on it and can refuse one member.
class RecordingFont : public vb::Object {
public:
    std::string refuse;
    std::vector<std::string> order;
    std::map<std::string, vb::Variant> values;

    void SetMember(const std::string& name, const vb::Variant& value) override {
        if (name == refuse) vb::RaiseError(380);
        order.push_back(name);
        values[name] = value;
    }
};

// Sets the three locale variables for one test and puts them back afterwards.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : kVariables) {
            const char* old = std::getenv(v);
            saved_[v] = old ? std::optional<std::string>(old) : std::nullopt;
            unsetenv(v);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(LocaleIdFromName, MapsTheFarEasternLocales) {
    EXPECT_EQ(orvanta::LocaleIdFromName("zh_TW.UTF-8"), 1028);
    EXPECT_EQ(orvanta::LocaleIdFromName("ja_JP.UTF-8"), 1041);
    EXPECT_EQ(orvanta::LocaleIdFromName("ja"), 1041);
    EXPECT_EQ(orvanta::LocaleIdFromName("ko_KR.eucKR"), 1042);
    EXPECT_EQ(orvanta::LocaleIdFromName("zh_CN.GB18030"), 2052);
}

TEST(LocaleIdFromName, EverythingElseIsTheNeutralRow) {
    for (const char* name : {"en_US.UTF-8", "C", "POSIX", "", "de_DE", "zh_HK.UTF-8", "jam_JM"}) {
        EXPECT_EQ(orvanta::LocaleIdFromName(name), 1033) << name;
    }
}

TEST_F(LocaleEnvironment, LcAllWinsOverLcCtypeAndLang) {
    setenv("LANG", "ko_KR.UTF-8", 1);
    EXPECT_EQ(orvanta::UserDefaultLocaleId(), 1042);
    setenv("LC_CTYPE", "zh_CN.UTF-8", 1);
    EXPECT_EQ(orvanta::UserDefaultLocaleId(), 2052);
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(orvanta::UserDefaultLocaleId(), 1041);
    setenv("LC_ALL", "", 1);  // empty counts as unset
    EXPECT_EQ(orvanta::UserDefaultLocaleId(), 2052);
}

TEST_F(LocaleEnvironment, JapaneseFontRow) {
    setenv("LANG", "ja_JP.UTF-8", 1);
    RecordingFont font;
    orvanta::SetFontForLocale(font);
    EXPECT_EQ(font.order, (std::vector<std::string>{"Charset", "Name", "Size"}));
    EXPECT_EQ(font.values["Charset"].ToLong(), 128);
    EXPECT_EQ(font.values["Name"].ToString(),
              "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
    EXPECT_EQ(font.values["Size"].ToLong(), 9);
}

TEST_F(LocaleEnvironment, OtherFarEasternRows) {
    const struct { const char* lang; int charset; const char* name; } rows[] = {
        {"zh_TW.UTF-8", 136, "\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94"},
        {"ko_KR.UTF-8", 129, "\xEA\xB5\xB4\xEB\xA6\xBC"},
        {"zh_CN.UTF-8", 134, "\xE5\xAE\x8B\xE4\xBD\x93"},
    };
    for (const auto& row : rows) {
        setenv("LANG", row.lang, 1);
        RecordingFont font;
        orvanta::SetFontForLocale(font);
        EXPECT_EQ(font.values["Charset"].ToLong(), row.charset) << row.lang;
        EXPECT_EQ(font.values["Name"].ToString(), row.name) << row.lang;
        EXPECT_EQ(font.values["Size"].ToLong(), 9) << row.lang;
    }
}

TEST_F(LocaleEnvironment, UsEnglishGetsTheLastRow) {
    setenv("LANG", "en_US.UTF-8", 1);
    RecordingFont font;
    orvanta::SetFontForLocale(font);
    EXPECT_EQ(font.values["Charset"].ToLong(), 1);
    EXPECT_EQ(font.values["Name"].ToString(), "");
    EXPECT_EQ(font.values["Size"].ToLong(), 8);
}

TEST_F(LocaleEnvironment, RefusedValueEndsSilentlyKeepingWhatWasSet) {
    setenv("LANG", "ja_JP.UTF-8", 1);
    vb::Err().Clear();
    RecordingFont font;
    font.refuse = "Name";
    EXPECT_NO_THROW(orvanta::SetFontForLocale(font));
    EXPECT_EQ(font.order, std::vector<std::string>{"Charset"});
    EXPECT_EQ(font.values["Charset"].ToLong(), 128);
    EXPECT_EQ(vb::Err().Number, 380);
}

TEST_F(LocaleEnvironment, ObjectWithoutFontMembersIsPassedOver) {
    vb::Err().Clear();
    vb::Object plain;  // every member raises 438
    EXPECT_NO_THROW(orvanta::SetFontForLocale(plain));
    EXPECT_EQ(vb::Err().Number, 438);
    EXPECT_NO_THROW(orvanta::SetFontForLocale(vb::ObjectRef{}));
    EXPECT_EQ(vb::Err().Number, 91);
}

}  // namespace
