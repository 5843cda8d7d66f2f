// The profile commands over a temporary profile folder: what each writes, renames or deletes,
// which questions and messages it brings, and what the box selects afterwards. The box is a fake
// over the real folder listing, the editor a stub whose OK or Cancel the test chooses, and the
// name dialog is the real one, answered by the test.

#include "ui/editors/frame/ProfileCommands.h"
#include "core/BusyCursor.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "lang/Messages.h"
#include "profiles/AudioSettings.h"
#include "profiles/AviSettings.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"
#include "ui/dialogs/TfrmName.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace quillabe {
namespace {

namespace fs = std::filesystem;
using test::ProgramHome;

// The box of one format over the real folder listing, with the selection rule of the real boxes.
class FakeBoxes : public ProfileBoxAccess {
public:
    int format = ofMP3;
    std::vector<std::string> names;
    int selected = -1;
    int refills = 0;

    int CurrentFormat() const override { return format; }
    std::string CurrentName() const override {
        return selected < 0 ? std::string() : names[static_cast<size_t>(selected)];
    }
    int Count() const override { return static_cast<int>(names.size()); }
    void Refill(int f, const std::optional<std::string>& name) override {
        ++refills;
        names = ListProfileNames(f);
        selected = SelectProfileIndex(names, name);
    }
    std::string CurrentProfilePath() const override { return ProfilePath(format, CurrentName()); }
    QWidget* MainWindow() const override { return nullptr; }
};

// What the stub editor saw while it lived.
struct EditorLog {
    std::string shown;      // the record's description when the controls were filled
    int busyWhileOpen = -1; // BusyDepth() while it was shown
    int busyAtEnd = -1;     // and when it was destroyed
};

// Shows the record's description and, on OK, takes back the one "typed" into it.
class StubEditor : public TProfileEditor {
public:
    StubEditor(EditorLog& log, int result) : log_(log), result_(result) {}
    ~StubEditor() override { log_.busyAtEnd = BusyDepth(); }

    void SettingsToControls() override { log_.shown = Mp3Settings.Description; }
    void ControlsToSettings() override { Mp3Settings.Description = "typed"; }
    int exec() override {
        log_.busyWhileOpen = BusyDepth();
        return result_;
    }

private:
    EditorLog& log_;
    int result_;
};

class ProfileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        ResetGlobalVars();
        GlobalVars.LanguageFile = "english.ini";
        ASSERT_TRUE(CreateProfileDirs());
        answers = std::make_shared<ScriptedMessageDialogs>();
        SetMessageDialogHandler(answers);
        auto owned = std::make_unique<FakeBoxes>();
        box = owned.get();
        commands = std::make_unique<ProfileCommands>(std::move(owned));
        commands->SetEditorMaker([this](int format, QWidget*) -> std::unique_ptr<TProfileEditor> {
            madeFor = format;
            if (!editorAvailable)
                return nullptr;
            editor = EditorLog{};
            return std::make_unique<StubEditor>(editor, editorResult);
        });
    }
    void TearDown() override {
        SetMessageDialogHandler(nullptr);
        ResetGlobalVars();
    }

    std::string dir() const { return home.Path() + "profile_en/mp3/"; }
    std::string write(const std::string& name, const std::string& description) const {
        return home.Dir().Write("profile_en/mp3/" + name + ".mpo",
                                "[General]\nDescription=" + description + "\n");
    }
    std::string description(const std::string& name) const {
        return IniFile(dir() + name + ".mpo").ReadString("General", "Description", "<none>");
    }
    bool exists(const std::string& name) const { return fs::exists(dir() + name + ".mpo"); }
    void fill(const std::optional<std::string>& select) {
        box->Refill(ofMP3, select);
        box->refills = 0;
    }

    // Runs a command; the name dialog, when it opens, gets `name` and OK (nullopt: Cancel).
    // Returns whether the name dialog opened and what it showed at first.
    struct NameDialogSeen {
        bool opened = false;
        std::string initial;
    };
    NameDialogSeen run(void (ProfileCommands::*command)(),
                       const std::optional<std::string>& name = std::nullopt) {
        NameDialogSeen seen;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TfrmName*>(QApplication::activeModalWidget());
            if (!form)
                return;
            seen.opened = true;
            seen.initial = form->EditFileName()->text().toStdString();
            if (name) {
                form->EditFileName()->setText(QString::fromStdString(*name));
                form->ButtonOK()->click();
            }
            if (form->isVisible())
                form->ButtonCancel()->click();
        });
        ((*commands).*command)();
        QApplication::processEvents(); // a timer no dialog consumed
        return seen;
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& r : answers->Requests())
            texts.push_back(r.text);
        return texts;
    }

    ProgramHome home;
    std::shared_ptr<ScriptedMessageDialogs> answers;
    std::unique_ptr<ProfileCommands> commands;
    FakeBoxes* box = nullptr;
    EditorLog editor;
    bool editorAvailable = true;
    int editorResult = QDialog::Accepted;
    int madeFor = -1;
};

