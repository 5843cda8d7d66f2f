// The Languages submenu: a switch loads the texts at once and the windows take them over; a
// language that cannot be loaded is not switched to.

#include "ui/main/LanguagesMenu.h"
#include "core/GlobalVars.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "profiles/ProfileDirs.h"
#include "support/TempDir.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/ToolkitTranslation.h"
#include "ui/skin/SkinLayout.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace quillabe {
namespace {

using test::ProgramHome;

class LanguagesMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMessages();
        ResetGlobalVars();
        SetStartupConstants();
        GlobalVars.LanguageFile = "english.ini";
        ASSERT_TRUE(CreateProfileDirs());
        lang("english.ini", "MSG_LANG=Languages\n");
        lang("french.ini", "MSG_LANG=Langues\nMSG_TOAVI=Vers AVI\nMSG_TOMP2=Vers MP2\n"
                           "MSG_OUTPUT_FORMAT=Format de sortie\n");
        formats = new FormatSelection(&window, DesignSkinLayout());
        formats->LoadProfileLists();
        menu = new LanguagesMenu(&window);
        menu->BuildLanguageMenu();
        QObject::connect(menu, &LanguagesMenu::languageChanged, [this] {
            ++switches;
            formats->ApplyLanguage();
        });
    }
    void TearDown() override {
        ResetMessages();
        ResetGlobalVars();
    }
    std::string lang(const std::string& name, const std::string& body) {
        return home.Dir().Write("skin/ozu/lang/" + name, "[LANGRES]\n" + body);
    }
    QAction* item(const QString& caption) {
        for (QAction* a : menu->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
    QString checkedCaption() const {
        QString caption;
        for (QAction* a : menu->actions())
            if (a->isChecked())
                caption += a->text();
        return caption;
    }
    std::string outputFormatText(const char* name) {
        return formats->findChild<QAction*>(name)->text().toStdString();
    }

    ProgramHome home;
    QWidget window;
    FormatSelection* formats = nullptr;
    LanguagesMenu* menu = nullptr;
    int switches = 0;
};

TEST_F(LanguagesMenuTest, SwitchingAppliesTheTextsAtOnce) {
    EXPECT_EQ(menu->title(), "Languages");
    EXPECT_EQ(checkedCaption(), "ENGLISH");
    ASSERT_NE(item("FRENCH"), nullptr);
    item("FRENCH")->trigger();
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(GlobalVars.LanguageFile, "FRENCH.ini");
    EXPECT_EQ(checkedCaption(), "FRENCH");
    EXPECT_EQ(menu->title(), "Langues");
    EXPECT_EQ(formats->OutputFormatMenu()->title(), "Format de sortie");
    EXPECT_EQ(outputFormatText("ActionToAVIItem"), "Vers AVI");
    EXPECT_EQ(outputFormatText("ActionToAVI"), "\r\r\r\rVers AVI");
    EXPECT_EQ(outputFormatText("ActionToMP3Item"), "To MP3") << "not in the file: unchanged";

    item("ENGLISH")->trigger();
    EXPECT_EQ(switches, 2);
    EXPECT_EQ(menu->title(), "Languages");
    EXPECT_EQ(checkedCaption(), "ENGLISH");
}

TEST_F(LanguagesMenuTest, DamagedFileFallsBackWithoutBlankCaptions) {
    // Binary noise, an empty value, bytes that are not UTF-8 and an overlong line.
    std::string noise(3000, '\xfe');
    noise[17] = '\0';
    home.Dir().Write("skin/ozu/lang/damaged.ini",
                     noise + "\n[LANGRES]\nMSG_OUTPUT_FORMAT=\nMSG_TOAVI=\xff\xfe AVI\nMSG_TOMP3=" +
                         std::string(5000, 'x') + "\n");
    menu->BuildLanguageMenu();
    item("FRENCH")->trigger();
    ASSERT_NE(item("DAMAGED"), nullptr);
    item("DAMAGED")->trigger();
    EXPECT_EQ(switches, 2);
    EXPECT_EQ(GlobalVars.LanguageFile, "DAMAGED.ini");
    EXPECT_EQ(outputFormatText("ActionToMP2Item"), "Vers MP2")
        << "keys the file lacks keep the previous language";
    EXPECT_EQ(formats->OutputFormatMenu()->title(), "Output Format") << "empty: built-in text";
    EXPECT_NE(outputFormatText("ActionToAVIItem").find("AVI"), std::string::npos);
    EXPECT_EQ(outputFormatText("ActionToMP3Item").substr(0, 3), "xxx");
}

TEST_F(LanguagesMenuTest, LanguageThatCannotBeLoadedIsNotSwitchedTo) {
    lang("german.ini", "MSG_LANG=Sprachen\n");
    std::filesystem::create_directory(home.Path() + "skin/ozu/lang/folder.ini");
    menu->BuildLanguageMenu();
    ASSERT_NE(item("GERMAN"), nullptr);
    std::filesystem::remove(home.Path() + "skin/ozu/lang/german.ini");
    for (const char* caption : {"GERMAN", "FOLDER"}) {
        QAction* entry = item(caption);
        ASSERT_NE(entry, nullptr) << caption;
        entry->trigger();
        EXPECT_EQ(switches, 0) << caption;
        EXPECT_EQ(GlobalVars.LanguageFile, "english.ini");
        EXPECT_EQ(menu->title(), "Languages");
        EXPECT_EQ(checkedCaption(), "ENGLISH");
    }
    EXPECT_EQ(item("GERMAN"), nullptr) << "the menu lists the folder again";
}

TEST_F(LanguagesMenuTest, AmpersandInAFileNameShowsAsItIs) {
    lang("r&d.ini", "MSG_LANG=x\n");
    menu->BuildLanguageMenu();
    EXPECT_NE(item("R&&D"), nullptr);
}

// File dialogs, standard buttons and key names in menus come from Qt: they follow the language
// file through Qt's installed translations, and English brings the built-in texts back.
TEST(ToolkitTranslation, FollowsTheLanguageFile) {
    const QString english = QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText);
    ASSERT_TRUE(TranslateToolkit("French.INI"));
    EXPECT_NE(QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText), english);
    EXPECT_TRUE(TranslateToolkit("deutsch.ini"));
    EXPECT_FALSE(TranslateToolkit("english.ini"));
    EXPECT_EQ(QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText), english);
    EXPECT_FALSE(TranslateToolkit("klingon.ini"));
}

} // namespace
} // namespace quillabe
