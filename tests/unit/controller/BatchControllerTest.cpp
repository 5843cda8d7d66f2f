// The batch controller end to end with real child processes: small shell-script encoders in a
// program directory of the test's own, and a host that records what a progress window would show.

#include "unit/controller/ControllerHarness.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace quillabe;
using namespace quillabe::test::controller;

namespace {

TEST_F(Controller, AFailedJobInTheMiddleDoesNotStopTheBatch) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.ShutdownWindowsWhenDone = true;
    encoder(
        std::string("case \"$4\" in *b.wav) printf 'Error while opening encoder\\n' >&2;; esac\n") +
        kGood);
    add(in.File("a.wav"));
    add(in.File("b.wav"));
    add(in.File("c.wav"));
    convert();
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(state(1), TFileState::Failed);
    EXPECT_EQ(state(2), TFileState::Done);
    EXPECT_EQ(GlobalVars.Batch.DoneCount, 2);
    EXPECT_EQ(GlobalVars.Batch.FailedCount, 1);
    EXPECT_EQ(host.balloon, "") << "no completion balloon after a failure";
    EXPECT_EQ(host.countdowns, 0) << "no shutdown after a failure";
    ASSERT_EQ(dialogs->Requests().size(), 1u);
    EXPECT_EQ(dialogs->Requests()[0].text, "Error while opening encoder");
    EXPECT_TRUE(host.released);
    EXPECT_EQ(host.trayHint, Msg(MSG_TRAY_ENCODING_DONE));
}

TEST_F(Controller, OutputNamesAreUniqueAndNeverOverwrite) {
    GlobalVars.InputFileTypes.Add("Any=*.wav;*.avi;*.mp3");
    encoder(kGood);
    out.Write("clip.mp3", "old");
    out.Write("clip(1).mp3", "old");
    add(in.File("clip.avi"));
    add(in.File("clip.wav"));
    add(out.File("clip.mp3")); // converted into its own folder: never overwritten
    request.outputFolder = RemoveBackslash(out.Path()); // without the trailing separator
    convert();
    EXPECT_EQ(out.Read("clip.mp3"), "old");
    EXPECT_EQ(out.Read("clip(1).mp3"), "old");
    EXPECT_EQ(out.Read("clip(2).mp3"), "x");
    EXPECT_EQ(out.Read("clip(3).mp3"), "x");
    EXPECT_EQ(out.Read("clip(4).mp3"), "x");
    EXPECT_EQ(GlobalVars.Job.JobOutputFile, out.Path() + "clip(4).mp3");
}

TEST_F(Controller, EmptyOrMissingOutputFailsAndKeepsTheSource) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.DeleteFileAfterProcessing = true;
    const std::string media = out.Write("media.wav", wavBytes(500));
    encoder("case \"$4\" in *empty.wav) : > \"$last\";; *good.wav) cp '" + media +
            "' \"$last\";; esac\n");
    add(in.File("empty.wav"));
    add(in.File("none.wav"));
    add(in.File("good.wav"));
    convert();
    EXPECT_EQ(state(0), TFileState::Failed);
    EXPECT_EQ(state(1), TFileState::Failed);
    EXPECT_EQ(state(2), TFileState::Done);
    EXPECT_TRUE(FileExists(in.File("empty.wav")));
    EXPECT_TRUE(FileExists(in.File("none.wav")));
    EXPECT_FALSE(FileExists(in.File("good.wav"))) << "deleted after a verified output";
    EXPECT_FALSE(FileExists(out.File("empty.mp3"))) << "an empty output is removed";
}

TEST_F(Controller, HostileNamesArriveIntactAndNothingIsExecuted) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    std::string argsFile = out.File("args");
    encoder("for a; do printf '%s\\n--\\n' \"$a\"; done > '" + argsFile +
            "'\nprintf x > \"$last\"\n");
    std::string hostile = in.File("-a $(touch pwned) `id` \"q\" 'q' \\ back\nline -ac 5:1 .wav");
    add(hostile);
    convert();
    EXPECT_EQ(state(0), TFileState::Done);
    std::string args = out.Read("args");
    EXPECT_NE(args.find("\n--\n" + hostile + "\n--\n"), std::string::npos) << args;
    EXPECT_EQ(args.find("-ab 256"), std::string::npos) << "the fix-ups never touch a file name";
    EXPECT_FALSE(PathExists(home.Path() + "pwned"));
    EXPECT_FALSE(PathExists(in.Path() + "pwned"));
}

