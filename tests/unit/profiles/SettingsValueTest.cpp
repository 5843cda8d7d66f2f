// The value rules of profile files, shown on a small record: how each type is read and written,
// what a bad or missing value leaves, and how saving fails.

#include "core/IniFile.h"
#include "lang/Messages.h"
#include "profiles/AudioSettings.h"
#include "profiles/AviSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillabe {
namespace {

using test::TempDir;

std::string profileText(const std::string& lines) {
    return "[General]\n" + lines;
}

struct ValueCase {
    const char* name;
    const char* line; // the key line in the file
    int32_t before;   // the field before loading
    int32_t after;    // the field after loading
};

// Byte fields (AudioChannelsMp3, 1 byte) and int fields (AudioBitRatePresetMp3).
TEST(SettingsValue, ByteAndIntRules) {
    const ValueCase byteCases[] = {
        {"decimal", "AudioChannelsMp3=2", 9, 2},
        {"low eight bits", "AudioChannelsMp3=300", 9, 44},
        {"negative wraps", "AudioChannelsMp3=-1", 9, 255},
        {"0x hex", "AudioChannelsMp3=0x1F", 9, 31},
        {"0X hex", "AudioChannelsMp3=0X1f", 9, 31},
        {"dollar hex", "AudioChannelsMp3=$10", 9, 16},
        {"bare 0x is no number", "AudioChannelsMp3=0x", 9, 9},
        {"quoted", "AudioChannelsMp3=\"7\"", 9, 7},
        {"blanks around", "AudioChannelsMp3 =   5  ", 9, 5},
        {"key case", "audiochannelsmp3=4", 9, 4},
        {"text keeps", "AudioChannelsMp3=stereo", 9, 9},
        {"trailing text keeps", "AudioChannelsMp3=12abc", 9, 9},
        {"empty keeps", "AudioChannelsMp3=", 9, 9},
        {"missing keeps", "Other=1", 9, 9},
    };
    TempDir dir;
    for (const auto& c : byteCases) {
        SCOPED_TRACE(c.name);
        Mp3Settings.AudioChannelsMp3 = static_cast<uint8_t>(c.before);
        LoadMp3Settings(dir.Write("p.mpo", profileText(std::string(c.line) + "\n")));
        EXPECT_EQ(Mp3Settings.AudioChannelsMp3, c.after);
    }
    const ValueCase intCases[] = {
        {"negative", "AudioBitRatePresetMp3=-64", 5, -64},
        {"plus sign", "AudioBitRatePresetMp3=+64", 5, 64},
        {"large", "AudioBitRatePresetMp3=2147483647", 5, 2147483647},
        {"too large keeps", "AudioBitRatePresetMp3=2147483648", 5, 5},
        {"hex full pattern", "AudioBitRatePresetMp3=$FFFFFFFF", 5, -1},
        {"hex negative", "AudioBitRatePresetMp3=-$10", 5, -16},
        {"decimal point keeps", "AudioBitRatePresetMp3=12.5", 5, 5},
    };
    for (const auto& c : intCases) {
        SCOPED_TRACE(c.name);
        Mp3Settings.AudioBitRatePresetMp3 = c.before;
        LoadMp3Settings(dir.Write("p.mpo", profileText(std::string(c.line) + "\n")));
        EXPECT_EQ(Mp3Settings.AudioBitRatePresetMp3, c.after);
    }
}

TEST(SettingsValue, BoolRules) {
    struct BoolCase {
        const char* value;
        bool before;
        bool after;
    } cases[] = {
        {"1", false, true},    {"0", true, false},     {"2", false, true},
        {"-1", false, true},   {"0x0", true, false},   {"yes", true, true},
        {"yes", false, false}, {"true", false, false}, {"", true, true},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("value '") + c.value + "' before " + (c.before ? "1" : "0"));
        Mp3Settings.EnableTimeControl = c.before;
        LoadMp3Settings(
            dir.Write("p.mpo", profileText(std::string("EnableTimeControl=") + c.value + "\n")));
        EXPECT_EQ(Mp3Settings.EnableTimeControl, c.after);
    }
}

TEST(SettingsValue, StringsAndMissingFiles) {
    TempDir dir;
    Mp3Settings.Description = "before";
    Mp3Settings.Duration = "0:00:01.000";
    LoadMp3Settings(dir.Write("p.mpo", profileText("Description=  \"  padded  \"  \n")));
    EXPECT_EQ(Mp3Settings.Description, "  padded  ");
    EXPECT_EQ(Mp3Settings.Duration, "0:00:01.000");
    LoadMp3Settings(dir.Write("p.mpo", profileText("Description=\n")));
    EXPECT_EQ(Mp3Settings.Description, "");

    // A missing file, a file without the section and a folder all load as empty.
    Mp3Settings.Description = "kept";
    LoadMp3Settings(dir.File("missing.mpo"));
    LoadMp3Settings(dir.Write("other.mpo", "[Other]\nDescription=x\n"));
    LoadMp3Settings(dir.Path());
    EXPECT_EQ(Mp3Settings.Description, "kept");
}

