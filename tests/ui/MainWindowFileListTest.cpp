// The file list in the main window: which files enter it, the keys and commands that change it,
// the selection afterwards, the summary line and the media panel.

#include "MainWindowFixture.h"

#include "base/PathUtils.h"
#include "core/IniFile.h"
#include "core/SystemSettings.h"
#include "ui/main/MediaPanel.h"
#include "ui/main/StateIcons.h"

#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include <sys/stat.h>

using namespace quillabe;
using quillabe::test::MainWindowFixture;

namespace {

class MainWindowFileList : public MainWindowFixture {
protected:
    // Six files f0.avi .. f5.avi in the list.
    void AddSix() {
        std::vector<std::string> paths;
        for (int i = 0; i < 6; ++i)
            paths.push_back(Media("f" + std::to_string(i) + ".avi"));
        Window().AddFiles(paths);
    }
    void SelectRows(const std::vector<int>& rows) {
        FileListView* view = Window().Files()->View();
        view->clearSelection();
        for (int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

TEST_F(MainWindowFileList, AddRules) {
    std::filesystem::create_directory(files_.File("folder.avi"));
    const std::string clip = Media("clip.avi");
    const std::string bad = Media("bad.mp4");
    Window().AddFiles({
        clip,
        clip,                      // the same path again: nothing
        Media("CLIP.avi"),         // other letter case: another file
        Media("notes.txt"),        // not a known input type: nothing, no message
        files_.File("gone.avi"),   // missing: nothing, no message
        files_.File("folder.avi"), // a folder: nothing
        bad,                       // refused by the probe: told, not added
        Media("last.MP3"),         // the rest still comes in
    });
    EXPECT_EQ(Names(), (std::vector<std::string>{"clip.avi", "CLIP.avi", "last.MP3"}));
    EXPECT_EQ(Summary(), "Summary: 3 files");
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    EXPECT_EQ(dialogs_->Requests()[0].text,
              "An error occurred while adding file:\r\n\r\nThe file \"" + bad +
                  "\" is damaged or the format is not supported.");
    EXPECT_EQ(dialogs_->Requests()[0].title, "Error");
    EXPECT_EQ(dialogs_->Requests()[0].flags, static_cast<uint32_t>(MB_ICONINFORMATION));
}

TEST_F(MainWindowFileList, KeysAndTheSelectionAfterwards) {
    const struct {
        const char* what;
        std::vector<int> selected;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<std::string> names;
        std::vector<int> selectedAfter;
    } cases[] = {
        {"delete 1 and 3",
         {1, 3},
         Qt::Key_Delete,
         Qt::NoModifier,
         {"f0.avi", "f2.avi", "f4.avi", "f5.avi"},
         {1}},
        {"delete the last two",
         {4, 5},
         Qt::Key_Delete,
         Qt::NoModifier,
         {"f0.avi", "f1.avi", "f2.avi", "f3.avi"},
         {3}},
        {"delete nothing",
         {},
         Qt::Key_Delete,
         Qt::NoModifier,
         {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"},
         {}},
        {"clear", {2}, Qt::Key_Delete, Qt::ShiftModifier, {}, {}},
        {"select all",
         {2},
         Qt::Key_A,
         Qt::ControlModifier,
         {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"},
         {0, 1, 2, 3, 4, 5}},
        {"up",
         {2},
         Qt::Key_U,
         Qt::ControlModifier,
         {"f0.avi", "f2.avi", "f1.avi", "f3.avi", "f4.avi", "f5.avi"},
         {1}},
        {"up from the top",
         {0},
         Qt::Key_U,
         Qt::ControlModifier,
         {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"},
         {0}},
        {"down",
         {2},
         Qt::Key_D,
         Qt::ControlModifier,
         {"f0.avi", "f1.avi", "f3.avi", "f2.avi", "f4.avi", "f5.avi"},
         {3}},
        {"down from the bottom",
         {5},
         Qt::Key_D,
         Qt::ControlModifier,
         {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"},
         {5}},
        {"only the first selected moves",
         {1, 4},
         Qt::Key_U,
         Qt::ControlModifier,
         {"f1.avi", "f0.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"},
         {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmMain& w = ActiveWindow();
        w.ClearFileList();
        AddSix();
        SelectRows(c.selected);
        w.Files()->View()->setFocus();
        QTest::keyClick(w.Files()->View(), c.key, c.modifiers);
        QApplication::processEvents(); // the posted summary refresh
        EXPECT_EQ(Names(), c.names);
        EXPECT_EQ(Selected(), c.selectedAfter);
        EXPECT_EQ(Summary(), w.Files()->List().SummaryText());
    }
}

TEST_F(MainWindowFileList, DeleteBelongsToTheListAndTheMovedEntryKeepsItsData) {
    TfrmMain& w = ActiveWindow();
    AddSix();
    SelectRows({3});
    // In the output folder box Delete edits the text.
    w.OutputFolder()->Edit()->setFocus();
    QTest::keyClick(w.OutputFolder()->Edit(), Qt::Key_Delete);
    EXPECT_EQ(Names().size(), 6u);

    // The buttons run the same commands as the keys.
    w.Controls().MainButton(2)->click();
    w.Controls().MainButton(2)->click();
    EXPECT_EQ(Selected(), std::vector<int>{1});
    const FileEntry& moved = w.Files()->List().At(1);
    EXPECT_EQ(moved.caption, files_.File("f3.avi"));
    EXPECT_EQ(moved.item.Format, "f3.avi");
    EXPECT_EQ(w.Media()->EditBox(5)->text(), "f3.avi");
    w.Controls().MainButton(5)->click();
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"f0.avi", "f1.avi", "f2.avi", "f4.avi", "f5.avi"}));
}

TEST_F(MainWindowFileList, DragReorderPutsTheEntryBeforeTheDropTarget) {
    const struct {
        int from;
        int insertAt;
        std::vector<std::string> names;
        int selected;
    } cases[] = {
        {0, 3, {"f1.avi", "f2.avi", "f0.avi", "f3.avi", "f4.avi", "f5.avi"}, 2},
        {4, 1, {"f0.avi", "f4.avi", "f1.avi", "f2.avi", "f3.avi", "f5.avi"}, 1},
        {1, 6, {"f0.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi", "f1.avi"}, 5}, // below the last
        {2, 2, {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"}, 2}, // onto itself
    };
    for (const auto& c : cases) {
        Window().ClearFileList();
        AddSix();
        Window().Files()->MoveByDrag(c.from, c.insertAt);
        EXPECT_EQ(Names(), c.names);
        EXPECT_EQ(Selected(), std::vector<int>{c.selected});
        EXPECT_EQ(Window().Files()->List().At(static_cast<size_t>(c.selected)).item.Format,
                  "f" + std::to_string(c.from) + ".avi");
    }
    // Released below the last entry, the entry goes to the end.
    FileListView* view = Window().Files()->View();
    view->resize(400, 300);
    EXPECT_EQ(view->DropInsertPosition(QPoint(10, 290)), 6);
    EXPECT_EQ(view->DropInsertPosition(view->visualRect(view->model()->index(2, 0)).center()), 2);
}

TEST_F(MainWindowFileList, SummaryAndMediaPanel) {
    TfrmMain& w = Window();
    EXPECT_EQ(Summary(), "Summary: No files");
    EXPECT_TRUE(w.Media()->isHidden());

    w.AddFile(Media("one.avi"));
    QApplication::processEvents(); // the panel follows when the window is idle
    EXPECT_EQ(Summary(), "Summary: One file");
    EXPECT_FALSE(w.Media()->isHidden());
    // Nothing selected: every box shows the placeholder.
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(w.Media()->EditBox(n)->text(), "...") << n;

    w.Files()->SelectListItem(0);
    EXPECT_EQ(w.Media()->EditBox(1)->text().toStdString(), files_.File("one.avi"));
    EXPECT_EQ(w.Media()->EditBox(3)->text(), "1");
    EXPECT_EQ(w.Media()->EditBox(5)->text(), "one.avi");

    SetMsg(MSG_EMPTY_STR, "n/a");
    w.Files()->View()->clearSelection();
    EXPECT_EQ(w.Media()->EditBox(16)->text(), "n/a");

    w.ClearFileList();
    QApplication::processEvents();
    EXPECT_EQ(Summary(), "Summary: No files");
    EXPECT_TRUE(w.Media()->isHidden());
}

TEST_F(MainWindowFileList, StatesShowAsIconsByTheExactPath) {
    TfrmMain& w = Window();
    AddSix();
    FileListModel* model = w.Files()->Model();
    w.SetFileState(files_.File("f1.avi"), TFileState::Converting);
    w.SetFileState(files_.File("F1.avi"), TFileState::Failed); // no such entry
    w.SetFileState(files_.File("f2.avi"), TFileState::Done);
    auto state = [&](int row) {
        return model->index(row, 0).data(FileListModel::StateRole).toInt();
    };
    EXPECT_EQ(state(0), static_cast<int>(TFileState::Waiting));
    EXPECT_EQ(state(1), static_cast<int>(TFileState::Converting));
    EXPECT_EQ(state(2), static_cast<int>(TFileState::Done));
    // Every state has an icon of its own, 20 × 18.
    auto image = [&](TFileState s) { return StateIcon(s).pixmap(kStateIconSize).toImage(); };
    const TFileState all[] = {TFileState::Waiting, TFileState::Failed, TFileState::Done,
                              TFileState::Converting};
    for (TFileState a : all) {
        EXPECT_EQ(image(a).size(), kStateIconSize);
        for (TFileState b : all) {
            if (a != b) {
                EXPECT_NE(image(a), image(b));
            }
        }
    }
    w.ResetFileStates();
    EXPECT_EQ(state(1), static_cast<int>(TFileState::Waiting));
    EXPECT_EQ(state(2), static_cast<int>(TFileState::Waiting));
}

TEST_F(MainWindowFileList, PopupMenus) {
    TfrmMain& w = Window();
    auto texts = [](QMenu* menu) {
        std::vector<std::string> t;
        for (QAction* a : menu->actions())
            t.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        return t;
    };
    EXPECT_EQ(w.ListViewMenu(), w.PopupMenuListViewNoFile());
    EXPECT_EQ(texts(w.PopupMenuListViewNoFile()),
              (std::vector<std::string>{"Add Files...", "-", "Output Format", "-", "Settings...",
                                        "-", "Help Content"}));
    AddSix();
    EXPECT_EQ(w.ListViewMenu(), w.PopupMenuListViewNoFile());
    w.Files()->SelectListItem(2);
    EXPECT_EQ(w.ListViewMenu(), w.PopupMenuListViewHaveFile());
    EXPECT_EQ(texts(w.PopupMenuListViewHaveFile()),
              (std::vector<std::string>{"Play Source", "Open Destination Folder...", "-", "Delete",
                                        "Clear List", "-", "Add Files...", "-", "Select All", "-",
                                        "Output Format"}));
    EXPECT_EQ(texts(w.PopupMenuHelp()),
              (std::vector<std::string>{"Help Content", "Quick Start...", "-", "Output Format",
                                        "Settings...", "Languages", "-", "Online Resources...",
                                        "Contact Technical Support...", "-", "About..."}));
}

TEST_F(MainWindowFileList, DroppedFoldersAndMissingFilesAreSkipped) {
    std::filesystem::create_directory(files_.File("folder.avi"));
    files_.Write("folder.avi/inside.avi", "media");
    QList<QUrl> urls;
    for (const char* name : {"first.avi", "folder.avi", "gone.avi", "last.wav"})
        urls << UrlFromLocalBytes(files_.File(name));
    Media("first.avi");
    Media("last.wav");
    urls << QUrl("https://example.invalid/remote.avi"); // not a local file
    // Dropped on the list as a file manager drops them: the list leaves them to the window, and
    // the files come in once the drop is over.
    QMimeData mime;
    mime.setUrls(urls);
    TfrmMain& w = Window();
    QWidget* target = w.Files()->View()->viewport();
    QDragEnterEvent enter(QPoint(30, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(30, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(Names().empty());
    QApplication::processEvents();
    EXPECT_EQ(Names(), (std::vector<std::string>{"first.avi", "last.wav"}));
    EXPECT_EQ(Selected(), std::vector<int>{1});
    EXPECT_EQ(Summary(), "Summary: 2 files");
    EXPECT_TRUE(dialogs_->Requests().empty());
}

TEST_F(MainWindowFileList, ADroppedPipeIsRefusedWithoutWaitingForAWriter) {
    ASSERT_EQ(mkfifo(files_.File("pipe.avi").c_str(), 0600), 0);
    TfrmMain window(nullptr, {}); // the media library's own probe
    window.Files()->AddDroppedUrls({UrlFromLocalBytes(files_.File("pipe.avi"))});
    EXPECT_EQ(window.Files()->List().Count(), 0u);
    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    EXPECT_NE(dialogs_->Requests()[0].text.find(files_.File("pipe.avi")), std::string::npos);
}

TEST_F(MainWindowFileList, AnyBytesInANameArriveIntact) {
    const std::vector<std::string> names = {
        "it's a \"quoted\" clip.avi",
        "two\nlines.avi",
        std::string("latin1 \xE9t\xE9.avi"), // not UTF-8
        "  spaced  .mp4",
        "percent %41 #hash?.wav",
    };
    QMimeData mime; // as a file manager hands them over
    QList<QUrl> urls;
    for (const std::string& name : names)
        urls << UrlFromLocalBytes(Media(name));
    mime.setUrls(urls);
    TfrmMain& w = Window();
    w.Files()->AddDroppedUrls(mime.urls());
    EXPECT_EQ(Names(), names);
    EXPECT_TRUE(dialogs_->Requests().empty());
    // The last dropped entry is selected and plays under its own name.
    EXPECT_EQ(Selected(), std::vector<int>{4});
    w.Files()->SelectListItem(2);
    w.Action("ActionPlaySource")->trigger();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(LocalBytesFromUrl(opened_[0]), files_.File(names[2]));
}

TEST_F(MainWindowFileList, PlaySourceNeedsASelection) {
    TfrmMain& w = Window();
    AddSix();
    w.Files()->View()->clearSelection();
    w.Action("ActionPlaySource")->trigger();
    EXPECT_TRUE(opened_.empty());
    w.Files()->SelectListItem(4);
    emit w.Files()->View()->entryDoubleClicked();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(LocalBytesFromUrl(opened_[0]), files_.File("f4.avi"));
}

TEST_F(MainWindowFileList, OpenDialogAddsInItsOrderAndRemembersTheFolder) {
    QStringList filters;
    std::string startedIn;
    std::optional<std::vector<std::string>> answer;
    SetFileDialogHooks({.inputFiles = [&](const std::string& start, const QStringList& f) {
        startedIn = start;
        filters = f;
        return answer;
    }});
    TfrmMain& w = Window();
    GlobalVars.LastInputOpenDir = "/somewhere/";
    // Cancel: nothing added, the folder is written all the same.
    w.Action("ActionInputBrowse")->trigger();
    EXPECT_EQ(startedIn, "/somewhere/");
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadString("System", "LastInputOpenDir", ""),
              "/somewhere/");
    EXPECT_EQ(filters, (QStringList{"Video files (*.avi *.mp4)", "Audio files (*.wav *.mp3)",
                                    "All Files (*)"}));

    files_.Write("sub/b.avi", "media");
    answer = std::vector<std::string>{files_.File("sub/b.avi"), Media("a.mp3")};
    w.Action("ActionAdd")->trigger();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.avi", "a.mp3"}));
    EXPECT_EQ(Selected(), std::vector<int>{1});
    EXPECT_EQ(GlobalVars.LastInputOpenDir, files_.File("sub/"));
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadString("System", "LastInputOpenDir", ""),
              files_.File("sub/"));
}

TEST_F(MainWindowFileList, MoreInformationOpensTheSelectedFile) {
    TfrmMain& w = ActiveWindow();
    w.AddFiles({Media("first.avi"), Media("second.avi")});
    QString caption;
    auto clickLink = [&] {
        QTest::mouseClick(w.Media()->Label(26), Qt::LeftButton, {}, QPoint(5, 5));
    };
    w.Files()->View()->clearSelection();
    clickLink(); // nothing selected: nothing opens
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    w.Files()->SelectListItem(0);
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            caption = modal->windowTitle();
            modal->close();
        }
    });
    clickLink();
    EXPECT_TRUE(caption.contains("first.avi")) << caption.toStdString();
    EXPECT_FALSE(caption.contains(QString::fromStdString(files_.Path())));
}

TEST_F(MainWindowFileList, TenThousandFilesAtOnceLoseNone) {
    std::vector<std::string> paths;
    for (int i = 0; i < 10000; ++i)
        paths.push_back(Media("clip" + std::to_string(i) + ".avi"));
    paths.push_back(paths[1234]); // a duplicate among them
    TfrmMain& w = Window();
    // Files dropped while the add runs come in too: the events run between two files.
    bool dropped = false;
    QTimer::singleShot(0, &w, [&] {
        w.Files()->AddDroppedUrls({UrlFromLocalBytes(Media("during.wav"))});
        dropped = true;
    });
    w.AddFiles(paths);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(w.Files()->List().Count(), 10001u);
    EXPECT_EQ(w.Files()->Model()->rowCount(), 10001);
    EXPECT_EQ(Summary(), "Summary: 10001 files");
    EXPECT_EQ(w.Files()->List().At(10000).item.FileName, "clip9999.avi");
}

TEST_F(MainWindowFileList, FilesNamedAtStartAreQueued) {
    TfrmMain& w = Window();
    const std::string a = Media("a.avi");
    Media("b.wav");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(files_.Path());
    w.QueueStartFiles({a, "./b.wav", "missing.avi"});
    std::filesystem::current_path(before);
    EXPECT_TRUE(Names().empty()); // not before the message loop runs
    QApplication::processEvents();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "b.wav"}));
    EXPECT_EQ(w.Files()->List().At(1).caption, files_.File("b.wav"));
    EXPECT_EQ(Selected(), std::vector<int>{1});
}

} // namespace
