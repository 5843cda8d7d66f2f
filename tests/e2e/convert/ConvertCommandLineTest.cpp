// The command line of `quillabe --convert`: usage errors, the files that never become jobs and
// the line each of them gets, the target said before the first job, names relative to the working
// directory, and --when-done (power actions are only printed in the test environment, and no bus
// is reachable from it anyway).

#include "ConvertHarness.h"

#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct UsageCase {
    const char* title;
    std::vector<std::string> args; // "@OUT": a folder that does not exist; "@IN": a clip
    const char* message;
    std::vector<std::string> choices = {}; // the valid names the message lists besides
};

// Test names and failure messages show the row's title.
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.title;
}

const UsageCase kUsageCases[] = {
    {"NothingGiven", {}, "--to FORMAT is required"},
    {"UnknownFormat",
     {"--to", "ogg", "--output", "@OUT", "@IN"},
     "unknown format 'ogg' (one of: avi mp4 3gp mpg mov wmv rm swf vob asf aac ac3 mp2 mp3 amr "
     "wav)"},
    {"NoOutput", {"--to", "mp3", "@IN"}, "--output DIR is required"},
    {"NoFiles", {"--to", "mp3", "--output", "@OUT"}, "no input files given"},
    {"OptionWithoutValue", {"--to", "mp3", "@IN", "--output"}, "option --output needs a value"},
    {"UnknownOption",
     {"--to", "mp3", "--fast", "--output", "@OUT", "@IN"},
     "unknown option '--fast'"},
    {"DashFileWithoutSeparator",
     {"--to", "mp3", "--output", "@OUT", "-clip.avi"},
     "unknown option '-clip.avi'"},
    {"ProfileForPresetFormat",
     {"--to", "mp4", "--profile", "Default", "--output", "@OUT", "@IN"},
     "converted through presets"},
    {"PresetForProfileFormat",
     {"--to", "mp3", "--preset", "iPod touch", "--output", "@OUT", "@IN"},
     "for mp4 and 3gp only"},
    {"VariantWithoutPreset",
     {"--to", "mp4", "--variant", "1", "--output", "@OUT", "@IN"},
     "--variant needs --preset"},
    {"UnknownProfile",
     {"--to", "mp3", "--profile", "Loud", "--output", "@OUT", "@IN"},
     "no mp3 profile named 'Loud'; the profiles are:\n",
     {"\n  Default\n", "\n  MP3 128 kbps\n", "\n  MP3 192 kbps\n", "\n  MP3 320 kbps\n"}},
    {"ProfileNameInOtherLetterCase",
     {"--to", "MP3", "--profile", "mp3 320 KBPS", "--output", "@OUT", "@IN"},
     "no mp3 profile named 'mp3 320 KBPS'",
     {"\n  MP3 320 kbps\n"}},
    {"PresetOfTheOtherMenu",
     {"--to", "3gp", "--preset", "iPod touch", "--output", "@OUT", "@IN"},
     "no preset titled 'iPod touch'; the presets are:\n",
     {"\n  3GP2 phone\n", "\n  3GPP H.263 phone\n", "\n  3GPP MPEG-4 phone\n"}},
    {"VariantPastTheLast",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "3", "--output", "@OUT", "@IN"},
     "has no variant '3'; its variants are:\n"
     "  1  iPod touch H.264 480x320\n"
     "  2  iPod touch H.264 640x480\n"},
    {"VariantZero",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "0", "--output", "@OUT", "@IN"},
     "has no variant '0'"},
    {"VariantTooLargeForAnyInteger",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "99999999999999999999999", "--output",
      "@OUT", "@IN"},
     "the preset 'iPod touch' has no variant '99999999999999999999999'"},
    {"UnknownWhenDone",
     {"--to", "mp3", "--when-done", "shutdown", "--output", "@OUT", "@IN"},
     "unknown --when-done action 'shutdown'"},
    {"JobsBeyondTheMost",
     {"--to", "mp3", "--jobs", "17", "--output", "@OUT", "@IN"},
     "--jobs takes a number from 0 to 16 (0: one per processor core), not '17'"},
};

