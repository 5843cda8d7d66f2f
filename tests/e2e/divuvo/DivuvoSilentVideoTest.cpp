// Inputs without an audio stream: every MP4 preset converts a silent video (the PSP container,
// which must hold audio, gets a silent track as long as the video), and an audio format refuses
// it with a plain reason.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "profiles/PresetCatalogue.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quillabe::test {
namespace {

const std::string& silentVideo() {
    static const std::string path =
        MakeClip("silent.avi", {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25", "-t", "1",
                                "-c:v", "mpeg4", "-q:v", "3"});
    return path;
}

std::vector<std::string> errorLines(const std::string& console) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(console))
        if (StartsWith(line, "Error"))
            lines.push_back(line);
    return lines;
}

// The loudest sample of the file's audio in dB; -91 is digital silence.
double maxVolumeDb(const std::string& path) {
    RunResult r = RunProcess({"ffmpeg", "-hide_banner", "-nostdin", "-i", path, "-vn", "-af",
                              "volumedetect", "-f", "null", "-"});
    const size_t at = r.err.find("max_volume: ");
    return at == std::string::npos ? 0 : std::atof(r.err.c_str() + at + 12);
}

struct Variant {
    std::string label;   // preset / variant
    std::string options; // what the program passes between the input and the output
};

// Every variant of the shipped MP4 presets (iPod, PSP and any other), as its command has it.
std::vector<Variant> mp4Variants() {
    PresetCatalogue catalogue;
    EXPECT_TRUE(LoadPresetCatalogue(
        std::string(QUILLABE_SOURCE) + "/data/profile_en/default_setting", catalogue));
    std::vector<Variant> variants;
    for (const auto* list :
         {&catalogue.IPodPresetList, &catalogue.PspPresetList, &catalogue.OtherPresetList})
        for (const TProfileItem& preset : *list)
            for (const TProfileDetailItem& item : LoadPresetItems(preset.PresetPath)) {
                const std::string label = preset.Title + " / " + item.Title;
                EXPECT_EQ(PresetItemExt(item), "mp4") << label;
                const std::vector<std::string> commands = PresetCommandTemplates(item);
                EXPECT_EQ(commands.size(), 1u) << label;
                const std::string& command = commands.at(0);
                const std::string from = "\"<%InputFile%>\" ", to = " \"<%OutputFile%>";
                const size_t begin = command.find(from), end = command.find(to);
                EXPECT_TRUE(begin != std::string::npos && end != std::string::npos) << command;
                variants.push_back(
                    {label, command.substr(begin + from.size(), end - begin - from.size())});
            }
    return variants;
}

TEST(DivuvoSilentVideo, ConvertsThroughEveryMp4Preset) {
    TempDir dir;
    bool psp = false;
    for (const Variant& v : mp4Variants()) {
        SCOPED_TRACE(v.label);
        const bool needsAudio = Contains(v.options, "-f psp ");
        psp = psp || needsAudio;
        const std::string out = dir.File("out.mp4");
        ProcessOutput r = RunDivuvo(silentVideo(), v.options, out);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(errorLines(r.err).empty()) << r.err;
        MediaFacts p = ProbeMedia(out);
        EXPECT_NE(p.video, "");
        // Only the container that must hold audio gets it; the silence ends with the video.
        EXPECT_EQ(p.audio, needsAudio ? "aac" : "");
        EXPECT_NEAR(p.duration, 1.0, 0.1);
        if (needsAudio) {
            EXPECT_LT(maxVolumeDb(out), -90);
        }
    }
    EXPECT_TRUE(psp) << "no PSP preset among the MP4 presets";
}

// The silent track stands in only for missing audio: a clip with sound keeps it.
TEST(DivuvoSilentVideo, AClipWithSoundKeepsIt) {
    TempDir dir;
    const std::string out = dir.File("out.mp4");
    ProcessOutput r = RunDivuvo(SmallClip(),
                                "-y -f psp -vcodec mpeg4 -s 320x240 -b 768k -r 29.97 -acodec aac "
                                "-ac 2 -ab 128 -ar 48000 -strict -2",
                                out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GT(maxVolumeDb(out), -30);
}

// AMR audio is made from the input's audio before the video is muxed; without any, the video
// converts alone, as it does with every other audio codec.
TEST(DivuvoSilentVideo, AmrInAContainerLeavesOutTheMissingAudio) {
    TempDir dir;
    const std::string out = dir.File("out.mov");
    ProcessOutput r =
        RunDivuvo(silentVideo(),
                  "-y -f mov -vcodec h264 -b 1200k -r 25 -acodec amr_nb -ac 1 -ar 8000 -ab 8", out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    MediaFacts p = ProbeMedia(out);
    EXPECT_EQ(p.video, "h264");
    EXPECT_EQ(p.audio, "");
}

TEST(DivuvoSilentVideo, AudioFormatsSayThereIsNoAudio) {
    TempDir dir;
    const struct {
        const char* options;
        const char* ext;
    } cases[] = {
        {"-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100", ".mp3"},
        {"-y -f aac -vn -acodec aac -ac 2 -ab 128 -ar 44100", ".aac"},
        {"-y -f ac3 -vn -acodec ac3 -ac 2 -ar 48000 -ab 384", ".ac3"},
        {"-y -f mp2 -vn -acodec mp2 -ac 2 -ab 160 -ar 44100", ".mp2"},
        {"-y -f wav -vn -acodec pcm_s16le -ac 2 -ar 44100", ".wav"},
        {"-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13", ".amr"},
        {"-y -f 3gp -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13", ".3gp"},
        {"-y -f mp4 -vn -acodec aac -ac 2 -ab 128 -ar 44100", ".m4a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string out = dir.File(std::string("out") + c.ext);
        ProcessOutput r = RunDivuvo(silentVideo(), c.options, out);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(errorLines(r.err),
                  std::vector<std::string>{"Error: the file has no audio stream"})
            << r.err;
        EXPECT_FALSE(PathExists(out));
    }
}

} // namespace
} // namespace quillabe::test
