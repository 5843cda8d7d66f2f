// The texts of the progress window, made from the engine's numbers in one place.

#include "engine/ProgressTexts.h"

#include "lang/Messages.h"

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

TEST(ProgressTexts, ClockOfMilliseconds) {
    struct Case {
        int64_t ms;
        const char* text;
    };
    const Case cases[] = {
        {0, "0:00:00"},
        {999, "0:00:00"}, // whole seconds, not rounded up
        {1000, "0:00:01"},
        {59999, "0:00:59"},
        {61000, "0:01:01"},
        {3600000, "1:00:00"},
        {36000000 + 754000, "10:12:34"},
        {86400000 + 5000, "0:00:05"}, // the time of day, as the window always showed it
        {-90000, "0:01:30"},          // an estimate that ran past: its amount
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatClockMs(c.ms), c.text) << c.ms;
}

TEST(ProgressTexts, LabelsWithTheirNumbers) {
    ResetMessages();
    struct Case {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {StatusText(25), "Status=25%"},
        {BatchText(100), "Batch=100%"},
        {WorkingText(3, 20, "/in/a b/clip.avi"), "Working on file 3 of 20: clip.avi"},
        {OutputText("/out/clip.mp4"), "Output file: clip.mp4"},
        {WorkingText(1, 1, "/in/100%.avi"), "Working on file 1 of 1: 100%.avi"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(TrayHintText("/in/clip.avi", 42), "/in/clip.avi: 42%");
}

} // namespace
