// `--convert --jobs N` and what the console shows while several jobs run at once.

#include "cli/ConsoleFrontEnd.h"
#include "cli/ConsoleJobLines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace quillabe;

namespace {

TEST(ConsoleJobs, JobsOptionTakesZeroToSixteen) {
    struct Case {
        std::vector<std::string> given; // after --jobs; empty: no --jobs at all
        std::optional<int> jobs;        // none: a usage error
    };
    const Case cases[] = {
        {{}, 1},      {{"0"}, 0},   {{"1"}, 1},    {{"4"}, 4},    {{"16"}, 16},
        {{"17"}, {}}, {{"-1"}, {}}, {{"+2"}, {}},  {{"2x"}, {}},  {{"two"}, {}},
        {{""}, {}},   {{" 2"}, {}}, {{"0x2"}, {}}, {{"1e1"}, {}}, {{"99999999999999999999"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given.empty() ? "(none)" : "'" + c.given[0] + "'");
        std::vector<std::string> args{"--to", "mp3", "--output", "/out"};
        if (!c.given.empty()) {
            args.push_back("--jobs");
            args.push_back(c.given[0]);
        }
        args.push_back("/in/clip.avi");
        std::string error;
        const auto options = ParseConvertArgs(args, error);
        ASSERT_EQ(options.has_value(), c.jobs.has_value()) << error;
        if (options) {
            EXPECT_EQ(options->jobs, *c.jobs);
            EXPECT_EQ(options->files, std::vector<std::string>{"/in/clip.avi"});
        } else {
            EXPECT_NE(error.find("--jobs takes a number from 0 to 16"), std::string::npos) << error;
        }
    }
    std::string error;
    EXPECT_FALSE(
        ParseConvertArgs({"--to", "mp3", "--output", "/out", "clip.avi", "--jobs"}, error));
    EXPECT_EQ(error, "option --jobs needs a value");
}

// Everything written to a stream, read back.
struct Captured {
    Captured() : file(std::tmpfile()) {}
    ~Captured() { std::fclose(file); }
    std::string Text() const {
        std::fflush(file);
        std::string text(static_cast<size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fseek(file, 0, SEEK_END);
        return text;
    }
    std::FILE* file;
};

// To a pipe: a line per job at its first figure and each further tenth, its own figure never
// going back, and a job that succeeded at 100 % before it leaves; a failed job that never told a
// figure writes nothing more.
TEST(ConsoleJobs, PipeLinesPerRunningJob) {
    Captured out;
    ConsoleJobLines lines(out.file, false, 4);
    lines.BatchStarted();
    lines.JobStarted(1, "/in/a b.avi");
    lines.JobStarted(2, "/in/c.avi");
    lines.Update(2, 5, 1);
    lines.Update(1, 12, 4);
    lines.Update(1, 15, 5);  // the same tenth: nothing
    lines.Update(1, 9, 6);   // backwards: stays at 15, nothing
    lines.Update(2, 31, 10); // a further tenth
    lines.Update(7, 50, 12); // no such job running: the batch only
    lines.JobEnded(1, true);
    lines.BatchAfterJob(30);
    lines.JobStarted(3, "/in/d.avi");
    lines.JobEnded(3, false);
    lines.JobEnded(2, false);
    EXPECT_EQ(out.Text(), "  [2/4]   5%  c.avi (batch 1%)\n"
                          "  [1/4]  12%  a b.avi (batch 4%)\n"
                          "  [2/4]  31%  c.avi (batch 10%)\n"
                          "  [1/4] 100%  a b.avi (batch 12%)\n");
}

// On a terminal: one block of a line per running job and the batch line, redrawn in place from
// its first line, and taken off the screen before other text.
TEST(ConsoleJobs, TerminalBlockIsRedrawnInPlaceAndCleared) {
    Captured out;
    ConsoleJobLines lines(out.file, true, 12);
    lines.BatchStarted();
    lines.JobStarted(11, "/in/\xC3\xA9t\xC3\xA9 long name.avi");
    lines.JobStarted(3, "/in/c.avi");
    lines.Update(3, 40, 20);
    const std::string first = out.Text();
    EXPECT_EQ(first, "\r  [3/12]  40%  c.avi\x1b[K\n"
                     "  [11/12]   0%  \xC3\xA9t\xC3\xA9 long name.avi\x1b[K\n"
                     "  batch 20%\x1b[J");
    lines.Redraw();
    EXPECT_EQ(out.Text().substr(first.size(), 5), "\r\x1b[2A") << "up to the block's first line";
    const size_t drawn = out.Text().size();
    lines.Clear();
    EXPECT_EQ(out.Text().substr(drawn), "\r\x1b[2A\x1b[J");
    lines.Clear(); // nothing on the screen any more
    EXPECT_EQ(out.Text().size(), drawn + 8);

    // A line never reaches the last column, and a name is cut between characters.
    EXPECT_EQ(ConsoleJobLines::JobLine(11, 12, "\xC3\xA9t\xC3\xA9.avi", 7, 18),
              "  [11/12]   7%  \xC3\xA9t");
}

} // namespace
