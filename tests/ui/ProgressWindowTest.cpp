// The progress window on its own: the stop question and its outcomes, the throttled display,
// the tray and minimising.

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "engine/ProgressTexts.h"
#include "lang/Messages.h"
#include "ui/RecordingTray.h"
#include "ui/batch/ConvertAnimation.h"
#include "ui/batch/TfrmProgress.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace quillabe;
using quillabe::test::RecordingTray;

namespace {

// Answers the stop question; `meanwhile` runs while it is open, as the batch goes on then.
class Answerer : public MessageDialogHandler {
public:
    int Show(const MessageRequest& request) override {
        requests.push_back(request);
        if (meanwhile)
            meanwhile();
        return answer;
    }
    int answer = mrCancel;
    std::function<void()> meanwhile;
    std::vector<MessageRequest> requests;
};

class ProgressWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        SetMessageDialogHandler(answerer);
        QObject::connect(&window, &TfrmProgress::stopNowRequested, [this] { ++stopNow; });
        QObject::connect(&window, &TfrmProgress::stopWhenDoneChanged,
                         [this](bool stop) { stopWhenDone = stop; });
        window.show();
    }
    void TearDown() override { SetMessageDialogHandler(nullptr); }

    std::shared_ptr<Answerer> answerer = std::make_shared<Answerer>();
    TfrmProgress window;
    int stopNow = 0;
    std::optional<bool> stopWhenDone; // the last answer told to the controller
};

TEST_F(ProgressWindow, TheStopQuestionAndItsOutcomes) {
    struct Case {
        const char* name;
        bool earlierWhenDone; // "When done" was answered before
        bool endsBefore;      // the batch ended before the close request
        bool endsWhileAsking; // ... while the question was open
        int answer;
        bool asked;
        bool closes; // with Cancel
        bool stopsNow;
        std::optional<bool> toldWhenDone;
        std::optional<bool> labelShown; // unset: the window is closed, whatever it shows
    };
    const Case cases[] = {
        {"stop now", false, false, false, mrYes, true, true, true, false, {}},
        {"when done", false, false, false, mrNo, true, false, false, true, true},
        {"cancel", false, false, false, mrCancel, true, false, false, false, false},
        {"cancel withdraws when done", true, false, false, mrCancel, true, false, false, false,
         false},
        {"stop now after when done", true, false, false, mrYes, true, true, true, false, {}},
        {"ended before: nothing asked", false, true, false, mrYes, false, true, false, {}, {}},
        {"ended while asking, stop now", false, false, true, mrYes, true, true, false, {}, {}},
        {"ended while asking, when done", false, false, true, mrNo, true, true, false, {}, {}},
        {"ended while asking, cancel", false, false, true, mrCancel, true, true, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.Prepare();
        window.show();
        if (c.earlierWhenDone) {
            answerer->answer = mrNo;
            window.RequestClose();
            ASSERT_TRUE(window.StopWhenDoneShown());
        }
        if (c.endsBefore)
            window.MarkFinished();
        answerer->requests.clear();
        answerer->answer = c.answer;
        answerer->meanwhile = c.endsWhileAsking ? std::function<void()>([this] {
            window.MarkFinished();
            EXPECT_TRUE(window.isVisible()) << "the question's owner stays until it is answered";
        })
                                                : nullptr;
        stopNow = 0;
        stopWhenDone.reset();

        window.RequestClose();

        EXPECT_EQ(answerer->requests.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(!window.isVisible(), c.closes);
        if (c.closes && !c.endsBefore) {
            EXPECT_EQ(window.result(), QDialog::Rejected);
        }
        EXPECT_EQ(stopNow, c.stopsNow ? 1 : 0);
        EXPECT_EQ(stopWhenDone, c.toldWhenDone);
        if (c.labelShown) {
            EXPECT_EQ(window.StopWhenDoneShown(), *c.labelShown);
        }
        answerer->meanwhile = nullptr;
    }
}

TEST_F(ProgressWindow, TheQuestionAsItIsAsked) {
    window.RequestClose();
    ASSERT_EQ(answerer->requests.size(), 1u);
    const MessageRequest& r = answerer->requests[0];
    EXPECT_EQ(r.text, Msg(MSG_ABORTENCODING));
    EXPECT_EQ(r.title, "Question");
    EXPECT_EQ(r.icon, MessageIcon::Question);
    ASSERT_EQ(r.buttons.size(), 3u);
    const std::pair<const char*, int> buttons[] = {
        {"Stop now", mrYes}, {"When done", mrNo}, {"Cancel", mrCancel}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.buttons[i].caption, buttons[i].first);
        EXPECT_EQ(r.buttons[i].result, buttons[i].second);
    }
}

// The close button, Esc and Cancel all lead to the question; none closes the window by itself.
TEST_F(ProgressWindow, EveryWayOfClosingAsks) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"close button", [this] { window.close(); }},
        {"Esc",
         [this] {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&window, &esc);
         }},
        {"Cancel", [this] { window.ButtonCancel()->click(); }},
    };
    answerer->answer = mrCancel;
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        answerer->requests.clear();
        close();
        EXPECT_EQ(answerer->requests.size(), 1u);
        EXPECT_TRUE(window.isVisible());
    }
    answerer->answer = mrYes;
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(stopNow, 1);
}

