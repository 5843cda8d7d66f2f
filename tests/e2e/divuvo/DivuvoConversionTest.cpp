// Every format's default profile, the edge-case option strings of the profile editors and the
// preset variants, converted by the real adapter and checked with ffprobe.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quillabe::test {
namespace {

struct Expect {
    const char* name;
    const char* options; // exactly as the program passes them, fix-ups applied
    const char* ext;
    const char* format; // a part of ffprobe's format name
    const char* vcodec; // "" for no video stream
    int width, height;
    const char* rate;
    const char* acodec; // "" for no audio stream
    int channels, sampleRate;
};

const Expect kCases[] = {
    // The default profile of every format.
    {"avi", "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050 ", ".avi",
     "avi", "msmpeg4v3", 176, 144, "25/1", "mp3", 2, 22050},
    {"mpeg", "-y -vcodec mpeg2video -b 2496k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 ", ".mpg",
     "mpeg", "mpeg2video", 176, 144, "25/1", "ac3", 2, 48000},
    {"vob",
     "-y -f vob -vcodec mpeg2video -s 720x576 -b 6000k -r 25 -aspect 5:4 -acodec ac3 -ac 2 "
     "-ar 48000 -ab 384 ",
     ".vob", "mpeg", "mpeg2video", 720, 576, "25/1", "ac3", 2, 48000},
    {"mov", "-y -f mov -vcodec h264 -b 1200k -r 25 -ac 2 -ab 64 -ar 22050 ", ".mov", "mov", "h264",
     176, 144, "25/1", "aac", 2, 22050},
    {"wmv", "-y -vcodec wmv2 -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 ", ".wmv", "asf", "wmv2",
     176, 144, "25/1", "mp3", 2, 22050},
    {"asf", "-y -f asf -vcodec msmpeg4 -b 768k -r 25 -acodec mp3 -ac 2 -ab 64 -ar 22050 ", ".asf",
     "asf", "msmpeg4v3", 176, 144, "25/1", "mp3", 2, 22050},
    {"rm", "-y -f rm -vcodec rv10 -b 768k -r 25 -acodec ac3 -ac 2 -ar 48000 -ab 256 ", ".rm", "rm",
     "rv10", 176, 144, "25/1", "ac3", 2, 48000},
    {"swf", "-y -vcodec flv -b 768k -r 25 -acodec mp3 -ac 2 -ar 22050 ", ".swf", "swf", "flv1", 176,
     144, "25/1", "mp3", 2, 22050},
    {"aac", "-y -f aac -vn -acodec aac -ac 2 -ab 128 -ar 44100 ", ".aac", "aac", "", 0, 0, "",
     "aac", 2, 44100},
    {"ac3", "-y -f ac3 -vn -acodec ac3 -ac 2 -ar 48000 -ab 384 ", ".ac3", "ac3", "", 0, 0, "",
     "ac3", 2, 48000},
    {"mp2", "-y -f mp2 -vn -acodec mp2 -ac 2 -ab 160 -ar 44100 ", ".mp2", "mp3", "", 0, 0, "",
     "mp2", 2, 44100},
    {"mp3", "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100 ", ".mp3", "mp3", "", 0, 0, "",
     "mp3", 2, 44100},
    {"amr", "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13 ", ".amr", "amr", "", 0, 0, "",
     "amr_nb", 1, 8000},
    {"wav", "-y -f wav -vn -acodec pcm_s16le -ac 2 -ar 44100 ", ".wav", "wav", "", 0, 0, "",
     "pcm_s16le", 2, 44100},
    // Edge cases of the editors.
    {"avi-xvid-sameq",
     "-y -f avi -sameq -vcodec xvid -s 320x240 -b 800k -r 29.97 -aspect 16:9 -acodec pcm_u8 "
     "-ac 1 -ar 11025 ",
     ".avi", "avi", "mpeg4", 320, 240, "30000/1001", "pcm_u8", 1, 11025},
    {"avi-h263", "-y -f avi -vcodec h263 -s 352x288 -b 1080k -r 25 -an ", ".avi", "avi", "h263",
     352, 288, "25/1", "", 0, 0},
    {"avi-huffyuv-ac3-51",
     "-y -f avi -vcodec ffvhuff -strict -2 -b 1080k -r 25 -acodec ac3 -ab 256 -ac 5:1 -ar 48000 ",
     ".avi", "avi", "ffvhuff", 176, 144, "25/1", "ac3", 6, 48000},
    {"avi-h264-mp2", "-y -f avi -vcodec h264 -b 512k -r 15 -acodec mp2 -ac 1 -ar 24000 ", ".avi",
     "avi", "h264", 176, 144, "15/1", "mp2", 1, 24000},
    {"avi-mjpeg", "-y -f avi -vcodec mjpeg -s 320x240 -b 1500k -r 23.976 -an ", ".avi", "avi",
     "mjpeg", 320, 240, "24000/1001", "", 0, 0},
    {"avi-h263p", "-y -f avi -vcodec h263p -b 1080k -r 12 -an ", ".avi", "avi", "h263", 176, 144,
     "12/1", "", 0, 0},
    {"asf-msmpeg4v2",
     "-y -f asf -vcodec msmpeg4v2 -b 768k -r 25 -acodec mp3 -ac 2 -ab 64 "
     "-ar 22050 ",
     ".asf", "asf", "msmpeg4v2", 176, 144, "25/1", "mp3", 2, 22050},
    {"mpeg-dvd", "-target pal-dvd -b 6000k -ab 384 ", ".mpg", "mpeg", "mpeg2video", 720, 576,
     "25/1", "ac3", 2, 48000},
    {"mpeg-vcd-time", " -t 0:00:00.600 -ss 0:00:00.200 -target ntsc-vcd ", ".mpg", "mpeg",
     "mpeg1video", 352, 240, "30000/1001", "mp2", 2, 44100},
    {"mpeg1-mp3", "-y -vcodec mpeg1video -b 1152k -r 25 -acodec mp3 -ac 2 -ab 160 -ar 44100 ",
     ".mpg", "mpeg", "mpeg1video", 176, 144, "25/1", "mp3", 2, 44100},
    {"mov-svq1-alaw", "-y -f mov -vcodec svq1 -b 1200k -r 25 -acodec pcm_alaw -ac 1 -ar 8000 ",
     ".mov", "mov", "svq1", 176, 144, "25/1", "pcm_alaw", 1, 8000},
    {"mov-amr", "-y -f mov -vcodec h264 -b 1200k -r 25 -acodec amr_nb -ac 1 -ar 8000 -ab 8 ",
     ".mov", "mov", "h264", 176, 144, "25/1", "amr_nb", 1, 8000},
    {"mov-xvid-s16be", "-y -f mov -vcodec xvid -b 1200k -r 25 -acodec pcm_s16be -ac 2 -ar 32000 ",
     ".mov", "mov", "mpeg4", 176, 144, "25/1", "pcm_s16be", 2, 32000},
    {"wmv-wmv1", "-y -vcodec wmv1 -b 768k -r 25 -acodec mp3 -ac 1 -ab 64 -ar 44100 ", ".wmv", "asf",
     "wmv1", 176, 144, "25/1", "mp3", 1, 44100},
    {"amr-wb", "-y -f amr -vn -acodec amr_wb -ac 1 -ar 16000 -ab 24 ", ".amr", "amr", "", 0, 0, "",
     "amr_wb", 1, 16000},
    // Preset variants for players and phones.
    {"mp4-ipod",
     "-y -f ipod -vcodec h264 -s 320x240 -b 768k -r 25 -acodec aac -ac 2 -ab 128 "
     "-ar 44100 ",
     ".mp4", "mp4", "h264", 320, 240, "25/1", "aac", 2, 44100},
    {"mp4-psp",
     "-y -f psp -vcodec mpeg4 -s 320x240 -b 768k -r 29.97 -acodec aac -ac 2 -ab 128 "
     "-ar 48000 ",
     ".mp4", "mp4", "mpeg4", 320, 240, "30000/1001", "aac", 2, 48000},
    {"mp4",
     "-y -f mp4 -vcodec mpeg4 -s 320x240 -b 768k -r 25 -acodec aac -ac 2 -ab 128 "
     "-ar 44100 ",
     ".mp4", "mp4", "mpeg4", 320, 240, "25/1", "aac", 2, 44100},
    {"3gp-h263",
     "-y -f 3gp -vcodec h263 -s 176x144 -b 128k -r 15 -acodec aac -ac 1 -ab 32 "
     "-ar 16000 ",
     ".3gp", "3gp", "h263", 176, 144, "15/1", "aac", 1, 16000},
    {"3g2-mpeg4",
     "-y -f 3g2 -vcodec mpeg4 -s 176x144 -b 128k -r 15 -acodec aac -ac 1 -ab 24 "
     "-ar 8000 ",
     ".3g2", "3gp", "mpeg4", 176, 144, "15/1", "aac", 1, 8000},
};

void PrintTo(const Expect& e, std::ostream* os) {
    *os << e.name;
}

class DivuvoConversion : public ::testing::TestWithParam<Expect> {};

TEST_P(DivuvoConversion, ConvertsAndReportsInTheOldForm) {
    const Expect& e = GetParam();
    TempDir dir;
    std::string out = dir.File(std::string("out ") + e.name + e.ext);
    ProcessOutput r = RunDivuvo(SmallClip(), e.options, out);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    // The lines the program reads, in their order.
    const std::string& c = r.err;
    size_t input = c.find("Input #0, ");
    size_t duration = c.find("\n  Duration: 00:00:01.00, start: ");
    size_t output = c.find("Output #0, ");
    size_t mapping = c.find("\nStream mapping:\n  Stream #0:");
    size_t progress = c.find(" time=0.00 bitrate=   0.0kbits/s\r");
    ASSERT_NE(input, std::string::npos) << c;
    EXPECT_NE(c.find("from '" + SmallClip() + "':\n"), std::string::npos) << c;
    EXPECT_LT(input, duration) << c;
    EXPECT_LT(duration, output) << c;
    EXPECT_NE(c.find("to '" + out + "':\n"), std::string::npos) << c;
    EXPECT_LT(output, mapping) << c;
    EXPECT_LT(mapping, progress) << c;
    EXPECT_TRUE(EndsWith(c, "kbits/s\n")) << c;
    EXPECT_EQ(c.find("Error"), std::string::npos) << c;

    MediaFacts p = ProbeMedia(out);
    EXPECT_NE(p.container.find(e.format), std::string::npos) << p.container;
    EXPECT_EQ(p.video, e.vcodec);
    if (*e.vcodec) {
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
        EXPECT_EQ(p.rate, e.rate);
    }
    EXPECT_EQ(p.audio, e.acodec);
    if (*e.acodec) {
        EXPECT_EQ(p.channels, e.channels);
        EXPECT_EQ(p.sampleRate, e.sampleRate);
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, DivuvoConversion, ::testing::ValuesIn(kCases),
                         [](const auto& param) {
                             std::string n = param.param.name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(DivuvoTimeRange, ConvertsOnlyTheStretch) {
    TempDir dir;
    std::string out = dir.File("part.wav");
    ProcessOutput r = RunDivuvo(
        SmallClip(), "-y -f wav  -t 0:00:00.400 -ss 0:00:00.300 -vn -acodec pcm_s16le", out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NEAR(ProbeMedia(out).duration, 0.4, 0.03);
}

// Every way of writing the same stretch cuts the same: the program measures its progress against
// these texts by the same rule.
TEST(DivuvoTimeRange, EveryFormOfATimeCutsTheSame) {
    TempDir dir;
    const char* const ranges[] = {"-t 0:00:02.5 -ss 0:00:75", "-t 2.5 -ss 75",
                                  "-t 0:02.5 -ss 1:15"};
    std::vector<double> durations;
    for (const char* range : ranges) {
        SCOPED_TRACE(range);
        std::string out = dir.File(std::to_string(durations.size()) + ".wav");
        ProcessOutput r = RunDivuvo(
            LongSound(), std::string("-y -f wav ") + range + " -vn -acodec pcm_s16le", out);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        durations.push_back(ProbeMedia(out).duration);
        EXPECT_NEAR(durations.back(), 2.5, 0.03);
        EXPECT_EQ(durations.back(), durations.front());
    }
}

} // namespace
} // namespace quillabe::test
