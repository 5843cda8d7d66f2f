// The Qt message dialogs, shown for real on the offscreen platform and answered by a click.

#include "ui/main/QtMessageDialogs.h"
#include "core/GlobalVars.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

TEST(QtMessageDialogs, CaptionsResultsAndFrenchWidths) {
    QtMessageDialogs dialogs;
    GlobalVars.LanguageFile = "english.ini";
    auto request = BuildMessageDialog(
        "Stop?", "Question", MsgDlgType::Confirmation, {"Stop now", "When done", "Cancel"},
        Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No) | Btn(MsgDlgBtn::Cancel));
    QStringList texts;
    int englishWidth = 0;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            texts << b->text().remove('&');
        englishWidth = box->buttons().front()->minimumWidth();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "When done")
                b->click();
    });
    EXPECT_EQ(dialogs.Show(request), mrNo);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Cancel", "Stop now", "When done"}));

    GlobalVars.LanguageFile = "french.ini";
    request =
        BuildMessageDialog("Stop?", "Question", MsgDlgType::Confirmation, {"Stop now", "When done"},
                           Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No));
    int frenchWidth = 0;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        frenchWidth = box->buttons().front()->minimumWidth();
        box->buttons().front()->click();
    });
    dialogs.Show(request);
    EXPECT_GT(englishWidth, 0);
    EXPECT_GT(frenchWidth, englishWidth * 3 / 2) << "110 against 70 dialog units";
    GlobalVars.LanguageFile = "english.ini";
}

TEST(QtMessageDialogs, EscapeGivesCancelAndOkBoxesGiveOk) {
    QtMessageDialogs dialogs;
    QTimer::singleShot(50, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.Show(BuildMessageBox("Create?", "Create directory", 35)), mrCancel);
    QTimer::singleShot(50, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.Show(BuildMessageBox("Done", "Hint", 48)), mrOk);
}

} // namespace

int main(int argc, char** argv) {
    quillabe::test::PrepareTestEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
