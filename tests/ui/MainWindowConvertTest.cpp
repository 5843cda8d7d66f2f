// The main window's Convert command end to end: the window's own controls make the request, a
// shell-script encoder in the test's program directory converts, and the list follows the jobs.

#include "MainWindowFixture.h"

#include "core/OutputFormat.h"
#include "ui/dialogs/TfrmSettings.h"
#include "ui/main/BatchLauncher.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/SystemTray.h"

#include <QAction>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <sys/stat.h>

using namespace quillabe;

namespace {

class MainWindowConvert : public test::MainWindowFixture {
protected:
    // Writes a small mark to the output path, its last argument.
    void WriteEncoder() {
        const std::string path = home_.Dir().Write(
            "divuvo.dll", "#!/bin/sh\nfor last; do :; done\nprintf converted > \"$last\"\n");
        chmod(path.c_str(), 0755);
    }
    TfrmMain& ReadyWindow() {
        TfrmMain& w = Window();
        w.Formats()->SelectFormat(w.Formats()->FormatAction(ofMP3));
        w.OutputFolder()->SetText(out_.Path());
        w.show();
        return w;
    }
    TFileState StateOf(TfrmMain& w, int row) {
        FileListModel* model = w.Files()->Model();
        return static_cast<TFileState>(
            model->data(model->index(row, 0), FileListModel::StateRole).toInt());
    }

    test::TempDir out_;
};

TEST_F(MainWindowConvert, ConvertsTheQueuedFilesIntoTheOutputFolder) {
    WriteEncoder();
    TfrmMain& w = ReadyWindow();
    w.AddFiles({Media("one.wav"), Media("two.wav")});
    ASSERT_EQ(w.Files()->List().Count(), 2u);

    w.Action("ActionConvert")->trigger();

    ASSERT_NE(w.Launcher(), nullptr);
    EXPECT_EQ(w.Launcher()->Controller().LastResult(), BatchResult::Completed);
    EXPECT_EQ(StateOf(w, 0), TFileState::Done);
    EXPECT_EQ(StateOf(w, 1), TFileState::Done);
    EXPECT_EQ(out_.Read("one.mp3"), "converted");
    EXPECT_EQ(out_.Read("two.mp3"), "converted");
    EXPECT_FALSE(w.Launcher()->Observer().Window().isVisible());
    EXPECT_TRUE(dialogs_->Requests().empty()) << dialogs_->Requests()[0].text;

    // The second batch runs through the same controller and gives the outputs new names.
    w.Action("ActionConvert")->trigger();
    EXPECT_EQ(out_.Read("one(1).mp3"), "converted");
    EXPECT_EQ(StateOf(w, 1), TFileState::Done);
}

// A termination signal during a batch stops it without the stop question: nobody is there to
// answer, and the encoder's partial output goes.
TEST_F(MainWindowConvert, ASignalStopsTheBatchWithoutAsking) {
    const std::string path = home_.Dir().Write(
        "divuvo.dll", "#!/bin/sh\nfor last; do :; done\nprintf partial > \"$last\"\n"
                      "printf '  Duration: 00:00:10.00, x\\n' >&2\n"
                      "printf 'size=  1kB time=1.00 bitrate= 1.0kbits/s\\r' >&2\nsleep 60\n");
    chmod(path.c_str(), 0755);
    TfrmMain& w = ReadyWindow();
    w.AddFiles({Media("one.wav")});
    EXPECT_FALSE(w.StopBatchForSignal()) << "no batch runs yet";
    QTimer::singleShot(300, &w, [&w] { EXPECT_TRUE(w.StopBatchForSignal()); });
    w.Action("ActionConvert")->trigger();
    EXPECT_EQ(w.Launcher()->Controller().LastResult(), BatchResult::Stopped);
    EXPECT_TRUE(dialogs_->Requests().empty()) << dialogs_->Requests()[0].text;
    EXPECT_FALSE(std::filesystem::exists(out_.File("one.mp3")));
    EXPECT_FALSE(w.Launcher()->Observer().Window().isVisible());
}

TEST_F(MainWindowConvert, AnEmptyListIsRefusedWithAMessage) {
    WriteEncoder();
    TfrmMain& w = ReadyWindow();

    w.Action("ActionConvert")->trigger();

    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    EXPECT_EQ(dialogs_->Requests()[0].text, Msg(MSG_NOFILES));
    EXPECT_FALSE(w.Launcher()->Observer().Window().isVisible());
}

// The request is read from the window's controls and the settings at the moment of Convert; the
// preset formats take the chosen variant, never a profile file.
TEST_F(MainWindowConvert, TheRequestTakesTheControlsAndTheSettings) {
    TfrmMain& w = ReadyWindow();
    GlobalVars.DeleteFileAfterProcessing = true;
    GlobalVars.ShutdownWindowsWhenDone = true;
    GlobalVars.ShutdownFlag = 3;
    GlobalVars.Priority = 2;
    GlobalVars.SimultaneousJobs = 3;

    const BatchRequest request = MakeBatchRequest(*w.Formats(), *w.OutputFolder());
    EXPECT_EQ(request.format, ofMP3);
    EXPECT_EQ(request.profilePath, w.Formats()->CurrentProfilePath());
    EXPECT_FALSE(request.preset);
    EXPECT_EQ(request.outputFolder, out_.Path());
    EXPECT_TRUE(request.deleteSource);
    EXPECT_TRUE(request.shutdownWhenDone);
    EXPECT_EQ(request.shutdownFlag, 3);
    EXPECT_EQ(request.priority, 2);
    EXPECT_EQ(request.jobs, 3);

    w.Formats()->SelectFormat(w.Formats()->FormatAction(ofMP4));
    const BatchRequest mp4 = MakeBatchRequest(*w.Formats(), *w.OutputFolder());
    EXPECT_EQ(mp4.format, ofMP4);
    EXPECT_EQ(mp4.profilePath, "");
    EXPECT_EQ(mp4.preset.has_value(), w.Formats()->SelectedPreset().has_value());
}

TEST_F(MainWindowConvert, SettingsOpensTheSettingsWindowOverTheMainWindow) {
    TfrmMain& w = ReadyWindow();
    bool shown = false;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
        if (!form)
            return;
        shown = true;
        owner = form->parentWidget();
        form->ButtonCancel()->click();
    });

    w.Action("ActionSettings")->trigger();

    EXPECT_TRUE(shown);
    EXPECT_EQ(owner, &w);
}

// The offscreen desktop has no notification area: hiding the window there would lose it, so the
// tray minimises it instead.
TEST_F(MainWindowConvert, WithoutANotificationAreaTheWindowIsMinimisedNotHidden) {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    TfrmMain& w = ReadyWindow();
    SystemTray tray(&w);
    EXPECT_FALSE(tray.TrayAvailable());

    tray.HideToTray();

    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());
    EXPECT_FALSE(tray.Icon()->isVisible());
}

} // namespace
