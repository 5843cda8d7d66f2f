#include "engine/FileList.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

using namespace quillabe;

namespace {

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        ResetMessages();
        GlobalVars.InputFileTypes.Add("Video files=*.avi;*.mp4;*.mpg");
        GlobalVars.InputFileTypes.Add("Audio files=*.wav;*.mp3");
        SetMessageDialogHandler(dialogs_);
    }
    void TearDown() override {
        SetMessageDialogHandler(nullptr);
        ResetGlobalVars();
        ResetMessages();
    }

    // A probe that accepts everything except names containing "bad", and remembers what it saw.
    ProbeFunction FakeProbe() {
        return [this](const std::string& path, TFileItem& item) {
            probed_.push_back(path);
            item.CompleteName = path;
            item.FileSize = "1";
            return path.find("bad") == std::string::npos;
        };
    }
    // A list of n entries f0.avi .. f(n-1).avi.
    std::unique_ptr<FileList> ListOf(int n) {
        auto list = std::make_unique<FileList>(FakeProbe());
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(list->AddFile(dir_.Write("f" + std::to_string(i) + ".avi", "x")),
                      AddResult::Added);
        return list;
    }
    std::vector<std::string> Names(const FileList& list) const {
        std::vector<std::string> names;
        for (size_t i = 0; i < list.Count(); ++i)
            names.push_back(list.At(i).item.FileName);
        return names;
    }

    test::TempDir dir_;
    std::shared_ptr<ScriptedMessageDialogs> dialogs_ = std::make_shared<ScriptedMessageDialogs>();
    std::vector<std::string> probed_;
};

TEST_F(FileListTest, AddRulesInOrder) {
    std::filesystem::create_directory(dir_.File("folder.avi"));
    const struct {
        std::string path;
        AddResult result;
    } cases[] = {
        {dir_.Write("clip.avi", "x"), AddResult::Added},
        {dir_.File("clip.avi"), AddResult::Duplicate},          // exact same caption
        {dir_.Write("CLIP.avi", "x"), AddResult::Added},        // other letter case: another file
        {dir_.Write("song.WAV", "x"), AddResult::Added},        // extensions ignore case
        {dir_.Write("notes.txt", "x"), AddResult::UnknownType}, // even if the library could read it
        {dir_.Write("noextension", "x"), AddResult::UnknownType},
        {dir_.File("gone.avi"), AddResult::Missing},
        {dir_.File("folder.avi"), AddResult::Missing}, // a folder is not a file
        {"", AddResult::Missing},
        {dir_.Write("bad.mp4", "x"), AddResult::Refused},
        {dir_.Write("last.mp3", "x"), AddResult::Added}, // a refusal does not stop the rest
    };
    std::vector<std::string> paths;
    std::vector<AddResult> expected;
    for (const auto& c : cases) {
        paths.push_back(c.path);
        expected.push_back(c.result);
    }
    FileList list(FakeProbe());
    EXPECT_EQ(list.AddFiles(paths), expected);

    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"clip.avi", "CLIP.avi", "song.WAV", "last.mp3"}));
    // Only files that passed the cheaper rules reach the probe.
    EXPECT_EQ(probed_, (std::vector<std::string>{dir_.File("clip.avi"), dir_.File("CLIP.avi"),
                                                 dir_.File("song.WAV"), dir_.File("bad.mp4"),
                                                 dir_.File("last.mp3")}));
    const FileEntry& first = list.At(0);
    EXPECT_EQ(first.caption, dir_.File("clip.avi"));
    EXPECT_EQ(first.item.FilePath, dir_.Path());
    EXPECT_EQ(first.state, TFileState::Waiting);

    ASSERT_EQ(dialogs_->Requests().size(), 1u);
    const MessageRequest& box = dialogs_->Requests()[0];
    EXPECT_EQ(box.text, "An error occurred while adding file:\r\n\r\nThe file \"" +
                            dir_.File("bad.mp4") + "\" is damaged or the format is not supported.");
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.flags, static_cast<uint32_t>(MB_ICONINFORMATION));
}

