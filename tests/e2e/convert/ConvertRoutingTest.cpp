// Which way a job reaches the encoder: the input itself or the frame-server script, a direct
// command or the batch file of a preset. A recording stand-in for the adapter notes each call
// (and the script and batch file present at that moment) and hands over to the real one, so
// every job still converts for real.

#include "ConvertHarness.h"

#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

constexpr const char* kRecorder = R"(#!/bin/sh
# Notes how the adapter was called, then runs the real one in its place.
here=${0%/*}
input= prev=
for a in "$@"; do
    [ "$prev" = -i ] && input=$a
    prev=$a
done
{
    printf 'input=%s\n' "$input"
    if [ -f "$here/~ConvertCore.bat" ]; then echo batch=yes; else echo batch=no; fi
    if [ -f "$here/DirectShow.avs" ]; then echo 'script<<'; cat "$here/DirectShow.avs"; echo '>>'; fi
} >> "$here/calls.log"
exec "$here/divuvo.real" "$@"
)";

void installRecorder(const ConvertHome& home) {
    fs::rename(home.Home() + "divuvo.dll", home.Home() + "divuvo.real");
    std::ofstream(home.Home() + "divuvo.dll") << kRecorder;
    fs::permissions(home.Home() + "divuvo.dll", fs::perms::owner_all);
}

// A first line in each template tells which one a script was made from.
void tagTemplate(const std::string& path, const std::string& tag) {
    const std::string text = ReadAll(path);
    std::ofstream(path, std::ios::trunc) << "# template: " << tag << "\n" << text;
}

enum class Script { None, Direct, Core };

struct Route {
    const char* title;
    const std::string& (*clip)();
    const char* input;
    bool useDirectShow;
    std::vector<std::string> target;
    Script script;
    bool batchFile;
    const char* output;
};

// Test names and failure messages show the row's title.
void PrintTo(const Route& c, std::ostream* os) {
    *os << c.title;
}

const Route kRoutes[] = {
    {"ListedExtension",
     RealClip,
     "clip.rmvb",
     false,
     {"--to", "mp3"},
     Script::Direct,
     false,
     "clip.mp3"},
    {"ListedExtensionInCapitals",
     RealClip,
     "clip.RMVB",
     false,
     {"--to", "mp3"},
     Script::None,
     false,
     "clip.mp3"},
    {"CapitalsWithUseDirectShow",
     RealClip,
     "clip.RMVB",
     true,
     {"--to", "mp3"},
     Script::Direct,
     false,
     "clip.mp3"},
    {"UseDirectShowForAnyInput",
     SmallClip,
     "clip.avi",
     true,
     {"--to", "wav"},
     Script::Direct,
     false,
     "clip.wav"},
    {"PresetWithListedExtension",
     RealClip,
     "clip.rmvb",
     false,
     {"--to", "3gp", "--preset", "3GPP H.263 phone", "--variant",
      "3GPP H.263 176x144 (QCIF), mono"},
     Script::Core,
     true,
     "clip.3gp"},
    // No --preset: the first preset of the menu with its first variant.
    {"DefaultPresetWithoutScript",
     SmallClip,
     "clip.avi",
     false,
     {"--to", "mp4"},
     Script::None,
     true,
     "clip.mp4"},
};

class Routing : public testing::TestWithParam<Route> {};

TEST_P(Routing, ReachesTheEncoderTheRightWay) {
    const Route& c = GetParam();
    ConvertHome home;
    installRecorder(home);
    tagTemplate(home.Home() + "profile_en/DirectShow.avs", "direct");
    tagTemplate(home.Home() + "cores/DirectShow.avs", "core");
    if (c.useDirectShow)
        home.SetSetting("UseDirectShow", "1");
    const std::string input = home.AddInput(c.clip(), c.input);

    std::vector<std::string> args = c.target;
    args.insert(args.end(), {"--output", home.OutputDir(), input});
    RunResult r = home.Convert(args);

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 0");
    EXPECT_FALSE(ProbeMedia(home.OutputDir() + c.output).audio.empty());

    const std::string log = ReadAll(home.Home() + "calls.log");
    const std::string script = home.Home() + "DirectShow.avs";
    EXPECT_TRUE(StartsWith(log, "input=" + (c.script == Script::None ? input : script) + "\n"))
        << log;
    EXPECT_TRUE(Contains(log, c.batchFile ? "batch=yes\n" : "batch=no\n")) << log;
    if (c.script == Script::None) {
        EXPECT_FALSE(Contains(log, "script<<")) << log;
    } else {
        const char* tag = c.script == Script::Direct ? "direct" : "core";
        EXPECT_TRUE(Contains(log, "# template: " + std::string(tag) + "\n")) << log;
        EXPECT_TRUE(Contains(log, "DirectShowSource(\"" + input + "\")")) << log;
    }
    EXPECT_EQ(log.find("input=", 1), std::string::npos) << "one call only\n" << log;
    EXPECT_FALSE(fs::exists(script));
    EXPECT_FALSE(fs::exists(home.Home() + "~ConvertCore.bat"));
}

INSTANTIATE_TEST_SUITE_P(Convert, Routing, testing::ValuesIn(kRoutes),
                         [](const auto& row) { return std::string(row.param.title); });

} // namespace
