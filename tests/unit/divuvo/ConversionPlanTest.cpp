#include "divuvo/ConversionPlan.h"
#include "divuvo/CodecTables.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillabe::divuvo {
namespace {

EncoderOptions parse(const std::string& tail) {
    std::vector<std::string> args{"-p", kAccessCode, "-i", "/in/clip.avi"};
    std::istringstream in(tail);
    for (std::string w; in >> w;)
        args.push_back(w);
    ParseResult r = ParseCommandLine(args);
    EXPECT_EQ(r.error, "") << tail;
    return r.options;
}

std::string joined(const std::vector<std::string>& args) {
    std::string s;
    for (const auto& a : args)
        s += (s.empty() ? "" : " ") + a;
    return s;
}

struct ArgsCase {
    const char* options; // the program's option string and the output file
    const char* present; // fragments of the ffmpeg line, in this order
    const char* absent;  // a fragment that must not be there ("" for none)
};

const ArgsCase kArgs[] = {
    {"-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050 /o/a.avi",
     "-i file:/in/clip.avi -sn -dn -f avi -c:v msmpeg4 -b:v 1080000 -r 25 -c:a libmp3lame -ac 2 "
     "-b:a 96000 -ar 22050 -y file:/o/a.avi",
     "-n "},
    {"-y -f avi -sameq -vcodec xvid -s 320x240 -b 800k -r 29.97 -aspect 16:9 /o/a.avi",
     "-c:v libxvid -tag:v XVID -s 320x240 -q:v 1 -qmin 1 -r 30000/1001 -aspect 16:9", "-b:v"},
    {"-y -f mov -sameq -vcodec h264 -b 1200k /o/a.mov", "-c:v libx264 -pix_fmt yuv420p -crf",
     "-b:v"},
    // Without a codec, -sameq still picks what the container's own encoder understands.
    {"-y -f mov -sameq /o/a.mov", "-f mov -pix_fmt yuv420p -crf", "-q:v"},
    {"-y -f avi -vcodec ffvhuff -strict -2 -sameq /o/a.avi", "-c:v ffvhuff -strict -2 -y", "-q:v"},
    {"-y -f rm -vcodec rv10 -b 768k -r 25 -acodec ac3 -ab 256 -ac 5:1 -ar 48000 /o/a.rm",
     "-f rm -c:v rv10 -b:v 768000 -r 25 -c:a ac3 -ac 6 -b:a 256000 -ar 48000", ""},
    {"-y -f aac -vn -acodec aac -ac 2 -ab 128 -ar 44100 /o/a.aac",
     "-f adts -vn -c:a aac -ac 2 -b:a 128000", ""},
    {"-y -vcodec wmv2 -b 768k /o/a.wmv", "-f asf -c:v wmv2", ""},
    {"-y -vcodec flv /o/a.swf", "-f swf -c:v flv", ""},
    {"-y -vcodec mpeg2video -r 23.976 /o/a.MPG", "-f mpeg -c:v mpeg2video -r 24000/1001", ""},
    {"-target pal-dvd -b 6000k -ab 384 /o/a.mpg", "-target pal-dvd -b:v 6000000 -b:a 384000",
     "-f "},
    {"-t 0:00:30.000 -ss 0:00:05.000 -target ntsc-vcd /o/a.mpg",
     "-ss 5.000000 -i file:/in/clip.avi -sn -dn -target ntsc-vcd -t 30.000000 -n file:/o/a.mpg",
     ""},
    {"-y -f mp3 -t -ss 0:01:00.000 -vn /o/a.mp3", "-ss 60.000000 -i", "-t "},
    {"-y -f 3gp -vcodec h263 -s 176x144 -acodec aac -ar 8000 -ac 1 -ab 12 -/o/-a.3gp",
     "-f 3gp -c:v h263 -s 176x144 -c:a aac -ac 1 -b:a 12000 -ar 8000 -y file:-/o/-a.3gp", ""},
    {"-y -f mov -vcodec h264 -acodec amr_nb -ac 1 -ar 8000 -ab 8 /o/a.mov",
     "-i file:/in/clip.avi -i file:/tmp/a.amr -map 0:v:0? -map 1:a:0 -sn -dn -f mov -c:v libx264 "
     "-pix_fmt yuv420p -c:a copy -y file:/o/a.mov",
     "-ac"},
};

TEST(DivuvoPlan, FfmpegArguments) {
    for (const ArgsCase& c : kArgs) {
        SCOPED_TRACE(c.options);
        EncoderOptions o = parse(c.options);
        PlanResult plan = PlanConversion(o);
        ASSERT_EQ(plan.error, "");
        std::string line = " " + joined(FfmpegArgs(o, plan.plan, o.input, "/tmp/a.amr")) + " ";
        EXPECT_NE(line.find(std::string(" ") + c.present + " "), std::string::npos) << line;
        if (*c.absent) {
            EXPECT_EQ(line.find(std::string(" ") + c.absent), std::string::npos) << line;
        }
        // Progress always comes as key=value blocks on descriptor 3.
        EXPECT_NE(line.find(" -nostdin "), std::string::npos);
        EXPECT_NE(line.find(" -progress pipe:3 "), std::string::npos);
    }
}

TEST(DivuvoPlan, AudioRoutesAndRefusals) {
    struct R {
        const char* options;
        AudioRoute route;
        const char* error; // part of the error line, "" when the plan is accepted
    } cases[] = {
        {"-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13 /o/a.amr", AudioRoute::AmrFile, ""},
        {"-y -vn -acodec amr_wb /o/a.amr", AudioRoute::AmrFile, ""},
        {"-y -f amr -vn /o/a.amr", AudioRoute::AmrFile, ""},
        {"-y -f 3gp -acodec amr_nb /o/a.3gp", AudioRoute::AmrInContainer, ""},
        {"-y -f mov -acodec amr_nb -an /o/a.mov", AudioRoute::Ffmpeg, ""},
        {"-y -f mov -acodec aac /o/a.mov", AudioRoute::Ffmpeg, ""},
        {"-y -f amr -acodec amr_nb -ar 16000 /o/a.amr", AudioRoute::AmrFile, "always 8000 Hz"},
        {"-y -f amr -acodec amr_wb -ar 8000 /o/a.amr", AudioRoute::AmrFile, "always 16000 Hz"},
        {"-y -f amr -acodec amr_nb -ac 2 /o/a.amr", AudioRoute::AmrFile, "always mono"},
        {"-y -f amr -acodec mp3 /o/a.amr", AudioRoute::Ffmpeg, "only hold AMR audio"},
        {"-y -f amr -an /o/a.amr", AudioRoute::Ffmpeg, "audio only"},
        {"-y -f mp3 -t 0:00:00.000 -ss 0:00:10.000 /o/a.mp3", AudioRoute::Ffmpeg, "empty"},
    };
    for (const R& c : cases) {
        SCOPED_TRACE(c.options);
        PlanResult plan = PlanConversion(parse(c.options));
        if (*c.error) {
            EXPECT_NE(plan.error.find(c.error), std::string::npos) << plan.error;
            EXPECT_EQ(plan.error.rfind("Error", 0), 0u);
        } else {
            EXPECT_EQ(plan.error, "");
            EXPECT_EQ(plan.plan.route, c.route);
        }
    }
}

// What an input without audio changes: a container that must hold audio gets a silent track
// cut to the video, AMR audio to be muxed is left out; anything else converts as planned, and
// nothing changes while the input's streams are not known for sure.
TEST(DivuvoPlan, InputsWithoutAudio) {
    InputStreams silent;
    silent.listed = silent.video = true;
    InputStreams sound = silent;
    sound.audio = true;
    InputStreams unread = silent;
    unread.unknown = true;
    const char* const kPsp = "-y -f psp -vcodec mpeg4 -acodec aac -ac 2 -ar 48000 /o/a.mp4";
    const char* const kAmrMov = "-y -f mov -vcodec h264 -acodec amr_nb -ac 1 -ar 8000 /o/a.mov";
    const struct {
        const char* options;
        InputStreams input;
        bool asks;           // whether the plan depends on the input's streams
        const char* present; // fragment of the ffmpeg line
        const char* absent;  // "" for none
    } cases[] = {
        {kPsp, silent, true,
         "-i file:/in/clip.avi -f lavfi -i anullsrc -map 0:v:0 -map 1:a:0 -shortest -sn -dn -f psp",
         ""},
        {kPsp, sound, true, "-i file:/in/clip.avi -sn -dn -f psp", "lavfi"},
        {kPsp, unread, true, "-i file:/in/clip.avi -sn -dn -f psp", "lavfi"},
        {kPsp, InputStreams{}, true, "-i file:/in/clip.avi -sn -dn -f psp", "lavfi"},
        {"-y -f psp -vcodec mpeg4 -an /o/a.mp4", silent, false, "-an", "lavfi"},
        {"-y -f ipod -vcodec h264 -acodec aac /o/a.mp4", silent, false, "-c:a aac", "lavfi"},
        {kAmrMov, silent, true,
         "-i file:/in/clip.avi -sn -dn -f mov -c:v libx264 -pix_fmt yuv420p -an",
         "-i file:/tmp/a.amr"},
        {kAmrMov, sound, true, "-i file:/tmp/a.amr", "-an"},
        {"-y -f 3gp -vn -acodec amr_nb /o/a.3gp", silent, false, "-i file:/tmp/a.amr", "-an"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        EncoderOptions o = parse(c.options);
        PlanResult planned = PlanConversion(o);
        ASSERT_EQ(planned.error, "");
        EXPECT_EQ(NeedsInputStreams(o, planned.plan), c.asks);
        AdaptToInput(planned.plan, o, c.input);
        std::string line = " " + joined(FfmpegArgs(o, planned.plan, o.input, "/tmp/a.amr")) + " ";
        EXPECT_NE(line.find(std::string(" ") + c.present + " "), std::string::npos) << line;
        if (*c.absent) {
            EXPECT_EQ(line.find(std::string(" ") + c.absent), std::string::npos) << line;
        }
    }
}

// An output that holds audio alone cannot come from an input without audio.
TEST(DivuvoPlan, AudioOnlyOutputs) {
    const struct {
        const char* options;
        bool audioOnly;
    } cases[] = {
        {"-y -f mp3 -vn -acodec mp3 /o/a.mp3", true},
        {"-y -f wav -acodec pcm_s16le /o/a.wav", true},
        {"-y -acodec aac /o/a.aac", true},
        {"-y -f amr -acodec amr_nb /o/a.amr", true},
        {"-y -f 3gp -vn -acodec amr_nb /o/a.3gp", true},
        {"-y -f mp4 -vn -acodec aac /o/a.m4a", true},
        {"-y -f mp3 -an /o/a.mp3", false},
        {"-y -f avi -vcodec mpeg4 -acodec mp3 /o/a.avi", false},
        {"-y -f psp -vcodec mpeg4 /o/a.mp4", false},
        {"-target pal-vcd /o/a.mpg", false},
    };
    for (const auto& c : cases) {
        PlanResult planned = PlanConversion(parse(c.options));
        EXPECT_EQ(planned.plan.audioOnly, c.audioOnly) << c.options;
    }
}

TEST(DivuvoPlan, AmrModeIsTheNearestToTheBitrate) {
    struct M {
        bool wide;
        std::optional<int64_t> kbps;
        int bps;
    } cases[] = {
        {false, 13, 12200}, {false, 12, 12200}, {false, 11, 10200}, {false, 10, 10200},
        {false, 9, 7950},   {false, 8, 7950},   {false, 1, 4750},   {false, std::nullopt, 12200},
        {true, 7, 6600},    {true, 9, 8850},    {true, 13, 12650},  {true, 16, 15850},
        {true, 18, 18250},  {true, 20, 19850},  {true, 24, 23850},  {true, std::nullopt, 23850},
    };
    for (const M& c : cases) {
        std::optional<int64_t> bps;
        if (c.kbps)
            bps = *c.kbps * 1000;
        EXPECT_EQ(AmrModeFor(c.wide, bps).bitrateBps, c.bps) << c.wide << " " << *c.kbps;
    }
}

TEST(DivuvoPlan, PcmDecodingForTheAmrEncoder) {
    EncoderOptions o = parse("-y -f amr -t 0:00:02.000 -ss 1 -acodec amr_wb /o/a.amr");
    PlanResult plan = PlanConversion(o);
    std::string line = joined(PcmDecodeArgs(o, plan.plan, "/src/x.avi"));
    EXPECT_NE(line.find("-ss 1.000000 -i file:/src/x.avi -map 0:a:0 -vn -sn -dn -t 2.000000 -ac 1 "
                        "-ar 16000 -f s16le -c:a pcm_s16le pipe:1"),
              std::string::npos)
        << line;
}

TEST(DivuvoPlan, Names) {
    EXPECT_EQ(ExactFrameRate("29.97"), "30000/1001");
    EXPECT_EQ(ExactFrameRate("14.985"), "15000/1001");
    EXPECT_EQ(ExactFrameRate("25"), "25");
    EXPECT_EQ(DisplayName("ac3"), "AC3");
    EXPECT_EQ(DisplayName("libmp3lame"), "MP3");
    EXPECT_EQ(DisplayName("mov"), "MOV");
    EXPECT_EQ(DisplayName("unknown_thing"), "unknown_thing");
}

} // namespace
} // namespace quillabe::divuvo
