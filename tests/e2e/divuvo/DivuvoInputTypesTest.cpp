// Input kinds of the shipped type table that are easy to miss: each is offered by the table and
// converts for real. The samples are made with ffmpeg under their extension; where ffmpeg has no
// writer of that name, the content those files hold (camcorder and Video CD files are MPEG program
// or transport streams).

#include "E2eSupport.h"
#include "core/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace quillabe::test {
namespace {

// The patterns of one line of the shipped English type table.
std::vector<std::string> typePatterns(const std::string& group) {
    const IniFile table(std::string(QUILLABE_SOURCE) + "/data/skin/ozu/lang/type_english.dat");
    std::vector<std::string> patterns;
    std::istringstream in(table.ReadString("InputFileTypes", group, ""));
    for (std::string p; std::getline(in, p, ';');)
        patterns.push_back(p);
    return patterns;
}

const std::vector<std::string> kVideo = {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25"};
const std::vector<std::string> kAudio = {"-f", "lavfi", "-i",
                                         "sine=frequency=440:sample_rate=44100"};
const std::vector<std::string> kBoth = {
    "-f", "lavfi", "-i", "testsrc=size=176x144:rate=25",
    "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100"};

struct Kind {
    const char* ext;
    std::vector<std::string> source; // lavfi inputs
    std::vector<std::string> writer; // ffmpeg's output options for the sample
};

const Kind kKinds[] = {
    {"gsm", kAudio, {"-ar", "8000", "-ac", "1", "-c:a", "libgsm", "-f", "gsm"}},
    {"m4b", kAudio, {"-c:a", "aac", "-f", "ipod"}},
    {"caf", kAudio, {"-c:a", "pcm_s16be", "-f", "caf"}},
    {"spx", kAudio, {"-ar", "16000", "-c:a", "libspeex", "-f", "spx"}},
    {"aifc", kAudio, {"-c:a", "pcm_alaw", "-f", "aiff"}},
    {"dts", kAudio, {"-ar", "48000", "-c:a", "dca", "-strict", "-2", "-f", "dts"}},
    {"mpv", kVideo, {"-c:v", "mpeg2video", "-f", "mpeg2video"}},
    {"mod", kBoth, {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"}},
    {"tod", kBoth, {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpegts"}},
    {"dat", kBoth, {"-target", "pal-vcd"}},
    {"vro", kBoth, {"-c:v", "mpeg2video", "-c:a", "ac3", "-f", "vob"}},
    {"ogm", kBoth, {"-c:v", "libtheora", "-c:a", "libvorbis", "-f", "ogg"}},
};

void PrintTo(const Kind& k, std::ostream* os) {
    *os << k.ext;
}

class DivuvoInputType : public ::testing::TestWithParam<Kind> {};

TEST_P(DivuvoInputType, IsOfferedAndConverts) {
    const Kind& k = GetParam();
    const bool video = k.source != kAudio;
    const bool audio = k.source != kVideo;
    const std::string pattern = std::string("*.") + k.ext;
    for (const char* group : {"All Video Files", "All Audio Files"}) {
        const auto patterns = typePatterns(group);
        const bool listed = std::find(patterns.begin(), patterns.end(), pattern) != patterns.end();
        EXPECT_EQ(listed, video == (std::string(group) == "All Video Files")) << group;
    }

    std::vector<std::string> args = k.source;
    args.insert(args.end(), {"-t", "1"});
    args.insert(args.end(), k.writer.begin(), k.writer.end());
    const std::string sample = MakeClip(std::string("sample.") + k.ext, args);

    TempDir dir;
    const std::string out = dir.File(video ? "out.avi" : "out.mp3");
    ProcessOutput r = RunDivuvo(
        sample,
        video ? "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050"
              : "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100",
        out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    MediaFacts p = ProbeMedia(out);
    EXPECT_EQ(p.video, video ? "msmpeg4v3" : "");
    EXPECT_EQ(p.audio, audio ? "mp3" : "");
    EXPECT_NEAR(p.duration, 1.0, 0.15);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DivuvoInputType, ::testing::ValuesIn(kKinds),
                         [](const auto& param) { return std::string(param.param.ext); });

} // namespace
} // namespace quillabe::test
