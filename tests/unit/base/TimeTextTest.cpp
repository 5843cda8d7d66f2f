#include "base/TimeText.h"
#include "divuvo/Options.h"

#include <gtest/gtest.h>

#include <optional>

namespace quillabe {
namespace {

constexpr std::nullopt_t kInvalid = std::nullopt;

// The one reading of "-t" and "-ss" values; the adapter's microseconds are the same milliseconds.
TEST(TimeText, OneRuleForTheProgramAndTheAdapter) {
    struct Case {
        const char* text;
        std::optional<int64_t> ms;
    } cases[] = {
        // The forms the profiles store and the forms typed by hand.
        {"0:00:10.000", 10000},
        {"1:02:03.5", 3723500},
        {"01:02:03", 3723000},
        {"2:30", 150000},
        {"10", 10000},
        {"12.5", 12500},
        {".5", 500},
        {"5.", 5000},
        {"  0:00:02.5 \t", 2500},
        // No piece is limited to 59.
        {"0:00:75", 75000},
        {"0:75:00", 4500000},
        {"90", 90000},
        // Milliseconds exactly, halves to the even neighbour.
        {"0:00:00.001", 1},
        {"0.0005", 0},
        {"0.0015", 2},
        {"0.00150000000000000001", 2},
        {"0.0025", 2},
        {"1.9999", 2000},
        {"0.1", 100},
        // The bound: 100000 hours, however it is written.
        {"100000:00:00", 360000000000},
        {"100000:00:00.001", kInvalid},
        {"0:6000001:00", kInvalid},
        {"360000000", 360000000000},
        {"360000000.0005", 360000000000},
        {"360000000.0006", kInvalid},
        {"99999999999999999999:00:00", kInvalid},
        {"0:00:99999999999999999999", kInvalid},
        // Everything else.
        {"", kInvalid},
        {"   ", kInvalid},
        {".", kInvalid},
        {"abc", kInvalid},
        {"soon", kInvalid},
        {"-1", kInvalid},
        {"+1", kInvalid},
        {"0:-1:00", kInvalid},
        {"1e3", kInvalid},
        {"0:00:1e3", kInvalid},
        {"0x10", kInvalid},
        {"inf", kInvalid},
        {"nan", kInvalid},
        {"1,5", kInvalid},
        {"1.2.3", kInvalid},
        {"0:1.5:00", kInvalid},
        {"1:2:3:4", kInvalid},
        {"0:00:00:10", kInvalid},
        {":10", kInvalid},
        {"1::10", kInvalid},
        {"10:", kInvalid},
        {"0: 00:10", kInvalid},
        {"0:00 :10", kInvalid},
        {"1 0", kInvalid},
        {"10\n20", kInvalid},
        {"-ss", kInvalid},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTimeTextMs(c.text), c.ms) << '"' << c.text << '"';
        std::optional<int64_t> us = divuvo::ParseTimeUs(c.text);
        EXPECT_EQ(us, c.ms ? std::optional<int64_t>(*c.ms * 1000) : std::nullopt)
            << "adapter: \"" << c.text << '"';
    }
}

} // namespace
} // namespace quillabe
