// Batches as a whole: a job that fails in the middle, the sources --delete-source removes (each
// after its own output was checked), and output names that never overwrite what the output
// folder already holds.

#include "ConvertHarness.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

class FailedJob : public testing::TestWithParam<bool> {};

// one.avi, a file the probe refuses, two.wav (the probe accepts it, the encoder cannot decode
// it) and three.avi: the refused file is no job, the failed job does not stop the batch.
TEST_P(FailedJob, OthersStillConvertAndOnlyVerifiedSourcesAreDeleted) {
    const bool deleteSource = GetParam();
    ConvertHome home;
    const std::string one = home.AddInput(SmallClip(), "one.avi");
    const std::string refused = home.AddInput(SmallClip(), "refused.avi");
    std::ofstream(refused, std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    const std::string two = home.AddInput(BrokenSound(), "two.wav");
    const std::string three = home.AddInput(SmallClip(), "three.avi");

    std::vector<std::string> args{"--to", "mp3", "--output", home.OutputDir()};
    if (deleteSource)
        args.push_back("--delete-source");
    args.insert(args.end(), {one, refused, two, three});
    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "The file \"" + refused + "\" is damaged")) << r.err;
    EXPECT_TRUE(Contains(r.out, "[1/3] done: " + one + "\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "[2/3] failed: " + two + "\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "[3/3] done: " + three + "\n")) << r.out;
    EXPECT_EQ(r.LastOutLine(), "done: 2, failed: 1, skipped: 1");
    EXPECT_EQ(EntriesBelow(home.OutputDir()), (std::set<std::string>{"one.mp3", "three.mp3"}));
    EXPECT_EQ(ProbeMedia(home.OutputDir() + "three.mp3").audio, "mp3");

    EXPECT_EQ(fs::exists(one), !deleteSource);
    EXPECT_EQ(fs::exists(three), !deleteSource);
    EXPECT_TRUE(fs::exists(two)) << "the source of a failed job is kept";
    EXPECT_TRUE(fs::exists(refused)) << "a file that never became a job is kept";
}

INSTANTIATE_TEST_SUITE_P(Convert, FailedJob, testing::Bool(),
                         [](const auto& row) { return row.param ? "DeleteSource" : "Keep"; });

// Stands in for the adapter and runs the real one, hiding the length it announces for an input
// whose name says so, as for an input whose length the encoder cannot tell.
constexpr const char* kLengthHider = R"sh(#!/bin/sh
here=${0%/*}
case "$*" in
*hidden-length*)
    { "$here/divuvo.real" "$@" 2>&1; echo $? > "$here/status"; } | grep -v '^  Duration: '
    exit "$(cat "$here/status")" ;;
esac
exec "$here/divuvo.real" "$@"
)sh";

// A long job, then a short one whose encoder tells no length: the short output is checked
// against its own source's length, not against the length the last encoder told.
TEST(ConvertBatch, EachOutputIsVerifiedAgainstItsOwnJob) {
    ConvertHome home;
    fs::rename(home.Home() + "divuvo.dll", home.Home() + "divuvo.real");
    std::ofstream(home.Home() + "divuvo.dll") << kLengthHider;
    fs::permissions(home.Home() + "divuvo.dll", fs::perms::owner_all);
    const std::string longer = home.AddInput(LongClip(), "long.avi");
    const std::string shorter = home.AddInput(SmallClip(), "hidden-length.avi");

    RunResult r = home.Convert(
        {"--to", "wav", "--delete-source", "--output", home.OutputDir(), longer, shorter});

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_FALSE(Contains(r.err, "kept source")) << r.err;
    EXPECT_FALSE(fs::exists(longer));
    EXPECT_FALSE(fs::exists(shorter));
    EXPECT_EQ(EntriesBelow(home.OutputDir()),
              (std::set<std::string>{"long.wav", "hidden-length.wav"}));
}

struct NameCase {
    const char* title;
    const char* input;
    bool inputInOutputFolder;
    std::vector<std::string> existing; // already in the output folder
    std::vector<std::string> target;   // --to ... with --profile or --preset
    bool trailingSlash;                // how --output is written
    const char* expected;
};

// Test names and failure messages show the row's title.
void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.title;
}

const NameCase kNameCases[] = {
    {"NumberedAfterTheTakenOnes",
     "clip.avi",
     false,
     {"clip.mp3", "clip(1).mp3"},
     {"--to", "mp3"},
     true,
     "clip(2).mp3"},
    {"SameFormatIntoItsOwnFolder", "clip.avi", true, {}, {"--to", "avi"}, true, "clip(1).avi"},
    {"OnlyTheLastDotIsTheExtension",
     "clip.v2.avi",
     false,
     {"clip.v2.mp3"},
     {"--to", "mp3"},
     true,
     "clip.v2(1).mp3"},
    {"ThroughTheBatchFile",
     "clip.avi",
     false,
     {"clip.3gp"},
     {"--to", "3gp", "--preset", "3GPP MPEG-4 phone"},
     true,
     "clip(1).3gp"},
    {"FolderWithoutTrailingSlash", "clip.avi", false, {}, {"--to", "wav"}, false, "clip.wav"},
};

class OutputName : public testing::TestWithParam<NameCase> {};

TEST_P(OutputName, NeverOverwrites) {
    const NameCase& c = GetParam();
    ConvertHome home;
    const std::string input =
        (c.inputInOutputFolder ? home.OutputDir() : home.InputDir()) + c.input;
    fs::copy_file(SmallClip(), input);
    std::set<std::string> expectedEntries{c.expected};
    if (c.inputInOutputFolder)
        expectedEntries.insert(c.input);
    for (const std::string& name : c.existing) {
        std::ofstream(home.OutputDir() + name) << "kept " << name;
        expectedEntries.insert(name);
    }

    std::vector<std::string> args = c.target;
    args.insert(args.end(),
                {"--output", c.trailingSlash ? home.OutputDir() : RemoveBackslash(home.OutputDir()),
                 input});
    RunResult r = home.Convert(args);

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    const std::string output = home.OutputDir() + c.expected;
    EXPECT_TRUE(Contains(r.out, "[1/1] " + input + " -> " + output + "\n")) << r.out;
    EXPECT_EQ(EntriesBelow(home.OutputDir()), expectedEntries);
    EXPECT_FALSE(ProbeMedia(output).audio.empty());
    for (const std::string& name : c.existing)
        EXPECT_EQ(ReadAll(home.OutputDir() + name), "kept " + name);
    EXPECT_EQ(ReadAll(input), ReadAll(SmallClip()));
}

INSTANTIATE_TEST_SUITE_P(Convert, OutputName, testing::ValuesIn(kNameCases),
                         [](const auto& row) { return std::string(row.param.title); });

} // namespace
