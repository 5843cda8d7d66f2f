// Every shipped profile and every shipped MP4 and 3GP preset variant converts a generated clip
// for real, and the result is what the profile or variant asks for.

#include "ConvertHarness.h"

#include "base/TextUtils.h"
#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

struct Target {
    const char* format; // --to
    const char* name;   // the profile's file name without extension, or the preset's title
    int variant;        // the preset item (from 1); 0 for a profile
    const char* file;   // the output's name
    const char* container;
    const char* brand; // MP4 family only
    const char* video;
    const char* audio;
    int width, height; // 0: the source's own or not fixed
    int channels, sampleRate;
};

void PrintTo(const Target& t, std::ostream* os) {
    *os << t.format << " " << t.name;
    if (t.variant)
        *os << " #" << t.variant;
}

constexpr const char* kMp4Family = "mov,mp4,m4a,3gp,3g2,mj2";

// The expectations follow the options each profile or variant gives the encoder.
const Target kTargets[] = {
    {"aac", "AAC 256 kbps", 0, "clip.aac", "aac", "", "", "aac", 0, 0, 2, 44100},
    {"aac", "Default", 0, "clip.aac", "aac", "", "", "aac", 0, 0, 2, 44100},
    {"ac3", "AC3 5.1 448 kbps", 0, "clip.ac3", "ac3", "", "", "ac3", 0, 0, 6, 48000},
    {"ac3", "Default", 0, "clip.ac3", "ac3", "", "", "ac3", 0, 0, 2, 48000},
    {"amr", "AMR narrow-band 12.2 kbps for phones", 0, "clip.amr", "amr", "", "", "amr_nb", 0, 0, 1,
     8000},
    {"amr", "AMR wide-band 23.85 kbps", 0, "clip.amr", "amr", "", "", "amr_wb", 0, 0, 1, 16000},
    {"amr", "Default", 0, "clip.amr", "amr", "", "", "amr_nb", 0, 0, 1, 8000},
    {"asf", "Default", 0, "clip.asf", "asf", "", "msmpeg4v3", "mp3", 176, 144, 2, 22050},
    {"avi", "Default", 0, "clip.avi", "avi", "", "msmpeg4v3", "mp3", 176, 144, 2, 22050},
    {"avi", "Motion JPEG for editing", 0, "clip.avi", "avi", "", "mjpeg", "pcm_s16le", 176, 144, 2,
     48000},
    {"avi", "Small AVI for old players", 0, "clip.avi", "avi", "", "msmpeg4v3", "mp3", 320, 240, 2,
     44100},
    {"avi", "XviD DVD quality", 0, "clip.avi", "avi", "", "mpeg4", "mp3", 176, 144, 2, 44100},
    {"mov", "Default", 0, "clip.mov", kMp4Family, "qt  ", "h264", "aac", 176, 144, 2, 22050},
    {"mov", "H.264 for QuickTime", 0, "clip.mov", kMp4Family, "qt  ", "h264", "aac", 176, 144, 2,
     44100},
    {"mp2", "Default", 0, "clip.mp2", "mp3", "", "", "mp2", 0, 0, 2, 44100},
    {"mp3", "Default", 0, "clip.mp3", "mp3", "", "", "mp3", 0, 0, 2, 44100},
    {"mp3", "MP3 128 kbps", 0, "clip.mp3", "mp3", "", "", "mp3", 0, 0, 2, 44100},
    {"mp3", "MP3 192 kbps", 0, "clip.mp3", "mp3", "", "", "mp3", 0, 0, 2, 44100},
    {"mp3", "MP3 320 kbps", 0, "clip.mp3", "mp3", "", "", "mp3", 0, 0, 2, 44100},
    {"mpg", "DVD NTSC", 0, "clip.mpg", "mpeg", "", "mpeg2video", "ac3", 720, 480, 2, 48000},
    {"mpg", "DVD PAL", 0, "clip.mpg", "mpeg", "", "mpeg2video", "ac3", 720, 576, 2, 48000},
    {"mpg", "Default", 0, "clip.mpg", "mpeg", "", "mpeg2video", "ac3", 176, 144, 2, 48000},
    {"mpg", "SVCD PAL", 0, "clip.mpg", "mpeg", "", "mpeg2video", "mp2", 480, 576, 2, 44100},
    {"mpg", "VCD NTSC", 0, "clip.mpg", "mpeg", "", "mpeg1video", "mp2", 352, 240, 2, 44100},
    {"mpg", "VCD PAL", 0, "clip.mpg", "mpeg", "", "mpeg1video", "mp2", 352, 288, 2, 44100},
    {"rm", "Default", 0, "clip.rm", "rm", "", "rv10", "ac3", 176, 144, 2, 48000},
    {"swf", "Default", 0, "clip.swf", "swf", "", "flv1", "mp3", 176, 144, 2, 22050},
    {"vob", "Default", 0, "clip.vob", "mpeg", "", "mpeg2video", "ac3", 720, 576, 2, 48000},
    {"wav", "Default", 0, "clip.wav", "wav", "", "", "pcm_s16le", 0, 0, 2, 44100},
    {"wav", "WAV CD quality", 0, "clip.wav", "wav", "", "", "pcm_s16le", 0, 0, 2, 44100},
    {"wmv", "Default", 0, "clip.wmv", "asf", "", "wmv2", "mp3", 176, 144, 2, 22050},
    {"wmv", "WMV for old Windows players", 0, "clip.wmv", "asf", "", "wmv2", "mp3", 640, 480, 2,
     44100},

    {"mp4", "iPod H.264", 1, "clip.mp4", kMp4Family, "M4V ", "h264", "aac", 320, 240, 2, 44100},
    {"mp4", "iPod H.264", 2, "clip.mp4", kMp4Family, "M4V ", "h264", "aac", 320, 240, 2, 44100},
    {"mp4", "iPod H.264", 3, "clip.mp4", kMp4Family, "M4V ", "h264", "aac", 640, 480, 2, 44100},
    {"mp4", "iPod MPEG-4", 1, "clip.mp4", kMp4Family, "M4V ", "mpeg4", "aac", 320, 240, 2, 44100},
    {"mp4", "iPod MPEG-4", 2, "clip.mp4", kMp4Family, "M4V ", "mpeg4", "aac", 320, 240, 2, 44100},
    {"mp4", "iPod MPEG-4", 3, "clip.mp4", kMp4Family, "M4V ", "mpeg4", "aac", 640, 480, 2, 44100},
    {"mp4", "iPod touch", 1, "clip.mp4", kMp4Family, "M4V ", "h264", "aac", 480, 320, 2, 44100},
    {"mp4", "iPod touch", 2, "clip.mp4", kMp4Family, "M4V ", "h264", "aac", 640, 480, 2, 44100},
    {"mp4", "PSP H.264", 1, "clip.mp4", kMp4Family, "MSNV", "h264", "aac", 320, 240, 2, 48000},
    {"mp4", "PSP H.264", 2, "clip.mp4", kMp4Family, "MSNV", "h264", "aac", 480, 272, 2, 48000},
    {"mp4", "PSP MPEG-4", 1, "clip.mp4", kMp4Family, "MSNV", "mpeg4", "aac", 320, 240, 2, 48000},
    {"mp4", "PSP MPEG-4", 2, "clip.mp4", kMp4Family, "MSNV", "mpeg4", "aac", 480, 272, 2, 48000},
    {"3gp", "3GPP H.263 phone", 1, "clip.3gp", kMp4Family, "3gp4", "h263", "aac", 176, 144, 1,
     8000},
    {"3gp", "3GPP H.263 phone", 2, "clip.3gp", kMp4Family, "3gp4", "h263", "aac", 352, 288, 1,
     16000},
    {"3gp", "3GPP MPEG-4 phone", 1, "clip.3gp", kMp4Family, "3gp4", "mpeg4", "aac", 176, 144, 1,
     16000},
    {"3gp", "3GPP MPEG-4 phone", 2, "clip.3gp", kMp4Family, "3gp4", "mpeg4", "aac", 320, 240, 2,
     22050},
    {"3gp", "3GP2 phone", 1, "clip.3g2", kMp4Family, "3g2a", "mpeg4", "aac", 176, 144, 1, 16000},
    {"3gp", "3GP2 phone", 2, "clip.3g2", kMp4Family, "3g2a", "h263", "aac", 176, 144, 1, 8000},
};

