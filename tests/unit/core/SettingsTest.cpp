#include "core/FormPlacement.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/ShellFolders.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quillabe;
using quillabe::test::ProgramHome;
using quillabe::test::TempDir;

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        SetStartupConstants();
        SetGlobalDefaults();
    }
    ProgramHome home;
};

TEST_F(Settings, WithoutAFileTheDefaultsAreWrittenInOrder) {
    GlobalVars.LastInputOpenDir = GlobalVars.LastOutputOpenDir = "/docs";
    EXPECT_FALSE(LoadSystemSettings());
    EXPECT_EQ(GlobalVars.OutputFormat, 0);
    EXPECT_EQ(home.Dir().Read("info.ini"), "[System]\n"
                                           "LanguageFile=english.ini\n"
                                           "LastInputOpenDir=/docs\n"
                                           "LastOutputOpenDir=/docs\n"
                                           "Priority=1\n"
                                           "ShutdownFlag=1\n"
                                           "DeleteFileAfterProcessing=0\n"
                                           "ShutdownWindowsWhenDone=0\n"
                                           "UseDirectShow=0\n"
                                           "TgpiPodPSPProfileFileName=\n"
                                           "SimultaneousConversions=1\n");
}

TEST_F(Settings, AnExistingFileSelectsMp4AndKeepsDefaultsForMissingKeys) {
    home.Dir().Write("info.ini", "[System]\nPriority=2\n");
    GlobalVars.Mp4PresetIndex = 5;
    EXPECT_TRUE(LoadSystemSettings());
    EXPECT_EQ(GlobalVars.OutputFormat, 1);
    EXPECT_EQ(GlobalVars.Priority, 2);
    EXPECT_EQ(GlobalVars.ShutdownFlag, 1);
    EXPECT_EQ(GlobalVars.LanguageFile, "english.ini");
    EXPECT_EQ(GlobalVars.Mp4PresetIndex, 0);
}

TEST_F(Settings, ValuesAreReadByTheProfileRules) {
    home.Dir().Write("info.ini", "[system]\npriority=258\nShutdownFlag=0x03\nUseDirectShow=7\n"
                                 "DeleteFileAfterProcessing=yes\nLastOutputOpenDir=\" /out \"\n"
                                 "TgpiPodPSPProfileFileName=/p/ipod.ini\n");
    GlobalVars.DeleteFileAfterProcessing = true;
    LoadSystemSettings();
    EXPECT_EQ(GlobalVars.Priority, 2) << "a byte keeps the low eight bits";
    EXPECT_EQ(GlobalVars.ShutdownFlag, 3);
    EXPECT_TRUE(GlobalVars.UseDirectShow);
    EXPECT_TRUE(GlobalVars.DeleteFileAfterProcessing) << "unreadable keeps the previous value";
    EXPECT_EQ(GlobalVars.LastOutputOpenDir, " /out ");
    EXPECT_EQ(GlobalVars.PresetFileName, "/p/ipod.ini");
}

TEST_F(Settings, SaveRoundTripsAndKeepsOtherSections) {
    home.Dir().Write("info.ini", "[Form]\nx=5\n[System]\nPriority=0\n");
    LoadSystemSettings();
    GlobalVars.Priority = 3;
    GlobalVars.ShutdownWindowsWhenDone = true;
    GlobalVars.PresetFileName = "/with = equals";
    ASSERT_TRUE(SaveSystemSettings());
    ResetGlobalVars();
    SetGlobalDefaults();
    LoadSystemSettings();
    EXPECT_EQ(GlobalVars.Priority, 3);
    EXPECT_TRUE(GlobalVars.ShutdownWindowsWhenDone);
    EXPECT_EQ(GlobalVars.PresetFileName, "/with = equals");
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadInteger("Form", "x", 0), 5);
}

// Folder names may hold line breaks; saved and loaded again they stay one value and switch
// nothing else on.
TEST_F(Settings, AFolderNameCannotInjectASetting) {
    LoadSystemSettings();
    GlobalVars.DeleteFileAfterProcessing = false;
    GlobalVars.LastOutputOpenDir = "/out\nDeleteFileAfterProcessing=1";
    GlobalVars.LastInputOpenDir = "\r\n[System]\r\nShutdownWindowsWhenDone=1\r\n";
    ASSERT_TRUE(SaveSystemSettings());
    ResetGlobalVars();
    SetGlobalDefaults();
    ASSERT_TRUE(LoadSystemSettings());
    EXPECT_FALSE(GlobalVars.DeleteFileAfterProcessing);
    EXPECT_FALSE(GlobalVars.ShutdownWindowsWhenDone);
    EXPECT_EQ(GlobalVars.LastOutputOpenDir, "/out\nDeleteFileAfterProcessing=1");
    EXPECT_EQ(GlobalVars.LastInputOpenDir, "\r\n[System]\r\nShutdownWindowsWhenDone=1\r\n");
    const IniFile ini(InfoIniFileName());
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"System"});
    EXPECT_EQ(ini.ReadSectionKeys("System").size(), 10u);
}