TEST_F(Controller, DirectShowRoutingIsCaseSensitiveUnlessAlwaysOn) {
    GlobalVars.InputFileTypes.Add("Real=*.rmvb");
    GlobalVars.AvsExtensions.Add(".rmvb");
    std::string argsFile = out.File("inputs");
    encoder("printf '%s\\n' \"$4\" >> '" + argsFile +
            "'\n"
            "case \"$4\" in *.avs) cat \"$4\" >> '" +
            argsFile + "';; esac\nprintf x > \"$last\"\n");
    add(in.File("upper.RMVB"));
    add(in.File("lower.rmvb"));
    convert();
    std::string seen = out.Read("inputs");
    EXPECT_NE(seen.find(in.File("upper.RMVB") + "\n"), std::string::npos);
    EXPECT_NE(
        seen.find(home.Path() + "DirectShow.avs\nDirectShowSource(\"" + in.File("lower.rmvb")),
        std::string::npos)
        << seen;
    EXPECT_FALSE(FileExists(home.Path() + "DirectShow.avs")) << "removed after the job";
}

TEST_F(Controller, StopNowKillsTheEncoderAndLeavesCountersAlone) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.ShutdownWindowsWhenDone = true;
    std::string pidFile = out.File("pid");
    encoder("echo $$ > '" + pidFile +
            "'\nsleep 60 &\nprintf '  Duration: 00:00:10.00, x\\n' >&2\nprintf 'size=  1kB "
            "time=1.00 bitrate= 1.0kbits/s\\r' >&2\nwait\n");
    add(in.File("a.wav"));
    add(in.File("b.wav"));
    host.onBar = [&](ProgressBar) {
        if (!host.closed)
            controller.StopNow();
    };
    convert();
    EXPECT_EQ(controller.LastResult(), BatchResult::Stopped);
    EXPECT_FALSE(FileExists(home.Path() + "DirectShow.avs"));
    // The end of the killed encoder arrives later and is ignored.
    EXPECT_TRUE(waitUntil([&] { return !runner.Running(); }));
    EXPECT_EQ(state(0), TFileState::Converting);
    EXPECT_EQ(state(1), TFileState::Waiting);
    EXPECT_EQ(GlobalVars.Batch.DoneCount + GlobalVars.Batch.FailedCount, 0);
    EXPECT_EQ(host.countdowns, 0) << "no shutdown after stop now";
    pid_t pid = std::stoi(out.Read("pid"));
    // No process of the encoder's group survives (zombies aside: nobody may reap them here).
    EXPECT_TRUE(waitUntil([&] { return liveGroupMembers(pid) == 0; })) << liveGroupMembers(pid);
}

TEST_F(Controller, StopWhenDoneEndsAfterTheCurrentFileAndTheActionFollows) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.ShutdownWindowsWhenDone = true;
    GlobalVars.ShutdownFlag = 5;
    encoder(kGood);
    add(in.File("a.wav"));
    add(in.File("b.wav"));
    host.onBar = [&](ProgressBar) { controller.SetStopWhenDone(true); };
    testing::internal::CaptureStdout();
    convert();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(controller.LastResult(), BatchResult::Completed);
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(state(1), TFileState::Waiting);
    EXPECT_EQ(host.countdowns, 1);
    EXPECT_TRUE(controller.ShutdownPerformed());
    EXPECT_NE(printed.find("dry run"), std::string::npos) << "the action never really runs";
}

TEST_F(Controller, ZeroSizesAndARemainderWithoutLineBreak) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    encoder("printf x > \"$last\"\ncase \"$4\" in *b.wav) printf 'Error: at the very end' >&2;; "
            "esac\n");
    add(in.File("a.wav"), "0");
    add(in.File("b.wav"), "0");
    convert();
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(state(1), TFileState::Failed) << "the last unterminated line still counts";
    EXPECT_EQ(GlobalVars.Batch.BatchPercent, 0);
}