TEST_F(FileListTest, DefaultProbeIsTheLibrary) {
    FileList list;
    EXPECT_EQ(list.AddFile(dir_.Write("text.avi", "only text")), AddResult::Refused);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(dialogs_->Requests().size(), 1u);
}

TEST_F(FileListTest, TheHookRunsBeforeEachFileAndTheListIsCheckedAfresh) {
    FileList list(FakeProbe());
    const std::string a = dir_.Write("a.avi", "x");
    // Events handled between two files may add the very file that comes next.
    list.SetBeforeAddHook([&] {
        if (list.Count() == 1 && list.IndexOf(a) < 0)
            list.AddFile(a);
    });
    const std::string first = dir_.Write("first.avi", "x");
    EXPECT_EQ(list.AddFiles({first, a}),
              (std::vector<AddResult>{AddResult::Added, AddResult::Duplicate}));
    EXPECT_EQ(list.Count(), 2u);
}

TEST_F(FileListTest, StatesFollowTheExactCaption) {
    auto list = ListOf(3);
    std::vector<FileListChange> changes;
    list->SetChangeListener([&](const FileListChange& c) { changes.push_back(c); });

    list->SetFileState(dir_.File("f1.avi"), TFileState::Converting);
    list->SetFileState(dir_.File("F1.avi"), TFileState::Failed); // no such caption
    list->SetFileState(dir_.File("f2.avi"), TFileState::Done);
    EXPECT_EQ(list->At(0).state, TFileState::Waiting);
    EXPECT_EQ(list->At(1).state, TFileState::Converting);
    EXPECT_EQ(list->At(2).state, TFileState::Done);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, FileListChange::Kind::StateChanged);
    EXPECT_EQ(changes[0].index, 1);

    list->ResetFileStates();
    for (size_t i = 0; i < list->Count(); ++i)
        EXPECT_EQ(list->At(i).state, TFileState::Waiting);
    EXPECT_EQ(changes.back().index, -1);
}

TEST_F(FileListTest, DeleteSelectsTheEntryAtTheSmallestDeletedIndex) {
    const struct {
        std::vector<int> del;
        std::vector<std::string> left;
        int selected;
    } cases[] = {
        {{1, 3}, {"f0.avi", "f2.avi", "f4.avi", "f5.avi"}, 1},
        {{4, 5}, {"f0.avi", "f1.avi", "f2.avi", "f3.avi"}, 3}, // the new last entry
        {{3, 1}, {"f0.avi", "f2.avi", "f4.avi", "f5.avi"}, 1}, // any order
        {{0, 0, 9, -1}, {"f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"}, 0},
        {{}, {"f0.avi", "f1.avi", "f2.avi", "f3.avi", "f4.avi", "f5.avi"}, -1},
        {{0, 1, 2, 3, 4, 5}, {}, -1},
    };
    for (const auto& c : cases) {
        auto list = ListOf(6);
        EXPECT_EQ(list->DeleteEntries(c.del), c.selected) << ::testing::PrintToString(c.del);
        EXPECT_EQ(Names(*list), c.left) << ::testing::PrintToString(c.del);
    }
}

