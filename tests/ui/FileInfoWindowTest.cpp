// The File Information window: caption, report, placement, button centring, saving and the file
// that is gone.

#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "support/TempDir.h"
#include "ui/dialogs/FileDialogFilter.h"
#include "ui/dialogs/TfrmFileInfo.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace quillabe {
namespace {

using test::TempDir;

// A tenth of a second of 8 kHz mono 16-bit silence: small, and every media library knows it.
std::string wavBytes() {
    const uint32_t data = 1600;
    std::string w = "RIFF";
    auto u32 = [&w](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            w += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&w](uint16_t v) {
        w += static_cast<char>(v & 0xFF);
        w += static_cast<char>(v >> 8);
    };
    u32(36 + data);
    w += "WAVEfmt ";
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(8000);  // samples per second
    u32(16000); // bytes per second
    u16(2);
    u16(16);
    w += "data";
    u32(data);
    w += std::string(data, '\0');
    return w;
}

class FileInfoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        clip = dir.Write("in folder/clip one.wav", wavBytes());
        answers = std::make_shared<ScriptedMessageDialogs>();
        SetMessageDialogHandler(answers);
    }
    void TearDown() override {
        SetMessageDialogHandler(nullptr);
        ResetMessages();
    }
    // Runs `check` on the modal window that opens next, then closes it with OK.
    static void onNextModal(std::function<void(QWidget*)> check) {
        QTimer::singleShot(0, [check] {
            QWidget* modal = QApplication::activeModalWidget();
            check(modal);
            if (modal)
                modal->close();
        });
    }

    TempDir dir;
    std::string clip;
    std::shared_ptr<ScriptedMessageDialogs> answers;
};

TEST_F(FileInfoWindow, CaptionReportAndPlaceOverTheMainWindow) {
    QWidget main;
    main.setGeometry(100, 50, 754, 571);
    main.show();
    bool seen = false;
    onNextModal([&](QWidget* modal) {
        auto* form = qobject_cast<TfrmFileInfo*>(modal);
        ASSERT_NE(form, nullptr);
        seen = true;
        EXPECT_EQ(form->windowTitle().toStdString(), "File Information - clip one.wav");
        EXPECT_EQ(form->size(), QSize(400, 250));
        EXPECT_EQ(form->pos(), QPoint(100 + (754 - 400) / 2, 50 + (571 - 250) / 2));
        const std::string report = form->Memo()->toPlainText().toStdString();
        EXPECT_NE(report.find("clip one.wav"), std::string::npos) << report;
        EXPECT_NE(report.find("Wave"), std::string::npos) << report;
        EXPECT_TRUE(form->Memo()->isReadOnly());
    });
    ShowFileInformation(clip, &main);
    EXPECT_TRUE(seen);
}

TEST_F(FileInfoWindow, FileDeletedAfterItWasListedOpensNothing) {
    const std::string gone = dir.File("gone.wav");
    bool opened = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    guard.start(20);
    ShowFileInformation(gone, nullptr);
    EXPECT_FALSE(opened);

    TfrmFileInfo form;
    form.ShowFileInfo(clip);
    const QString before = form.Memo()->toPlainText();
    form.ShowFileInfo(gone);
    EXPECT_EQ(form.Memo()->toPlainText(), before) << "a report shown stays";
    EXPECT_TRUE(answers->Requests().empty());
}

TEST_F(FileInfoWindow, ButtonsStayCentredOnEveryResize) {
    SetMsg(MSG_SAVE_FILE_INFO, "Save..."); // both buttons keep their 90 pixels
    TfrmFileInfo form;
    form.show();
    ASSERT_EQ(form.SaveButton()->width(), 90);
    const struct {
        int width;
        int okLeft;
    } cases[] = {{400, 106}, {401, 106}, {600, 206}, {1001, 406}};
    for (const auto& c : cases) {
        form.resize(c.width, 300);
        EXPECT_EQ(form.BottomPanel()->width(), c.width);
        EXPECT_EQ(form.OkButton()->x(), c.okLeft) << c.width;
        EXPECT_EQ(form.SaveButton()->x(), c.okLeft + 98) << c.width;
    }
    EXPECT_EQ(form.BottomPanel()->y(), 260);
    EXPECT_EQ(form.Memo()->height(), 260);
}