TEST_F(ProfileCommandsTest, AddWritesTheNameAsEnteredAfterAskingAboutAnExistingFile) {
    struct Case {
        const char* what;
        int editorResult;
        std::optional<std::string> name;
        std::vector<int> answers;     // to the overwrite question
        bool asked;                   // the overwrite question came
        const char* afterDescription; // of profile `name` ("<none>": no file)
        const char* selected;         // in the box afterwards; nullptr: no refill
    };
    const Case cases[] = {
        {"new, blanks kept", QDialog::Accepted, " Fresh ", {}, false, "typed", " Fresh "},
        {"existing, No keeps it", QDialog::Accepted, "Old", {mrNo}, true, "old", nullptr},
        {"existing, Yes replaces it", QDialog::Accepted, "Old", {mrYes}, true, "typed", "Old"},
        {"existing, question closed", QDialog::Accepted, "Old", {mrCancel}, true, "typed", "Old"},
        {"editor cancelled", QDialog::Rejected, "New", {}, false, "<none>", nullptr},
        {"name dialog cancelled", QDialog::Accepted, std::nullopt, {}, false, "<none>", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir());
        fs::create_directories(dir());
        write("Old", "old");
        fill("Old");
        answers = std::make_shared<ScriptedMessageDialogs>();
        for (int a : c.answers)
            answers->Answer(a);
        SetMessageDialogHandler(answers);
        editorResult = c.editorResult;
        Mp3Settings.Description = "left over";

        const NameDialogSeen seen = run(&ProfileCommands::AddProfile, c.name);

        EXPECT_EQ(editor.shown, "No Description") << "the editor shows the defaults";
        EXPECT_EQ(seen.opened, c.editorResult == QDialog::Accepted);
        EXPECT_EQ(seen.initial, "");
        const std::string path = dir() + c.name.value_or("New") + ".mpo";
        if (c.asked) {
            ASSERT_EQ(answers->Requests().size(), 1u);
            const MessageRequest& q = answers->Requests()[0];
            EXPECT_EQ(q.text,
                      "File \"" + path +
                          "\" already exists.\r\n\r\nAre you sure you want to overwrite it?");
            EXPECT_EQ(q.title, "Overwrite file?");
            EXPECT_EQ(q.buttons.size(), 2u);
        } else {
            EXPECT_TRUE(answers->Requests().empty());
        }
        EXPECT_EQ(description(c.name.value_or("New")), c.afterDescription);
        if (c.selected) {
            EXPECT_EQ(box->refills, 1);
            EXPECT_EQ(box->CurrentName(), c.selected);
        } else {
            EXPECT_EQ(box->refills, 0);
            EXPECT_EQ(box->CurrentName(), "Old");
        }
    }
}

