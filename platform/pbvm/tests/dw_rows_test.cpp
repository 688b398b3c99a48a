// The rows a Retrieve keeps: every kind of value read back as it went in,
// across many rows and text blocks, Null against empty text, long texts,
// replacing a cell, and a second set of rows replacing the first.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "dw_rows.h"

namespace {

using pbvm::DwRows;

std::string textOf(std::size_t row) { return "text " + std::to_string(row) + std::string(row % 37, 'x'); }

TEST(DwRows, EveryKindReadsBackWithItsTypeAndValue) {
    const std::vector<vb::Variant> values = {
        vb::Variant(),
        vb::Variant::Null(),
        vb::Variant(true),
        vb::Variant(false),
        vb::Variant(static_cast<std::int16_t>(-32768)),
        vb::Variant(std::numeric_limits<int>::min()),
        vb::Variant(2147483647),
        vb::Variant(vb::Currency::FromScaled(std::numeric_limits<std::int64_t>::min())),
        vb::Variant(vb::Currency::FromScaled(47500)),
        vb::Variant(1.5f),
        vb::Variant(-0.1),
        vb::Variant(vb::Date{35856.75}),
        vb::Variant(std::string("Widget")),
        vb::Variant(std::string()),
    };
    DwRows rows(static_cast<int>(values.size()));
    for (const auto& v : values) rows.append(v);
    ASSERT_EQ(rows.size(), 1u);
    for (int c = 0; c < rows.columns(); ++c) {
        const vb::Variant back = rows.value(0, c);
        EXPECT_EQ(back.Type(), values[c].Type()) << c;
        EXPECT_EQ(rows.kind(0, c), values[c].Type()) << c;
        if (!values[c].IsNull()) {
            EXPECT_EQ(back.ToString(), values[c].ToString()) << c;
        }
    }
    EXPECT_EQ(rows.value(0, 7).ToCurrency().scaled, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(rows.value(0, 11).ToDate().serial, 35856.75);
    EXPECT_EQ(rows.text(0, 12), "Widget");
    EXPECT_EQ(rows.text(0, 4), "");  // no text for a number
}

TEST(DwRows, ManyRowsKeepTheirTextsAcrossBlocksAndNullStaysApartFromEmpty) {
    constexpr std::size_t kRows = 60000;  // texts fill many blocks of every size
    DwRows rows(3);
    for (std::size_t r = 0; r < kRows; ++r) {
        rows.append(vb::Variant(static_cast<int>(r)));
        rows.append(r % 3 == 0 ? vb::Variant::Null() : vb::Variant(r % 3 == 1 ? std::string() : textOf(r)));
        rows.append(vb::Variant(textOf(r)));
    }
    ASSERT_EQ(rows.size(), kRows);
    for (std::size_t r = 0; r < kRows; r += 1) {
        ASSERT_EQ(rows.value(r, 0).ToLong(), static_cast<int>(r));
        if (r % 3 == 0) {
            ASSERT_TRUE(rows.value(r, 1).IsNull()) << r;
        } else {
            ASSERT_EQ(rows.value(r, 1).Type(), vb::VarType::String) << r;
            ASSERT_EQ(rows.value(r, 1).ToString(), r % 3 == 1 ? "" : textOf(r)) << r;
        }
        ASSERT_EQ(rows.text(r, 2), textOf(r)) << r;
    }
    // Beyond the rows or the columns there is nothing.
    EXPECT_TRUE(rows.value(kRows, 0).IsNull());
    EXPECT_TRUE(rows.value(0, 3).IsNull());
    EXPECT_TRUE(rows.value(0, -1).IsNull());
}

TEST(DwRows, LongTextsKeepTheirCharactersBetweenShortOnes) {
    DwRows rows(1);
    const std::string huge(300 * 1024 + 7, 'h');  // beyond the largest block
    std::string varied(100000, ' ');
    for (std::size_t i = 0; i < varied.size(); ++i) varied[i] = static_cast<char>('a' + i % 26);
    varied[500] = '\0';  // a zero inside a text is kept
    const std::vector<std::string> texts = {"short", huge, "after the huge one", varied, std::string(65536, 'q'), "end"};
    for (int round = 0; round < 20; ++round)
        for (const auto& t : texts) rows.append(vb::Variant(t));
    ASSERT_EQ(rows.size(), 20 * texts.size());
    for (std::size_t r = 0; r < rows.size(); ++r) ASSERT_EQ(rows.text(r, 0), texts[r % texts.size()]) << r;
}

TEST(DwRows, ACellReplacedLeavesTheOthersAndASecondSetReplacesTheFirst) {
    DwRows rows(2);
    for (int r = 0; r < 5000; ++r) {
        rows.append(vb::Variant(textOf(r)));
        rows.append(vb::Variant(r));
    }
    rows.set(4321, 0, vb::Variant(std::string("Delta Tool Works")));
    rows.set(4322, 0, vb::Variant::Null());
    rows.set(5000, 0, vb::Variant(std::string("beyond")));  // no such row: nothing changes
    EXPECT_EQ(rows.text(4321, 0), "Delta Tool Works");
    EXPECT_TRUE(rows.value(4322, 0).IsNull());
    EXPECT_EQ(rows.text(4320, 0), textOf(4320));
    EXPECT_EQ(rows.text(4323, 0), textOf(4323));
    EXPECT_EQ(rows.size(), 5000u);

    // A second retrieval's rows take the place of the first's; the first
    // set is left empty and can be filled again.
    DwRows second(2);
    second.reserve(3);
    for (int r = 0; r < 3; ++r) {
        second.append(vb::Variant(std::string("second ") + std::to_string(r)));
        second.append(vb::Variant::Null());
    }
    DwRows first = std::move(rows);
    rows = std::move(second);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.text(2, 0), "second 2");
    EXPECT_EQ(first.size(), 5000u);
    EXPECT_EQ(first.text(4999, 0), textOf(4999));
    first.clear();
    EXPECT_TRUE(first.empty());
    EXPECT_TRUE(first.value(0, 0).IsNull());
    first.append(vb::Variant(std::string("again")));
    first.append(vb::Variant(1));
    EXPECT_EQ(first.size(), 1u);
    EXPECT_EQ(first.text(0, 0), "again");
}

TEST(DwRows, RowsWithoutColumnsHoldNothing) {
    DwRows rows;
    rows.append(vb::Variant(1));
    EXPECT_EQ(rows.size(), 0u);
    EXPECT_TRUE(rows.value(0, 0).IsNull());
}

}  // namespace
