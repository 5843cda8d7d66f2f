#pragma once
// The batch controller's test harness: a program directory of the test's own with small
// shell-script encoders, and a host that records what a progress window would show.

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "engine/BatchController.h"
#include "engine/ProgressTexts.h"
#include "engine/Redirector.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quillabe::test::controller {

using namespace quillabe;
using quillabe::test::ProgramHome;
using quillabe::test::TempDir;

// Records what a progress window would show: the figures go through the shared texts into
// labels and bars, as in the window.
class RecordingHost : public BatchObserver, public BatchQuestions, private ProgressView {
public:
    explicit RecordingHost(FileList& files) : files_(files) {
        // A hung batch fails the test; the timer goes with the host.
        watchdog_.setSingleShot(true);
        watchdog_.callOnTimeout([this] {
            if (controller && !closed)
                controller->StopNow();
        });
    }

    // BatchObserver
    void DisplayReset() override { texts_.DisplayReset(); }
    void Progress(const ProgressUpdate& u) override {
        updates.push_back(u);
        if (u.batch)
            batchPercents.push_back(u.batch->percent);
        texts_.Progress(u);
        if (onProgress)
            onProgress(u);
    }
    void JobDone(const BatchAfterJob& b) override {
        jobsDone.push_back(b);
        if (b.percent)
            batchPercents.push_back(*b.percent);
        texts_.JobDone(b);
    }
    void Phase(BatchPhase phase) override { texts_.Phase(phase); }
    void FileState(const std::string& path, TFileState state) override {
        files_.SetFileState(path, state);
    }
    void BatchOpened() override {
        caption = Msg(MSG_ID_ENC_IN_PROGRESS);
        opened = true;
        closed.reset();
        watchdog_.start(20000);
    }
    void BatchClosed(bool stoppedByUser) override {
        closed = stoppedByUser;
        released = true;
    }
    void BatchSucceeded() override { balloon = Msg(MSG_TRAY_CONVERT_COMPLETE); }
    void JobStarted(int index, const std::string&, const std::string&) override {
        started.push_back(index);
        maxRunning = std::max(maxRunning, ++running);
    }
    void JobFinished(int, const std::string&, bool) override { --running; }
    void SourceKept(const std::string&, const std::string& reason) override {
        keptReasons.push_back(reason);
    }
    void BatchStopped() override { stopped = true; }
    void JobStartFailed(bool chaining) override {
        ++startFailures;
        if (chaining && controller)
            controller->StopNow();
    }

    // BatchQuestions
    bool CheckOutputFolder(const std::string& folder) override {
        checkedFolder = folder;
        return DirectoryExists(folder);
    }
    bool RunShutdownCountdown() override {
        ++countdowns;
        return countdownAnswer;
    }

    std::map<ProgressLabel, std::string> labels;
    std::map<ProgressBar, int> bars;
    std::function<void(ProgressBar)> onBar; // called once a job has made progress
    std::function<void(const ProgressUpdate&)> onProgress;
    std::vector<ProgressUpdate> updates;
    std::vector<BatchAfterJob> jobsDone;
    std::vector<int> batchPercents; // every batch percentage shown, in order
    std::vector<int> started;       // the indexes of the jobs in the order they started
    int running = 0, maxRunning = 0;
    bool animating = false;
    std::string trayHint, caption, balloon, checkedFolder;
    std::optional<bool> closed; // set when the batch closed: whether it was stopped
    bool opened = false, released = false, countdownAnswer = true, stopped = false;
    int countdowns = 0, startFailures = 0;
    std::vector<std::string> keptReasons;
    BatchController* controller = nullptr;

private:
    // ProgressView: where the shared texts land.
    void SetLabel(ProgressLabel label, const std::string& text) override {
        if (label == ProgressLabel::Caption)
            caption = text;
        labels[label] = text;
    }
    void SetBar(ProgressBar bar, int percent) override {
        bars[bar] = percent;
        if (onBar && percent > 0)
            onBar(bar);
    }
    bool AnimationRunning() const override { return animating; }
    void StartAnimation() override { animating = true; }
    void StopAnimation() override { animating = false; }
    void SetTrayHint(const std::string& hint) override { trayHint = hint; }
    void SetFileState(const std::string& path, TFileState state) override {
        files_.SetFileState(path, state);
    }