TEST_F(ProfileCommandsTest, RenameKeepsEveryOtherProfile) {
    struct Case {
        const char* what;
        std::optional<std::string> name;
        bool failed;
        const char* selected;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"ok", "Renamed", false, "Renamed", {"Other", "Renamed"}},
        {"same name", "Mine", false, "Mine", {"Mine", "Other"}},
        {"onto an existing one", "Other", true, "Mine", {"Mine", "Other"}},
        {"cancelled", std::nullopt, false, "Mine", {"Mine", "Other"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir());
        fs::create_directories(dir());
        write("Mine", "mine");
        write("Other", "other");
        fill("Mine");
        answers->Clear();

        const NameDialogSeen seen = run(&ProfileCommands::RenameProfile, c.name);

        EXPECT_TRUE(seen.opened);
        EXPECT_EQ(seen.initial, "Mine");
        EXPECT_EQ(ListProfileNames(ofMP3), c.files);
        EXPECT_EQ(box->CurrentName(), c.selected);
        EXPECT_EQ(description("Other"), "other");
        if (c.failed) {
            ASSERT_EQ(answers->Requests().size(), 1u);
            EXPECT_EQ(answers->Requests()[0].text,
                      "Rename faild! Please check if the profile name is already exist!");
            EXPECT_EQ(answers->Requests()[0].title, "Rename Faild");
            EXPECT_EQ(box->refills, 0);
        } else {
            EXPECT_TRUE(answers->Requests().empty());
        }
    }
}

TEST_F(ProfileCommandsTest, DeleteSelectsTheFirstRemainingAndRefusesTheLast) {
    struct Case {
        const char* what;
        std::vector<std::string> profiles;
        const char* current; // nullptr: nothing selected
        std::vector<int> answers;
        std::vector<std::string> shown;
        std::vector<std::string> after;
        const char* selected;
    };
    const std::string question = "Are you sure you want to delete profile \"%s\"?";
    auto ask = [&](const std::string& name) { return FormatText(question, {name}); };
    const Case cases[] = {
        {"yes", {"A", "B", "C"}, "B", {mrYes}, {ask("B")}, {"A", "C"}, "A"},
        {"first deleted", {"A", "B"}, "A", {mrYes}, {ask("A")}, {"B"}, "B"},
        {"no", {"A", "B"}, "B", {mrNo}, {ask("B")}, {"A", "B"}, "B"},
        {"last", {"A"}, "A", {}, {"This is the last profile, can not be deleted!"}, {"A"}, "A"},
        {"empty box",
         {},
         nullptr,
         {mrYes},
         {ask(""), "The profile \"\" could not be deleted (No such file or directory)."},
         {},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir());
        fs::create_directories(dir());
        for (const auto& name : c.profiles)
            write(name, name);
        fill(c.current ? std::optional<std::string>(c.current) : std::nullopt);
        answers = std::make_shared<ScriptedMessageDialogs>();
        for (int a : c.answers)
            answers->Answer(a);
        SetMessageDialogHandler(answers);

        run(&ProfileCommands::DeleteProfile);

        EXPECT_EQ(shownTexts(), c.shown);
        EXPECT_EQ(ListProfileNames(ofMP3), c.after);
        EXPECT_EQ(box->CurrentName(), c.selected);
    }
    EXPECT_EQ(answers->Requests()[0].title, "Delete file");
    EXPECT_EQ(answers->Requests()[0].buttons.size(), 2u);
}

TEST_F(ProfileCommandsTest, EditLoadsOverTheRecordAndSavesToTheSamePath) {
    home.Dir().Write("profile_en/mp3/Radio.mpo", "[General]\nAudioCodec=1\n");
    fill("Radio");
    Mp3Settings.Description = "kept";
    run(&ProfileCommands::EditProfile);
    ASSERT_EQ(madeFor, int(ofMP3));
    EXPECT_EQ(editor.shown, "kept") << "a key missing from the file keeps the record's value";
    EXPECT_EQ(description("Radio"), "typed");
    EXPECT_EQ(box->refills, 0);
    EXPECT_TRUE(answers->Requests().empty());

    editorResult = QDialog::Rejected;
    write("Radio", "before");
    run(&ProfileCommands::EditProfile);
    EXPECT_EQ(description("Radio"), "before");
}

TEST_F(ProfileCommandsTest, EditWithAnEmptyBoxUsesTheFolderDotExtensionPath) {
    fill(std::nullopt);
    ASSERT_EQ(box->Count(), 0);
    run(&ProfileCommands::EditProfile);
    EXPECT_EQ(IniFile(dir() + ".mpo").ReadString("General", "Description", ""), "typed");
    EXPECT_TRUE(answers->Requests().empty());
}