class UsageError : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, ExitsWithTwoAndTouchesNothing) {
    const UsageCase& c = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(SmallClip(), "clip.avi");
    const std::string never = home.Root() + "never/";
    std::vector<std::string> args;
    for (const std::string& a : c.args)
        args.push_back(a == "@OUT" ? never : a == "@IN" ? input : a);

    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(StartsWith(r.err, "quillabe --convert: ")) << r.err;
    EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    for (const std::string& choice : c.choices)
        EXPECT_TRUE(Contains(r.err, choice)) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(never));
}

INSTANTIATE_TEST_SUITE_P(Convert, UsageError, testing::ValuesIn(kUsageCases),
                         [](const auto& row) { return std::string(row.param.title); });

struct SkipCase {
    const char* title;
    // Names in the input folder: "missing.avi" is never made, "folder.avi" is a folder,
    // "fifo.avi" a named pipe, "damaged.avi" bytes the probe refuses, "broken.wav" a file the
    // encoder fails on, anything else a copy of the small clip.
    std::vector<std::string> files;
    std::vector<std::string> skipped; // the lines on stderr after "skipped: " + the input folder
    const char* summary;
    int exitCode;
    std::set<std::string> outputs;
};

// Test names and failure messages show the row's title.
void PrintTo(const SkipCase& c, std::ostream* os) {
    *os << c.title;
}

constexpr const char* kUnknownType = ": not a known input type (see --list-types)";
constexpr const char* kDamaged = "damaged.avi: An error occurred while adding file: The file \"@IN"
                                 "damaged.avi\" is damaged or the format is not supported.";

const SkipCase kSkipCases[] = {
    {"EveryFileConverted", {"a.avi", "b.avi"}, {}, "done: 2, failed: 0", 0, {"a.mp3", "b.mp3"}},
    {"OnlyAFileWithoutExtension",
     {"clip"},
     {std::string("clip") + kUnknownType},
     "done: 0, failed: 0, skipped: 1",
     1,
     {}},
    {"FileWithoutExtensionBesideAClip",
     {"clip", "clip.avi"},
     {std::string("clip") + kUnknownType},
     "done: 1, failed: 0, skipped: 1",
     1,
     {"clip.mp3"}},
    {"MissingFileAndDuplicate",
     {"missing.avi", "clip.avi", "clip.avi"},
     {"missing.avi: no such file", "clip.avi: given twice"},
     "done: 1, failed: 0, skipped: 2",
     1,
     {"clip.mp3"}},
    {"FolderPipeAndDamagedFile",
     {"folder.avi", "fifo.avi", "damaged.avi", "clip.avi"},
     {"folder.avi: a folder, not a file", "fifo.avi: not a regular file", kDamaged},
     "done: 1, failed: 0, skipped: 3",
     1,
     {"clip.mp3"}},
    {"SkippedBesideAFailedJob",
     {"notes.txt", "broken.wav", "clip.avi", "missing.avi", "clip.avi"},
     {std::string("notes.txt") + kUnknownType, "missing.avi: no such file",
      "clip.avi: given twice"},
     "done: 1, failed: 1, skipped: 3",
     1,
     {"clip.mp3"}},
};

class SkippedFile : public testing::TestWithParam<SkipCase> {};