TEST_F(Controller, ChecksBeforeTheBatch) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    convert(); // no encoder
    ASSERT_EQ(dialogs->Requests().size(), 1u);
    EXPECT_EQ(dialogs->Requests()[0].text, "The file \"divuvo.dll\" couldn't be found.");
    encoder(kGood);
    convert(); // no files
    EXPECT_EQ(dialogs->Requests().back().text, Msg(MSG_NOFILES));
    EXPECT_FALSE(host.opened);
}

TEST_F(Controller, PresetJobsRunTheirBatchFile) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.OutputFormat = ofMP4;
    encoder(kGood);
    std::string preset =
        home.Dir().Write("profile_en/default_setting/ipod.ini",
                         "[Info]\nTitleE=iPod test\n[Item1]\nTitleE=Video\nEXT=m4v\n"
                         // one pair of enclosing quotes is removed on reading
                         "Command1=\"\"<%AppPath%>/divuvo.dll\" -p 4417306 -i \"<%InputFile%>\" -y "
                         "\"<%OutputFile%>.m4v\"\"\n");
    request.preset = LoadPresetItems(preset).at(0);
    add(in.File("a b.wav"));
    convert();
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(out.Read("a b.m4v"), "x");
    EXPECT_FALSE(FileExists(home.Path() + "~ConvertCore.bat"));
}

TEST(ControllerHelpers, FixupsPriorityAndDigits) {
    EXPECT_EQ(ApplyCommandFixups("-y -f ac3 -vn -acodec ac3 -ac 5:1 -ar 48000 "),
              "-y -f ac3 -vn -acodec ac3 -ab 256 -ac 5:1 -ar 48000 ");
    EXPECT_EQ(ApplyCommandFixups("-acodec ac3 -ac 5:1 -ar 48000 -ab 384 "),
              "-acodec ac3 -ac 5:1 -ar 48000 -ab 384 ");
    EXPECT_EQ(ApplyCommandFixups("-y -f avi -vcodec ffvhuff -b 1080k "),
              "-y -f avi -vcodec ffvhuff -strict -2 -b 1080k ");
    const std::pair<int, int> priorities[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {200, 1}};
    for (auto [p, expected] : priorities)
        EXPECT_EQ(MapPriority(p), expected);
    std::mt19937 generator(7);
    std::string digits = RandomDigits(5, generator);
    EXPECT_EQ(digits.size(), 5u);
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
}

TEST(ControllerHelpers, UniqueFileNameGivesUpAt32768) {
    TempDir dir;
    EXPECT_EQ(UniqueFileName("a.mp3", dir.Path()), "a.mp3");
    dir.Write("a.mp3", "");
    dir.Write("a(1).mp3", "");
    EXPECT_EQ(UniqueFileName("a.mp3", dir.Path()), "a(2).mp3");
    dir.Write("noext", "");
    EXPECT_EQ(UniqueFileName("noext", dir.Path()), "noext(1)");
}

