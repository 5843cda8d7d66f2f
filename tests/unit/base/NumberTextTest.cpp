#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quillabe;

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr uint64_t kUMax = std::numeric_limits<uint64_t>::max();

TEST(NumberText, SignedWholeTextOrNothing) {
    const struct {
        const char* text;
        std::optional<int64_t> expected;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"-17", -17},
        {"+5", 5},
        {"007", 7},
        {"9223372036854775807", kMax},
        {"-9223372036854775808", kMin},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"-+1", std::nullopt},
        {"--1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInt64(c.text), c.expected) << "'" << c.text << "'";
}

TEST(NumberText, UnsignedRefusesSignsAndOverflow) {
    const struct {
        const char* text;
        int base;
        std::optional<uint64_t> expected;
    } cases[] = {
        {"2", 10, 2},
        {"18446744073709551615", 10, kUMax},
        {"18446744073709551616", 10, std::nullopt},
        {"99999999999999999999999", 10, std::nullopt},
        {"-1", 10, std::nullopt},
        {"+1", 10, std::nullopt},
        {"", 10, std::nullopt},
        {"1F", 16, 31},
        {"ff", 16, 255},
        {"FFFFFFFFFFFFFFFF", 16, kUMax},
        {"10000000000000000", 16, std::nullopt},
        {"0x1F", 16, std::nullopt},
        {"1G", 16, std::nullopt},
        {"1", 1, std::nullopt},
        {"1", 37, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseUInt64(c.text, c.base), c.expected) << "'" << c.text << "' base " << c.base;
    EXPECT_EQ(ParseUInt64("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseUInt64("12"), 12u);
}

TEST(NumberText, RangeIncludesBothEnds) {
    const struct {
        const char* text;
        int64_t lo, hi;
        std::optional<int64_t> expected;
    } cases[] = {
        {"1", 1, 3, 1},
        {"3", 1, 3, 3},
        {"0", 1, 3, std::nullopt},
        {"4", 1, 3, std::nullopt},
        {"-5", -5, 5, -5},
        {"99999999999999999999999", 1, kMax, std::nullopt},
        {"9223372036854775807", kMin, kMax, kMax},
        {"x", 0, 9, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIntInRange(c.text, c.lo, c.hi), c.expected) << "'" << c.text << "'";
}

} // namespace