TEST_P(SkippedFile, IsNamedOnceWithItsReason) {
    const SkipCase& c = GetParam();
    ConvertHome home;
    std::vector<std::string> args{"--to", "mp3", "--output", home.OutputDir()};
    for (const std::string& name : c.files) {
        const std::string path = home.InputDir() + name;
        if (name == "folder.avi")
            fs::create_directory(path);
        else if (name == "fifo.avi")
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (name == "damaged.avi")
            std::ofstream(path, std::ios::binary) << std::string(4096, 'x');
        else if (name == "broken.wav")
            home.AddInput(BrokenSound(), name);
        else if (name != "missing.avi")
            home.AddInput(SmallClip(), name);
        args.push_back(path);
    }

    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), c.summary) << r.out;
    EXPECT_EQ(EntriesBelow(home.OutputDir()), c.outputs);
    std::vector<std::string> expected;
    for (const std::string& line : c.skipped)
        expected.push_back("skipped: " + home.InputDir() + replaced(line, "@IN", home.InputDir()));
    std::vector<std::string> skipLines;
    std::vector<std::string> errLines = SplitLines(r.err);
    for (const std::string& line : errLines)
        if (StartsWith(line, "skipped: "))
            skipLines.push_back(line);
    EXPECT_EQ(skipLines, expected) << r.err;
    // No other word about a skipped file: a refusal is not told a second time.
    for (const std::string& name : c.files) {
        const std::string path = home.InputDir() + name;
        if (std::count(c.files.begin(), c.files.end(), name) > 1 || !Contains(r.err, path))
            continue;
        size_t lines = 0;
        for (const std::string& line : errLines)
            lines += Contains(line, path) ? 1 : 0;
        if (name != "broken.wav") {
            EXPECT_EQ(lines, 1u) << name << "\n" << r.err;
        }
    }
    if (c.outputs.empty()) {
        EXPECT_TRUE(Contains(r.err, "There are no files to encode!")) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Convert, SkippedFile, testing::ValuesIn(kSkipCases),
                         [](const auto& row) { return std::string(row.param.title); });

struct TargetCase {
    const char* title;
    std::vector<std::string> target;
    const char* said; // "@HOME": the program directory
    const char* output;
};

// Test names and failure messages show the row's title.
void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.title;
}

const TargetCase kTargetCases[] = {
    {"NamedProfileFormatInCapitals",
     {"--to", "WAV", "--profile", "WAV CD quality"},
     "target: wav, profile \"WAV CD quality\" (@HOMEprofile_en/wav/WAV CD quality.wao)",
     "clip.wav"},
    {"PresetVariantByNumber",
     {"--to", "Mp4", "--preset", "iPod touch", "--variant", "2"},
     "target: mp4, preset \"iPod touch\", variant \"iPod touch H.264 640x480\" "
     "(@HOMEprofile_en/default_setting/",
     "clip.mp4"},
};

class SaidTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(SaidTarget, ComesBeforeTheFirstJob) {
    const TargetCase& c = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(SmallClip(), "clip.avi");
    std::vector<std::string> args = c.target;
    args.insert(args.end(), {"--output", home.OutputDir(), input});

    RunResult r = home.Convert(args);

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    const std::vector<std::string> lines = r.OutLines();
    ASSERT_GE(lines.size(), 3u) << r.out;
    EXPECT_TRUE(StartsWith(lines[0], replaced(c.said, "@HOME", home.Home()))) << lines[0];
    EXPECT_EQ(lines[1], "output: " + home.OutputDir());
    EXPECT_EQ(lines[2], "[1/1] " + input + " -> " + home.OutputDir() + c.output);
}

INSTANTIATE_TEST_SUITE_P(Convert, SaidTarget, testing::ValuesIn(kTargetCases),
                         [](const auto& row) { return std::string(row.param.title); });

// With no profile installed for the format the job takes the format's default settings, and
// says so.
TEST(ConvertCommandLine, WithoutAnInstalledProfileTheFormatsDefaultsApply) {
    ConvertHome home;
    for (const auto& profile : fs::directory_iterator(home.Home() + "profile_en/wav"))
        fs::remove(profile.path());
    const std::string input = home.AddInput(SmallClip(), "clip.avi");

    RunResult r = home.Convert({"--to", "wav", "--output", home.OutputDir(), input});

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(StartsWith(r.out, "target: wav, no profile installed: the format's default "
                                  "settings\n"))
        << r.out;
    const MediaFacts m = ProbeMedia(home.OutputDir() + "clip.wav");
    EXPECT_EQ(m.audio, "pcm_s16le");
    EXPECT_EQ(m.channels, 2);
    EXPECT_EQ(m.sampleRate, 44100);
}

