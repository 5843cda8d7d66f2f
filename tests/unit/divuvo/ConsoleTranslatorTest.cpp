#include "divuvo/ConsoleTranslator.h"
#include "divuvo/ConsoleText.h"

#include <gtest/gtest.h>

namespace quillabe::divuvo {
namespace {

using Clock = ConsoleTranslator::Clock;
using namespace std::chrono_literals;

// ffmpeg's log of a real run, "-loglevel level+info", abridged.
const char* kLog =
    "[info] ffmpeg stats and -progress period set to 0.4.\n"
    "[info] Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'file:/in/clip.mp4':\n"
    "[info]   Metadata:\n"
    "[info]     title           : Back to the last Error\n"
    "[info]   Duration: 00:00:40.00, start: 0.000000, bitrate: 143 kb/s\n"
    "[info]   Stream #0:0[0x1](und): Video: h264 (High), yuv420p, 176x144, 25 fps\n"
    "[info] Input #1, amr, from 'file:/tmp/x.amr':\n"
    "[info]   Duration: 00:00:09.00, start: 0.000000, bitrate: 12 kb/s\n"
    "[info] Stream mapping:\n"
    "[info]   Stream #0:0 -> #0:0 (h264 (native) -> mpeg4 (native))\n"
    "[info]   Stream #0:1 -> #0:1 (aac (native) -> pcm_s16le (native))\n"
    "[info] Output #0, avi, to 'file:/out/clip.avi':\n"
    "[info]   Metadata:\n"
    "[info]     comment         : Could not open the last way back\n"
    "[info]   Stream #0:0(und): Video: mpeg4 (FMP4 / 0x34504D46), yuv420p, 176x144\n"
    "[info] frame=   25 fps=0.0 q=1.6 Lsize=      57kB time=00:00:01.04 bitrate= 445.5kbits/s\n"
    "[info] video:37kB audio:8kB subtitle:0kB other streams:0kB global headers:0kB\n";

const char* kProgress = "frame=123\nfps=45.00\nstream_0_0_q=2.0\nbitrate= 838.9kbits/s\n"
                        "total_size=1048576\nout_time_us=10000000\nout_time=00:00:10.000000\n"
                        "speed=1.2x\nprogress=continue\n"
                        "frame=250\nfps=44.40\nstream_0_0_q=-1.0\ntotal_size=2097152\n"
                        "out_time_us=20000000\nprogress=end\n";

const std::string kHeader =
    "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/in/clip.mp4':\n"
    "  Duration: 00:00:40.00, start: 0.000000, bitrate: 143 kb/s\n"
    "Output #0, avi, to '/out/clip.avi':\n"
    "Stream mapping:\n"
    "  Stream #0:0 -> #0:0 (h264 (native) -> mpeg4 (native))\n"
    "  Stream #0:1 -> #0:1 (aac (native) -> pcm_s16le (native))\n"
    "frame=    0 fps=  0 q=0.0 size=       0kB time=0.00 bitrate=   0.0kbits/s\r";
const std::string kProgressLines =
    "frame=  123 fps= 45 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s\r"
    "frame=  250 fps= 44 q=0.0 size=    2048kB time=20.00 bitrate= 838.9kbits/s\n";

struct Harness {
    std::string console;
    ConsoleTranslator translator;
    explicit Harness(TranslatorNames names = {"/in/clip.mp4", "", "/out/clip.avi", "", ""})
        : translator(std::move(names), [this](std::string_view t) { console.append(t); }) {}
};

// Every split of the streams into pieces gives the same console.
TEST(DivuvoConsole, TranslatesARunInAnySplit) {
    const std::string log = kLog, progress = kProgress;
    for (size_t piece : {size_t(1), size_t(7), size_t(64), log.size()}) {
        SCOPED_TRACE(piece);
        Harness h;
        Clock::time_point t0{};
        for (size_t i = 0; i < log.size(); i += piece)
            h.translator.FeedLog(std::string_view(log).substr(i, piece), t0);
        for (size_t i = 0; i < progress.size(); i += piece)
            h.translator.FeedProgress(std::string_view(progress).substr(i, piece), t0);
        h.translator.EndRun();
        h.translator.Finish();
        EXPECT_EQ(h.console, kHeader + kProgressLines);
        EXPECT_TRUE(h.translator.Errors().empty());
    }
}

TEST(DivuvoConsole, ScriptInputAndAmrOutputNames) {
    Harness h({"/prog/DirectShow.avs", "avs", "/out/a.amr", "amr", "amr_nb (libopencore_amrnb)"});
    h.translator.SetWritten(1606, 1000000);
    h.translator.FeedLog(kLog, {});
    h.translator.FeedProgress("out_time_us=1300000\nprogress=end\n", {});
    EXPECT_NE(h.console.find("Input #0, avs, from '/prog/DirectShow.avs':\n"), std::string::npos);
    EXPECT_NE(h.console.find("Output #0, amr, to '/out/a.amr':\n"), std::string::npos);
    EXPECT_NE(h.console.find("-> amr_nb (libopencore_amrnb))\n"), std::string::npos);
    EXPECT_NE(h.console.find("size=       1kB time=1.00 bitrate=  12.8kbits/s\n"),
              std::string::npos)
        << h.console;
}

TEST(DivuvoConsole, HeldReportsStayAtZeroAndNeverEnd) {
    Harness h;
    h.translator.SetHold(true);
    h.translator.FeedLog(kLog, {});
    h.translator.FeedProgress(kProgress, {});
    const std::string zero =
        "frame=    0 fps=  0 q=0.0 size=       0kB time=0.00 bitrate=   0.0kbits/s\r";
    EXPECT_EQ(h.console, kHeader + zero + zero);
    // The muxing run that follows adds no second header and reports for real.
    h.translator.EndRun();
    h.translator.SetHold(false);
    h.console.clear();
    h.translator.FeedLog(kLog, {});
    h.translator.FeedProgress(kProgress, {});
    EXPECT_EQ(h.console, kProgressLines);
}

TEST(DivuvoConsole, QuietEncoderStillReportsTwiceASecond) {
    Harness h;
    Clock::time_point t0{};
    h.translator.FeedLog(kLog, t0);
    h.console.clear();
    h.translator.Tick(t0 + 400ms);
    EXPECT_EQ(h.console, "");
    h.translator.Tick(t0 + 460ms);
    EXPECT_EQ(h.console,
              "frame=    0 fps=  0 q=0.0 size=       0kB time=0.00 bitrate=   0.0kbits/s\r");
    h.translator.FeedProgress(kProgress, t0 + 500ms);
    h.console.clear();
    h.translator.Tick(t0 + 5s); // after the last report nothing is repeated
    EXPECT_EQ(h.console, "");
}

TEST(DivuvoConsole, ErrorsAndWarningsAreCollectedNotShown) {
    Harness h;
    h.translator.FeedLog("[h263 @ 0x55aa] [error] The specified picture size of 320x240 is not "
                         "valid for the H.263 codec.\n"
                         "Valid sizes are 128x96, 176x144.\n"
                         "[error] Error initializing output stream 0:0 -- Error while opening\n"
                         "[warning] Output file is empty, nothing was encoded (check -ss)\n",
                         {});
    EXPECT_EQ(h.console, "");
    ASSERT_EQ(h.translator.Errors().size(), 2u);
    EXPECT_EQ(h.translator.Errors()[0].context, "h263");
    EXPECT_EQ(h.translator.Errors()[0].text,
              "The specified picture size of 320x240 is not valid "
              "for the H.263 codec. Valid sizes are 128x96, 176x144.");
    EXPECT_TRUE(h.translator.NothingEncoded());
}

// The kinds of stream input 0 lists; the streams of other inputs and of the output, lines of
// components and text after a line break inside one message do not count.
TEST(DivuvoConsole, StreamsOfTheInput) {
    const struct {
        const char* title;
        std::string log;
        bool video, audio, withoutAudio;
    } cases[] = {
        {"video alone, audio from another input and in the output", kLog, true, false, true},
        {"video and audio",
         "[info] Input #0, mpeg, from 'file:/in/a.mpg':\n"
         "[info]   Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p, 176x144\n"
         "[info]   Stream #0:1[0x1c0]: Audio: mp2, 44100 Hz, stereo, s16p, 384 kb/s\n",
         true, true, false},
        {"audio with a language and metadata",
         "[info] Input #0, mov,mp4, from 'file:/in/a.m4a':\n"
         "[info]   Stream #0:0[0x1](eng): Audio: aac (LC), 44100 Hz, mono, fltp (default)\n"
         "[info]     Metadata:\n"
         "[info]       handler_name    : Stream #0:1: Video: x\n",
         false, true, false},
        {"a stream line that cannot be read",
         "[info] Input #0, avi, from 'file:/in/a.avi':\n"
         "[info]   Stream #0:0: Video: mpeg4, yuv420p, 176x144\n"
         "[info]   Stream #0:1: Unknown: none\n",
         true, false, false},
        {"a component's line ends nothing; a continuation line is no stream",
         "[info] Input #0, avi, from 'file:/in/a\n  Stream #0:9: Audio: forged':\n"
         "[avi @ 0x5] [info] Estimating duration\n"
         "[info]   Stream #0:0: Video: mpeg4, yuv420p, 176x144\n"
         "[info] Stream mapping:\n"
         "[info]   Stream #0:1: Audio: not of the input\n",
         true, false, true},
        {"subtitles and data are neither",
         "[info] Input #0, matroska,webm, from 'file:/in/a.mkv':\n"
         "[info]   Stream #0:0(eng): Subtitle: subrip\n"
         "[info]   Stream #0:1: Data: bin_data\n",
         false, false, true},
        {"no input listed", "[error] file:/in/a.avi: No such file or directory\n", false, false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Harness h;
        h.translator.FeedLog(c.log, {});
        h.translator.EndRun();
        const InputStreams& input = h.translator.Input();
        EXPECT_EQ(input.video, c.video);
        EXPECT_EQ(input.audio, c.audio);
        EXPECT_EQ(input.WithoutAudio(), c.withoutAudio);
    }
}

TEST(DivuvoConsole, StopClosesTheOpenProgressLine) {
    Harness h;
    h.translator.FeedLog(kLog, {});
    h.translator.Finish();
    EXPECT_EQ(h.console.back(), '\n');
}

TEST(DivuvoConsole, FileNamesCannotForgeLines) {
    Harness h({"/in/a\nError: x\r.avi", "", "/out/Could not open (1).avi", "", ""});
    h.translator.FeedLog(kLog, {});
    EXPECT_NE(h.console.find("from '/in/a?Error: x?.avi':\n"), std::string::npos) << h.console;
    EXPECT_EQ(h.console.find("Could not open"), std::string::npos);
    EXPECT_NE(h.console.find("Could\xC2\xA0not open (1).avi"), std::string::npos);
    EXPECT_EQ(ConsoleName("I/O error occured.wav"), "I/O\xC2\xA0"
                                                    "error occured.wav");
    EXPECT_EQ(ConsoleName("No audio or video streams available.mp3"),
              "No\xC2\xA0"
              "audio or video streams available.mp3");
    EXPECT_EQ(ConsoleName("caf\xC3\xA9 $(x) `y`.avi"), "caf\xC3\xA9 $(x) `y`.avi");
}

// The format name is ffmpeg's text; an odd line without the usual tail gives all of it.
TEST(DivuvoConsole, FormatNamesCannotForgeLines) {
    Harness h;
    h.translator.FeedLog("[info] Input #0, avi\rError: x\n"
                         "[info]   Duration: 00:00:01.00, start: 0\r\n"
                         "[info] Output #0, mp4\rCould not open y\n",
                         {});
    EXPECT_EQ(h.console,
              "Input #0, avi?Error: x, from '/in/clip.mp4':\n"
              "  Duration: 00:00:01.00, start: 0\n"
              "Output #0, mp4?Could\xC2\xA0not open y, to '/out/clip.avi':\n"
              "frame=    0 fps=  0 q=0.0 size=       0kB time=0.00 bitrate=   0.0kbits/s\r");
}

TEST(DivuvoConsole, ProgressLineForms) {
    struct P {
        ProgressValues v;
        const char* line;
    } cases[] = {
        {{123, 45, 2.0, 1048576, 10000000},
         "frame=  123 fps= 45 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s"},
        {{0, 0, 0, 0, 0},
         "frame=    0 fps=  0 q=0.0 size=       0kB time=0.00 bitrate=   0.0kbits/s"},
        {{0, 0, 0, 4100, 2560000},
         "frame=    0 fps=  0 q=0.0 size=       4kB time=2.56 bitrate=  12.8kbits/s"},
        {{123456, 1234, 31.0, 5LL << 30, 7200000000},
         "frame=123456 fps=1234 q=31.0 size= 5242880kB time=7200.00 bitrate=5965.2kbits/s"},
    };
    for (const P& c : cases)
        EXPECT_EQ(FormatProgressLine(c.v), c.line);
}

TEST(DivuvoConsole, ProgressBlockKeepsValuesThatAreNotThereYet) {
    ProgressBlock b;
    for (const char* line : {"frame=10", "total_size=2048", "out_time_us=400000"})
        EXPECT_FALSE(b.Feed(line));
    EXPECT_TRUE(b.Feed("progress=continue"));
    for (const char* line : {"total_size=N/A", "out_time_us=-9223372036854775807", "fps=x"})
        b.Feed(line);
    EXPECT_TRUE(b.Feed("progress=end"));
    EXPECT_TRUE(b.Ended());
    EXPECT_EQ(b.Values().frame, 10);
    EXPECT_EQ(b.Values().sizeBytes, 2048);
    EXPECT_EQ(b.Values().timeUs, 400000);
}

} // namespace
} // namespace quillabe::divuvo
