// The shutdown countdown with a fast clock: cancelled at once, or run out to its end.

#include "lang/Messages.h"
#include "ui/batch/TfrmShutdown.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

TEST(ShutdownCountdown, CancelledAtOnceGivesCancel) {
    TfrmShutdown countdown(nullptr);
    EXPECT_EQ(countdown.LabelTimeOut()->text(), "Time left: 30");
    QTimer::singleShot(0, countdown.ButtonCancel(), &QPushButton::click);
    EXPECT_EQ(countdown.exec(), QDialog::Rejected);
    EXPECT_EQ(countdown.SecondsLeft(), 30) << "no tick passed";
}

// The user sees 30 down to 0; the window closes with OK on the tick after 0.
TEST(ShutdownCountdown, RunsOutOnTheTickAfterZero) {
    TfrmShutdown countdown(nullptr, 1);
    std::vector<std::string> shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::string text = countdown.LabelTimeOut()->text().toStdString();
        if (shown.empty() || shown.back() != text)
            shown.push_back(text);
    });
    watch.start(0);
    EXPECT_EQ(countdown.exec(), QDialog::Accepted);
    EXPECT_EQ(countdown.SecondsLeft(), -1);
    EXPECT_EQ(countdown.LabelTimeOut()->text(), "Time left: 0");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "Time left: 30");
    EXPECT_EQ(countdown.windowTitle().toStdString(), Msg(MSG_SHUTDOWN_TITLE));
}

} // namespace
