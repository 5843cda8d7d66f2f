// Which folder the program uses, and how a per-user folder is filled from the shipped data and
// kept up to date without touching what the user made of it.

#include "core/ProgramDir.h"
#include "core/ProgramDirSeed.h"

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/SystemSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>

using namespace quillabe;
using quillabe::test::TempDir;

namespace {

namespace fs = std::filesystem;

struct ChoiceCase {
    const char* name;
    ProgramDirFacts facts;
    ProgramDirMode mode;
    const char* programDir; // empty: the choice fails
    const char* programFilesDir;
    const char* shippedDataDir;
};

ProgramDirFacts facts(const char* quillabeHome, bool hasData, bool writable, bool shared,
                      const char* xdg, const char* home) {
    return {quillabeHome, "/opt/q/lib/quillabe/", hasData, writable, shared, xdg, home};
}

TEST(ProgramDirChoice, FollowsTheEnvironmentAndTheExecutablesFolder) {
    using M = ProgramDirMode;
    const char* exe = "/opt/q/lib/quillabe/";
    const ChoiceCase cases[] = {
        {"home variable wins", facts("/tmp/h", false, false, true, "", "/u"), M::Home, "/tmp/h/",
         "/tmp/h/", ""},
        {"writable folder with data", facts("", true, true, true, "", "/u"), M::ExeFolder, exe, exe,
         ""},
        {"read-only folder with data", facts("", true, false, false, "", "/u"), M::PerUser,
         "/u/.local/share/quillabe/", exe, exe},
        {"installed, XDG absolute", facts("", false, false, true, "/x/data", "/u"), M::PerUser,
         "/x/data/quillabe/", exe, "/opt/q/share/quillabe/"},
        {"installed, XDG relative", facts("", false, false, true, "x/data", "/u/"), M::PerUser,
         "/u/.local/share/quillabe/", exe, "/opt/q/share/quillabe/"},
        {"installed, XDG empty", facts("", false, true, true, "", "/u"), M::PerUser,
         "/u/.local/share/quillabe/", exe, "/opt/q/share/quillabe/"},
        {"installed, no HOME but XDG", facts("", false, false, true, "/x", ""), M::PerUser,
         "/x/quillabe/", exe, "/opt/q/share/quillabe/"},
        {"installed, no HOME", facts("", false, false, true, "", ""), M::PerUser, "", "", ""},
        {"installed, relative HOME", facts("", false, false, true, "rel", "u"), M::PerUser, "", "",
         ""},
        {"no data anywhere", facts("", false, false, false, "", "/u"), M::ExeFolder, exe, exe, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDirChoice choice = ChooseProgramDir(c.facts);
        EXPECT_EQ(choice.mode, c.mode);
        EXPECT_EQ(choice.programDir, c.programDir);
        EXPECT_EQ(choice.programFilesDir, c.programFilesDir);
        EXPECT_EQ(choice.shippedDataDir, c.shippedDataDir);
        EXPECT_EQ(choice.error.empty(), *c.programDir != '\0') << choice.error;
    }
    EXPECT_EQ(SharedDataDirOf("/usr/lib/quillabe/"), "/usr/share/quillabe/");
}

TEST(ProgramDirChoice, TheEncoderLiesWithTheProgramFiles) {
    const std::pair<ProgramDirFacts, const char*> cases[] = {
        {facts("/tmp/h", false, false, true, "", "/u"), "/tmp/h/divuvo.dll"},
        {facts("", true, true, true, "", "/u"), "/opt/q/lib/quillabe/divuvo.dll"},
        {facts("", false, false, true, "", "/u"), "/opt/q/lib/quillabe/divuvo.dll"},
    };
    SetGlobalDefaults();
    for (const auto& [f, encoder] : cases) {
        UseProgramDir(ChooseProgramDir(f));
        EXPECT_EQ(ProgramFilesDir() + GlobalVars.EncoderPath, encoder);
    }
    UseProgramDir(ChooseProgramDir(facts("", false, false, true, "", "/u")));
    EXPECT_EQ(ProgramDir(), "/u/.local/share/quillabe/");
    ResetProgramDir();
}

TEST(ProgramDirSeed, WhatBelongsToTheUser) {
    const std::pair<const char*, bool> cases[] = {
        {"profile_en/avi/Default.avo", true},
        {"profile_fr/default_setting/iPod.ini", true},
        {"profile_en/DirectShow.avs", false},
        {"profile_en/avi/DirectShow.avs", true},
        {"skin/ozu/lang/english.ini", false},
        {"cores/DirectShow.avs", false},
        {"profiles/x.avo", false},
    };
    for (auto [relative, userOwned] : cases)
        EXPECT_EQ(IsUserOwnedDataFile(relative), userOwned) << relative;
}

// A small shipped tree with loose files beside it, as in a portable copy's own folder.
class Seed : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, text] : kShipped)
            shipped.Write(name, text);
        shipped.Write("info.ini", "[System]\n");
        shipped.Write("~ConvertCore.bat", "x");
        shipped.Write("skin/.skin.ini.a1b2c3", "half");
    }
    SeedResult seed() { return SeedProgramDir(shipped.Path(), target()); }
    std::string target() const { return user.Path() + "share/quillabe/"; }
    std::string read(const std::string& relative) const {
        std::string text;
        return ReadFileText(target() + relative, text) ? text : "<missing>";
    }
    // A new shipped version with another time, as an upgrade installs it.
    void ship(const std::string& relative, const std::string& text, int secondsLater) {
        const auto before = fs::last_write_time(shipped.File(relative));
        shipped.Write(relative, text);
        fs::last_write_time(shipped.File(relative), before + std::chrono::seconds(secondsLater));
    }

    const std::vector<std::pair<std::string, std::string>> kShipped = {
        {"skin/ozu/skin/skin.ini", "[Main]\n"},
        {"skin/ozu/lang/english.ini", "[LANGRES]\nA=old\n"},
        {"cores/DirectShow.avs", "core\n"},
        {"profile_en/DirectShow.avs", "script\n"},
        {"profile_en/avi/Default.avo", "[AVI]\nVideoBitrate=800\n"},
        {"profile_en/default_setting/iPod.ini", "[Info]\n"},
    };
    TempDir shipped, user;
};

