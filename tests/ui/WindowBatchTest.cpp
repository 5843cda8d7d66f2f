// The batch controller driving the progress window through the window observer, with small
// shell-script encoders in a program directory of the test's own.

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "engine/BatchController.h"
#include "engine/Redirector.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"
#include "ui/RecordingTray.h"
#include "ui/batch/ConvertAnimation.h"
#include "ui/batch/TfrmShutdown.h"
#include "ui/batch/WindowBatchObserver.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace quillabe;
using quillabe::test::ProgramHome;
using quillabe::test::RecordingTray;
using quillabe::test::TempDir;

namespace {

bool waitUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Processes of the group that are not zombies.
int liveGroupMembers(pid_t group) {
    int live = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        // One line; a process that ends meanwhile reads as an empty line, never as an error.
        std::string text;
        std::getline(stat, text);
        const size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream fields(text.substr(close + 2));
        char state = 0;
        long ppid = 0, pgrp = 0;
        fields >> state >> ppid >> pgrp;
        if (pgrp == group && state != 'Z')
            ++live;
    }
    return live;
}

// Answers the stop question (and any other message); `meanwhile` runs while it is open.
class Answerer : public MessageDialogHandler {
public:
    int Show(const MessageRequest& request) override {
        texts.push_back(request.text);
        if (meanwhile)
            meanwhile();
        return texts.size() <= answers.size() ? answers[texts.size() - 1] : answer;
    }
    std::vector<int> answers; // the first ones, in order
    int answer = mrCancel;
    std::function<void()> meanwhile;
    std::vector<std::string> texts;
};

// Encoder bodies: $last is the output path, $4 the input. Half of ten seconds is converted.
const char* kPrologue = "#!/bin/sh\nfor last; do :; done\n";
const char* kProgress = "printf \"Input #0, wav, from '%s':\\n\" \"$4\" >&2\n"
                        "printf '  Duration: 00:00:10.00, start: 0\\n' >&2\n"
                        "printf \"Output #0, mp3, to '%s':\\n\" \"$last\" >&2\n"
                        "printf 'frame=1 size=   5kB time=5.00 bitrate= 8.0kbits/s\\r' >&2\n";

class WindowBatch : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        SetStartupConstants();
        SetGlobalDefaults();
        GlobalVars.OutputFormat = ofMP3;
        GlobalVars.InputFileTypes.Add("Audio=*.wav");
        ASSERT_TRUE(CreateProfileDirs());
        SetMessageDialogHandler(answerer);
        observer.Attach(&controller);
        observer.SetCountdownTick(1);
        observer.SetFileStateHandler([this](const std::string& path, TFileState state) {
            files.SetFileState(path, state);
            // Every piece of output marks the file again; the order of the changes is what
            // counts.
            const std::string entry =
                ExtractFileName(path) + " " + std::to_string(static_cast<int>(state));
            if (seen.empty() || seen.back() != entry) {
                seen.push_back(entry);
                if (onSeen)
                    onSeen(entry);
            }
            if (state == TFileState::Converting && onConverting)
                QTimer::singleShot(0, [act = std::exchange(onConverting, nullptr)] { act(); });
        });
        main.resize(600, 500);
        main.show();
    }
    void TearDown() override { SetMessageDialogHandler(nullptr); }

    void encoder(const std::string& body) {
        const std::string path = home.Dir().Write("divuvo.dll", kPrologue + body);
        chmod(path.c_str(), 0755);
    }
    void add(const std::string& name) {
        const std::string path = in.Write(name, "source");
        TFileItem item;
        item.FileName = name;
        item.FilePath = in.Path();
        item.CompleteName = path;
        item.FileSize = "100";
        probes[path] = item;
        ASSERT_EQ(files.AddFile(path), AddResult::Added);
    }
    TFileState state(size_t i) const { return files.At(i).state; }
    // The Convert command as the main window will make it; returns what the power layer printed.
    std::string convert() {
        BatchRequest request;
        request.format = GlobalVars.OutputFormat;
        request.profilePath = ProfilePath(request.format, "");
        request.preset = preset;
        request.outputFolder = out.Path();
        request.shutdownWhenDone = GlobalVars.ShutdownWindowsWhenDone;
        request.shutdownFlag = 5;
        testing::internal::CaptureStdout();
        controller.ActionConvertExecute(request);
        return testing::internal::GetCapturedStdout();
    }
    TfrmProgress& window() { return observer.Window(); }
    std::string label(ProgressLabel which) { return window().Label(which)->text().toStdString(); }

    ProgramHome home;
    TempDir in, out;
    std::map<std::string, TFileItem> probes;
    FileList files{[this](const std::string& p, TFileItem& item) {
        item = probes.at(p);
        return true;
    }};
    QWidget main;
    RecordingTray tray;
    WindowBatchObserver observer{&main, &tray};
    TRedirector runner;
    BatchController controller{files, runner, observer, observer};
    std::shared_ptr<Answerer> answerer = std::make_shared<Answerer>();
    std::vector<std::string> seen; // file states in the order they came
    std::function<void()> onConverting;
    std::function<void(const std::string& entry)> onSeen;
    std::optional<TProfileDetailItem> preset;
};

