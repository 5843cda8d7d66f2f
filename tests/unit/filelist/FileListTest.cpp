#include "engine/FileList.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

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