TEST_F(Seed, AnEmptyFolderGetsTheShippedDataOnly) {
    SeedResult r = seed();
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.errors.empty()) << r.errors.front();
    EXPECT_EQ(r.copied, kShipped.size());
    for (const auto& [name, text] : kShipped) {
        EXPECT_EQ(read(name), text) << name;
        EXPECT_EQ(fs::last_write_time(target() + name), fs::last_write_time(shipped.File(name)));
    }
    for (const char* loose : {"info.ini", "~ConvertCore.bat", "skin/.skin.ini.a1b2c3"})
        EXPECT_FALSE(PathExists(target() + loose)) << loose;
    EXPECT_EQ(read(kSeedManifestName),
              "profile_en/avi/Default.avo\nprofile_en/default_setting/iPod.ini\n");

    r = seed(); // the next start finds nothing to do
    EXPECT_EQ(r.copied + r.refreshed, 0u);
    EXPECT_TRUE(r.errors.empty());
}

TEST_F(Seed, AnUpgradeKeepsTheUsersFilesAndRefreshesTheProgramsOwn) {
    ASSERT_TRUE(seed().ok);
    // The user changed one profile, deleted a preset and added a language of their own.
    ASSERT_TRUE(WriteFileAtomic(target() + "profile_en/avi/Default.avo", "mine\n"));
    ASSERT_TRUE(DeleteFile(target() + "profile_en/default_setting/iPod.ini"));
    ASSERT_TRUE(WriteFileAtomic(target() + "skin/ozu/lang/klingon.ini", "[LANGRES]\n"));
    // The upgrade ships new versions of all of them, a new preset and an equally long text.
    ship("profile_en/avi/Default.avo", "[AVI]\nVideoBitrate=900\n", 10);
    ship("profile_en/default_setting/iPod.ini", "[Info]\nTitleE=new\n", 10);
    ship("skin/ozu/lang/english.ini", "[LANGRES]\nA=new\n", 10);
    shipped.Write("profile_en/default_setting/PSP.ini", "[Info]\nTitleE=PSP\n");
    ship("cores/DirectShow.avs", "core\n", -100); // an older time is a change too

    SeedResult r = seed();
    EXPECT_TRUE(r.errors.empty()) << r.errors.front();
    EXPECT_EQ(r.copied, 1u);
    EXPECT_EQ(r.refreshed, 2u);
    EXPECT_EQ(read("profile_en/avi/Default.avo"), "mine\n");
    EXPECT_EQ(read("profile_en/default_setting/iPod.ini"), "<missing>");
    EXPECT_EQ(read("profile_en/default_setting/PSP.ini"), "[Info]\nTitleE=PSP\n");
    EXPECT_EQ(read("skin/ozu/lang/english.ini"), "[LANGRES]\nA=new\n");
    EXPECT_EQ(read("skin/ozu/lang/klingon.ini"), "[LANGRES]\n");
    EXPECT_EQ(read(kSeedManifestName), "profile_en/avi/Default.avo\n"
                                       "profile_en/default_setting/PSP.ini\n"
                                       "profile_en/default_setting/iPod.ini\n");
}

