// The main window's remaining commands: the notification-area menu during and outside a batch,
// bringing the windows back, the help pages, the About window and Burn DVD.

#include "MainWindowFixture.h"

#include "core/OutputFormat.h"
#include "core/SystemSettings.h"
#include "ui/batch/TfrmProgress.h"
#include "ui/dialogs/TfrmAbout.h"
#include "ui/main/BatchLauncher.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/HtmlHelp.h"
#include "ui/main/SystemTray.h"
#include "ui/skin/TSkinImage.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>

using namespace quillabe;

namespace {

class TrayAndCommands : public test::MainWindowFixture {
protected:
    // An encoder that reports a little progress, then runs until it is stopped.
    void WriteSlowEncoder() {
        const std::string path = home_.Dir().Write(
            "divuvo.dll", "#!/bin/sh\nfor last; do :; done\nprintf partial > \"$last\"\n"
                          "printf '  Duration: 00:00:10.00, x\\n' >&2\n"
                          "printf 'size=  1kB time=1.00 bitrate= 1.0kbits/s\\r' >&2\n"
                          "sleep 60\n");
        chmod(path.c_str(), 0755);
    }
    TfrmMain& ReadyWindow() {
        TfrmMain& w = Window();
        w.Formats()->SelectFormat(w.Formats()->FormatAction(ofMP3));
        w.OutputFolder()->SetText(out_.Path());
        w.show();
        return w;
    }
    // Runs a batch of one file; `during` runs once the encoder is at work, and must end it.
    void DuringABatch(TfrmMain& w, std::function<void()> during) {
        w.AddFiles({Media("one.wav")});
        QTimer::singleShot(300, &w, [&w, during] {
            ASSERT_TRUE(w.Launcher()->Observer().BatchRunning());
            during();
        });
        w.Action("ActionConvert")->trigger();
    }
    // The tray comes with the Convert command; an empty list makes it without a batch.
    SystemTray& TrayWithoutBatch(TfrmMain& w) {
        w.Action("ActionConvert")->trigger();
        dialogs_->Clear();
        return w.Launcher()->Tray();
    }
    static std::string ExitCaption(SystemTray& tray) {
        tray.PopupMenuTrayPopup();
        return tray.MenuItemTrayExit()->text().toStdString();
    }

    test::TempDir out_;
};

TEST_F(TrayAndCommands, DuringABatchTheExitItemAsksTheStopQuestionInsteadOfEnding) {
    WriteSlowEncoder();
    TfrmMain& w = ReadyWindow();
    std::optional<int> ended;
    w.SetEndProgram([&](int code) { ended = code; });
    std::string caption;
    DuringABatch(w, [&] {
        SystemTray& tray = w.Launcher()->Tray();
        caption = ExitCaption(tray);
        EXPECT_EQ(tray.MenuItemTrayShowWindow()->text().toStdString(), Msg(MSG_SHOW_WINDOW));
        EXPECT_EQ(tray.PopupMenuTray()->defaultAction(), tray.MenuItemTrayShowWindow());
        dialogs_->Answer(mrYes); // "Stop now"
        tray.MenuItemTrayExit()->trigger();
    });

    EXPECT_EQ(caption, Msg(MSG_TRAY_MENU_STOPENCODING));
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    EXPECT_EQ(dialogs_->Requests()[0].text, Msg(MSG_ABORTENCODING));
    EXPECT_EQ(w.Launcher()->Controller().LastResult(), BatchResult::Stopped);
    EXPECT_FALSE(ended) << "the program goes on after the batch";
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ExitCaption(w.Launcher()->Tray()), Msg(MSG_TRAY_MENU_EXIT));
}

// Outside a batch the exit item closes the window the usual way, which saves the settings. From
// the notification area the window is hidden, and closing a hidden window would not end the
// program by itself.
TEST_F(TrayAndCommands, WithoutABatchTheExitItemClosesTheWindowAndEndsTheProgram) {
    struct Case {
        const char* name;
        bool inTray;
        bool endsItself; // on screen, the toolkit ends the program as its last window closes
    };
    for (const Case& c :
         {Case{"in the notification area", true, true}, Case{"on screen", false, false}}) {
        SCOPED_TRACE(c.name);
        window_.reset();
        TfrmMain& w = ReadyWindow();
        std::optional<int> ended;
        w.SetEndProgram([&](int code) { ended = code; });
        SystemTray& tray = TrayWithoutBatch(w);
        if (c.inTray)
            w.hide();
        std::filesystem::remove(InfoIniFileName());
        EXPECT_EQ(ExitCaption(tray), Msg(MSG_TRAY_MENU_EXIT));

        tray.MenuItemTrayExitClick();

        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(std::filesystem::exists(InfoIniFileName())) << "settings saved on close";
        EXPECT_EQ(ended, c.endsItself ? std::optional<int>(0) : std::nullopt);
        EXPECT_TRUE(dialogs_->Requests().empty());
    }
}

