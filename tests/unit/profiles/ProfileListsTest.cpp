// The profile names of a format's folder and the selection rule of the profile boxes.

#include "profiles/ProfileLists.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileDirs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quillabe {
namespace {

using test::ProgramHome;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(ProfileLists, NamesOfTheFormatsOwnFiles) {
    ProgramHome home;
    ResetGlobalVars();
    GlobalVars.LanguageFile = "english.ini";
    ASSERT_TRUE(CreateProfileDirs());
    const auto& dir = home.Dir();
    dir.Write("profile_en/mp3/Radio.mpo", "");
    dir.Write("profile_en/mp3/My Music 128.mpo", "");
    dir.Write("profile_en/mp3/.mpo", "");     // a name that is empty
    dir.Write("profile_en/mp3/Loud.MPO", ""); // another file on this file system
    dir.Write("profile_en/mp3/notes.txt", "");
    dir.Write("profile_en/mp3/x.mpo.bak", "");
    dir.Write("profile_en/mpg/Dvd.mpo", ""); // same extension, other format

    EXPECT_EQ(sorted(ListProfileNames(ofMP3)),
              (std::vector<std::string>{"", "My Music 128", "Radio"}));
    EXPECT_EQ(ListProfileNames(ofMPEG), std::vector<std::string>{"Dvd"});
    EXPECT_TRUE(ListProfileNames(ofAVI).empty());
    EXPECT_TRUE(ListProfileNames(99).empty());

    EXPECT_EQ(ProfilePath(ofMP3, "Radio"), home.Path() + "profile_en/mp3/Radio.mpo");
    EXPECT_EQ(ProfilePath(ofASF, "x"), home.Path() + "profile_en/asf/x.aso");
    EXPECT_EQ(ProfilePath(ofAVI, ""), home.Path() + "profile_en/avi/.avo");
    ResetGlobalVars();
}

TEST(ProfileLists, SelectionRule) {
    const std::vector<std::string> names = {"Small", "small", "Large"};
    const struct {
        std::optional<std::string> name;
        int index;
    } cases[] = {
        {std::nullopt, 0}, {"Large", 2}, {"small", 1}, {"SMALL", -1}, {"", -1}, {"Lar", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectProfileIndex(names, c.name), c.index) << c.name.value_or("<none>");
    EXPECT_EQ(SelectProfileIndex({}, std::nullopt), -1);
    EXPECT_EQ(SelectProfileIndex({}, "Small"), -1);
}

} // namespace
} // namespace quillabe