TEST_F(Seed, AFolderWithoutTheListKeepsWhatIsThere) {
    // A folder made by hand, or a list lost: present files are the user's.
    user.Write("share/quillabe/profile_en/avi/Default.avo", "mine\n");
    EXPECT_TRUE(seed().errors.empty());
    EXPECT_EQ(read("profile_en/avi/Default.avo"), "mine\n");
    EXPECT_EQ(read("profile_en/default_setting/iPod.ini"), "[Info]\n");
}

TEST_F(Seed, AProgramFileReplacedByALinkIsLeftAlone) {
    ASSERT_TRUE(seed().ok);
    const std::string own = user.Write("my-skin.ini", "[Mine]\n");
    fs::remove(target() + "skin/ozu/skin/skin.ini");
    fs::create_symlink(own, target() + "skin/ozu/skin/skin.ini");
    ship("skin/ozu/skin/skin.ini", "[Main]\nNew=1\n", 10);
    EXPECT_TRUE(seed().errors.empty());
    EXPECT_EQ(user.Read("my-skin.ini"), "[Mine]\n");
}

TEST_F(Seed, FailedCopiesAreReportedAndLoseNothing) {
    ASSERT_TRUE(seed().ok);
    ASSERT_TRUE(WriteFileAtomic(target() + "profile_en/avi/Default.avo", "mine\n"));
    // The language folder cannot take files: a file stands where it should be.
    fs::remove_all(target() + "skin/ozu/lang");
    ASSERT_TRUE(WriteFileAtomic(target() + "skin/ozu/lang", "in the way"));
    // A folder where the new preset should go.
    fs::create_directories(target() + "profile_en/default_setting/PSP.ini");
    shipped.Write("profile_en/default_setting/PSP.ini", "[Info]\n");
    ship("profile_en/avi/Default.avo", "[AVI]\nVideoBitrate=900\n", 10);

    SeedResult r = seed();
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "Cannot create the folder \"" + target() +
                               "skin/ozu/lang/\" for \"english.ini\": a file of that name is in "
                               "the way.");
    EXPECT_EQ(read("skin/ozu/lang"), "in the way");
    EXPECT_EQ(read("profile_en/avi/Default.avo"), "mine\n");
    EXPECT_TRUE(DirectoryExists(target() + "profile_en/default_setting/PSP.ini"));
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(target()))
        names.insert(e.path().filename().string());
    for (const auto& name : names)
        EXPECT_FALSE(name.rfind(".", 0) == 0 && name != kSeedManifestName) << "left: " << name;
}

TEST_F(Seed, AFolderThatCannotBeMadeIsFatal) {
    user.Write("share", "a file, not a folder");
    SeedResult r = seed();
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_NE(r.errors[0].find("Cannot create the folder \"" + target() + "\""), std::string::npos)
        << r.errors[0];
}

} // namespace
