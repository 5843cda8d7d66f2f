// Several conversions at once: the batch controller with two and three job slots, real child
// processes and shell-script encoders that overlap in time.

#include "unit/controller/ControllerHarness.h"

#include "engine/CommandTemplates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sys/types.h>

using namespace quillabe;
using namespace quillabe::test::controller;

namespace {

// Announces the input, reports a quarter and then most of a 10-second duration with a pause
// between (so that jobs overlap) and writes the input slot's path into the output.
const char* kSlowGood = "printf \"Input #0, wav, from '%s':\\n\" \"$4\" >&2\n"
                        "printf '  Duration: 00:00:10.00, start: 0\\n' >&2\n"
                        "printf 'frame=1 size=   5kB time=2.50 bitrate= 8.0kbits/s\\r' >&2\n"
                        "sleep 0.3\n"
                        "printf 'frame=1 size=   9kB time=9.00 bitrate= 8.0kbits/s\\r' >&2\n"
                        "printf '%s' \"$4\" > \"$last\"\n";

class Parallel : public Controller, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        Controller::SetUp();
        GlobalVars.InputFileTypes.Add("Audio=*.wav");
        request.jobs = GetParam();
    }
    int jobs() const { return GetParam(); }
    void addFiles(std::initializer_list<const char*> names) {
        for (const char* name : names)
            add(in.File(name));
    }
};

INSTANTIATE_TEST_SUITE_P(Slots, Parallel, ::testing::Values(2, 3),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return "Jobs" + std::to_string(p.param);
                         });

