#include "divuvo/ErrorText.h"

#include <gtest/gtest.h>

namespace quillabe::divuvo {
namespace {

const FailureContext kContext{"/in/clip.avs", "/src/clip.avi", "/out/clip.avi", "avi"};

TEST(DivuvoErrors, FfmpegReasonsReworded) {
    struct E {
        std::vector<LogMessage> messages;
        int code;
        const char* line;
    } cases[] = {
        {{{LogLevel::Error, "ac3", "Specified sample rate 22050 is not supported"},
          {LogLevel::Error, "",
           "Error initializing output stream 0:1 -- Error while opening "
           "encoder for output stream #0:1"}},
         1,
         "Error: the AC3 encoder does not support a sample rate of 22050 Hz"},
        {{{LogLevel::Error, "mp2", "bitrate 384 is not allowed in mp2"}},
         1,
         "Error: the MP2 encoder does not allow 384 kbit/s at this sample rate"},
        {{{LogLevel::Error, "swf",
           "swf does not support that sample rate, choose from (44100, 22050, 11025)."}},
         1,
         "Error: the SWF container does not support this sample rate; it takes 44100, 22050, "
         "11025 Hz"},
        {{{LogLevel::Error, "rv10", "width and height must be a multiple of 16"}},
         1,
         "Error: the RealVideo 1 encoder needs a frame width and height that are multiples of 16"},
        {{{LogLevel::Error, "mpeg1video", "MPEG-1/2 does not support 10/1 fps"}},
         1,
         "Error: the MPEG-1 encoder does not support a frame rate of 10 frames/s"},
        {{{LogLevel::Error, "mpeg2video", "MPEG-1/2 does not support 15000/1001 fps"}},
         1,
         "Error: the MPEG-2 encoder does not support a frame rate of 14.985 frames/s"},
        {{{LogLevel::Error, "avi",
           "Could not find tag for codec svq3 in stream #0, codec not currently supported in "
           "container"}},
         1,
         "Error: the AVI container cannot hold svq3"},
        {{{LogLevel::Fatal, "", "Output file #0 does not contain any stream"}},
         1,
         "Error: No audio or video streams available to convert"},
        {{{LogLevel::Fatal, "", "Stream map '0:a:0' matches no streams."}},
         1,
         "Error: No audio or video streams available to convert"},
        {{{LogLevel::Error, "", "file:/src/clip.avi: Invalid data found when processing input"}},
         1,
         "Could not open input file '/src/clip.avi': Invalid data found when processing input"},
        {{{LogLevel::Error, "", "file:/out/clip.avi: Permission denied"}},
         1,
         "Could not open output file '/out/clip.avi': Permission denied"},
        {{{LogLevel::Fatal, "", "Unknown encoder 'divx9'"}}, 1, "Error: unknown codec 'divx9'"},
        {{{LogLevel::Fatal, "", "Requested output format 'xyz' is not a suitable output format"}},
         1,
         "Error: unknown output format 'xyz'"},
        // What no rule knows is passed on, named and safe to show.
        {{{LogLevel::Error, "libx264", "Error while decoding stream\nsomething odd"}},
         1,
         "Error: H.264: Error while decoding stream?something odd"},
        {{{LogLevel::Error, "",
           "Error initializing output stream 0:0 -- Error while opening "
           "encoder for output stream #0:0 - maybe incorrect parameters"}},
         1,
         "Error: the encoder refused its settings (bitrate, sample rate, frame size or frame "
         "rate)"},
        {{{LogLevel::Fatal, "", "Conversion failed!"}},
         1,
         "Error: the conversion failed: Conversion failed!"},
        {{}, 234, "Error: the conversion failed (ffmpeg ended with exit code 234)"},
    };
    for (const E& c : cases) {
        std::string line = FailureLine(c.messages, kContext, c.code);
        EXPECT_EQ(line, c.line);
        // The program ignores lines of this beginning: an error must never look like one.
        EXPECT_NE(line.rfind("Error while decoding stream", 0), 0u);
    }
}

// ffmpeg's text may carry a CR or other control characters in any piece a rule quotes; the
// program splits lines at CR, so each must come out as '?' and the failure stay one line.
TEST(DivuvoErrors, FailureLinesStayOneLine) {
    struct E {
        LogMessage message;
        const char* line;
    } cases[] = {
        {{LogLevel::Error, "ac3", "Specified sample rate 22050\rError: x is not supported"},
         "Error: the AC3 encoder does not support a sample rate of 22050?Error: x Hz"},
        {{LogLevel::Error, "mp\r2", "Specified sample rate 8000 is not supported"},
         "Error: the mp?2 encoder does not support a sample rate of 8000 Hz"},
        {{LogLevel::Error, "mp2", "bitrate 384\t is not allowed in mp2"},
         "Error: the MP2 encoder does not allow 384? kbit/s at this sample rate"},
        {{LogLevel::Error, "swf",
          "swf does not support that sample rate, choose from (44100,\r22050)."},
         "Error: the SWF container does not support this sample rate; it takes 44100,?22050 Hz"},
        {{LogLevel::Error, "h263",
          "The specified picture size of 320x240\x1b[2J is not valid for the H.263 codec."},
         "Error: H.263 does not support a frame size of 320x240?[2J; it takes 128x96, 176x144, "
         "352x288, 704x576 or 1408x1152"},
        {{LogLevel::Error, "rv10", "width and height must be a multiple of 1\r6"},
         "Error: the RealVideo 1 encoder needs a frame width and height that are multiples of 1?6"},
        {{LogLevel::Error, "", "file:/out/clip.avi: No space\rleft on device"},
         "Could not open output file '/out/clip.avi': No space?left on device"},
        {{LogLevel::Error, "", "file:/src/clip.avi: Invalid\x7f data"},
         "Could not open input file '/src/clip.avi': Invalid? data"},
        {{LogLevel::Error, "", "file:/else\r.avi: gone"}, "Error: /else?.avi: gone"},
        {{LogLevel::Error, "avi", "Could not find tag for codec sv\rq3 in stream #0"},
         "Error: the AVI container cannot hold sv?q3"},
        {{LogLevel::Fatal, "", "Unknown encoder 'div\rx9'"}, "Error: unknown codec 'div?x9'"},
        {{LogLevel::Error, "x\ry", "odd\rError: two"}, "Error: x?y: odd?Error: two"},
        {{LogLevel::Fatal, "", "Conversion failed!\r\x01"},
         "Error: the conversion failed: Conversion failed!??"},
    };
    for (const E& c : cases) {
        std::string line = FailureLine({c.message}, kContext, 1);
        EXPECT_EQ(line, c.line) << c.message.text;
    }
}

} // namespace
} // namespace quillabe::divuvo