// What the installation ships, whatever a run may have added to a program directory since.
std::string shippedProfiles() {
    return std::string(std::getenv("QUILLABE_SOURCE_DIR")) + "/data/profile_en/";
}

bool isPreset(const Target& t) {
    return t.variant > 0;
}

std::string targetName(const testing::TestParamInfo<Target>& info) {
    std::string name = std::string(info.param.format) + "_" + info.param.name;
    if (isPreset(info.param))
        name += "_" + std::to_string(info.param.variant);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class ShippedTarget : public testing::TestWithParam<Target> {};

TEST_P(ShippedTarget, ConvertsAClip) {
    const Target& t = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(SmallClip(), "clip.avi");
    // The PSP presets are not in this build's MP4 menu; they are found by their title.
    const std::string title = t.name;
    std::vector<std::string> args{"--to", t.format};
    if (isPreset(t))
        args.insert(args.end(), {"--preset", title, "--variant", std::to_string(t.variant)});
    else
        args.insert(args.end(), {"--profile", t.name});
    args.insert(args.end(), {"--output", home.OutputDir(), input});

    RunResult r = home.Convert(args);
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 0");
    const std::string output = home.OutputDir() + t.file;
    EXPECT_TRUE(Contains(r.out, "-> " + output + "\n")) << r.out;
    // Only the output: no left-over temporary file of the commands.
    EXPECT_EQ(EntriesBelow(home.OutputDir()), std::set<std::string>{t.file});
    EXPECT_FALSE(fs::exists(home.Home() + "~ConvertCore.bat"));
    EXPECT_FALSE(fs::exists(home.Home() + "DirectShow.avs"));
    EXPECT_EQ(fs::file_size(input), fs::file_size(SmallClip()));

    MediaFacts m = ProbeMedia(output);
    EXPECT_EQ(m.container, t.container);
    EXPECT_EQ(m.brand, t.brand);
    EXPECT_EQ(m.video, t.video);
    EXPECT_EQ(m.audio, t.audio);
    if (t.width) {
        EXPECT_EQ(m.width, t.width);
        EXPECT_EQ(m.height, t.height);
    }
    EXPECT_EQ(m.channels, t.channels);
    EXPECT_EQ(m.sampleRate, t.sampleRate);
}

INSTANTIATE_TEST_SUITE_P(Convert, ShippedTarget, testing::ValuesIn(kTargets), targetName);

bool listed(const std::string& format, const std::string& name, int variant) {
    for (const Target& t : kTargets)
        if (format == t.format && name == t.name && variant == t.variant)
            return true;
    return false;
}

// A profile or preset added to the installation without a row above would go untested.
TEST(ConvertTargets, EveryProfileAndVariantHasARow) {
    const std::string profiles = shippedProfiles();
    size_t seen = 0;
    for (const auto& dir : fs::directory_iterator(profiles)) {
        if (!dir.is_directory() || dir.path().filename() == "default_setting")
            continue;
        for (const auto& file : fs::directory_iterator(dir)) {
            ++seen;
            EXPECT_TRUE(listed(dir.path().filename().string(), file.path().stem().string(), 0))
                << file.path();
        }
    }
    for (const auto& file : fs::directory_iterator(profiles + "default_setting")) {
        const IniFile preset(file.path().string());
        const std::string title = preset.ReadString("Info", "TitleE", "");
        const std::string format = Contains(title, "3GP") ? "3gp" : "mp4";
        int variant = 0;
        for (const std::string& section : preset.ReadSections())
            if (StartsWith(section, "Item")) {
                ++seen;
                EXPECT_TRUE(listed(format, title, ++variant)) << title << " " << section;
            }
    }
    EXPECT_EQ(seen, std::size(kTargets)) << "a row names something that is not shipped";
}

} // namespace
