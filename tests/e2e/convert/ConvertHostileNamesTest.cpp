// File and folder names that a shell or the command-line splitter would misread reach the
// encoder intact on every route, one job or two at once, and nothing in them is ever executed.

#include "ConvertHarness.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

const std::vector<std::string> kHostileNames = {
    "quote\"double.avi",       "it's single.avi",
    "$(touch INJECTED-1).avi", "`touch INJECTED-2`.avi",
    "$HOME and ${PATH}.avi",   "back\\slash\\\\twice.avi",
    "esc\\\"quote.avi",        "new\nline.avi",
    "tab\there.avi",           "  blanks  inside .avi",
    "-dash-leading.avi",       "semi;colon & amp | pipe > gt.avi",
    "star * and ?.avi",        "<%OutputFile%> placeholder.avi",
    "call\") end.avi",         "n\xc3\xa4me \xe2\x80\x94 \xe6\x97\xa5\xe6\x9c\xac.avi",
};

// Both folders are hostile as well; the output folder does not exist before the run.
const std::string kInputFolder = "in 'x' \"y\" $(touch INJECTED-3)\n/";
const std::string kOutputFolder = "-out \"$HOME\" `touch INJECTED-4` \\ 'q'\nx/";

struct Route {
    const char* title;
    std::vector<std::string> target;
    bool useDirectShow;
    const char* ext;
};

// Test names and failure messages show the row's title.
void PrintTo(const Route& c, std::ostream* os) {
    *os << c.title;
}

const Route kRoutes[] = {
    {"DirectCommand", {"--to", "mp3"}, false, ".mp3"},
    {"BatchFile", {"--to", "3gp", "--preset", "3GPP H.263 phone"}, false, ".3gp"},
    {"DirectCommandThroughScript", {"--to", "mp3"}, true, ".mp3"},
    {"BatchFileThroughScript", {"--to", "3gp", "--preset", "3GPP H.263 phone"}, true, ".3gp"},
    // Two at once: the second slot writes its own batch file and script, which must quote as well
    // and be gone afterwards.
    {"DirectCommandTwoJobs", {"--jobs", "2", "--to", "mp3"}, false, ".mp3"},
    {"BatchFileThroughScriptTwoJobs",
     {"--jobs", "2", "--to", "3gp", "--preset", "3GPP H.263 phone"},
     true,
     ".3gp"},
};

class HostileNames : public testing::TestWithParam<Route> {};

TEST_P(HostileNames, ConvertIntactAndNothingRuns) {
    const Route& c = GetParam();
    ConvertHome home;
    if (c.useDirectShow)
        home.SetSetting("UseDirectShow", "1");
    std::vector<std::string> inputs;
    for (const std::string& name : kHostileNames)
        inputs.push_back(home.AddInput(SmallClip(), kInputFolder + name));
    const std::string outputDir = home.Root() + kOutputFolder;
    const std::set<std::string> before = EntriesBelow(home.Root());

    std::vector<std::string> args = c.target;
    args.insert(args.end(), {"--output", outputDir});
    args.insert(args.end(), inputs.begin(), inputs.end());
    RunResult r = home.Convert(args);

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: " + std::to_string(kHostileNames.size()) + ", failed: 0");

    std::set<std::string> outputs;
    for (size_t i = 0; i < kHostileNames.size(); ++i) {
        const std::string output = ChangeFileExt(kHostileNames[i], c.ext);
        outputs.insert(output);
        EXPECT_FALSE(ProbeMedia(outputDir + output).audio.empty()) << output;
        EXPECT_EQ(ReadAll(inputs[i]), ReadAll(SmallClip())) << inputs[i];
    }
    EXPECT_EQ(EntriesBelow(outputDir), outputs);
    // Anything a name had run, or a name split in two, would have left a file behind: the jobs
    // run in the program directory, and that lies below the root too. A first start only adds
    // the settings and the profile folders.
    std::vector<std::string> strays;
    for (const std::string& entry : EntriesBelow(home.Root())) {
        const bool firstStart =
            entry == "home/info.ini" ||
            (StartsWith(entry, "home/profile_en/") && fs::is_directory(home.Root() + entry));
        if (!before.count(entry) && !StartsWith(entry, kOutputFolder) &&
            entry != RemoveBackslash(kOutputFolder) && !firstStart)
            strays.push_back(entry);
    }
    EXPECT_TRUE(strays.empty()) << testing::PrintToString(strays);
}

INSTANTIATE_TEST_SUITE_P(Convert, HostileNames, testing::ValuesIn(kRoutes),
                         [](const auto& row) { return std::string(row.param.title); });

} // namespace