// Encoders that write (part of) the output and then fail in every way an encoder can. None of
// them may count as a success, and delete-source must keep every source whose output is not
// verified media of the expected length.
TEST_F(Controller, EncoderFaultsNeverDeleteTheSource) {
    struct Fault {
        const char* name;
        const char* tail;        // shell text after the output is written
        bool writesMedia;        // a real WAV (else garbage bytes)
        TFileState state;        // the entry's end state
        bool outputRemains;      // the job's output file is still there
        const char* keptBecause; // for a Done job: why the source stayed (empty: deleted)
    };
    const Fault faults[] = {
        {"segv", "kill -SEGV $$\n", true, TFileState::Failed, false, ""},
        {"sigkill", "kill -KILL $$\n", true, TFileState::Failed, false, ""},
        {"sigterm", "kill -TERM $$\n", true, TFileState::Failed, false, ""},
        {"exit1", "exit 1\n", true, TFileState::Failed, true, ""},
        {"garbage", "", false, TFileState::Done, true, "not readable as media"},
        {"short", "", true, TFileState::Done, true, "lasts 0:00:00 of the expected 0:00:10"},
        {"good", "", true, TFileState::Done, true, ""},
    };
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.DeleteFileAfterProcessing = true;
    const std::string longMedia = out.Write("long.wav", wavBytes(10000));
    const std::string shortMedia = out.Write("short.wav", wavBytes(300));
    std::string body = "printf '  Duration: 00:00:10.00, start: 0\\n' >&2\ncase \"$4\" in\n";
    for (const Fault& f : faults) {
        const std::string source = std::string(f.name) == "short" ? shortMedia : longMedia;
        body += std::string("*/") + f.name + ".wav) " +
                (f.writesMedia ? "cp '" + source + "' \"$last\"" : "printf garbage > \"$last\"") +
                "\n" + f.tail + ";;\n";
    }
    encoder(body + "esac\n");
    for (const Fault& f : faults)
        add(in.File(std::string(f.name) + ".wav"));
    convert();

    size_t kept = 0;
    for (size_t i = 0; i < std::size(faults); ++i) {
        const Fault& f = faults[i];
        SCOPED_TRACE(f.name);
        EXPECT_EQ(state(i), f.state);
        EXPECT_EQ(FileExists(out.File(std::string(f.name) + ".mp3")), f.outputRemains);
        const bool deleted = f.state == TFileState::Done && std::string(f.keptBecause).empty();
        EXPECT_EQ(FileExists(in.File(std::string(f.name) + ".wav")), !deleted);
        if (f.state == TFileState::Done && !deleted) {
            ASSERT_LT(kept, host.keptReasons.size());
            EXPECT_NE(host.keptReasons[kept++].find(f.keptBecause), std::string::npos)
                << host.keptReasons[kept - 1];
        }
    }
    EXPECT_EQ(kept, host.keptReasons.size());
    EXPECT_EQ(GlobalVars.Batch.FailedCount, 4);
    EXPECT_EQ(host.balloon, "") << "a crashed encoder is a failure";
}

// Stop now removes what the killed job wrote, never a file that was there before.
TEST_F(Controller, StopNowRemovesTheKilledJobsOutputOnly) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    out.Write("a.mp3", "older file of the user");
    encoder("printf partial > \"$last\"\nprintf '  Duration: 00:00:10.00, x\\n' >&2\n"
            "printf 'size=  1kB time=1.00 bitrate= 1.0kbits/s\\r' >&2\nsleep 60\n");
    add(in.File("a.wav"));
    host.onBar = [&](ProgressBar) {
        if (!host.closed)
            controller.StopNow();
    };
    convert();
    EXPECT_TRUE(host.stopped);
    EXPECT_EQ(out.Read("a.mp3"), "older file of the user");
    EXPECT_FALSE(FileExists(out.File("a(1).mp3"))) << "the partial output is removed";
    EXPECT_TRUE(FileExists(in.File("a.wav")));
}

// A job that cannot start (its batch file cannot be written) counts as failed.
TEST_F(Controller, AJobThatCannotStartCountsAsFailed) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    GlobalVars.OutputFormat = ofMP4;
    std::string preset = home.Dir().Write(
        "profile_en/default_setting/p.ini",
        "[Info]\nTitleE=P\n[Item1]\nTitleE=Video\nEXT=mp4\nCommand1=<%AppPath%>/divuvo.dll\n");
    request.preset = LoadPresetItems(preset).at(0);
    encoder(kGood);
    // A folder where the batch file must go: it cannot be written.
    std::filesystem::create_directory(home.Path() + "~ConvertCore.bat");
    add(in.File("a.wav"));
    convert();
    std::filesystem::remove(home.Path() + "~ConvertCore.bat");
    EXPECT_EQ(host.startFailures, 1);
    EXPECT_EQ(GlobalVars.Batch.FailedCount, 1);
    EXPECT_EQ(state(0), TFileState::Failed);
}

} // namespace

int main(int argc, char** argv) {
    quillabe::test::PrepareTestEnvironment();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