TEST_F(FileListTest, MovesKeepStateAndItemAndStopAtTheEnds) {
    const struct {
        int from;
        bool up;
        int selected;
        std::vector<std::string> order;
    } cases[] = {
        {0, true, 0, {"f0.avi", "f1.avi", "f2.avi", "f3.avi"}},  // first up: no change
        {3, false, 3, {"f0.avi", "f1.avi", "f2.avi", "f3.avi"}}, // last down: no change
        {2, true, 1, {"f0.avi", "f2.avi", "f1.avi", "f3.avi"}},
        {1, false, 2, {"f0.avi", "f2.avi", "f1.avi", "f3.avi"}},
        {2, false, 3, {"f0.avi", "f1.avi", "f3.avi", "f2.avi"}},
        {7, true, -1, {"f0.avi", "f1.avi", "f2.avi", "f3.avi"}}, // no such entry
    };
    for (const auto& c : cases) {
        auto list = ListOf(4);
        if (c.from < 4)
            list->SetFileState(dir_.File("f" + std::to_string(c.from) + ".avi"), TFileState::Done);
        EXPECT_EQ(list->MoveListItem(c.from, c.up), c.selected) << c.from << c.up;
        EXPECT_EQ(Names(*list), c.order) << c.from << c.up;
        if (c.selected >= 0) {
            const FileEntry& moved = list->At(static_cast<size_t>(c.selected));
            EXPECT_EQ(moved.state, TFileState::Done);
            EXPECT_EQ(moved.caption, moved.item.CompleteName); // the item travelled along
        }
    }
}

TEST_F(FileListTest, DragMoveInsertsBeforeTheTargetOrBelowTheLast) {
    auto list = ListOf(4);
    EXPECT_EQ(list->MoveEntry(0, 4), 3); // dropped below the last entry
    EXPECT_EQ(Names(*list), (std::vector<std::string>{"f1.avi", "f2.avi", "f3.avi", "f0.avi"}));
    EXPECT_EQ(list->MoveEntry(3, 1), 1); // dropped on the entry at index 1
    EXPECT_EQ(Names(*list), (std::vector<std::string>{"f1.avi", "f0.avi", "f2.avi", "f3.avi"}));
    EXPECT_EQ(list->MoveEntry(2, 2), 2); // onto itself
    EXPECT_EQ(list->MoveEntry(2, 3), 2); // just below itself
    EXPECT_EQ(Names(*list), (std::vector<std::string>{"f1.avi", "f0.avi", "f2.avi", "f3.avi"}));
}

// Adding a file tests it against every caption; with n files queued that must not cost n
// comparisons each, or a folder of 10,000 files takes 50 million of them.
TEST_F(FileListTest, AddingManyFilesDoesConstantWorkPerFile) {
    constexpr size_t n = 10000;
    // Ten thousand captions from a hundred files, each spelt a hundred ways ("./" repeated):
    // writing ten thousand files would take far longer than the list itself.
    std::vector<std::string> paths;
    for (size_t file = 0; file < 100; ++file) {
        const std::string name = "f" + std::to_string(file) + ".avi";
        dir_.Write(name, "");
        for (size_t spelling = 0; spelling < 100; ++spelling) {
            std::string path = dir_.Path();
            for (size_t i = 0; i < spelling; ++i)
                path += "./";
            paths.push_back(path + name);
        }
    }
    FileList list(FakeProbe());

    const auto added = list.AddFiles(paths);
    EXPECT_EQ(std::count(added.begin(), added.end(), AddResult::Added), static_cast<long>(n));
    EXPECT_LE(list.CaptionComparisons(), n);

    // Each duplicate is found by a comparison, so the counter does see the duplicate test.
    size_t before = list.CaptionComparisons();
    const auto again = list.AddFiles(paths);
    EXPECT_EQ(std::count(again.begin(), again.end(), AddResult::Duplicate), static_cast<long>(n));
    EXPECT_GE(list.CaptionComparisons() - before, n);
    EXPECT_LE(list.CaptionComparisons() - before, 2 * n);

    // A batch sets every file's state by its caption.
    before = list.CaptionComparisons();
    for (const std::string& path : paths)
        list.SetFileState(path, TFileState::Done);
    EXPECT_LE(list.CaptionComparisons() - before, 2 * n);
    EXPECT_EQ(list.At(n - 1).state, TFileState::Done);
}

// Plays a Qt item model's part: applies each change when told AboutTo, as the begin…Rows call
// lets the view do, reads the new rows when told Done, and then must hold what the list holds.
class MirrorList {
public:
    explicit MirrorList(const FileList& list) : list_(list), rows_(Rows()) {}