TEST_F(ProfileCommandsTest, TheBusyCursorCoversOnlyAnAviEdit) {
    home.Dir().Write("profile_en/avi/Clip.avo", "[General]\n");
    home.Dir().Write("profile_en/mp3/Song.mpo", "[General]\n");
    for (const int format : {int(ofAVI), int(ofMP3)}) {
        box->format = format;
        box->Refill(format, std::nullopt);
        editorResult = QDialog::Rejected;
        run(&ProfileCommands::EditProfile);
        EXPECT_EQ(madeFor, format);
        EXPECT_EQ(editor.busyWhileOpen, format == ofAVI ? 1 : 0);
        EXPECT_EQ(editor.busyAtEnd, format == ofAVI ? 1 : 0);
        EXPECT_EQ(BusyDepth(), 0);
    }
}

TEST_F(ProfileCommandsTest, WithoutAnEditorNothingIsWritten) {
    write("Radio", "radio");
    fill("Radio");
    editorAvailable = false;
    for (auto command : {&ProfileCommands::EditProfile, &ProfileCommands::AddProfile}) {
        answers->Clear();
        const NameDialogSeen seen = run(command);
        EXPECT_FALSE(seen.opened);
        ASSERT_EQ(answers->Requests().size(), 1u);
        EXPECT_EQ(answers->Requests()[0].text, "The profile editor for MP3 is not available yet.");
        EXPECT_EQ(answers->Requests()[0].title, "MP3 Profile Editor");
    }
    EXPECT_EQ(ListProfileNames(ofMP3), std::vector<std::string>{"Radio"});
    EXPECT_EQ(description("Radio"), "radio");
}

TEST_F(ProfileCommandsTest, MP4AndThreeGPHaveNoProfileCommands) {
    for (const int format : {int(ofMP4), int(of3GP)}) {
        box->format = format;
        const NameDialogSeen seen = run(&ProfileCommands::AddProfile, "x");
        EXPECT_FALSE(seen.opened);
        EXPECT_EQ(madeFor, -1);
    }
    EXPECT_TRUE(answers->Requests().empty());
}

TEST_F(ProfileCommandsTest, AFailedSaveIsToldAndLeavesTheOldFile) {
    write("Radio", "radio");
    fill("Radio");
    // A folder in the way of the new file: writing cannot replace it.
    fs::create_directories(dir() + "Blocked.mpo");
    answers->Answer(mrYes); // overwrite it
    run(&ProfileCommands::AddProfile, "Blocked");
    ASSERT_EQ(answers->Requests().size(), 2u);
    EXPECT_EQ(answers->Requests()[1].text.rfind("The profile \"" + dir() +
                                                    "Blocked.mpo\" could "
                                                    "not be saved (",
                                                0),
              0u)
        << answers->Requests()[1].text;
    EXPECT_EQ(answers->Requests()[1].title, "Error");
    EXPECT_TRUE(fs::is_directory(dir() + "Blocked.mpo"));
    EXPECT_EQ(box->refills, 0);

    // The folder gone: an edit cannot save, and says so.
    answers->Clear();
    fs::remove_all(dir());
    run(&ProfileCommands::EditProfile);
    ASSERT_EQ(answers->Requests().size(), 1u);
    EXPECT_NE(answers->Requests()[0].text.find("could not be saved (No such file or directory)"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir()));
}

TEST_F(ProfileCommandsTest, TheMoreMenuHoldsAddDeleteAndRename) {
    QAction edit("Edit"), add("Add..."), rename("Rename..."), del("Delete"), more("More");
    commands->Bind(&edit, &add, &rename, &del, &more);
    ASSERT_NE(commands->PopupMenuProfile(), nullptr);
    const QList<QAction*> items = commands->PopupMenuProfile()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], &add);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], &del);
    EXPECT_EQ(items[3], &rename);

    write("A", "a");
    write("B", "b");
    fill("B");
    answers->Answer(mrYes);
    del.trigger();
    EXPECT_EQ(ListProfileNames(ofMP3), std::vector<std::string>{"A"});
}