// The number of simultaneous conversions is ours, not an older version's: what the program cannot
// use reads as one at a time (not as whatever was set before), too many as the most it allows,
// and a file without the key keeps the value.
TEST_F(Settings, SimultaneousConversionsAreReadWithinTheirRange) {
    const struct {
        const char* value; // nullptr: no such key
        int expected;
    } cases[] = {
        {nullptr, 3}, {"0", 0},   {"1", 1},  {"4", 4},    {"16", 16},   {"17", 16}, {"100000", 16},
        {"-1", 1},    {"abc", 1}, {"2x", 1}, {"0x03", 3}, {"\"5\"", 5}, {"", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(missing)");
        std::string text = "[System]\nPriority=2\n";
        if (c.value)
            text += std::string("SimultaneousConversions=") + c.value + "\n";
        home.Dir().Write("info.ini", text);
        GlobalVars.SimultaneousJobs = 3;
        ASSERT_TRUE(LoadSystemSettings());
        EXPECT_EQ(GlobalVars.SimultaneousJobs, c.expected);
        EXPECT_EQ(GlobalVars.Priority, 2);
    }
    GlobalVars.SimultaneousJobs = 0;
    ASSERT_TRUE(SaveSystemSettings());
    SetGlobalDefaults();
    ASSERT_TRUE(LoadSystemSettings());
    EXPECT_EQ(GlobalVars.SimultaneousJobs, 0) << "one per core survives a save";
    EXPECT_EQ(IniFile(InfoIniFileName()).ReadString("System", "SimultaneousConversions", ""), "0");
}

TEST(FormPlacementLimits, AreAppliedToTheScreen) {
    struct Case {
        FormPlacement in;
        FormPlacement out;
    };
    const ScreenSize screen{1280, 1024};
    const Case cases[] = {
        {{1500, 10, 800, 600, false}, {480, 10, 800, 600, false}},
        {{10, 900, 800, 600, false}, {10, 424, 800, 600, false}},
        {{-30, -5, 800, 600, false}, {0, 0, 800, 600, false}},
        {{100, 100, 2000, 1500, false}, {0, 0, 1280, 1024, false}},
        {{100, 100, 754, 571, true}, {100, 100, 754, 571, true}},
        {{INT32_MAX, INT32_MAX, 800, 600, false}, {480, 424, 800, 600, false}},
        {{INT32_MIN, INT32_MIN, 800, 600, false}, {0, 0, 800, 600, false}},
    };
    for (const auto& c : cases) {
        FormPlacement p = LimitToScreen(c.in, screen);
        EXPECT_EQ(p.left, c.out.left);
        EXPECT_EQ(p.top, c.out.top);
        EXPECT_EQ(p.width, c.out.width);
        EXPECT_EQ(p.height, c.out.height);
    }
}

TEST_F(Settings, FormPlacementRoundTripWithDefaultsFromTheWindow) {
    FormPlacement current{20, 30, 754, 571, false};
    FormPlacement p = LoadFormPlacement("Form", current, {1920, 1080});
    EXPECT_EQ(p.left, 20);
    EXPECT_EQ(p.height, 571);
    EXPECT_FALSE(p.maximized);
    ASSERT_TRUE(SaveFormPlacement("Form", {1500, 40, 800, 600, true}));
    EXPECT_EQ(home.Dir().Read("info.ini"),
              "[Form]\nx=1500\ny=40\nheight=600\nwidth=800\nmaximized=1\n");
    p = LoadFormPlacement("Form", current, {1280, 1024});
    EXPECT_EQ(p.left, 480);
    EXPECT_TRUE(p.maximized);

    home.Dir().Write("info.ini", "[Form]\nx=2147483647\ny=-2147483648\nheight=0\nwidth=-800\n");
    p = LoadFormPlacement("Form", current, {1280, 1024});
    EXPECT_EQ(p.width, 754) << "no size in the file: the window's";
    EXPECT_EQ(p.height, 571);
    EXPECT_EQ(p.left, 1280 - 754);
    EXPECT_EQ(p.top, 0);
}

TEST(ShellFolder, ComesFromTheXdgUserDirs) {
    TempDir dir;
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    std::string oldConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("HOME", dir.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("cfg").c_str(), 1);
    EXPECT_EQ(GetShellFolder("Personal"), "") << "nothing configured, no Documents folder";
    dir.Write("Documents/.keep", "");
    EXPECT_EQ(GetShellFolder("Personal"), dir.Path() + "Documents");
    dir.Write("cfg/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                    "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                                    "XDG_VIDEOS_DIR=\"/media/videos\"\n");
    EXPECT_EQ(GetShellFolder("Personal"), dir.Path() + "Dokumente");
    EXPECT_EQ(GetShellFolder("My Video"), "/media/videos");
    EXPECT_EQ(GetShellFolder("Unknown"), "");
    setenv("HOME", oldHome.c_str(), 1);
    setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
}

} // namespace
