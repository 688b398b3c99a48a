#include <gtest/gtest.h>

#include "err.h"
#include "variant.h"

using namespace vb;

TEST(VariantCore, ConversionsRoundHalfToEven) {
    EXPECT_EQ(Variant(2.5).ToInteger(), 2);
    EXPECT_EQ(Variant(3.5).ToInteger(), 4);
    EXPECT_EQ(Variant(-2.5).ToLong(), -2);
    EXPECT_EQ(Variant(Currency::FromScaled(25000)).ToInteger(), 2);
}

TEST(VariantCore, ConversionErrorsCarryTheRuntimeNumbers) {
    auto number = [](auto f) {
        try { f(); } catch (const VBError& e) { return e.number(); }
        return 0;
    };
    EXPECT_EQ(number([] { Variant(40000).ToInteger(); }), 6);
    EXPECT_EQ(number([] { Variant("abc").ToLong(); }), 13);
    EXPECT_EQ(number([] { Variant::Null().ToString(); }), 94);
}

TEST(VariantCore, TextOfATemporaryIsTheSameAsOfAKeptValue) {
    const std::string longText(100, 'x');
    Variant kept(longText);
    EXPECT_EQ(Variant(kept).ToString(), longText);
    EXPECT_EQ(kept.ToString(), longText);  // a named value keeps its text
    EXPECT_EQ(Variant(12).ToString(), "12");
    EXPECT_EQ(Variant(2.5).ToString(), "2.5");
    EXPECT_THROW(Variant::Null().ToString(), VBError);
}

TEST(ErrObject, ResumeNextStoresTheErrorAndGoesOn) {
    Err().Clear();
    int reached = 0;
    ResumeNext([] { RaiseError(52); });
    ResumeNext([&] { reached = 1; });
    EXPECT_EQ(Err().Number, 52);
    EXPECT_EQ(Err().Description, "Bad file name or number");
    EXPECT_EQ(reached, 1);
}
