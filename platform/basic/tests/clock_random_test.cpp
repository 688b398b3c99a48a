#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "datetime.h"
#include "error_number.h"
#include "number_functions.h"
#include "program_hooks.h"
#include "rnd.h"
#include "text_forms.h"

using namespace vb;

TEST(Rnd, KnownValuesOfTheGenerator) {
    EXPECT_FLOAT_EQ(Rnd(-1), 0.224007f);  // Rnd(-1) always gives this
    float last = Rnd();
    EXPECT_FLOAT_EQ(Rnd(0), last);  // 0 repeats the last number
    EXPECT_FLOAT_EQ(Rnd(0), last);
}

TEST(Rnd, SeededSequencesRepeat) {
    auto sequence = [] {
        Rnd(-1);
        Randomize(42);
        std::vector<float> s;
        for (int i = 0; i < 20; ++i) s.push_back(Rnd());
        return s;
    };
    std::vector<float> first = sequence();
    Randomize();
    Rnd();
    EXPECT_EQ(sequence(), first);
    for (float r : first) {
        EXPECT_GE(r, 0.0f);
        EXPECT_LT(r, 1.0f);
    }
    Rnd(-1);
    Randomize(43);
    EXPECT_NE(Rnd(), first[0]);
}

TEST(Rnd, PicksEveryPositionOfATipList) {
    Rnd(-3);
    std::vector<int> hits(5);
    for (int i = 0; i < 5000; ++i) {
        int pick = static_cast<int>(Int(Rnd() * 5 + 1));
        ASSERT_GE(pick, 1);
        ASSERT_LE(pick, 5);
        ++hits[pick - 1];
    }
    for (int h : hits) EXPECT_GT(h, 800);
}

TEST(Clock, TimerTodayAndNowAgree) {
    double t = Timer();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 86400.0);
    Date now = Now(), today = Today();
    EXPECT_EQ(std::trunc(now.serial), today.serial);
    double secondsNow = (now.serial - today.serial) * 86400.0;
    if (t > 5 && t < 86395) {
        EXPECT_NEAR(secondsNow, t, 2.0);
    }
    EXPECT_LT(Time().serial, 1.0);
}

TEST(Clock, DatePartsSerialsAndSteps) {
    Variant when = Variant(Date::FromParts(2026, 12, 9, 15, 45, 7));
    EXPECT_EQ(Year(when), 2026);
    EXPECT_EQ(Month(when), 12);
    EXPECT_EQ(Day(when), 9);
    EXPECT_EQ(Hour(when), 15);
    EXPECT_EQ(Minute(when), 45);
    EXPECT_EQ(Second(when), 7);
    EXPECT_EQ(Weekday(when), 4);
    EXPECT_EQ(Weekday(when, 2), 3);
    EXPECT_EQ(Year(Variant("3/1/1999")), 1999);

    EXPECT_EQ(DateText(DateSerial(2026, 13, 1)), "1/1/2027");
    EXPECT_EQ(DateText(DateSerial(2026, 3, 0)), "2/28/2026");
    EXPECT_EQ(DateText(DateSerial(2024, 2, 30)), "3/1/2024");
    EXPECT_EQ(DateText(DateSerial(26, 1, 1)), "1/1/2026");
    EXPECT_EQ(DateText(DateSerial(2026, -1, 15)), "11/15/2025");
    EXPECT_EQ(DateText(TimeSerial(15, 45, 0)), "3:45:00 PM");
    EXPECT_EQ(DateText(TimeSerial(0, 90, 0)), "1:30:00 AM");
    EXPECT_EQ(ErrorNumber([] { DateSerial(10000, 1, 1); }), 5);
    EXPECT_EQ(ErrorNumber([] { DateSerial(2026, 1, std::numeric_limits<int>::min()); }), 5);
    EXPECT_EQ(ErrorNumber([] { DateSerial(2026, std::numeric_limits<int>::min(), 1); }), 5);

    EXPECT_EQ(DateText(DateAdd("m", 1, Variant(Date::FromParts(2026, 1, 31)))), "2/28/2026");
    EXPECT_EQ(DateText(DateAdd("yyyy", 1, Variant(Date::FromParts(2024, 2, 29)))), "2/28/2025");
    EXPECT_EQ(DateText(DateAdd("q", -1, Variant(Date::FromParts(2026, 1, 15)))), "10/15/2025");
    EXPECT_EQ(DateText(DateAdd("d", 30, when)), "1/8/2027 3:45:07 PM");
    EXPECT_EQ(DateText(DateAdd("h", 9, when)), "12/10/2026 12:45:07 AM");
    EXPECT_EQ(DateText(DateAdd("n", -46, Variant(Date::FromParts(1899, 12, 30, 0, 30, 0)))), "12/29/1899 11:44:00 PM");
    EXPECT_EQ(ErrorNumber([&] { DateAdd("x", 1, when); }), 5);
}

TEST(ProgramHooks, CommandLineAndDoEvents) {
    const char* restore[] = {"OrvantaC", "-restore "};
    SetCommandLine(2, restore);
    EXPECT_EQ(Command(), "-restore ");
    const char* folder[] = {"StockwiseC", "/home/me/My", "Data"};
    SetCommandLine(3, folder);
    EXPECT_EQ(Command(), "/home/me/My Data");
    const char* none[] = {"StockwiseC"};
    SetCommandLine(1, none);
    EXPECT_EQ(Command(), "");

    DoEvents();  // no hook: nothing happens
    int calls = 0;
    SetDoEventsHook([&] { ++calls; });
    DoEvents();
    DoEvents();
    EXPECT_EQ(calls, 2);
    SetDoEventsHook(nullptr);
    DoEvents();
    EXPECT_EQ(calls, 2);
}