// The icon's double click and "Show window" bring back the main window and, during a batch, the
// progress window too; the icon goes.
TEST_F(TrayAndCommands, ShowingFromTheTrayRestoresBothWindowsAndRemovesTheIcon) {
    WriteSlowEncoder();
    TfrmMain& w = ReadyWindow();
    const std::pair<const char*, std::function<void(SystemTray&)>> ways[] = {
        {"double click", [](SystemTray& tray) { tray.TrayIconDblClick(); }},
        {"Show window",
         [](SystemTray& tray) {
             tray.MenuItemTrayShowWindow()->trigger();
             QCoreApplication::processEvents();
         }},
    };
    DuringABatch(w, [&] {
        SystemTray& tray = w.Launcher()->Tray();
        TfrmProgress& progress = w.Launcher()->Observer().Window();
        for (const auto& [name, show] : ways) {
            SCOPED_TRACE(name);
            // What sending to the tray leaves: both windows hidden, the icon shown.
            progress.hide();
            w.hide();
            tray.Icon()->show();

            show(tray);

            EXPECT_TRUE(w.isVisible());
            EXPECT_TRUE(progress.isVisible());
            EXPECT_FALSE(tray.Icon()->isVisible());
        }
        w.StopBatchForSignal();
    });
    EXPECT_EQ(w.Launcher()->Controller().LastResult(), BatchResult::Stopped);
}

TEST_F(TrayAndCommands, HelpCommandsOpenTheirPagesFromTheHelpFolder) {
    const std::string folder = home_.Path() + "skin/ozu/lang/en_help/";
    home_.Dir().Write("skin/ozu/lang/en_help/Introduction.html", "<p>contents</p>");
    home_.Dir().Write("skin/ozu/lang/en_help/The user interface (Overview).html", "<p>ui</p>");
    TfrmMain& w = ActiveWindow();

    QTest::keyClick(&w, Qt::Key_F1);
    w.Action("ActionQuickStart")->trigger();

    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(LocalBytesFromUrl(opened_[0]), folder + "Introduction.html");
    EXPECT_EQ(LocalBytesFromUrl(opened_[1]), folder + "The user interface (Overview).html");
    EXPECT_TRUE(dialogs_->Requests().empty());
}

TEST_F(TrayAndCommands, AMissingHelpPageIsToldAndNothingOpens) {
    TfrmMain& w = Window();

    w.Action("ActionQuickStart")->trigger();

    EXPECT_TRUE(opened_.empty());
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    const std::string page = home_.Path() + "skin/ozu/lang/en_help/" + HelpTopicQuickStart;
    EXPECT_EQ(dialogs_->Requests()[0].text, "The help page \"" + page + "\" cannot be found.");
    EXPECT_EQ(dialogs_->Requests()[0].icon, MessageIcon::Warning);
}

TEST_F(TrayAndCommands, BurnDVDStartsTheCompanionBesideTheProgramWithoutAsking) {
    TfrmMain& w = Window();
    ASSERT_TRUE(w.Action("ActionBurnDVD")->isEnabled());

    w.Action("ActionBurnDVD")->trigger();

    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(LocalBytesFromUrl(opened_[0]), home_.Path() + "quillabe-dvd");
    EXPECT_TRUE(dialogs_->Requests().empty()) << "a missing companion is not reported";
}

