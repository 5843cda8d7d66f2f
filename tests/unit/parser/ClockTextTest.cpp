#include "engine/ClockText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quillabe;

namespace {

constexpr int64_t kI64Max = std::numeric_limits<int64_t>::max();

TEST(ExtractBetween, TrimmedTextBetweenTheMarkers) {
    struct Case {
        const char* text;
        const char* start;
        const char* end;
        const char* expected;
    };
    const Case cases[] = {
        {"Input #0, avi, from '/in/a.avi':", "from '", "':", "/in/a.avi"},
        {"x=  5 \t;", "x=", ";", "5"},
        {"a=1; a=2;", "a=", ";", "1"},              // the first start marker
        {"no end here", "no", ";", ""},             // end missing
        {"nothing", "start", "end", ""},            // start missing
        {"size=kB 12kB ", "size=", "kB ", "kB 12"}, // the end search begins one character later
        {"k=", "k=", "", ""},                       // nothing after the start marker
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractBetween(c.text, c.start, c.end), c.expected) << c.text;
    EXPECT_FALSE(FindBetween("no end here", "no", ";"));
    EXPECT_EQ(FindBetween("v=' ':", "v='", "':").value_or("<none>"), "");
}

TEST(SplitString, PiecesBetweenSeparators) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitString("1:2:3", ":"), (V{"1", "2", "3"}));
    EXPECT_EQ(SplitString("abc", ":"), (V{"abc"}));
    EXPECT_EQ(SplitString("a:", ":"), (V{"a", ""}));
    EXPECT_EQ(SplitString("", ":"), (V{""}));
    EXPECT_EQ(SplitString("::", ":"), (V{"", "", ""}));
    EXPECT_EQ(SplitString("a, b, c", ", "), (V{"a", "b", "c"}));
}

TEST(ParseScaledDecimal, ExactDecimalRoundingHalfToEven) {
    struct Case {
        const char* text;
        int scale;
        int64_t expected;
    };
    const Case cases[] = {
        {"838.9", 0, 839},
        {"838.5", 0, 838},
        {"839.5", 0, 840},
        {"0.5", 0, 0},
        {"1.5", 0, 2},
        {"2.50001", 0, 3},
        {"1024", 0, 1024},
        {" 42 ", 0, 42},
        {"10.00", 3, 10000},
        {"12.5", 3, 12500},
        {".5", 3, 500},
        {"5.", 3, 5000},
        {"0.0005", 3, 0},
        {"0.0015", 3, 2},
        {"10.0025", 3, 10002},
        {"10.0035", 3, 10004},
        {"0.00049999999999999999999", 3, 0},
        {"9223372036854775807", 0, kI64Max},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseScaledDecimal(c.text, c.scale), c.expected) << c.text;

    const char* invalid[] = {"",
                             ".",
                             "-1",
                             "+1",
                             "1e3",
                             "inf",
                             "nan",
                             "12,5",
                             "1.2.3",
                             "0x10",
                             "N/A",
                             "1 2",
                             "9223372036854775808",
                             "99999999999999999999"};
    for (const char* text : invalid)
        EXPECT_FALSE(ParseScaledDecimal(text, 0)) << text;
    EXPECT_FALSE(ParseScaledDecimal("9223372036854775.807", 4)) << "overflow by the scale";
}

TEST(ParseClockMs, StrictAndLenientReadings) {
    struct Case {
        const char* text;
        std::optional<int64_t> strict;
        int64_t lenient;
    };
    const Case cases[] = {
        {"00:00:40.00", 40000, 40000},
        {"1:02:03.5", 3723500, 3723500},
        {" 0:00:30.000 ", 30000, 30000},
        {"0:0:0.0015", 2, 2},
        {"1000:00:00", 3600000000, 3600000000},
        {"00:40.00", std::nullopt, 0},      // "40.00" is no whole number of minutes
        {"1:2:3:4", std::nullopt, 3723000}, // a fourth piece is ignored when lenient
        {"x:01:00", std::nullopt, 60000},   // an invalid piece counts as 0
        {"-1:00:00", std::nullopt, 0},
        {"0:-1:00", std::nullopt, 0},
        {"0:00:-1", std::nullopt, 0},
        {"0:00:1e3", std::nullopt, 0},
        {"0:00:inf", std::nullopt, 0},
        {"0:00:nan", std::nullopt, 0},
        {"0:00:12,5", std::nullopt, 0},
        {"", std::nullopt, 0},
        {"N/A", std::nullopt, 0},
        {"9999999999999:00:00", std::nullopt, kI64Max}, // beyond 64 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TryParseClockMs(c.text), c.strict) << c.text;
        EXPECT_EQ(ParseClockMs(c.text), c.lenient) << c.text;
    }
}

TEST(ClockNumbers, ClampAndPercent) {
    EXPECT_EQ(ClampToInt32(3600000000), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ClampToInt32(-3600000000), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ClampToInt32(-5), -5);

    struct Case {
        int64_t part, whole;
        bool rounded;
        int32_t expected;
    };
    const Case cases[] = {
        {10000, 40000, true, 25},
        {1, 8, true, 12},
        {3, 8, true, 38},
        {5, 200, true, 2},
        {7, 200, true, 4},
        {50000, 40000, true, 100},
        {0, 5, true, 0},
        {-5, 10, true, 0},
        {5, -10, true, 0},
        {999, 1000, false, 99},
        {kI64Max, kI64Max, true, 100},
        {kI64Max / 2, kI64Max, true, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentOf(c.part, c.whole, c.rounded), c.expected) << c.part << "/" << c.whole;
}

} // namespace