TEST_F(WindowBatch, TheWindowShowsWhatTheParserComputes) {
    encoder(std::string(kProgress) + "printf x > \"$last\"\n");
    add("a.wav");
    add("R&B <b>mix.wav");
    bool shownModal = false;
    onConverting = [&] {
        shownModal = window().isVisible() && window().isModal() && observer.BatchRunning();
    };
    convert();

    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(observer.BatchRunning());
    EXPECT_EQ(window().result(), QDialog::Accepted);
    EXPECT_EQ(seen, (std::vector<std::string>{"a.wav 3", "a.wav 2", "R&B <b>mix.wav 3",
                                              "R&B <b>mix.wav 2"}));
    EXPECT_EQ(state(1), TFileState::Done);
    // The second file at five of ten seconds; the batch at the end.
    EXPECT_EQ(label(ProgressLabel::LabelStatus), "Status=50%");
    EXPECT_EQ(label(ProgressLabel::LabelBatch), "Batch=100%");
    EXPECT_EQ(window().Bar(ProgressBar::Status)->value(), 100);
    EXPECT_EQ(window().Bar(ProgressBar::Batch)->value(), 75) << "half of the second of two";
    EXPECT_EQ(window().windowTitle().toStdString(), Msg(MSG_LABEL_ENCODINGFINISHED));
    // Names as they are: an ampersand and markup show literally.
    EXPECT_EQ(label(ProgressLabel::LabelWorking), "Working on file 2 of 2: R&B <b>mix.wav");
    EXPECT_EQ(label(ProgressLabel::LabelOutput), "Output file: R&B <b>mix.mp3");
    EXPECT_EQ(window().Label(ProgressLabel::LabelWorking)->textFormat(), Qt::PlainText);
    EXPECT_EQ(label(ProgressLabel::LabelCovnerting), Msg(MSG_CONVERTING));
    EXPECT_TRUE(window().Animation()->Playing());
    EXPECT_EQ(tray.hint, Msg(MSG_TRAY_ENCODING_DONE));
    EXPECT_EQ(tray.balloonText, Msg(MSG_TRAY_CONVERT_COMPLETE));
}

TEST_F(WindowBatch, StopNowLeavesNoEncoderAlive) {
    GlobalVars.ShutdownWindowsWhenDone = true;
    const std::string pidFile = out.File("pid");
    encoder("echo $$ > '" + pidFile + "'\nsleep 60 &\n" + kProgress + "wait\n");
    add("a.wav");
    add("b.wav");
    answerer->answer = mrYes;
    onConverting = [&] { window().RequestClose(); };
    const std::string printed = convert();

    EXPECT_EQ(answerer->texts.size(), 1u);
    EXPECT_EQ(controller.LastResult(), BatchResult::Stopped);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(state(0), TFileState::Converting);
    EXPECT_EQ(state(1), TFileState::Waiting);
    EXPECT_EQ(printed.find("dry run"), std::string::npos) << "no action after stop now";
    const pid_t group = std::stoi(out.Read("pid"));
    EXPECT_TRUE(waitUntil([&] { return liveGroupMembers(group) == 0; })) << liveGroupMembers(group);
}

