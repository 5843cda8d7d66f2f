// The profile commands' view of the real profile boxes: every answer is about the format the
// actions show, and a command run through it acts on that format's box and folder.

#include "ui/main/ProfileBoxes.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"
#include "ui/editors/frame/ProfileCommands.h"
#include "ui/main/FormatSelection.h"
#include "ui/skin/SkinLayout.h"

#include <QAction>
#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

namespace quillabe {
namespace {

using test::ProgramHome;

TEST(ProfileBoxes, AnswerForTheFormatTheActionsShow) {
    ProgramHome home;
    ResetMessages();
    ResetGlobalVars();
    GlobalVars.LanguageFile = "english.ini";
    ASSERT_TRUE(CreateProfileDirs());
    for (const char* file : {"mp3/Loud.mpo", "mp3/Quiet.mpo", "avi/Clip.avo"})
        home.Dir().Write(std::string("profile_en/") + file, "[General]\n");
    QWidget window;
    auto* formats = new FormatSelection(&window, DesignSkinLayout());
    formats->LoadProfileLists();
    formats->SelectFormat(formats->FormatAction(ofMP3));

    auto owned = std::make_unique<ProfileBoxes>(*formats, &window);
    ProfileBoxes& boxes = *owned;
    EXPECT_EQ(boxes.CurrentFormat(), ofMP3);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.CurrentName(), "Loud");
    EXPECT_EQ(boxes.CurrentProfilePath(), home.Path() + "profile_en/mp3/Loud.mpo");
    EXPECT_EQ(boxes.MainWindow(), &window);
    boxes.Refill(ofMP3, "Quiet");
    EXPECT_EQ(boxes.CurrentName(), "Quiet");
    EXPECT_EQ(formats->ProfileBox(ofMP3)->currentText(), "Quiet");

    // Deleting through the commands: the MP3 box and folder, the AVI ones untouched.
    auto answers = std::make_shared<ScriptedMessageDialogs>();
    answers->Answer(mrYes);
    SetMessageDialogHandler(answers);
    ProfileCommands commands(std::move(owned));
    commands.DeleteProfile();
    SetMessageDialogHandler(nullptr);
    ASSERT_EQ(answers->Requests().size(), 1u);
    EXPECT_EQ(answers->Requests()[0].text, "Are you sure you want to delete profile \"Quiet\"?");
    EXPECT_EQ(ListProfileNames(ofMP3), std::vector<std::string>{"Loud"});
    EXPECT_EQ(formats->ProfileBox(ofMP3)->currentText(), "Loud");
    EXPECT_EQ(ListProfileNames(ofAVI), std::vector<std::string>{"Clip"});
    ResetGlobalVars();
}

} // namespace
} // namespace quillabe