TEST_F(FileInfoWindow, LongCaptionWidensItsButton) {
    SetMsg(MSG_SAVE_FILE_INFO, "Informationen zur Datei speichern...");
    TfrmFileInfo form;
    form.show();
    QPushButton* save = form.SaveButton();
    EXPECT_GE(save->width(), save->sizeHint().width());
    EXPECT_EQ(save->x(), form.OkButton()->x() + form.OkButton()->width() + 8);
    EXPECT_GE(form.OkButton()->x(), 0);
}

TEST_F(FileInfoWindow, SavedFileHoldsTheReportLineByLine) {
    TfrmFileInfo form;
    form.ShowFileInfo(clip);
    ASSERT_FALSE(form.ReportLines().empty());
    const std::string out = dir.File("report.txt");
    ASSERT_TRUE(form.SaveFileInfo(out));
    std::string expected;
    for (const QString& line : form.Memo()->toPlainText().split('\n'))
        expected += line.toStdString() + "\n";
    EXPECT_EQ(dir.Read("report.txt"), expected);
    EXPECT_EQ(expected.find('\r'), std::string::npos);
    EXPECT_TRUE(answers->Requests().empty());
}

TEST_F(FileInfoWindow, WriteFailuresAreTold) {
    TfrmFileInfo form;
    form.ShowFileInfo(clip);
    for (const std::string& target : {dir.File("no such folder/report.txt"), dir.Path()}) {
        answers->Clear();
        EXPECT_FALSE(form.SaveFileInfo(target)) << target;
        ASSERT_EQ(answers->Requests().size(), 1u) << target;
        const MessageRequest& told = answers->Requests().front();
        EXPECT_EQ(told.title, "Error");
        EXPECT_NE(told.text.find("Unable to write to \"" + target + "\""), std::string::npos)
            << told.text;
    }
}

TEST_F(FileInfoWindow, SaveDialogOffersTextFilesAndAddsTheExtension) {
    TfrmFileInfo form;
    form.ShowFileInfo(clip);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"Text Files (*.txt)", "All Files (*)"}));
        EXPECT_EQ(dialog->defaultSuffix(), "txt");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->setDirectory(QString::fromStdString(dir.Path()));
        dialog->selectFile(QString::fromStdString(dir.File("saved")));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, through the public base
    });
    form.SaveButton()->click();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(dir.Read("saved.txt").empty());
}

TEST_F(FileInfoWindow, EnterInTheReportClosesTheWindowWithOk) {
    TfrmFileInfo form;
    form.ShowFileInfo(clip);
    QTimer::singleShot(0, [&] {
        form.Memo()->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(form.Memo(), &enter);
    });
    QTimer::singleShot(2000, &form, &QDialog::reject); // in case Enter were swallowed
    EXPECT_EQ(form.exec(), QDialog::Accepted);
}

TEST(FileDialogFilterText, PipeFiltersBecomeDialogFilters) {
    const struct {
        const char* pipe;
        const char* dialog;
    } cases[] = {
        {"Text Files (*.txt)|*.txt|All Files (*.*)|*.*", "Text Files (*.txt);;All Files (*)"},
        {"Video|*.avi;*.mpg", "Video (*.avi *.mpg)"},
        {"Clips (old) (*.avi)|*.avi", "Clips (old) (*.avi)"},
        {"Lonely", "Lonely"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileDialogFilter(c.pipe).toStdString(), c.dialog) << c.pipe;
}

} // namespace
} // namespace quillabe