// The jobs run in the program directory; names given relative to the directory the program was
// started in must still mean the files there.
TEST(ConvertCommandLine, RelativeNamesMeanTheStartingDirectory) {
    ConvertHome home;
    home.AddInput(SmallClip(), "-dash.avi");
    home.AddInput(SmallClip(), "sub/clip.avi");

    RunResult r = home.Convert(
        {"--to", "mp3", "--output", "../relative out", "--", "-dash.avi", "sub/clip.avi"},
        home.InputDir());

    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 2, failed: 0");
    EXPECT_EQ(EntriesBelow(home.Root() + "relative out"),
              (std::set<std::string>{"-dash.mp3", "clip.mp3"}));
}

struct WhenDoneCase {
    const char* action;
    const char* wouldDo;
};

// Test names and failure messages show the row's title.
void PrintTo(const WhenDoneCase& c, std::ostream* os) {
    *os << c.action;
}

const WhenDoneCase kWhenDone[] = {
    {"quit", "end the program"},
    {"poweroff", "power off"},
    {"logoff", "log off (end the session)"},
    {"reboot", "reboot"},
    {"hibernate", "hibernate"},
    {"suspend", "suspend"},
};

class WhenDone : public testing::TestWithParam<WhenDoneCase> {};

TEST_P(WhenDone, OnlyPrintsTheActionAfterASuccessfulBatch) {
    const WhenDoneCase& c = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(ShortSound(), "sound.wav");

    RunResult r =
        home.Convert({"--to", "wav", "--when-done", c.action, "--output", home.OutputDir(), input});

    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "dry run: would " + std::string(c.wouldDo) + "\n")) << r.out;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 0");
}

INSTANTIATE_TEST_SUITE_P(Convert, WhenDone, testing::ValuesIn(kWhenDone),
                         [](const auto& row) { return std::string(row.param.action); });

// The action goes to a bus that is not there (and the system bus address names nothing either):
// the request fails, and the program says so and fails too.
TEST(ConvertCommandLine, FailedEndOfBatchActionFailsTheRun) {
    ConvertHome home;
    const std::string input = home.AddInput(ShortSound(), "sound.wav");
    std::vector<std::string> env = home.Environment();
    for (std::string& e : env)
        if (StartsWith(e, "QUILLABE_POWER_DRY_RUN="))
            e = "QUILLABE_POWER_DRY_RUN=0";
    env.push_back("DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + home.Root() + "no-system-bus");
    ASSERT_TRUE(Contains(testing::PrintToString(env),
                         "QUILLABE_LOGIN1_BUS=unix:path=" + home.Root() + "no-such-bus"));

    ChildRun run(home.Command({"--to", "wav", "--when-done", "suspend", "--output",
                               home.OutputDir(), input}),
                 env);
    RunResult r = run.Finish();

    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "quillabe: --when-done suspend failed: cannot reach the login "
                                "manager's bus"))
        << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 0");
}

TEST(ConvertCommandLine, NoEndOfBatchActionAfterAFailedJob) {
    ConvertHome home;
    const std::string good = home.AddInput(ShortSound(), "good.wav");
    const std::string broken = home.AddInput(BrokenSound(), "broken.wav");

    RunResult r = home.Convert(
        {"--to", "mp3", "--when-done", "poweroff", "--output", home.OutputDir(), good, broken});

    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_FALSE(Contains(r.out, "dry run:")) << r.out;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 1");
}

} // namespace
