#pragma once
// The command line the program hands to divuvo.dll, in the option vocabulary of its day.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillabe::divuvo {

inline constexpr const char* kAccessCode = "4417306";

struct EncoderOptions {
    std::string input;
    std::string output;
    bool overwrite = false;                 // -y
    std::string format;                     // -f, as given
    std::optional<int64_t> durationUs;      // -t
    std::optional<int64_t> startUs;         // -ss
    bool sameQuality = false;               // -sameq
    std::string videoCodec;                 // -vcodec, as given
    int width = 0, height = 0;              // -s WxH (0: keep the source's)
    std::optional<int64_t> videoBitrateBps; // -b
    std::string frameRate;                  // -r, as given
    std::string aspect;                     // -aspect
    bool noAudio = false;                   // -an
    bool noVideo = false;                   // -vn
    std::string audioCodec;                 // -acodec, as given
    int channels = 0;                       // -ac (5:1 gives 6; 0: keep the source's)
    std::optional<int64_t> audioBitrateBps; // -ab
    int sampleRate = 0;                     // -ar (0: keep the source's)
    std::string target;                     // -target
    std::string strict;                     // -strict
};

struct ParseResult {
    EncoderOptions options;
    std::string error; // an error line for the console; empty when the line was accepted
    bool ok() const { return error.empty(); }
};

// Parses argv without the program name. The last argument is always the output file, so a file
// name that begins with "-" is never taken for an option; so is the value of -i.
ParseResult ParseCommandLine(const std::vector<std::string>& args);

// A time text ("h:mm:ss.xxx", "m:ss" or seconds) in microseconds, read by the program's rule
// (base/TimeText.h) so that the cut and the program's progress agree; nullopt when malformed.
std::optional<int64_t> ParseTimeUs(const std::string& text);

} // namespace quillabe::divuvo