    void operator()(const FileListChange& c) {
        using Kind = FileListChange::Kind;
        SCOPED_TRACE(Describe(c));
        if (c.phase == FileListChange::Phase::AboutTo) {
            EXPECT_FALSE(open_) << "a change began inside another";
            EXPECT_NE(c.kind, Kind::StateChanged) << "a state change is told only when done";
            EXPECT_EQ(rows_, Rows()) << "the list changed before it was announced";
            Apply(c);
            open_ = c;
            return;
        }
        if (c.kind == Kind::StateChanged) {
            EXPECT_FALSE(open_);
            const int count = static_cast<int>(rows_.size());
            ASSERT_TRUE(c.index >= -1 && c.index < count);
            for (int i = c.index < 0 ? 0 : c.index; i < (c.index < 0 ? count : c.index + 1); ++i)
                rows_[static_cast<size_t>(i)].second = list_.At(static_cast<size_t>(i)).state;
        } else {
            ASSERT_TRUE(open_) << "done without about-to";
            EXPECT_EQ(Describe(*open_), Describe(c)) << "the pair does not match";
            open_.reset();
            if (c.kind == Kind::Inserted)
                for (int i = c.index; i <= c.last; ++i)
                    rows_[static_cast<size_t>(i)] = Row(static_cast<size_t>(i));
        }
        ++done_;
        EXPECT_EQ(rows_, Rows());
        for (size_t i = 0; i < list_.Count(); ++i)
            EXPECT_EQ(list_.IndexOf(list_.At(i).caption), static_cast<int>(i));
    }

    int Done() const { return done_; }
    bool Open() const { return open_.has_value(); }

private:
    using Entry = std::pair<std::string, TFileState>;

    Entry Row(size_t i) const { return {list_.At(i).caption, list_.At(i).state}; }
    std::vector<Entry> Rows() const {
        std::vector<Entry> rows;
        for (size_t i = 0; i < list_.Count(); ++i)
            rows.push_back(Row(i));
        return rows;
    }
    static std::string Describe(const FileListChange& c) {
        return "kind " + std::to_string(static_cast<int>(c.kind)) + " index " +
               std::to_string(c.index) + " last " + std::to_string(c.last) + " to " +
               std::to_string(c.to) + " destination " + std::to_string(c.destination);
    }

    // What the view does between begin…Rows and end…Rows, with the arguments Qt would get.
    void Apply(const FileListChange& c) {
        using Kind = FileListChange::Kind;
        const int count = static_cast<int>(rows_.size());
        const auto at = [this](int i) { return rows_.begin() + i; };
        switch (c.kind) {
        case Kind::Inserted: // beginInsertRows(first = index, last)
            ASSERT_TRUE(c.index >= 0 && c.index <= count && c.last >= c.index);
            rows_.insert(at(c.index), static_cast<size_t>(c.last - c.index + 1), Entry{});
            break;
        case Kind::Removed: // beginRemoveRows(first = index, last)
            ASSERT_TRUE(c.index >= 0 && c.index <= c.last && c.last < count);
            rows_.erase(at(c.index), at(c.last + 1));
            break;
        case Kind::Moved: { // beginMoveRows(index, index, destinationChild = destination)
            ASSERT_TRUE(c.index >= 0 && c.index < count);
            ASSERT_TRUE(c.destination >= 0 && c.destination <= count);
            // Qt refuses a move onto itself or just below itself.
            ASSERT_TRUE(c.destination != c.index && c.destination != c.index + 1);
            EXPECT_EQ(c.to, c.destination > c.index ? c.destination - 1 : c.destination);
            const Entry moved = rows_[static_cast<size_t>(c.index)];
            rows_.insert(at(c.destination), moved);
            rows_.erase(at(c.destination < c.index ? c.index + 1 : c.index));
            break;
        }
        case Kind::Cleared: // beginResetModel
            rows_.clear();
            break;
        case Kind::StateChanged:
            break;
        }
    }