// Names as the name dialog judges them; the callers then use the text as entered.
TEST(ProfileName, Check) {
    struct Case {
        const char* name;
        ProfileNameCheck check;
    };
    const std::string tooLong(kMaxProfileNameBytes + 1, 'n');
    const std::string longest(kMaxProfileNameBytes, 'n');
    const Case cases[] = {
        {"Radio 128", ProfileNameCheck::Valid},
        {"  blanks kept  ", ProfileNameCheck::Valid},
        {"a.b", ProfileNameCheck::Valid},
        {"Ünïcödé", ProfileNameCheck::Valid},
        {longest.c_str(), ProfileNameCheck::Valid},
        {"", ProfileNameCheck::InvalidFileName},
        {"   ", ProfileNameCheck::InvalidFileName},
        {"a/b", ProfileNameCheck::InvalidFileName},
        {"a\\b", ProfileNameCheck::InvalidFileName},
        {"a:b", ProfileNameCheck::InvalidFileName},
        {"a*b", ProfileNameCheck::InvalidFileName},
        {"a?b", ProfileNameCheck::InvalidFileName},
        {"a\"b", ProfileNameCheck::InvalidFileName},
        {"a<b", ProfileNameCheck::InvalidFileName},
        {"a>b", ProfileNameCheck::InvalidFileName},
        {"a|b", ProfileNameCheck::InvalidFileName},
        {".", ProfileNameCheck::UnusableName},
        {"..", ProfileNameCheck::UnusableName},
        {" .. ", ProfileNameCheck::UnusableName},
        {".hidden", ProfileNameCheck::UnusableName},
        {"tab\there", ProfileNameCheck::UnusableName},
        {"line\nbreak", ProfileNameCheck::UnusableName},
        {"del\x7f", ProfileNameCheck::UnusableName},
        {tooLong.c_str(), ProfileNameCheck::UnusableName},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckProfileName(c.name), c.check) << '"' << c.name << '"';
}

TEST(ProfileName, DialogStaysOpenWithTheTextSelectedUntilANameIsUsable) {
    ResetMessages();
    auto answers = std::make_shared<ScriptedMessageDialogs>();
    SetMessageDialogHandler(answers);
    QWidget owner;
    owner.setGeometry(50, 40, 700, 500);
    std::vector<std::pair<bool, bool>> openAndSelected;
    QRect placed;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TfrmName*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        placed = QRect(form->pos(), form->size());
        EXPECT_EQ(form->windowTitle(), "Profile Name");
        EXPECT_EQ(form->EditFileName()->text(), "Start");
        for (const char* text : {"a/b", "..", " Good "}) {
            form->EditFileName()->setText(text);
            form->ButtonOK()->click();
            openAndSelected.emplace_back(form->isVisible(),
                                         form->EditFileName()->selectedText() == text);
            EXPECT_EQ(form->Accepted(), !form->isVisible());
        }
    });
    const std::optional<std::string> name = AskProfileName(&owner, "Start");
    SetMessageDialogHandler(nullptr);

    EXPECT_EQ(name, " Good ");
    EXPECT_EQ(openAndSelected,
              (std::vector<std::pair<bool, bool>>{{true, true}, {true, true}, {false, false}}));
    ASSERT_EQ(answers->Requests().size(), 2u);
    EXPECT_EQ(answers->Requests()[0].text, Msg(MSG_INVALID_FILE_NAME));
    EXPECT_EQ(answers->Requests()[1].text, Msg(MSG_INVALID_PROFILE_NAME));
    for (const MessageRequest& r : answers->Requests()) {
        EXPECT_EQ(r.title, "Invalid File Name");
        EXPECT_EQ(r.icon, MessageIcon::Warning);
        EXPECT_EQ(r.buttons.size(), 2u);
    }
    EXPECT_EQ(placed.size(), QSize(263, 116));
    EXPECT_EQ(placed.left(), 50 + (700 - 263) / 2);
    EXPECT_EQ(placed.top(), 40 + (500 - 116) / 2);
}

} // namespace
} // namespace quillabe
