#include "engine/OutputVerification.h"

#include "core/OutputFormat.h"
#include "engine/ClockText.h"
#include "engine/CommandLine.h"
#include "mediainfo/StreamFacts.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quillabe {

namespace {

int countOf(const std::string& text) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = ec == std::errc() && ptr == text.data() + text.size() && ptr != text.data();
    return whole ? value : 0;
}

bool hasOption(const std::vector<std::string>& args, std::string_view option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

std::string clock(int64_t ms) {
    const int64_t s = ms / 1000;
    return std::to_string(s / 3600) + ":" + std::to_string(s / 60 % 60 / 10) +
           std::to_string(s / 60 % 10) + ":" + std::to_string(s % 60 / 10) + std::to_string(s % 10);
}

} // namespace

OutputExpectation ExpectedOutput(int format, const TFileItem& input, std::string_view options,
                                 int64_t encoderDurationMs) {
    const std::vector<std::string> args = SplitCommandLine(options);
    OutputExpectation e;
    e.video = format < ofAAC && countOf(input.VideoCount) > 0 && !hasOption(args, "-vn");
    e.audio = countOf(input.AudioCount) > 0 && !hasOption(args, "-an");
    if (encoderDurationMs > 0)
        e.durationMs = encoderDurationMs;
    else if (!hasOption(args, "-t") && !hasOption(args, "-ss"))
        e.durationMs = TryParseClockMs(input.PlayTime).value_or(0);
    return e;
}

std::string VerifyConvertedOutput(const std::string& path, const OutputExpectation& expected) {
    const std::optional<StreamFacts> facts = ReadStreamFacts(path);
    if (!facts)
        return "the output is not readable as media";
    if (expected.video && facts->videoStreams == 0)
        return "the output has no video stream";
    if (expected.audio && facts->audioStreams == 0)
        return "the output has no audio stream";
    if (facts->videoStreams == 0 && facts->audioStreams == 0)
        return "the output has no streams";
    if (expected.durationMs > 0) {
        const int64_t have = facts->durationMs.value_or(0);
        // Containers round their length; a tenth short is a cut-off conversion.
        if (have * 10 < expected.durationMs * 9)
            return "the output lasts " + clock(have) + " of the expected " +
                   clock(expected.durationMs);
    }
    return {};
}

} // namespace quillabe
