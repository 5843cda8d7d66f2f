// The value entry dialog: what a typed text gives, which message a bad one brings, and that the
// dialog stays open with the text selected until a valid value or Cancel ends it.

#include "core/MessageDialogs.h"
#include "ui/dialogs/TfrmEnterValue.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace quillabe;

namespace {

class EnterValueDialog : public ::testing::Test {
protected:
    void SetUp() override {
        answers = std::make_shared<ScriptedMessageDialogs>();
        SetMessageDialogHandler(answers);
    }
    void TearDown() override { SetMessageDialogHandler(nullptr); }

    // Asks for a bitrate between 64 and 9600 with 1000 as the current value; `act` works the
    // dialog, which must end by the time it returns.
    int ask(const std::function<void(QDialog&)>& act, QWidget* owner = nullptr) {
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            act(*form);
            EXPECT_FALSE(form->isVisible()) << "the dialog is still open";
            if (form->isVisible())
                form->reject();
        });
        return AskIntegerValue(owner, "Bitrate", "Enter the bitrate:", 1000, 9600, 64);
    }

    static QLineEdit* edit(QDialog& form) { return form.findChild<QLineEdit*>("EditValue"); }
    static void clickOK(QDialog& form) { form.findChild<QPushButton*>("btnOK")->click(); }

    std::shared_ptr<ScriptedMessageDialogs> answers;
};

TEST_F(EnterValueDialog, TypedTexts) {
    struct Case {
        const char* text;
        int result;          // what the call returns
        const char* message; // the message shown, empty for none
    };
    const char* const range =
        "The value you entered is not valid. Please make sure the value is between 64 and 9600!";
    const Case cases[] = {
        {"64", 64, ""},
        {"9600", 9600, ""},
        {"  +128", 128, ""},
        {"$100", 256, ""},
        {"0x100", 256, ""},
        {"12a", 1000, "The value you entered is not valid. Error in position 3."},
        {"", 1000, "The value you entered is not valid. Error in position 1."},
        {"-", 1000, "The value you entered is not valid. Error in position 2."},
        {"0x", 1000, "The value you entered is not valid. Error in position 3."},
        {"128 ", 1000, "The value you entered is not valid. Error in position 4."},
        {"99999999999", 1000, "The value you entered is not valid. Error in position 10."},
        {"50", 1000, range},
        {"63", 1000, range},
        {"9601", 1000, range},
        {"10000", 1000, range},
        {"-2147483648", 1000, range},
        {"$FFFFFFFF", 1000, range}, // the full 32-bit pattern is -1
    };
    for (const Case& c : cases) {
        answers->Clear();
        bool stayedOpen = false;
        bool selected = false;
        const int result = ask([&](QDialog& form) {
            QLineEdit* value = edit(form);
            EXPECT_TRUE(value->text().isEmpty());
            value->setText(c.text);
            clickOK(form);
            stayedOpen = form.isVisible();
            selected = form.focusWidget() == value && value->selectedText() == value->text();
            if (stayedOpen)
                form.findChild<QPushButton*>("btnCancel")->click();
        });
        EXPECT_EQ(result, c.result) << c.text;
        const bool bad = *c.message != '\0';
        EXPECT_EQ(stayedOpen, bad) << c.text;
        ASSERT_EQ(answers->Requests().size(), bad ? 1u : 0u) << c.text;
        if (bad) {
            const MessageRequest& shown = answers->Requests()[0];
            EXPECT_EQ(shown.text, c.message);
            EXPECT_EQ(shown.title, "Invalid Value");
            EXPECT_EQ(shown.flags, MB_OK | MB_ICONEXCLAMATION);
            EXPECT_TRUE(selected) << c.text;
        }
    }
}

TEST_F(EnterValueDialog, CancelEscapeAndCloseKeepTheCurrentValue) {
    const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
        {"Cancel", [](QDialog& form) { form.findChild<QPushButton*>("btnCancel")->click(); }},
        {"Escape in the edit",
         [](QDialog& form) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(edit(form), &esc);
         }},
        {"Escape on OK",
         [](QDialog& form) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(form.findChild<QPushButton*>("btnOK"), &esc);
         }},
        {"close box", [](QDialog& form) { form.close(); }},
    };
    for (const auto& [name, way] : ways) {
        const int result = ask([&](QDialog& form) {
            edit(form)->setText("128");
            way(form);
        });
        EXPECT_EQ(result, 1000) << name;
    }
    EXPECT_TRUE(answers->Requests().empty());
}

TEST_F(EnterValueDialog, EnterAcceptsAndTheDialogSitsCentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    QRect placed;
    QString title, prompt;
    const int result = ask(
        [&](QDialog& form) {
            // move() places the frame's corner; the halves are of the dialog's own size.
            placed = QRect(form.pos(), form.size());
            title = form.windowTitle();
            prompt = form.findChild<QLabel*>("LabelDisplayMessage")->text();
            edit(form)->setText("700");
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(edit(form), &enter);
        },
        &owner);
    EXPECT_EQ(result, 700);
    EXPECT_EQ(title, "Bitrate");
    EXPECT_EQ(prompt, "Enter the bitrate:");
    const QRect main = owner.geometry();
    EXPECT_EQ(placed.left(), main.left() + (main.width() - placed.width()) / 2);
    EXPECT_EQ(placed.top(), main.top() + (main.height() - placed.height()) / 2);
}

} // namespace
