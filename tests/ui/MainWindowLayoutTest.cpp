// The main window's layout from the skin file, the moves that fill the hidden toolbar's space,
// the texts, and the mouse rules of the frameless window.

#include "MainWindowFixture.h"

#include "core/OutputFormat.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/MainLayout.h"
#include "ui/main/MediaPanel.h"
#include "ui/skin/SkinPalette.h"
#include "ui/skin/TSkinImage.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

using namespace quillabe;
using quillabe::test::MainWindowFixture;

namespace {

class MainWindowLayout : public MainWindowFixture {
protected:
    QRect Geometry(const char* name) {
        QWidget* w = Window().findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w ? w->geometry() : QRect();
    }
    void ExpectGeometries(const std::vector<std::pair<const char*, QRect>>& expected) {
        for (const auto& [name, rect] : expected)
            EXPECT_EQ(Geometry(name), rect) << name;
    }
};

// With no skin file the design layout stands, moved up into the hidden toolbar's space.
const std::vector<std::pair<const char*, QRect>> kDesignAfterShifts = {
    {"ImageMain", QRect(0, 0, 754, 571)},
    {"ListViewFiles", QRect(120, 40, 482, 144)},
    {"editOutputFileName", QRect(120, 214, 482, 21)},
    {"ScrollBox", QRect(18, 313, 719, 239)},
    {"MainButton1", QRect(620, 40, 115, 25)},
    {"MainButton2", QRect(620, 70, 30, 25)},
    {"MainButton3", QRect(650, 70, 27, 25)},
    {"MainButton4", QRect(677, 70, 27, 25)},
    {"MainButton5", QRect(704, 70, 31, 25)},
    {"MainButton6", QRect(620, 212, 115, 25)},
    {"MainButton7", QRect(620, 162, 84, 25)},
    {"MainButton8", QRect(704, 162, 31, 25)},
    {"MainButton9", QRect(620, 240, 115, 25)},
    {"SystemButton1", QRect(678, 4, 24, 21)},
    {"SystemButton2", QRect(702, 4, 23, 21)},
    {"SystemButton3", QRect(725, 4, 24, 21)},
    {"ToolbarButton3", QRect(128, 28, 62, 76)},
    {"ToolbarButton10", QRect(562, 28, 62, 76)},
};

TEST_F(MainWindowLayout, WithoutASkinFileTheDesignLayoutStands) {
    TfrmMain& w = Window();
    ASSERT_TRUE(w.Created());
    ExpectGeometries(kDesignAfterShifts);
    EXPECT_EQ(w.size(), QSize(754, 571)); // sized to enclose the background
    EXPECT_EQ(Geometry("Label3").topLeft().y(), 42);
    EXPECT_EQ(Geometry("Label6").topLeft(), QPoint(120, 280));
    // The toolbar and the profile buttons are hidden; their commands stay.
    for (int n = 1; n <= kToolbarButtonCount; ++n)
        EXPECT_TRUE(w.Controls().ToolbarButton(n)->isHidden()) << n;
    EXPECT_TRUE(w.Controls().MainButton(7)->isHidden());
    EXPECT_TRUE(w.Controls().MainButton(8)->isHidden());
    EXPECT_FALSE(w.Controls().MainButton(9)->isHidden());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(MainWindowLayout, ASkinWithOnlyTheBackgroundRepeatsTheFirstButtons) {
    WriteSkin("[MAINFORM]\nImageMainPic=none\n");
    ExpectGeometries({
        {"ListViewFiles", QRect(120, 40, 482, 144)},
        {"editOutputFileName", QRect(120, 214, 482, 21)},
        {"ScrollBox", QRect(18, 313, 719, 239)},
        {"ToolbarButton2", QRect(66, 28, 62, 76)},
        {"ToolbarButton3", QRect(2, 28, 62, 76)},
        {"ToolbarButton11", QRect(2, 28, 62, 76)},
        {"MainButton1", QRect(620, 40, 115, 25)},
        {"MainButton2", QRect(620, 40, 115, 25)},
        {"MainButton6", QRect(620, 120, 115, 25)},
        {"MainButton7", QRect(620, 42, 115, 25)},
        {"MainButton9", QRect(620, 85, 115, 25)},
        {"SystemButton2", QRect(678, 4, 24, 21)},
        {"SystemButton3", QRect(678, 4, 24, 21)},
    });
    EXPECT_TRUE(Window().Controls().ImageMain->Picture().IsNull());
}

TEST_F(MainWindowLayout, TheSkinMovesControlsAndTheShiftsApplyAfterIt) {
    WriteSkin("[MAINFORM]\nListViewLeft=10\nListViewTop=200\nListViewHeight=50\n"
              "ScrollBoxTop=330\nComboProfileTop=300\n"
              "[MAINBUTTON]\nButton1Left=600\nButton1Top=110\nButton9Top=400\n"
              "[LABEL]\nLabel6Left=130\nLabel6Top=290\nLabel3Left=40\nEditBox3Top=44\n"
              "[EDITBOX]\nEditBox3Left=120\n");
    TfrmMain& w = Window();
    ExpectGeometries({
        {"ListViewFiles", QRect(10, 120, 482, 110)},
        {"ScrollBox", QRect(18, 330, 719, 239)},
        {"MainButton1", QRect(600, 30, 115, 25)},
        {"MainButton9", QRect(620, 365, 115, 25)}, // its left takes the first button's default
    });
    EXPECT_EQ(Geometry("Label6").topLeft(), QPoint(130, 290));
    EXPECT_EQ(w.Layout().ComboBoxAviProfile.top, 300);
    // A right-aligned caption ends where its design text ended, measured from the skin's left.
    EXPECT_EQ(Geometry("Label3").right() + 1, 40 + (116 - 30));
    EXPECT_EQ(w.Media()->EditBox(3)->geometry().topLeft(), QPoint(120, 44));
}

TEST_F(MainWindowLayout, ADamagedSkinFileGivesTheDesignLayout) {
    WriteSkin(std::string("[MAINFORM]\nDefaultSkin=zero\nImageMainPic=missing.jpg\n"
                          "ListViewLeft=abc\nListViewTop=-5\nListViewWidth=99999999999\n"
                          "ListViewHeight=\nScrollBoxWidth=1e9\n[TOOLBAR\nButton2Left=7\n") +
              std::string("\0\xff\xfe garbage\n", 13) + "[SYSTEMBUTTON]\nButton3Left=725\n");
    home_.Dir().Write("skin/ozu/skin/truncated.jpg", "\xff\xd8\xff\xe0 truncated");
    TfrmMain& w = Window();
    ASSERT_TRUE(w.Created());
    EXPECT_EQ(Geometry("ListViewFiles"), QRect(120, 40, 482, 144));
    EXPECT_EQ(Geometry("ScrollBox"), QRect(18, 313, 719, 239));
    EXPECT_TRUE(w.Controls().ImageMain->Picture().IsNull());
    EXPECT_EQ(w.size(), QSize(754, 571));
}

TEST_F(MainWindowLayout, DefaultSkinChoosesTheColours) {
    for (bool defaultSkin : {true, false}) {
        window_.reset();
        WriteSkin(defaultSkin ? "[MAINFORM]\nDefaultSkin=1\n" : "[MAINFORM]\nDefaultSkin=0\n");
        const SkinPalette& palette = BuiltInSkin(defaultSkin);
        TfrmMain& w = Window();
        EXPECT_EQ(w.Controls().Label(1)->palette().color(QPalette::WindowText), palette.labelText);
        EXPECT_EQ(w.Media()->Label(8)->palette().color(QPalette::WindowText), palette.panelText);
        EXPECT_EQ(w.Files()->View()->palette().color(QPalette::Highlight), palette.selection);
    }
}

TEST_F(MainWindowLayout, TextsFromTheMessageTable) {
    TfrmMain& w = Window();
    EXPECT_EQ(w.windowTitle().toStdString(), "Quillabe version: " + ProgramVersion);
    EXPECT_EQ(w.Controls().Label(1)->text(), "Quillabe");
    EXPECT_EQ(w.Controls().Label(2)->text().toStdString(), "version: " + ProgramVersion);
    // The version follows the title at 4 pixels.
    EXPECT_EQ(w.Controls().Label(2)->x(),
              w.Controls().Label(1)->x() + w.Controls().Label(1)->width() + 4);
    EXPECT_EQ(w.Action("ActionExit")->text(), "\r\r\r\rExit");
    EXPECT_EQ(w.Action("ActionEditProfile")->text(), "   Edit Profile");
    EXPECT_EQ(w.Action("ActionDel")->text(), "Delete");
    EXPECT_EQ(w.Action("ActionAdd")->text(), "Add Files...");
    EXPECT_EQ(w.Controls().Label(4)->text(), "Output Directory:");
    EXPECT_EQ(w.Media()->Label(26)->text(), "More Information...");
    EXPECT_EQ(w.Files()->View()->PlaceholderText(),
              "Drop video and audio files here, or click Browse... to add them.");

    SetMsg(MSG_BROWSE, "Choose...");
    SetMsg(MSG_APPLICATION_TITLE, "A much longer title");
    SetMsg(MSG_INPUTFILENAME, "Files to convert, in order:");
    SetMsg(MSG_STATUS_NOFILES, "Nothing queued");
    ASSERT_TRUE(w.ApplyLanguage());
    EXPECT_EQ(w.Controls().MainButton(1)->text(), "Choose...");
    EXPECT_EQ(w.Controls().MainButton(6)->text(), "Choose...");
    EXPECT_EQ(w.Controls().Label(2)->x(),
              w.Controls().Label(1)->x() + w.Controls().Label(1)->width() + 4);
    EXPECT_EQ(w.Controls().Label(3)->geometry().right() + 1, 116); // grows to the left
    EXPECT_EQ(Summary(), "Nothing queued");
}

TEST_F(MainWindowLayout, ALanguageSwitchAppliesEveryText) {
    home_.Dir().Write(LangDir + "/english.ini", "[LANGRES]\nMSG_BROWSE=Browse...\n");
    home_.Dir().Write(LangDir + "/german.ini",
                      "[LANGRES]\nMSG_BROWSE=Durchsuchen...\nMSG_MOREINFO=Mehr Informationen...\n"
                      "MSG_STATUS_NOFILES=Keine Dateien\nMSG_INPUTFILENAME=Eingabedateien:\n");
    home_.Dir().Write(LangDir + "/type_german.dat", "[InputFileTypes]\nVideo=*.mkv\n");
    home_.Dir().Write(LangDir + "/nodata.ini", "[LANGRES]\nMSG_BROWSE=x\n");
    TfrmMain& w = Window();
    auto* languages = w.findChild<QMenu*>("LanguagesMI");
    ASSERT_NE(languages, nullptr);
    auto item = [&](const char* caption) {
        for (QAction* a : languages->actions())
            if (a->text() == caption)
                return a;
        ADD_FAILURE() << caption;
        return static_cast<QAction*>(nullptr);
    };
    item("GERMAN")->trigger();
    EXPECT_EQ(w.Controls().MainButton(1)->text(), "Durchsuchen...");
    EXPECT_EQ(w.Media()->Label(26)->text(), "Mehr Informationen...");
    EXPECT_EQ(Summary(), "Keine Dateien");
    EXPECT_EQ(w.Controls().Label(3)->geometry().right() + 1, 116);
    // The input types are the new language's.
    w.AddFiles({Media("clip.avi"), Media("film.mkv")});
    EXPECT_EQ(Names(), std::vector<std::string>{"film.mkv"});
    EXPECT_TRUE(dialogs_->Requests().empty());

    // A language without its type table is told, and ends the program.
    int ended = -1;
    w.SetEndProgram([&](int code) { ended = code; });
    item("NODATA")->trigger();
    EXPECT_EQ(ended, 1);
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    EXPECT_EQ(dialogs_->Requests()[0].title, "Can not find file");
}

TEST_F(MainWindowLayout, AMissingTypeTableEndsTheStart) {
    std::filesystem::remove(home_.Path() + LangDir + "/type_english.dat");
    TfrmMain& w = Window();
    EXPECT_FALSE(w.Created());
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    const MessageRequest& box = dialogs_->Requests()[0];
    EXPECT_EQ(box.text,
              "Cannot find \"" + home_.Path() + LangDir +
                  "/type_english.dat\".\r\n\r\nPlease re-install this program and try again.");
    EXPECT_EQ(box.title, "Can not find file");
    EXPECT_EQ(box.flags, static_cast<uint32_t>(MB_ICONINFORMATION));
}

TEST_F(MainWindowLayout, TheHiddenButtonAreaOfTheCurrentFormat) {
    TfrmMain& w = Window();
    FormatSelection& formats = *w.Formats();
    QSignalSpy spy(&w, &TfrmMain::formatAreaClicked);
    const struct {
        int current;
        QPoint at;
        std::vector<int> formats;
    } cases[] = {
        {ofMP4, QPoint(150, 35), {ofMP4}},
        {ofMP4, QPoint(128, 35), {}},       // on the left edge: not strictly inside
        {ofMP4, QPoint(189, 103), {ofMP4}}, // the last point inside
        {ofMP4, QPoint(190, 50), {}},       // on the right edge
        {ofMP4, QPoint(150, 104), {}},      // on the bottom edge
        {ofAVI, QPoint(150, 35), {}},       // MP4 is not current
        {of3GP, QPoint(200, 35), {of3GP}},
        {ofAAC, QPoint(600, 60), {ofAAC}}, // an other format: the "To Others" area
        {ofAAC, QPoint(150, 35), {}},
    };
    for (const auto& c : cases) {
        formats.SelectFormat(formats.FormatAction(c.current));
        spy.clear();
        w.BackgroundClicked(c.at);
        std::vector<int> got;
        for (const QList<QVariant>& args : spy)
            got.push_back(args.at(0).toInt());
        EXPECT_EQ(got, c.formats) << c.current << " at " << c.at.x() << "," << c.at.y();
    }

    // A click (press and release without a move) on the background reopens the menu.
    formats.SelectFormat(formats.FormatAction(ofMP4));
    QTest::mouseClick(w.Controls().ImageMain, Qt::LeftButton, {}, QPoint(140, 32));
    EXPECT_TRUE(formats.PopupMenuMP4()->isVisible());
    formats.PopupMenuMP4()->hide();
    // A drag moves the window instead and is no click.
    spy.clear();
    QTest::mousePress(w.Controls().ImageMain, Qt::LeftButton, {}, QPoint(140, 32));
    QMouseEvent move(QEvent::MouseMove, QPointF(170, 60), QPointF(170, 60), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Controls().ImageMain, &move);
    QTest::mouseRelease(w.Controls().ImageMain, Qt::LeftButton, {}, QPoint(170, 60));
    EXPECT_EQ(spy.size(), 0);
    EXPECT_FALSE(formats.PopupMenuMP4()->isVisible());
}

TEST_F(MainWindowLayout, TheFormatSelectionTakesItsPlaces) {
    WriteSkin("[MAINFORM]\nComboProfileTop=250\n");
    TfrmMain& w = Window();
    FormatSelection& formats = *w.Formats();
    // The skin moves the AVI box only.
    EXPECT_EQ(formats.ProfileBox(ofAVI)->geometry(), QRect(120, 250, 482, 21));
    EXPECT_EQ(formats.ProfileBox(ofMP3)->geometry(), QRect(120, 242, 482, 21));
    for (int n = 2; n <= 9; ++n)
        EXPECT_NE(w.Controls().ToolbarButton(n)->Action(), nullptr) << n;
    EXPECT_EQ(w.Controls().ToolbarButton(2)->Action(), formats.FormatAction(ofAVI));
    EXPECT_EQ(w.Controls().ToolbarButton(10)->Action(), formats.ActionToOthers());
    // A first start makes AVI current; its profile commands are on, MP4's are off.
    EXPECT_FALSE(formats.FormatAction(ofAVI)->isEnabled());
    formats.SelectFormat(formats.FormatAction(ofMP4));
    EXPECT_FALSE(w.Action("ActionEditProfile")->isEnabled());
}

TEST_F(MainWindowLayout, DoubleClickOnTheTitleStripMinimises) {
    const QRect window(100, 50, 754, 571);
    const QRect minimise(678, 4, 24, 21); // bottom + 5: strictly above y = 50 + 30
    const struct {
        QPoint at;
        bool inside;
    } cases[] = {
        {{400, 60}, true},  {{101, 79}, true},  {{100, 60}, false},  {{854, 60}, false},
        {{400, 50}, false}, {{400, 80}, false}, {{400, 300}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InTitleArea(window, minimise, c.at), c.inside) << c.at.x() << "," << c.at.y();

    TfrmMain& w = ActiveWindow();
    w.BackgroundDoubleClicked(w.frameGeometry().topLeft() + QPoint(300, 300));
    EXPECT_FALSE(w.isMinimized());
    w.BackgroundDoubleClicked(w.frameGeometry().topLeft() + QPoint(300, 10));
    EXPECT_TRUE(w.windowState() & Qt::WindowMinimized);
}

TEST_F(MainWindowLayout, ButtonsPointAtActions) {
    TfrmMain& w = Window();
    const std::pair<TImageButton*, const char*> bindings[] = {
        {w.Controls().MainButton(1), "ActionInputBrowse"},
        {w.Controls().MainButton(2), "ActionMoveUp"},
        {w.Controls().MainButton(5), "ActionDel"},
        {w.Controls().MainButton(6), "ActionOutputBrowse"},
        {w.Controls().MainButton(9), "ActionConvert"},
        {w.Controls().SystemButton(1), "ActionMin"},
        {w.Controls().SystemButton(2), "ActionHelp"},
        {w.Controls().SystemButton(3), "ActionClose"},
        {w.Controls().ToolbarButton(1), "ActionExit"},
    };
    for (const auto& [button, action] : bindings)
        EXPECT_EQ(button->Action(), w.Action(action)) << action;
    const std::pair<const char*, const char*> shortcuts[] = {
        {"ActionInputBrowse", "Ctrl+N"},  {"ActionClearList", "Shift+Del"},
        {"ActionSelectAll", "Ctrl+A"},    {"ActionMoveUp", "Ctrl+U"},
        {"ActionMoveDown", "Ctrl+D"},     {"ActionPlaySource", "Ctrl+P"},
        {"ActionOutputBrowse", "Ctrl+O"}, {"ActionDel", "Del"},
        {"ActionHelpContent", "F1"},      {"ActionSettings", "F12"},
    };
    for (const auto& [action, keys] : shortcuts)
        EXPECT_EQ(w.Action(action)->shortcut(), QKeySequence(keys)) << action;
}

} // namespace