    FileList& files_;
    ProgressTexts texts_{*this};
    QTimer watchdog_;
};

inline bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 5) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        usleep(5000);
    }
    return done();
}

// Processes of the group that are not zombies.
inline int liveGroupMembers(pid_t group) {
    int live = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        // One line; a process that ends meanwhile reads as an empty line, never as an error.
        std::string text;
        std::getline(stat, text);
        size_t close = text.rfind(')');
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

// A real, tiny media file: 16-bit mono PCM at 8 kHz in a WAV container.
inline std::string wavBytes(int milliseconds) {
    const uint32_t data = static_cast<uint32_t>(milliseconds) * 16;
    std::string out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xff);
    };
    auto u16 = [&](uint16_t v) {
        out += static_cast<char>(v & 0xff);
        out += static_cast<char>(v >> 8);
    };
    out += "RIFF";
    u32(36 + data);
    out += "WAVEfmt ";
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(8000);  // samples per second
    u32(16000); // bytes per second
    u16(2);     // block size
    u16(16);    // bits per sample
    out += "data";
    u32(data);
    out += std::string(data, '\0');
    return out;
}

// Encoder bodies: $last is the output path, $4 the input slot.
inline constexpr const char* kPrologue = "#!/bin/sh\nfor last; do :; done\n";
inline constexpr const char* kGood =
    "printf '  Duration: 00:00:10.00, start: 0\\n' >&2\n"
    "printf 'frame=1 size=   5kB time=5.00 bitrate= 8.0kbits/s\\r' >&2\n"
    "printf 'x' > \"$last\"\n";

class Controller : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        SetStartupConstants();
        SetGlobalDefaults();
        GlobalVars.OutputFormat = ofMP3;
        ASSERT_TRUE(CreateProfileDirs());
        home.Dir().Write("profile_en/DirectShow.avs", "DirectShowSource(\"<%InputFile%>\")\n");
        home.Dir().Write("cores/DirectShow.avs", "DirectShowSource(\"<%InputFile%>\")\n");
        request.outputFolder = out.Path();
        dialogs = std::make_shared<ScriptedMessageDialogs>();
        SetMessageDialogHandler(dialogs);
    }
    void TearDown() override { SetMessageDialogHandler(nullptr); }

    void encoder(const std::string& body) {
        std::string path = home.Dir().Write("divuvo.dll", kPrologue + body);
        chmod(path.c_str(), 0755);
    }
    // A file the list accepts without a probe: the size is what the batch counts.
    void add(const std::string& path, const std::string& size = "100") {
        if (!FileExists(path))
            in.Write(ExtractFileName(path), "source");
        TFileItem item;
        item.FileName = ExtractFileName(path);
        item.FilePath = ExtractFilePath(path);
        item.CompleteName = path;
        item.FileSize = size;
        probes[path] = item;
        ASSERT_EQ(files.AddFile(path), AddResult::Added)
            << path << " " << GlobalVars.InputFileTypes.Count();
    }
    TFileState state(size_t i) const { return files.At(i).state; }
    // The Convert command with the settings the test made, as a front end would ask.
    void convert() {
        request.format = GlobalVars.OutputFormat;
        if (!IsPresetFormat(request.format))
            request.profilePath = ProfilePath(request.format, "");
        request.deleteSource = GlobalVars.DeleteFileAfterProcessing;
        request.shutdownWhenDone = GlobalVars.ShutdownWindowsWhenDone;
        request.shutdownFlag = GlobalVars.ShutdownFlag;
        request.priority = GlobalVars.Priority;
        host.controller = &controller;
        controller.ActionConvertExecute(request);
    }

    ProgramHome home;
    TempDir in, out;
    std::map<std::string, TFileItem> probes;
    FileList files{[this](const std::string& p, TFileItem& item) {
        item = probes.at(p);
        return true;
    }};
    RecordingHost host{files};
    TRedirector runner;
    BatchController controller{files, runner, host, host};
    BatchRequest request;
    std::shared_ptr<ScriptedMessageDialogs> dialogs;
};

} // namespace quillabe::test::controller
