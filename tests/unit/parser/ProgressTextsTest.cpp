// The texts of the progress window, made from the engine's numbers in one place.

#include "engine/ProgressTexts.h"

#include "RecordingView.h"
#include "lang/Messages.h"

#include <gtest/gtest.h>

using namespace quillabe;
using quillabe::test::RecordingView;

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

TEST(ProgressTexts, FilesRunningAtOnceAsRuns) {
    ResetMessages();
    struct Case {
        std::vector<int> numbers;
        const char* runs;
    };
    const Case cases[] = {
        {{3}, "3"},
        {{3, 4}, "3\u20134"},
        {{3, 5}, "3, 5"},
        {{3, 4, 6}, "3\u20134, 6"},
        {{1, 2, 3, 7, 9, 10}, "1\u20133, 7, 9\u201310"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNumbersText(c.numbers), c.runs);
    EXPECT_EQ(WorkingSeveralText({3, 4, 6}, 9), "Working on files 3\u20134, 6 of 9");
}

// While several files run, each update comes from one of them; the window names the lowest
// running file in its job rows whichever file spoke last (the lowest that has spoken), and the
// working line names them all.
TEST(ProgressTexts, SeveralRunningFilesShowTheLowestInTheJobRows) {
    ResetMessages();
    RecordingView view;
    ProgressTexts texts(view);
    const auto update = [](int number, std::vector<int> running, int percent) {
        ProgressUpdate u;
        u.fileNumber = number;
        u.fileCount = 9;
        u.inputName = "/in/clip" + std::to_string(number) + ".avi";
        u.outputName = "/out/clip" + std::to_string(number) + ".mp4";
        u.job = JobFigures{percent, 1000};
        u.jobPercent = percent;
        u.runningFiles = std::move(running);
        return u;
    };
    struct Step {
        ProgressUpdate update;
        const char* working;
        const char* output; // the rows of the lowest running file
        const char* status;
        const char* tray;
    };
    const Step steps[] = {
        // One file running: today's texts, whichever way the numbers come.
        {update(3, {}, 10), "Working on file 3 of 9: clip3.avi", "Output file: clip3.mp4",
         "Status=10%", "/in/clip3.avi: 10%"},
        {update(3, {3}, 20), "Working on file 3 of 9: clip3.avi", "Output file: clip3.mp4",
         "Status=20%", "/in/clip3.avi: 20%"},
        {update(4, {3, 4}, 50), "Working on files 3\u20134 of 9", "Output file: clip3.mp4",
         "Status=20%", "/in/clip3.avi: 20%"},
        {update(3, {3, 4}, 30), "Working on files 3\u20134 of 9", "Output file: clip3.mp4",
         "Status=30%", "/in/clip3.avi: 30%"},
        // 3 has ended: 4 is the lowest now and shows what it told before.
        {update(5, {4, 5}, 5), "Working on files 4\u20135 of 9", "Output file: clip4.mp4",
         "Status=50%", "/in/clip4.avi: 50%"},
        {update(6, {4, 6}, 7), "Working on files 4, 6 of 9", "Output file: clip4.mp4", "Status=50%",
         "/in/clip4.avi: 50%"},
        {update(6, {6}, 8), "Working on file 6 of 9: clip6.avi", "Output file: clip6.mp4",
         "Status=8%", "/in/clip6.avi: 8%"},
        // 7 has told nothing yet: the lowest that has is shown, never a file that ended.
        {update(8, {7, 8}, 40), "Working on files 7\u20138 of 9", "Output file: clip8.mp4",
         "Status=40%", "/in/clip8.avi: 40%"},
        {update(7, {7, 8}, 2), "Working on files 7\u20138 of 9", "Output file: clip7.mp4",
         "Status=2%", "/in/clip7.avi: 2%"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.working);
        texts.Progress(s.update);
        EXPECT_EQ(view.Label(ProgressLabel::LabelWorking), s.working);
        EXPECT_EQ(view.Label(ProgressLabel::LabelOutput), s.output);
        EXPECT_EQ(view.Label(ProgressLabel::LabelStatus), s.status);
        EXPECT_EQ(view.trayHint, s.tray);
    }
    EXPECT_EQ(view.animationStarts, 1);
}

} // namespace
