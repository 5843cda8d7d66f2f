#include "divuvo/ErrorText.h"

#include "base/TextUtils.h"
#include "divuvo/CodecTables.h"
#include "divuvo/ConsoleText.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

namespace quillabe::divuvo {

namespace {

// Follow-up messages that only say that something before them went wrong.
constexpr std::array<std::string_view, 11> kGeneric{
    "Error initializing output stream",
    "Error while opening encoder",
    "Conversion failed!",
    "Could not write header for output file",
    "Error while filtering",
    "Failed to inject frame into filter network",
    "Error reinitializing filters",
    "Error marking filters as finished",
    "Terminating thread with return code",
    "Task finished with error code",
    "Error closing file",
};

bool isGeneric(const std::string& text) {
    for (std::string_view g : kGeneric)
        if (StartsWith(text, g))
            return true;
    return false;
}

std::string nameOf(const std::string& context) {
    return DisplayName(context);
}

using CapturesRef = const std::vector<std::string>&;

std::string noStreams(CapturesRef, const LogMessage&, const FailureContext&) {
    return "Error: No audio or video streams available to convert";
}
std::string unknownFormat(CapturesRef m, const LogMessage&, const FailureContext&) {
    return "Error: unknown output format '" + ConsoleName(m[0]) + "'";
}
std::string asIs(CapturesRef, const LogMessage& msg, const FailureContext&) {
    return "Error: " + ConsoleName(msg.text);
}

std::string rateText(const std::string& num, const std::string& den) {
    double n = std::strtod(num.c_str(), nullptr), d = std::strtod(den.c_str(), nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", d > 0 ? n / d : n);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

using Captures = std::vector<std::string>;

// Finds `pattern` in `text`; each "{}" in it captures the shortest run up to the literal text
// after it (or to the end of the text).
bool matchAt(std::string_view text, std::string_view pattern, Captures& captures) {
    while (!pattern.empty()) {
        size_t hole = pattern.find("{}");
        std::string_view literal = pattern.substr(0, hole);
        if (text.substr(0, literal.size()) != literal)
            return false;
        text.remove_prefix(literal.size());
        if (hole == std::string_view::npos)
            return true;
        pattern.remove_prefix(hole + 2);
        std::string_view next = pattern.substr(0, pattern.find("{}"));
        size_t end = next.empty() ? text.size() : text.find(next);
        if (end == std::string_view::npos || end == 0)
            return false;
        captures.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return true;
}

bool search(std::string_view text, std::string_view pattern, Captures& captures) {
    std::string_view head = pattern.substr(0, pattern.find("{}"));
    for (size_t at = text.find(head); at != std::string_view::npos; at = text.find(head, at + 1)) {
        captures.clear();
        if (matchAt(text.substr(at), pattern, captures))
            return true;
    }
    return false;
}

struct Rule {
    const char* pattern;
    std::function<std::string(const Captures&, const LogMessage&, const FailureContext&)> line;
};

const std::vector<Rule>& rules() {
    static const std::vector<Rule> table{
        {"Specified sample rate {} is not supported",
         [](const Captures& m, const LogMessage& msg, const FailureContext&) {
             return "Error: the " + nameOf(msg.context) +
                    " encoder does not support a sample rate of " + m[0] + " Hz";
         }},
        {"bitrate {} is not allowed in mp2",
         [](const Captures& m, const LogMessage&, const FailureContext&) {
             return "Error: the MP2 encoder does not allow " + m[0] + " kbit/s at this sample rate";
         }},
        {"does not support that sample rate, choose from ({})",
         [](const Captures& m, const LogMessage& msg, const FailureContext&) {
             return "Error: the " + nameOf(msg.context) +
                    " container does not support this sample rate; it takes " + m[0] + " Hz";
         }},
        {"picture size of {} is not valid for the H.263 codec",
         [](const Captures& m, const LogMessage&, const FailureContext&) {
             return "Error: H.263 does not support a frame size of " + m[0] +
                    "; it takes 128x96, 176x144, 352x288, 704x576 or 1408x1152";
         }},
        {"width and height must be a multiple of {}",
         [](const Captures& m, const LogMessage& msg, const FailureContext&) {
             return "Error: the " + nameOf(msg.context) +
                    " encoder needs a frame width and height that are multiples of " + Trim(m[0]);
         }},
        {"does not support {}/{} fps",
         [](const Captures& m, const LogMessage& msg, const FailureContext&) {
             return "Error: the " + nameOf(msg.context) +
                    " encoder does not support a frame rate of " + rateText(m[0], m[1]) +
                    " frames/s";
         }},
        {"Could not find tag for codec {} in stream",
         [](const Captures& m, const LogMessage&, const FailureContext& c) {
             return "Error: the " + nameOf(c.muxer.empty() ? std::string("output") : c.muxer) +
                    " container cannot hold " + ConsoleName(nameOf(m[0]));
         }},
        {"does not contain any stream", noStreams},
        {"matches no streams", noStreams},
        {"Unknown encoder '{}'",
         [](const Captures& m, const LogMessage&, const FailureContext&) {
             return "Error: unknown codec '" + ConsoleName(m[0]) + "'";
         }},
        {"Requested output format '{}'", unknownFormat},
        {"Unable to find a suitable output format for '{}'", unknownFormat},
        {"Invalid frame size", asIs},
        {"Invalid framerate", asIs},
        {"Invalid aspect", asIs},
    };
    return table;
}

// "file:<path>: <reason>" names a file that could not be opened or read.
std::string fileLine(const std::string& text, const FailureContext& c) {
    if (!StartsWith(text, "file:"))
        return {};
    for (const std::string* path : {&c.source, &c.output}) {
        std::string prefix = "file:" + *path + ": ";
        if (path->empty() || !StartsWith(text, prefix))
            continue;
        std::string reason = text.substr(prefix.size());
        if (path == &c.output)
            return "Could not open output file '" + ConsoleName(c.output) + "': " + reason;
        return "Could not open input file '" + ConsoleName(c.source) + "': " + reason;
    }
    return "Error: " + ConsoleName(text.substr(5));
}

std::string reworded(const LogMessage& msg, const FailureContext& c) {
    if (std::string line = fileLine(msg.text, c); !line.empty())
        return line;
    Captures m;
    for (const Rule& rule : rules())
        if (search(msg.text, rule.pattern, m))
            return rule.line(m, msg, c);
    std::string who = msg.context.empty() ? "" : nameOf(msg.context) + ": ";
    return "Error: " + ConsoleName(who + msg.text);
}

std::string failureLine(const std::vector<LogMessage>& messages, const FailureContext& context,
                        int exitCode) {
    const LogMessage* chosen = nullptr;
    for (const LogMessage& msg : messages) {
        if (!isGeneric(msg.text)) {
            chosen = &msg;
            break;
        }
    }
    if (!chosen && !messages.empty())
        chosen = &messages.front();
    if (!chosen)
        return "Error: the conversion failed (ffmpeg ended with exit code " +
               std::to_string(exitCode) + ")";
    if (!isGeneric(chosen->text))
        return reworded(*chosen, context);
    // Only a follow-up message came: it still has to say something a user can act on.
    if (Contains(chosen->text, "opening encoder"))
        return "Error: the encoder refused its settings (bitrate, sample rate, frame size or "
               "frame rate)";
    std::string line = "Error: the conversion failed: " + ConsoleName(chosen->text);
    return line;
}

} // namespace

std::string FailureLine(const std::vector<LogMessage>& messages, const FailureContext& context,
                        int exitCode) {
    // The rules quote pieces of ffmpeg's text (sizes, rates, reasons), which may hold a CR: the
    // program would read the rest as a line of its own.
    return OneLine(failureLine(messages, context, exitCode));
}

} // namespace quillabe::divuvo
