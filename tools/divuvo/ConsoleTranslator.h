#pragma once
// Turns ffmpeg's log and progress into the console lines of the old encoder: the input, duration,
// output and stream-mapping lines, then progress lines ended by a lone CR and a last one ended by
// LF. Nothing of ffmpeg's own text reaches the console unless it is one of these lines, so that
// metadata, warnings and file names never read as markers to the program.

#include "divuvo/ErrorText.h"
#include "divuvo/InputStreams.h"
#include "divuvo/ProgressLine.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillabe::divuvo {

struct TranslatorNames {
    std::string input;        // shown in "Input #0"
    std::string inputFormat;  // replaces ffmpeg's format name when set ("avs")
    std::string output;       // shown in "Output #0"
    std::string outputFormat; // replaces ffmpeg's format name when set ("amr")
    std::string audioEncoder; // replaces the PCM encoder in the stream mapping when set
};

class ConsoleTranslator {
public:
    using Clock = std::chrono::steady_clock;
    using Sink = std::function<void(std::string_view)>;

    ConsoleTranslator(TranslatorNames names, Sink sink);

    // While the audio is only being encoded for a later muxing run: the output is announced and
    // the program hears from the encoder, but the reports stay at zero and none is the last.
    void SetHold(bool hold) { hold_ = hold; }
    // For the AMR encoder: size and time on the progress line are those of the file it writes,
    // which trails ffmpeg's decoding by what the pipe holds.
    void SetWritten(std::optional<int64_t> bytes, std::optional<int64_t> timeUs) {
        sizeOverride_ = bytes;
        timeOverride_ = timeUs;
    }

    void FeedLog(std::string_view text, Clock::time_point now);
    void FeedProgress(std::string_view text, Clock::time_point now);
    // Repeats the last progress line when ffmpeg has been quiet for a while, so that the program
    // hears from the encoder at least twice a second.
    void Tick(Clock::time_point now);
    // The end of one ffmpeg run: incomplete lines are taken as complete.
    void EndRun();
    // Closes a progress line that no final block ended (a stop), so the console ends with a LF.
    void Finish();

    const std::vector<LogMessage>& Errors() const { return errors_; }
    bool NothingEncoded() const { return nothingEncoded_; }
    // The streams of the input as the last run listed them.
    const InputStreams& Input() const { return input_; }

private:
    void logLine(std::string_view raw, Clock::time_point now);
    void progressLine(std::string_view line, Clock::time_point now);
    void emitProgress(const ProgressValues& values, bool last, Clock::time_point now);
    void emitLine(const std::string& line) { sink_(line); }

    TranslatorNames names_;
    Sink sink_;
    bool hold_ = false;
    std::optional<int64_t> sizeOverride_;
    std::optional<int64_t> timeOverride_;
    std::string logPending_;
    std::string progressPending_;
    bool inputShown_ = false;
    bool durationShown_ = false;
    bool inInput0_ = false;
    bool inInput0Streams_ = false; // in the indented lines that follow "Input #0, "
    InputStreams input_;
    bool outputShown_ = false;
    std::vector<std::string> mapping_;
    bool inMapping_ = false;
    ProgressBlock block_;
    bool progressOpen_ = false; // a CR-ended progress line is the console's last
    std::string lastProgressLine_;
    bool lastWasError_ = false;
    Clock::time_point lastProgress_{};
    std::vector<LogMessage> errors_;
    bool nothingEncoded_ = false;
};

} // namespace quillabe::divuvo
