// The one listing order of profile, preset and language folders: by name with ASCII letters folded
// to upper case, whatever order the file system keeps.

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "lang/LanguageMenu.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileDirs.h"
#include "profiles/ProfileLists.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quillabe {
namespace {

// In listing order. The neighbours show the rules: a blank or a dot before a digit, digits one at
// a time, letters of either case alike (a tie goes to the byte order), "_" after the letters (it
// lies between upper and lower case), "-" after a blank, non-ASCII bytes last.
const std::vector<std::string> kOrdered = {
    "A B.ini",          "A.ini",       "a1.ini",      "A10.ini",
    "a9.ini",           "AB.ini",      "ab.ini",      "Ac.ini",
    "AZ.ini",           "A_B.ini",     "Default.mpo", "MP3 128 kbps.mpo",
    "mp3 320 kbps.mpo", "MP3-old.mpo", "Zz.ini",      "\xc3\xa9t\xc3\xa9.ini",
};

TEST(ListingOrder, NamesCompareWithLettersFoldedOnly) {
    for (size_t i = 0; i < kOrdered.size(); ++i)
        for (size_t j = 0; j < kOrdered.size(); ++j)
            EXPECT_EQ(FileNameBefore(kOrdered[i], kOrdered[j]), i < j)
                << kOrdered[i] << " / " << kOrdered[j];
}

TEST(ListingOrder, FoldersListInThatOrder) {
    test::TempDir dir;
    // Created neither in that order nor in its reverse (tmpfs lists the newest first).
    for (size_t start : {1, 0})
        for (size_t i = start; i < kOrdered.size(); i += 2)
            dir.Write("all/" + kOrdered[i], "");
    EXPECT_EQ(ListDirectory(dir.File("all/"), ""), kOrdered);
}

// Profiles, presets and languages are all listed through ListDirectory.
TEST(ListingOrder, ProfilesPresetsAndLanguages) {
    test::ProgramHome home;
    ResetGlobalVars();
    SetStartupConstants();
    GlobalVars.LanguageFile = "english.ini";
    ASSERT_TRUE(CreateProfileDirs());
    const auto& d = home.Dir();
    for (const char* name : {"mp3 320.mpo", "MP3 128.mpo", "Default.mpo", "_mine.mpo"})
        d.Write(std::string("profile_en/mp3/") + name, "");
    for (const char* name : {"iPod MPEG-4.ini", "IPOD H.264.ini", "iPod touch.ini"})
        d.Write(std::string("profile_en/default_setting/") + name,
                std::string("[Info]\nTitleE=iPod ") + name + "\n");
    for (const char* name : {"english.ini", "Deutsch.ini", "espa\xc3\xb1ol.ini", "ENGLISH2.ini"})
        d.Write(LangDir + "/" + name, "");

    EXPECT_EQ(ListProfileNames(ofMP3),
              (std::vector<std::string>{"Default", "MP3 128", "mp3 320", "_mine"}));

    PresetCatalogue catalogue;
    ASSERT_TRUE(LoadPresetCatalogue(GlobalVars.PresetDir, catalogue));
    std::vector<std::string> titles;
    for (const auto& preset : catalogue.IPodPresetList)
        titles.push_back(preset.Title);
    EXPECT_EQ(titles, (std::vector<std::string>{"iPod IPOD H.264.ini", "iPod iPod MPEG-4.ini",
                                                "iPod iPod touch.ini"}));

    std::vector<std::string> captions;
    for (const auto& item : BuildLanguageMenu())
        captions.push_back(item.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"DEUTSCH", "ENGLISH", "ENGLISH2", "ESPA\xc3\xb1OL"}));
    ResetGlobalVars();
}

} // namespace
} // namespace quillabe