// However fast the encoder writes, the labels and bars change at most once per interval, and
// what was written last is what shows.
TEST_F(ProgressWindow, TheDisplayIsThrottledAndEndsOnTheLastTexts) {
    ProgressTexts texts(window);
    auto update = [](int percent) {
        ProgressUpdate u;
        u.job = JobFigures{percent, 1000};
        u.batch = BatchFigures{percent / 2, 60000, 30000};
        u.fileNumber = 1;
        u.fileCount = 2;
        u.inputName = "/in/a.wav";
        u.outputName = "/out/a.mp3";
        u.jobPercent = percent;
        return u;
    };
    texts.DisplayReset();
    window.FlushDisplay();
    QLabel* status = window.Label(ProgressLabel::LabelStatus);
    const int before = window.DisplayUpdates();

    // A burst with no event processing in between: a single repaint follows it.
    for (int i = 0; i <= 1000; ++i)
        texts.Progress(update(i / 20));
    EXPECT_EQ(status->text(), "Status=0%") << "nothing is painted in the middle of a burst";
    QElapsedTimer clock;
    clock.start();
    while (window.DisplayUpdates() == before && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(window.DisplayUpdates(), before + 1);
    EXPECT_EQ(status->text(), "Status=50%");
    EXPECT_EQ(window.Bar(ProgressBar::Batch)->value(), 25);

    // A steady stream for 600 ms: about one repaint per interval, never one per update.
    const int streamStart = window.DisplayUpdates();
    int updates = 0;
    clock.restart();
    while (clock.elapsed() < 600) {
        texts.Progress(update(++updates % 100));
        QApplication::processEvents();
    }
    texts.Progress(update(77));
    window.FlushDisplay(); // the end of the batch
    EXPECT_GT(updates, 50);
    EXPECT_LE(window.DisplayUpdates() - streamStart, 600 / TfrmProgress::kDisplayIntervalMs + 2);
    EXPECT_EQ(status->text(), "Status=77%");
    EXPECT_EQ(window.Bar(ProgressBar::Status)->value(), 77);
    EXPECT_EQ(window.Label(ProgressLabel::LabelWorking)->text(), "Working on file 1 of 2: a.wav");
}

// While the animation plays, the texts go out with its frames (one repaint for both, not two
// clocks of ten a second); once it stops, what is still waiting is shown all the same.
TEST_F(ProgressWindow, WhileTheAnimationPlaysTheTextsGoOutWithItsFrames) {
    QLabel* status = window.Label(ProgressLabel::LabelStatus);
    bool shownWithAFrame = false;
    QObject::connect(window.Animation(), &ConvertAnimation::frameAdvanced, &window,
                     [&] { shownWithAFrame = status->text() == "with a frame"; });
    auto waitFor = [&](const char* text) {
        QElapsedTimer clock;
        clock.start();
        while (status->text() != text && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return status->text().toStdString();
    };

    window.StartAnimation();
    window.SetLabel(ProgressLabel::LabelStatus, "with a frame");
    EXPECT_EQ(waitFor("with a frame"), "with a frame");
    EXPECT_TRUE(shownWithAFrame);

    window.SetLabel(ProgressLabel::LabelStatus, "after the frames");
    window.StopAnimation();
    EXPECT_EQ(waitFor("after the frames"), "after the frames");
}

TEST_F(ProgressWindow, SendToTrayOrMinimiseWhereThereIsNone) {
    RecordingTray tray;
    window.SetTray(&tray);
    window.ButtonTray()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(tray.hidden, 1);
    EXPECT_EQ(tray.balloonTitle, "Quillabe Information");
    EXPECT_EQ(tray.balloonText, Msg(MSG_TRAY_MIN));
    EXPECT_EQ(tray.balloonMs, 10000);
    // The tray's stop command reaches the hidden window and asks.
    answerer->answer = mrNo;
    window.RequestClose();
    EXPECT_EQ(answerer->requests.size(), 1u);
    EXPECT_EQ(stopWhenDone, true);

    RecordingTray none(false);
    window.SetTray(&none);
    window.show();
    window.ButtonTray()->click();
    EXPECT_EQ(none.hidden + none.balloons, 0);
    EXPECT_TRUE(window.isMinimized());
    window.SetTray(nullptr);
}

TEST(ProgressWindowAlone, MinimisingItMinimisesTheWholeProgram) {
    QWidget main;
    main.show();
    TfrmProgress window(&main);
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(main.isMinimized());
}

// The check boxes start from the settings and change them at once.
TEST_F(ProgressWindow, TheCheckBoxesCopyIntoTheSettings) {
    GlobalVars.ShutdownWindowsWhenDone = true;
    window.Prepare();
    EXPECT_TRUE(window.CheckBoxShutdown()->isChecked());
    EXPECT_TRUE(window.CheckBoxDelSource()->isHidden());
    std::optional<bool> told;
    QObject::connect(&window, &TfrmProgress::shutdownWhenDoneChanged, [&](bool on) { told = on; });
    window.CheckBoxShutdown()->click();
    EXPECT_FALSE(GlobalVars.ShutdownWindowsWhenDone);
    EXPECT_EQ(told, false);
}

} // namespace