TEST_F(TrayAndCommands, AboutOpensCentredOverTheMainWindowWithTheSkinPicture) {
    WriteSkin("[SPLASH]\nLeftImage=about.png\n");
    QImage picture(125, 278, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(home_.Path() + "skin/ozu/skin/about.png")));
    TfrmMain& w = ReadyWindow();
    w.move(40, 30);
    std::optional<QRect> geometry;
    QWidget* owner = nullptr;
    QSize pictureSize;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
        if (!form)
            return;
        geometry = QRect(form->pos(), form->size()); // placed by its frame
        owner = form->parentWidget();
        pictureSize = form->PanelPicture()->Picture().Size();
        QTest::keyClick(form, Qt::Key_Return);
    });

    w.Action("ActionAbout")->trigger();

    ASSERT_TRUE(geometry);
    EXPECT_EQ(owner, &w);
    const QRect main = w.geometry();
    EXPECT_EQ(*geometry, QRect(main.left() + (main.width() - 441) / 2,
                               main.top() + (main.height() - 344) / 2, 441, 344));
    EXPECT_EQ(pictureSize, QSize(125, 278));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Enter closed it";
    EXPECT_EQ(w.findChild<TfrmAbout*>(), nullptr) << "destroyed when closed";
}

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        SetStartupConstants();
        form.ApplyLanguage(); // made before the constants were set
    }
    void TearDown() override { ResetMessages(); }

    std::vector<std::string> opened;
    TfrmAbout form{nullptr, "", [this](const std::string& target) { opened.push_back(target); }};
};

TEST_F(AboutWindow, ControlsStandWhereTheyBelongWithTheirTexts) {
    EXPECT_EQ(form.size(), QSize(441, 344));
    EXPECT_EQ(form.windowTitle().toStdString(), Msg(MSG_ABOUT_CAPTIAON));
    EXPECT_EQ(form.PanelPicture()->geometry(), QRect(8, 8, 125, 278));
    EXPECT_TRUE(form.LabelTitle()->font().bold());
    EXPECT_EQ(form.LabelTitle()->text().toStdString(), "Quillabe");
    EXPECT_EQ(form.LabelVersion()->text().toStdString(), Msg(MSG_APPLICATION_VERSION) + " 2.3");
    EXPECT_EQ(form.LabelCopyright()->text().toStdString(), Msg(MSG_COPYRIGHT));
    EXPECT_EQ(form.LabelWarning()->text().toStdString(), Msg(MSG_COPYRIGHT_WARNING));
    EXPECT_EQ(form.LabelWarning()->size(), QSize(281, 86));
    EXPECT_EQ(form.LabelHomePage()->y(), 88);
    EXPECT_EQ(form.LabelSupport()->y(), 104);
    for (QLabel* link : {form.LabelHomePage(), form.LabelSupport()}) {
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_EQ(form.Bevel()->y(), 300);
    EXPECT_EQ(form.BtnOK()->geometry(), QRect(352, 312, 80, 24));
    EXPECT_EQ(form.BtnOK()->text().toStdString(), Msg(MSG_OK));
    EXPECT_TRUE(form.BtnOK()->isDefault());
}

// The support link adds "mailto:" to its text, so a text that brings its own must not get a
// second one.
TEST_F(AboutWindow, LinksOpenTheHomePageAndASingleMailAddress) {
    struct Case {
        const char* text;
        const char* shown;
    };
    for (const Case& c :
         {Case{"mailto:support@quillabe.example.org", "support@quillabe.example.org"},
          Case{"help@quillabe.example.org", "help@quillabe.example.org"},
          Case{" MAILTO:help@quillabe.example.org", "help@quillabe.example.org"}}) {
        SCOPED_TRACE(c.text);
        SetMsg(MSG_SUPPORT_MAIL, c.text);
        form.ApplyLanguage();
        opened.clear();
        form.show();

        QTest::mouseClick(form.LabelHomePage(), Qt::LeftButton);
        QTest::mouseClick(form.LabelSupport(), Qt::LeftButton);

        EXPECT_EQ(form.LabelSupport()->text().toStdString(), c.shown);
        EXPECT_EQ(opened,
                  (std::vector<std::string>{Msg(MSG_HOMEPAGE), std::string("mailto:") + c.shown}));
    }
}

TEST_F(AboutWindow, EnterEscAndOKCloseItAndOKNeverTakesTheFocus) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Enter", [this] { QTest::keyClick(&form, Qt::Key_Return); }},
        {"Esc", [this] { QTest::keyClick(&form, Qt::Key_Escape); }},
        {"OK", [this] { QTest::mouseClick(form.BtnOK(), Qt::LeftButton); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_Tab);
        EXPECT_FALSE(form.BtnOK()->hasFocus());

        close();

        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.BtnOK()->hasFocus());
    }
}

} // namespace
