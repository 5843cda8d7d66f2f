// quillabe --list-profiles and --list-types, and what every mode that only prints leaves behind:
// nothing. Run as the real program in a copy of the built program directory.

#include "e2e/convert/ConvertHarness.h"

#include "base/TextUtils.h"
#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

RunResult run(const ConvertHome& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv{home.Home() + "quillabe"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildRun child(argv, home.Environment());
    return child.Finish();
}

std::string shipped() {
    return std::string(std::getenv("QUILLABE_SOURCE_DIR")) + "/data/";
}

// "format" → the entries listed under its heading ("  name", or "    N  variant" below a preset).
using Listing = std::map<std::string, std::vector<std::string>>;

Listing parse(const std::string& text) {
    Listing listing;
    std::string format;
    for (const std::string& line : SplitLines(text)) {
        if (line.empty())
            continue;
        if (line[0] != ' ')
            format = line.substr(0, line.find(':'));
        else
            listing[format].push_back(line);
    }
    return listing;
}

// What the shipped data says each format lists: profile names (any order), presets in the
// order their variants follow them.
Listing shippedListing() {
    Listing listing;
    const std::string profiles = shipped() + "profile_en/";
    for (const auto& dir : fs::directory_iterator(profiles)) {
        if (!dir.is_directory() || dir.path().filename() == "default_setting")
            continue;
        for (const auto& file : fs::directory_iterator(dir))
            listing[dir.path().filename().string()].push_back("  " + file.path().stem().string());
    }
    for (const auto& file : fs::directory_iterator(profiles + "default_setting")) {
        const IniFile preset(file.path().string());
        const std::string title = preset.ReadString("Info", "TitleE", "");
        std::vector<std::string>& entries = listing[Contains(title, "3GP") ? "3gp" : "mp4"];
        entries.push_back("  " + title);
        int number = 0;
        for (const std::string& section : preset.ReadSections())
            if (StartsWith(section, "Item"))
                entries.push_back("    " + std::to_string(++number) + "  " +
                                  preset.ReadString(section, "TitleE", ""));
    }
    return listing;
}

// A preset's block: its title line and the variant lines after it.
std::vector<std::vector<std::string>> blocks(const std::vector<std::string>& entries) {
    std::vector<std::vector<std::string>> result;
    for (const std::string& e : entries) {
        if (!StartsWith(e, "    ") || result.empty())
            result.emplace_back();
        result.back().push_back(e);
    }
    std::sort(result.begin(), result.end());
    return result;
}

TEST(ListModes, ProfilesOfEveryFormatAndPresetsWithNumberedVariants) {
    ConvertHome home;
    RunResult r = run(home, {"--list-profiles"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Contains(r.out, "avi: profiles in " + home.Home() + "profile_en/avi/\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "mp4: presets in " + home.Home() + "profile_en/default_setting/"))
        << r.out;

    const Listing listed = parse(r.out);
    const Listing expected = shippedListing();
    ASSERT_EQ(listed.size(), 16u) << r.out;
    for (const auto& [format, entries] : expected) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(listed.count(format));
        EXPECT_EQ(blocks(listed.at(format)), blocks(entries));
    }
}

TEST(ListModes, OneFormatInAnyLetterCase) {
    ConvertHome home;
    RunResult r = run(home, {"--list-profiles", "3GP"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Listing listed = parse(r.out);
    ASSERT_EQ(listed.size(), 1u) << r.out;
    EXPECT_EQ(blocks(listed.at("3gp")), blocks(shippedListing().at("3gp")));

    r = run(home, {"--list-profiles", "Mp3"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(StartsWith(r.out, "mp3: profiles in ")) << r.out;
}

TEST(ListModes, InputTypesAsTheTypeTableNamesThem) {
    ConvertHome home;
    RunResult r = run(home, {"--list-types"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected;
    const IniFile types(shipped() + "skin/ozu/lang/type_english.dat");
    for (const auto& [name, value] : types.ReadSectionValues("InputFileTypes"))
        expected += name + ": " + value + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(Contains(r.out, "*.avi")) << r.out;
}

TEST(ListModes, UsageErrors) {
    ConvertHome home;
    const struct {
        std::vector<std::string> args;
        const char* errPart;
    } cases[] = {
        {{"--list-profiles", "ogg"}, "unknown format 'ogg' (one of: avi mp4 3gp mpg"},
        {{"--list-profiles", "avi", "mp3"}, "at most one FORMAT"},
        {{"--list-types", "avi"}, "takes no arguments"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        RunResult r = run(home, c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(Contains(r.err, c.errPart)) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

// A program directory never started before, without one of its profile folders and with the
// leftover of an interrupted settings write: the modes that only print change none of it.
TEST(ListModes, PrintOnlyModesLeaveTheProgramDirectoryAsItIs) {
    ConvertHome home;
    fs::remove_all(home.Home() + "profile_en/mp2");
    std::ofstream(home.Home() + ".info.ini.Ab12Cd") << "[Sys";
    const std::set<std::string> before = EntriesBelow(home.Home());
    ASSERT_FALSE(before.count("info.ini"));
    const std::string profile = home.Home() + "profile_en/avi/Default.avo";
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"--build-args", "avi", profile}, 0},
        {{"--build-args", "AVI", profile, home.Home() + "missing.avo"}, 2},
        {{"--list-profiles"}, 0},
        {{"--list-profiles", "mp2"}, 0},
        {{"--list-types"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + (c.args.size() > 1 ? c.args[1] : ""));
        RunResult r = run(home, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(EntriesBelow(home.Home()), before);
    }
}

} // namespace