    const FileList& list_;
    std::vector<Entry> rows_;
    std::optional<FileListChange> open_;
    int done_ = 0;
};

TEST_F(FileListTest, EveryChangeComesInPairsThatAMirrorCanReplay) {
    const struct {
        const char* title;
        std::function<void(FileList&)> change;
        int told; // changes told Done
    } cases[] = {
        {"AddFile", [&](FileList& l) { l.AddFile(dir_.Write("new.avi", "x")); }, 1},
        {"AddDuplicate", [&](FileList& l) { l.AddFile(dir_.File("f1.avi")); }, 0},
        {"AddRefused", [&](FileList& l) { l.AddFile(dir_.Write("bad.avi", "x")); }, 0},
        {"AddWhileTheHookAdds",
         [&](FileList& l) {
             const std::string early = dir_.Write("early.avi", "x");
             l.SetBeforeAddHook([&l, early] { l.AddFile(early); });
             l.AddFiles({dir_.Write("late.avi", "x")});
         },
         2},
        {"DeleteScattered",
         [](FileList& l) {
             l.DeleteEntries({4, 1, 3});
         },
         2},
        {"DeleteAll",
         [](FileList& l) {
             l.DeleteEntries({0, 1, 2, 3, 4, 5});
         },
         1},
        {"DeleteNothing", [](FileList& l) { l.DeleteEntries({9}); }, 0},
        {"MoveUp", [](FileList& l) { l.MoveListItem(2, true); }, 1},
        {"MoveDown", [](FileList& l) { l.MoveListItem(2, false); }, 1},
        {"MoveFirstUp", [](FileList& l) { l.MoveListItem(0, true); }, 0},
        {"DragBelowTheLast", [](FileList& l) { l.MoveEntry(0, 6); }, 1},
        {"DragToTheTop", [](FileList& l) { l.MoveEntry(5, 0); }, 1},
        {"DragDownTwo", [](FileList& l) { l.MoveEntry(1, 4); }, 1},
        {"DragJustBelowItself", [](FileList& l) { l.MoveEntry(3, 4); }, 0},
        {"SetState", [&](FileList& l) { l.SetFileState(dir_.File("f4.avi"), TFileState::Failed); },
         1},
        {"ResetStates", [](FileList& l) { l.ResetFileStates(); }, 1},
        {"Clear", [](FileList& l) { l.Clear(); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        auto list = ListOf(6);
        list->SetFileState(dir_.File("f2.avi"), TFileState::Done); // moves must carry it along
        MirrorList mirror(*list);
        list->SetChangeListener(std::ref(mirror));
        c.change(*list);
        EXPECT_EQ(mirror.Done(), c.told);
        EXPECT_FALSE(mirror.Open());
    }
}

TEST_F(FileListTest, SelectionIsClampedToTheList) {
    FileList empty(FakeProbe());
    EXPECT_EQ(empty.SelectListItem(0), -1);
    auto list = ListOf(3);
    EXPECT_EQ(list->SelectListItem(1), 1);
    EXPECT_EQ(list->SelectListItem(3), 2); // the entry count selects the last entry
    EXPECT_EQ(list->SelectListItem(-1), -1);
}

TEST_F(FileListTest, SummaryCountsTheEntries) {
    FileList list(FakeProbe());
    EXPECT_EQ(list.SummaryText(), "Summary: No files");
    list.AddFile(dir_.Write("a.avi", "x"));
    EXPECT_EQ(list.SummaryText(), "Summary: One file");
    list.AddFile(dir_.Write("b.avi", "x"));
    EXPECT_EQ(list.SummaryText(), "Summary: 2 files");
    SetMsg(MSG_STATUS_FILES, "%d Dateien");
    EXPECT_EQ(list.SummaryText(), "2 Dateien");
    list.Clear();
    EXPECT_EQ(list.SummaryText(), "Summary: No files");
}

} // namespace