// "When done" ends the batch after the current file, and the end-of-batch check box ticked
// meanwhile brings the countdown; run out, the action follows.
TEST_F(WindowBatch, WhenDoneAndTheCheckBoxBringTheCountdown) {
    GlobalVars.ShutdownWindowsWhenDone = false;
    const std::string flag = out.File("go");
    encoder(std::string(kProgress) + "i=0; while [ ! -e '" + flag +
            "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\nprintf x > \"$last\"\n");
    add("a.wav");
    add("b.wav");
    answerer->answer = mrNo;
    onConverting = [&] {
        window().CheckBoxShutdown()->click();
        window().RequestClose();
        out.Write("go", "");
    };
    const std::string printed = convert();

    EXPECT_TRUE(GlobalVars.ShutdownWindowsWhenDone);
    EXPECT_TRUE(window().StopWhenDoneShown());
    EXPECT_EQ(controller.LastResult(), BatchResult::Completed);
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(state(1), TFileState::Waiting);
    EXPECT_TRUE(controller.ShutdownPerformed());
    EXPECT_NE(printed.find("dry run"), std::string::npos) << printed;
}

// The last file ends while the stop question is open: the window closes after the answer with
// Cancel, and no countdown follows whatever the answer was.
TEST_F(WindowBatch, TheBatchEndsWhileTheQuestionIsOpen) {
    GlobalVars.ShutdownWindowsWhenDone = true;
    const std::string flag = out.File("go");
    encoder(std::string(kProgress) + "i=0; while [ ! -e '" + flag +
            "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\nprintf x > \"$last\"\n");
    add("a.wav");
    answerer->answer = mrNo;
    answerer->meanwhile = [&] {
        out.Write("go", "");
        EXPECT_TRUE(waitUntil([&] { return window().Finished(); }));
    };
    onConverting = [&] { window().RequestClose(); };
    const std::string printed = convert();

    EXPECT_EQ(answerer->texts.size(), 1u);
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().result(), QDialog::Rejected);
    EXPECT_FALSE(controller.ShutdownPerformed());
    EXPECT_EQ(printed.find("dry run"), std::string::npos) << printed;
}

TEST_F(WindowBatch, TheCountdownDecidesTheAction) {
    GlobalVars.ShutdownWindowsWhenDone = true;
    encoder(std::string(kProgress) + "printf x > \"$last\"\n");
    add("a.wav");
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "run out");
        observer.SetCountdownTick(cancel ? 1000 : 20);
        QTimer poll;
        bool countdownSeen = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* countdown = qobject_cast<TfrmShutdown*>(QApplication::activeModalWidget());
            if (!countdown || countdownSeen)
                return;
            countdownSeen = true;
            if (cancel)
                countdown->ButtonCancel()->click();
        });
        poll.start(5);
        const std::string printed = convert();
        EXPECT_TRUE(countdownSeen);
        EXPECT_EQ(controller.ShutdownPerformed(), !cancel);
        EXPECT_EQ(printed.find("dry run") != std::string::npos, !cancel) << printed;
    }
}

// A job that cannot start leaves no file being converted: "When done" then ends the batch at
// once instead of waiting for a file that never ends.
TEST_F(WindowBatch, WhenDoneAfterAJobCouldNotStartEndsTheBatch) {
    GlobalVars.OutputFormat = ofMP4;
    preset = LoadPresetItems(home.Dir().Write("profile_en/default_setting/p.ini",
                                              "[Info]\nTitleE=P\n[Item1]\nTitleE=Video\nEXT=m4v\n"
                                              "Command1=\"\"<%AppPath%>/divuvo.dll\" -p 4417306 -i "
                                              "\"<%InputFile%>\" -y \"<%OutputFile%>.m4v\"\"\n"))
                 .at(0);
    encoder(std::string(kProgress) + "printf x > \"$last\"\n");
    add("a.wav");
    add("b.wav");
    // The second job's batch file cannot be written: a folder stands in its place.
    const std::string blocker = home.Path() + "~ConvertCore.bat";
    onSeen = [&](const std::string& entry) {
        if (entry == "a.wav 2")
            std::filesystem::create_directory(blocker);
    };
    answerer->answers = {mrOk, mrNo}; // the error message, then "When done"
    answerer->meanwhile = [&] {
        if (answerer->texts.size() == 1)
            QTimer::singleShot(0, [&] { window().RequestClose(); });
    };
    bool hung = false;
    QTimer::singleShot(10000, [&] {
        hung = controller.BatchRunning();
        if (hung)
            controller.StopNow();
    });
    convert();
    std::filesystem::remove(blocker);

    EXPECT_FALSE(hung);
    ASSERT_EQ(answerer->texts.size(), 2u);
    EXPECT_EQ(answerer->texts[1], Msg(MSG_ABORTENCODING));
    EXPECT_EQ(state(0), TFileState::Done);
    EXPECT_EQ(state(1), TFileState::Failed);
    EXPECT_FALSE(window().isVisible());
}

} // namespace
