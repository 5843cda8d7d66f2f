#include "divuvo/Options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillabe::divuvo {
namespace {

// Blank-separated words as the program's line splitter hands them over; '' stands for an empty
// argument.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        out.push_back(w == "''" ? std::string() : w);
    return out;
}

std::string describe(const EncoderOptions& o) {
    std::ostringstream s;
    auto opt = [](const std::optional<int64_t>& v) { return v ? std::to_string(*v) : "-"; };
    s << "in=" << o.input << " out=" << o.output << " y=" << o.overwrite << " f=" << o.format
      << " t=" << opt(o.durationUs) << " ss=" << opt(o.startUs) << " sameq=" << o.sameQuality
      << " vc=" << o.videoCodec << " s=" << o.width << "x" << o.height
      << " b=" << opt(o.videoBitrateBps) << " r=" << o.frameRate << " aspect=" << o.aspect
      << " an=" << o.noAudio << " vn=" << o.noVideo << " ac=" << o.audioCodec
      << " ch=" << o.channels << " ab=" << opt(o.audioBitrateBps) << " ar=" << o.sampleRate
      << " target=" << o.target << " strict=" << o.strict;
    return s.str();
}

struct Case {
    const char* line;
    const char* expected; // describe() of the result, or "!" + a part of the error line
};

const Case kCases[] = {
    {"-p 4417306 -i /in/a.avi -y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 "
     "-ar 22050 /out/a.avi",
     "in=/in/a.avi out=/out/a.avi y=1 f=avi t=- ss=- sameq=0 vc=msmpeg4 s=0x0 b=1080000 r=25 "
     "aspect= an=0 vn=0 ac=mp3 ch=2 ab=96000 ar=22050 target= strict="},
    // A blank duration leaves "-t" directly before "-ss".
    {"-p 4417306 -i in -y -f avi -t -ss 0:00:10.000 -vcodec xvid out",
     "in=in out=out y=1 f=avi t=- ss=10000000 sameq=0 vc=xvid s=0x0 b=- r= aspect= an=0 vn=0 ac= "
     "ch=0 ab=- ar=0 target= strict="},
    {"-p 4417306 -i in -t -ss -vn out",
     "in=in out=out y=0 f= t=- ss=- sameq=0 vc= s=0x0 b=- r= aspect= an=0 vn=1 ac= ch=0 ab=- "
     "ar=0 target= strict="},
    {"-p 4417306 -i in -t '' -ss '' out",
     "in=in out=out y=0 f= t=- ss=- sameq=0 vc= s=0x0 b=- r= aspect= an=0 vn=0 ac= ch=0 ab=- "
     "ar=0 target= strict="},
    {"-p 4417306 -i in -t 0:01:00.000 -ss 0:00:10.000 -sameq -vcodec xvid -s 320x240 -b 800k "
     "-r 29.97 -aspect 16:9 out",
     "in=in out=out y=0 f= t=60000000 ss=10000000 sameq=1 vc=xvid s=320x240 b=800000 r=29.97 "
     "aspect=16:9 an=0 vn=0 ac= ch=0 ab=- ar=0 target= strict="},
    // The fix-ups' additions, in the order they leave them.
    {"-p 4417306 -i in -vcodec ffvhuff -strict -2 -acodec ac3 -ab 256 -ac 5:1 -ar 48000 out",
     "in=in out=out y=0 f= t=- ss=- sameq=0 vc=ffvhuff s=0x0 b=- r= aspect= an=0 vn=0 ac=ac3 "
     "ch=6 ab=256000 ar=48000 target= strict=-2"},
    {" -t 0:00:30.000 -ss 0:00:05.000 -target ntsc-vcd -p 4417306 -i in out",
     "in=in out=out y=0 f= t=30000000 ss=5000000 sameq=0 vc= s=0x0 b=- r= aspect= an=0 vn=0 ac= "
     "ch=0 ab=- ar=0 target=ntsc-vcd strict="},
    // File names are taken literally, whatever they look like.
    {"-p 4417306 -i -t -an -t -ss -weird.avi",
     "in=-t out=-weird.avi y=0 f= t=- ss=- sameq=0 vc= s=0x0 b=- r= aspect= an=1 vn=0 ac= ch=0 "
     "ab=- ar=0 target= strict="},
    {"-p 4417306 -i in -ss 12.5 -ab 128k -b 1500000 out",
     "in=in out=out y=0 f= t=- ss=12500000 sameq=0 vc= s=0x0 b=1500000 r= aspect= an=0 vn=0 ac= "
     "ch=0 ab=128000 ar=0 target= strict="},
    {"-i in -y out", "!access code"},
    {"-p 1234 -i in -y out", "!access code"},
    {"-p -i in out", "!access code"},
    {"-p 4417306 -i in -foo out", "!unknown option '-foo'"},
    {"-p 4417306 -i in -vcodec -s 320x240 out", "!option -vcodec needs a value"},
    {"-p 4417306 -i in -s 320 out", "!invalid frame size '320'"},
    {"-p 4417306 -i in -s 0x240 out", "!invalid frame size"},
    {"-p 4417306 -i in -b 0k out", "!invalid video bitrate '0k'"},
    {"-p 4417306 -i in -ab x out", "!invalid audio bitrate"},
    {"-p 4417306 -i in -ac 3:1 out", "!invalid channel count '3:1'"},
    {"-p 4417306 -i in -ar 44.1 out", "!invalid sample rate"},
    {"-p 4417306 -i in -r fast out", "!invalid frame rate 'fast'"},
    {"-p 4417306 -i in -t 1:2:3:4 out", "!invalid time '1:2:3:4' for option -t"},
    {"-p 4417306 -i in -an -vn out", "!nothing is left"},
    {"-p 4417306 -i in", "!no output file"},
    {"-p 4417306 -y out", "!no input file"},
    {"-p 4417306 -i in -y -y", "!no output file"},
    {"", "!usage"},
};

TEST(DivuvoOptions, CommandLines) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.line);
        ParseResult r = ParseCommandLine(words(c.line));
        std::string expected = c.expected;
        if (expected[0] == '!') {
            EXPECT_NE(r.error.find(expected.substr(1)), std::string::npos) << r.error;
            EXPECT_TRUE(r.error.rfind("Error", 0) == 0) << r.error;
        } else {
            EXPECT_EQ(r.error, "");
            EXPECT_EQ(describe(r.options), expected);
        }
    }
}

TEST(DivuvoOptions, TimeValues) {
    struct T {
        const char* text;
        std::optional<int64_t> us;
    } cases[] = {
        {"0:00:10.000", 10000000}, {"1:02:03.5", 3723500000}, {"0:00:00.001", 1000},
        {"90", 90000000},          {"1:30", 90000000},        {"12.25", 12250000},
        {"", std::nullopt},        {"abc", std::nullopt},     {"0:00:75", 75000000},
        {"-1", std::nullopt},      {"0:-1:00", std::nullopt}, {"0:00:1e3", std::nullopt},
        {"1:2:3:4", std::nullopt},
    };
    for (const T& c : cases)
        EXPECT_EQ(ParseTimeUs(c.text), c.us) << c.text;
}

} // namespace
} // namespace quillabe::divuvo