TEST(SettingsValue, LoadingNeverResetsTheRecord) {
    TempDir dir;
    AviSettings = {};
    LoadAviSettings(dir.Write("a.avo", profileText("VideoCodec=3\nVideoWidthXviD=320\n")));
    LoadAviSettings(dir.Write("b.avo", profileText("AudioCodec=4\n")));
    EXPECT_EQ(AviSettings.VideoCodec, 3);
    EXPECT_EQ(AviSettings.VideoWidthXviD, 320);
    EXPECT_EQ(AviSettings.AudioCodec, 4);
}

TEST(SettingsValue, SaveWritesNumbersAndBoolsAsDigits) {
    TempDir dir;
    DefaultMp3Settings();
    Mp3Settings.EnableTimeControl = true;
    Mp3Settings.AudioBitRatePresetMp3 = -5;
    Mp3Settings.AudioChannelsMp3 = 255;
    SaveMp3Settings(dir.File("p.mpo"));
    EXPECT_EQ(dir.Read("p.mpo"), "[General]\n"
                                 "Description=No Description\n"
                                 "EnableTimeControl=1\n"
                                 "Duration=0:00:00.000\n"
                                 "StartTime=0:00:00.000\n"
                                 "AudioCodec=0\n"
                                 "AudioBitRateUseAutoSetMp3=0\n"
                                 "AudioBitRatePresetMp3=-5\n"
                                 "AudioSampleRateMp3=2\n"
                                 "AudioChannelsMp3=255\n");
}

// Texts that the reader would trim or unquote are written so that they read back unchanged;
// line breaks, which would end the value and start a key line of their own, too.
TEST(SettingsValue, TextsReadBackAsSaved) {
    const struct {
        const char* saved;
        const char* loaded;
    } cases[] = {
        {"plain text", "plain text"},
        {"  leading and trailing  ", "  leading and trailing  "},
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"\"open only", "\"open only"},
        {"a = b ; c", "a = b ; c"},
        {"two\nlines\r\nAudioCodec=9", "two\nlines\r\nAudioCodec=9"},
        {"", ""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        DefaultMp3Settings();
        Mp3Settings.Description = c.saved;
        SaveMp3Settings(dir.File("p.mpo"));
        Mp3Settings.Description = "other";
        Mp3Settings.AudioCodec = 0;
        LoadMp3Settings(dir.File("p.mpo"));
        EXPECT_EQ(Mp3Settings.Description, c.loaded);
        EXPECT_EQ(Mp3Settings.AudioCodec, 0);
    }
}

TEST(SettingsValue, SaveKeepsOtherContentAndReplacesInPlace) {
    TempDir dir;
    std::string path = dir.Write("p.mpo", "; my notes\n"
                                          "[General]\n"
                                          "AudioCodec=7\n"
                                          "Custom=keep me\n"
                                          "\n"
                                          "[Extra]\n"
                                          "Key=value\n");
    DefaultMp3Settings();
    SaveMp3Settings(path);
    IniFile ini(path);
    const auto keys = ini.ReadSectionKeys("General");
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys[0], "AudioCodec"); // replaced where it stood
    EXPECT_EQ(ini.ReadString("General", "AudioCodec", ""), "0");
    EXPECT_EQ(keys[1], "Custom");
    EXPECT_EQ(keys[2], "Description");
    EXPECT_EQ(ini.ReadString("Extra", "Key", ""), "value");
    EXPECT_EQ(dir.Read("p.mpo").rfind("; my notes\n[General]\n", 0), 0u);
}

TEST(SettingsValue, DefaultDescriptionFollowsTheLanguage) {
    SetMsg(MSG_NO_DESCRIPTION, "Keine Beschreibung");
    DefaultWavSettings();
    EXPECT_EQ(WavSettings.Description, "Keine Beschreibung");
    ResetMessages();
    DefaultWavSettings();
    EXPECT_EQ(WavSettings.Description, "No Description");
}

TEST(SettingsValue, FailedSaveThrowsWithThePath) {
    TempDir dir;
    DefaultWavSettings();
    const std::string missingFolder = dir.File("no/such/folder/p.wao");
    try {
        SaveWavSettings(missingFolder);
        FAIL() << "no error";
    } catch (const IniWriteError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + missingFolder).c_str());
        EXPECT_EQ(e.Path(), missingFolder);
    }
}

// The file is replaced in one step, so a failed save leaves the previous profile whole.
TEST(SettingsValue, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    DefaultWavSettings();
    if (geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop root";
    const std::string old = "[General]\nAudioCodec=1\n";
    const std::string path = dir.Write("ro/p.wao", old);
    ASSERT_EQ(chmod(dir.File("ro").c_str(), 0555), 0);
    EXPECT_THROW(SaveWavSettings(path), IniWriteError);
    chmod(dir.File("ro").c_str(), 0755);
    EXPECT_EQ(dir.Read("ro/p.wao"), old);
}

} // namespace
} // namespace quillabe