TEST_P(Parallel, JobsStartInListOrderAndReportTheirOwnFiles) {
    encoder(kSlowGood);
    addFiles({"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    convert();
    EXPECT_EQ(host.started, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(host.maxRunning, jobs()) << "the slots are all used";
    for (size_t i = 0; i < files.Count(); ++i) {
        EXPECT_EQ(state(i), TFileState::Done);
        EXPECT_EQ(out.Read(ChangeFileExt(ExtractFileName(files.At(i).caption), ".mp3")),
                  files.At(i).caption)
            << "each job writes its own output";
    }
    size_t widest = 0;
    for (const ProgressUpdate& u : host.updates) {
        ASSERT_GE(u.fileNumber, 1);
        EXPECT_EQ(u.inputName, files.At(static_cast<size_t>(u.fileNumber - 1)).caption)
            << "an update carries its own job's readings";
        EXPECT_TRUE(std::is_sorted(u.runningFiles.begin(), u.runningFiles.end()));
        EXPECT_EQ(std::set<int>(u.runningFiles.begin(), u.runningFiles.end()).size(),
                  u.runningFiles.size());
        EXPECT_NE(std::find(u.runningFiles.begin(), u.runningFiles.end(), u.fileNumber),
                  u.runningFiles.end());
        EXPECT_EQ(u.fileCount, 5);
        widest = std::max(widest, u.runningFiles.size());
    }
    EXPECT_EQ(widest, static_cast<size_t>(jobs()));
    ASSERT_FALSE(host.batchPercents.empty());
    EXPECT_TRUE(std::is_sorted(host.batchPercents.begin(), host.batchPercents.end()))
        << "the batch never goes back";
    EXPECT_LE(host.batchPercents.back(), 100);
    EXPECT_EQ(GlobalVars.Batch.DoneCount, 5);
}

TEST_P(Parallel, OneNameFromSeveralFoldersGivesDistinctOutputs) {
    encoder(kSlowGood);
    TempDir second, third;
    second.Write("x.wav", "source");
    third.Write("x.wav", "source");
    add(in.File("x.wav"));
    add(second.File("x.wav"));
    add(third.File("x.wav"));
    convert();
    // Each name is held from its job's start, though the encoder writes the file only later.
    EXPECT_EQ(out.Read("x.mp3"), in.File("x.wav"));
    EXPECT_EQ(out.Read("x(1).mp3"), second.File("x.wav"));
    EXPECT_EQ(out.Read("x(2).mp3"), third.File("x.wav"));
    EXPECT_EQ(GlobalVars.Batch.DoneCount, 3);
}

TEST_P(Parallel, AFailingFileFailsOnlyItself) {
    encoder(std::string("case \"$4\" in *c.wav) printf 'Error while opening encoder\\n' >&2; "
                        "exit 1;; esac\n") +
            kSlowGood);
    addFiles({"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    convert();
    for (size_t i = 0; i < files.Count(); ++i)
        EXPECT_EQ(state(i), i == 2 ? TFileState::Failed : TFileState::Done) << i;
    EXPECT_EQ(GlobalVars.Batch.DoneCount, 4);
    EXPECT_EQ(GlobalVars.Batch.FailedCount, 1);
    ASSERT_EQ(dialogs->Requests().size(), 1u);
    EXPECT_EQ(dialogs->Requests()[0].text, "Error while opening encoder");
    EXPECT_EQ(host.balloon, "");
    EXPECT_FALSE(FileExists(out.File("c.mp3")));
}

// Every running encoder (and its own child) is killed, each one's partial output and script go,
// and the files that did not start stay waiting.
TEST_P(Parallel, StopNowKillsEveryRunningJob) {
    GlobalVars.UseDirectShow = true; // every job writes a script of its slot
    GlobalVars.ShutdownWindowsWhenDone = true;
    const std::string pids = out.File("pids");
    encoder("echo $$ >> '" + pids +
            "'\nsleep 60 &\nprintf partial > \"$last\"\n"
            "printf '  Duration: 00:00:10.00, x\\n' >&2\n"
            "printf 'size=  1kB time=1.00 bitrate= 1.0kbits/s\\r' >&2\nwait\n");
    addFiles({"a.wav", "b.wav", "c.wav", "d.wav"});
    std::set<int> reported;
    bool scriptsWhileRunning = false;
    host.onProgress = [&](const ProgressUpdate& u) {
        reported.insert(u.fileNumber);
        if (static_cast<int>(reported.size()) < jobs() || host.closed)
            return;
        scriptsWhileRunning = true;
        for (int slot = 1; slot <= jobs(); ++slot)
            scriptsWhileRunning = scriptsWhileRunning && FileExists(DirectShowScriptPath(slot));
        controller.StopNow();
    };
    convert();
    EXPECT_EQ(controller.LastResult(), BatchResult::Stopped);
    EXPECT_TRUE(host.stopped);
    EXPECT_TRUE(scriptsWhileRunning) << "each slot has a script of its own";
    for (int slot = 1; slot <= jobs(); ++slot)
        EXPECT_FALSE(FileExists(DirectShowScriptPath(slot))) << slot;
    for (size_t i = 0; i < files.Count(); ++i) {
        EXPECT_EQ(state(i),
                  static_cast<int>(i) < jobs() ? TFileState::Converting : TFileState::Waiting)
            << i;
        EXPECT_FALSE(
            FileExists(out.File(ChangeFileExt(ExtractFileName(files.At(i).caption), ".mp3"))))
            << "no partial output is left";
    }
    EXPECT_EQ(GlobalVars.Batch.DoneCount + GlobalVars.Batch.FailedCount, 0);
    EXPECT_EQ(host.countdowns, 0);
    std::istringstream lines(out.Read("pids"));
    int killed = 0;
    for (pid_t pid; lines >> pid; ++killed)
        EXPECT_TRUE(waitUntil([&] { return liveGroupMembers(pid) == 0; })) << pid;
    EXPECT_EQ(killed, jobs());
}

TEST_P(Parallel, StopWhenDoneLetsTheRunningJobsFinish) {
    GlobalVars.ShutdownWindowsWhenDone = true;
    encoder(kSlowGood);
    addFiles({"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    std::vector<int> runningAtStop;
    host.onProgress = [&](const ProgressUpdate& u) {
        if (runningAtStop.empty() && static_cast<int>(u.runningFiles.size()) == jobs()) {
            runningAtStop = u.runningFiles;
            controller.SetStopWhenDone(true);
        }
    };
    testing::internal::CaptureStdout();
    convert();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(static_cast<int>(runningAtStop.size()), jobs());
    EXPECT_EQ(controller.LastResult(), BatchResult::Completed);
    for (size_t i = 0; i < files.Count(); ++i) {
        const bool ran = std::count(runningAtStop.begin(), runningAtStop.end(), int(i) + 1) > 0;
        EXPECT_EQ(state(i), ran ? TFileState::Done : TFileState::Waiting) << i;
    }
    EXPECT_EQ(host.started.size(), runningAtStop.size()) << "no job starts after the stop";
    EXPECT_EQ(host.countdowns, 1) << "the end-of-batch action follows once";
}

TEST_P(Parallel, DeleteSourceFollowsEachJobsOwnOutput) {
    GlobalVars.DeleteFileAfterProcessing = true;
    const std::string media = out.Write("media.wav", wavBytes(10000));
    encoder("printf '  Duration: 00:00:10.00, start: 0\\n' >&2\nsleep 0.2\ncase \"$4\" in\n"
            "*good*) cp '" +
            media +
            "' \"$last\";;\n"
            "*garbage*) printf garbage > \"$last\";;\n"
            "*fails*) cp '" +
            media + "' \"$last\"; exit 1;;\nesac\n");
    addFiles({"good1.wav", "garbage.wav", "fails.wav", "good2.wav"});
    convert();
    EXPECT_FALSE(FileExists(in.File("good1.wav")));
    EXPECT_FALSE(FileExists(in.File("good2.wav")));
    EXPECT_TRUE(FileExists(in.File("garbage.wav")));
    EXPECT_TRUE(FileExists(in.File("fails.wav")));
    EXPECT_EQ(state(2), TFileState::Failed);
    ASSERT_EQ(host.keptReasons.size(), 1u);
    EXPECT_NE(host.keptReasons[0].find("not readable as media"), std::string::npos);
}

// Preset jobs run a batch file of their slot, which hands the encoder the script of that slot.
TEST_P(Parallel, PresetJobsUseTheFilesOfTheirSlot) {
    GlobalVars.OutputFormat = ofMP4;
    GlobalVars.UseDirectShow = true;
    const std::string log = out.File("log");
    // The batch file is the encoder's parent; the script names the real input.
    encoder("{ tr '\\0' ' ' < /proc/$PPID/cmdline; echo; cat \"$4\"; } >> '" + log +
            "'\nsleep 0.3\nprintf x > \"$last\"\n");
    const std::string preset =
        home.Dir().Write("profile_en/default_setting/p.ini",
                         "[Info]\nTitleE=P\n[Item1]\nTitleE=Video\nEXT=m4v\n"
                         "Command1=\"\"<%AppPath%>/divuvo.dll\" -p 4417306 -i \"<%InputFile%>\" -y "
                         "\"<%OutputFile%>.m4v\"\"\n");
    request.preset = LoadPresetItems(preset).at(0);
    addFiles({"a.wav", "b.wav", "c.wav"});
    convert();
    const std::string seen = out.Read("log");
    for (int slot = 1; slot <= jobs(); ++slot) {
        EXPECT_NE(seen.find(ConvertCoreBatchPath(slot)), std::string::npos) << seen;
        EXPECT_FALSE(FileExists(ConvertCoreBatchPath(slot)));
        EXPECT_FALSE(FileExists(DirectShowScriptPath(slot)));
    }
    for (size_t i = 0; i < files.Count(); ++i) {
        EXPECT_EQ(state(i), TFileState::Done);
        EXPECT_NE(seen.find("DirectShowSource(\"" + files.At(i).caption + "\")"),
                  std::string::npos);
    }
}

class OneJob : public Controller {};

TEST_F(OneJob, EveryUpdateNamesItsOwnFileAsTheOneRunning) {
    GlobalVars.InputFileTypes.Add("Audio=*.wav");
    encoder(kSlowGood);
    add(in.File("a.wav"));
    add(in.File("b.wav"));
    convert();
    EXPECT_EQ(host.maxRunning, 1);
    ASSERT_FALSE(host.updates.empty());
    for (const ProgressUpdate& u : host.updates)
        EXPECT_EQ(u.runningFiles, std::vector<int>{u.fileNumber});
    EXPECT_EQ(host.batchPercents, (std::vector<int>{12, 45, 50, 62, 95}))
        << "the single-job figures: rounded while running, truncated after the first file";
}

TEST(ParallelHelpers, ReservedNamesAreTakenAndJobCountsAreBounded) {
    TempDir dir;
    dir.Write("a.mp3", "");
    const std::set<std::string> taken = {dir.Path() + "a(1).mp3", dir.Path() + "b.mp3"};
    EXPECT_EQ(UniqueFileName("a.mp3", dir.Path(), taken), "a(2).mp3");
    EXPECT_EQ(UniqueFileName("b.mp3", dir.Path(), taken), "b(1).mp3");
    EXPECT_EQ(UniqueFileName("c.mp3", dir.Path(), taken), "c.mp3");

    const std::pair<int, int> counts[] = {{1, 1}, {3, 3}, {16, 16}, {17, 16}, {-2, 1}};
    for (auto [requested, expected] : counts)
        EXPECT_EQ(ResolveJobCount(requested), expected) << requested;
    const int perCore = ResolveJobCount(0);
    EXPECT_GE(perCore, 1);
    EXPECT_LE(perCore, kMaxJobs);
}

TEST(ParallelHelpers, SlotOneKeepsThePlainTemporaryNames) {
    EXPECT_EQ(ExtractFileName(DirectShowScriptPath(1)), "DirectShow.avs");
    EXPECT_EQ(ExtractFileName(ConvertCoreBatchPath(1)), "~ConvertCore.bat");
    EXPECT_EQ(ExtractFileName(DirectShowScriptPath(2)), "DirectShow-2.avs");
    EXPECT_EQ(ExtractFileName(ConvertCoreBatchPath(3)), "~ConvertCore-3.bat");
}

} // namespace
