// Time texts of profiles: which forms read, how the parts add up, and how counts are written back.

#include "profiles/ProfileTimeText.h"

#include <gtest/gtest.h>

namespace quillabe {
namespace {

struct TimeCase {
    const char* text;
    int64_t ms;
};

TEST(ProfileTimeText, ReadsTheAcceptedForms) {
    const TimeCase cases[] = {
        {"90", 90000},
        {"1:30", 90000},
        {"1:00:00", 3600000},
        {"0:00:00.000", 0},
        {"1:30.250", 90250},
        {"12.5", 12005},     // fraction counts milliseconds as written
        {"0:00:01.5", 1005}, // likewise in the long form
        {"1:75", 135000},    // minutes and seconds above 59 stand as they are
        {"250:00:00.000", 900000000},
        {"1:2:3.4", 3723004},
        {"::.", 0}, // empty parts count as 0
        {"5:", 300000},
        {".7", 7},
        {"2147483648", 0},               // too large for 32 bits counts as 0
        {"2147483647", 2147483647000LL}, // summed in 64 bits
        {"596524:00:00.000", 2147486400000LL},
        {"1:2147483648:3", 3603000},
        {"1.2.3", -1},
        {"-5", -1},
        {"+5", -1},
        {"1 :30", -1},
        {" 90", -1},
        {"", -1},
        {"1:2:3:4", -1},
        {"1.5:30", -1}, // colon after the full stop
        {"1:2.3:4", -1},
        {"1h", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeTextToMs(c.text), c.ms) << '"' << c.text << '"';
    }
}

TEST(ProfileTimeText, WritesHoursMinutesSecondsMilliseconds) {
    const TimeCase cases[] = {
        {"0:00:00.000", 0},           {"0:01:02.003", 62003},       {"0:01:30.250", 90250},
        {"200:00:00.000", 720000000}, {"250:00:00.000", 900000000}, {"23:59:59.999", 86399999},
        {"-0:00:01.500", -1500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsToTimeText(c.ms), c.text) << c.ms;
    }
    EXPECT_EQ(MsToTimeText(INT64_MIN), "-2562047788015:12:55.808");
    for (const int64_t ms : {0LL, 1LL, 59999LL, 3600000LL, 86399999LL, 720000000LL}) {
        EXPECT_EQ(TimeTextToMs(MsToTimeText(ms)), ms) << ms;
    }
}

} // namespace
} // namespace quillabe
