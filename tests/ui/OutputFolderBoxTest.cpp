// The output folder box: the check before anything is written there, and the folder picker.

#include "MainWindowFixture.h"

#include "base/PathUtils.h"
#include "core/IniFile.h"
#include "core/SystemSettings.h"

#include <QLineEdit>

#include <sys/stat.h>

using namespace quillabe;
using quillabe::test::MainWindowFixture;

namespace {

using OutputFolder = MainWindowFixture;

TEST_F(OutputFolder, CheckOutputFolder) {
    files_.Write("a-file", "x");
    const struct {
        const char* what;
        std::string text;
        std::vector<int> answers;
        bool result;
        std::vector<std::string> told; // titles of the messages, in order
        bool existsAfter;
    } cases[] = {
        {"empty", "", {}, false, {"Empty Dir"}, false},
        {"blanks", "   ", {}, false, {"Empty Dir"}, false},
        {"existing", files_.Path(), {}, true, {}, true},
        {"declined", files_.File("new/deep"), {mrNo}, false, {"Create directory"}, false},
        {"cancelled", files_.File("new/deep"), {mrCancel}, false, {"Create directory"}, false},
        {"created", files_.File("new/deep"), {mrYes}, true, {"Create directory"}, true},
        {"not creatable",
         files_.File("a-file/sub"),
         {mrYes},
         false,
         {"Create directory", "Fail"},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs_->Clear();
        auto answers = std::make_shared<ScriptedMessageDialogs>();
        for (int a : c.answers)
            answers->Answer(a);
        SetMessageDialogHandler(answers);
        Window().OutputFolder()->SetText(c.text);
        EXPECT_EQ(Window().CheckOutputFolder(), c.result);
        std::vector<std::string> titles;
        for (const MessageRequest& r : answers->Requests())
            titles.push_back(r.title);
        EXPECT_EQ(titles, c.told);
        EXPECT_EQ(DirectoryExists(c.text), c.existsAfter);
        if (!titles.empty()) {
            const MessageRequest& first = answers->Requests()[0];
            EXPECT_EQ(first.flags & 0xF0, static_cast<uint32_t>(MB_ICONQUESTION));
            if (titles[0] == "Create directory") {
                EXPECT_EQ(first.text,
                          "Output directory do not exist, do you want to force create it?");
                EXPECT_EQ(first.flags, static_cast<uint32_t>(35));
            }
        }
    }
}

TEST_F(OutputFolder, OpenDestinationFolderOpensOnlyAFolderThatPassed) {
    TfrmMain& w = Window();
    w.OutputFolder()->SetText("");
    w.Action("ActionOpenDestinationFolder")->trigger();
    EXPECT_TRUE(opened_.empty());
    w.OutputFolder()->SetText(files_.Path());
    w.Action("ActionOpenDestinationFolder")->trigger();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(LocalBytesFromUrl(opened_[0]), files_.Path());
}

TEST_F(OutputFolder, BrowseTakesTheChosenFolderAndAlwaysWritesIt) {
    std::optional<std::string> answer;
    std::string title, start;
    SetFileDialogHooks({.folder = [&](const std::string& t, const std::string& s) {
        title = t;
        start = s;
        return answer;
    }});
    TfrmMain& w = Window();
    w.OutputFolder()->SetText("/typed/by/hand");
    GlobalVars.LastOutputOpenDir = "/before";
    w.Action("ActionOutputBrowse")->trigger();
    EXPECT_EQ(title, "Please select a folder!");
    EXPECT_EQ(start, "/typed/by/hand");
    EXPECT_EQ(w.OutputFolder()->Text(), "/typed/by/hand");
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadString("System", "LastOutputOpenDir", ""), "/before");

    answer = files_.Path() + "chosen";
    w.Action("ActionOutputBrowse")->trigger();
    EXPECT_EQ(w.OutputFolder()->Text(), *answer);
    EXPECT_EQ(GlobalVars.LastOutputOpenDir, *answer);
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadString("System", "LastOutputOpenDir", ""), *answer);
}

TEST_F(OutputFolder, StartsAtTheVideoFolderElseTheDocuments) {
    const std::string home = getenv("HOME");
    std::filesystem::remove_all(home + "/Videos");
    std::filesystem::create_directories(home + "/Documents");
    EXPECT_EQ(Window().OutputFolder()->Text(), home + "/Documents");
    window_.reset();
    std::filesystem::create_directories(home + "/Videos");
    EXPECT_EQ(Window().OutputFolder()->Text(), home + "/Videos");
    std::filesystem::remove_all(home + "/Videos");
}

} // namespace
