#include "divuvo/ConsoleTranslator.h"

#include "base/TextUtils.h"
#include "divuvo/ConsoleText.h"

#include <utility>

namespace quillabe::divuvo {

namespace {

constexpr auto kQuietLimit = std::chrono::milliseconds(450);

// The format name of "Input #0, mov,mp4, from '...':" or "Output #0, avi, to '...':". Without
// the tail it is the rest of ffmpeg's line, which may hold a CR of a file name.
std::string formatName(std::string_view text, std::string_view head, std::string_view tail) {
    text.remove_prefix(head.size());
    size_t end = text.find(tail);
    return ConsoleName(end == std::string_view::npos ? text : text.substr(0, end));
}

template <typename Each> void forEachLine(std::string& pending, std::string_view text, Each each) {
    pending.append(text);
    size_t start = 0;
    for (size_t nl; (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1) {
        std::string_view line(pending.data() + start, nl - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        each(line);
    }
    pending.erase(0, start);
}

} // namespace

ConsoleTranslator::ConsoleTranslator(TranslatorNames names, Sink sink)
    : names_(std::move(names)), sink_(std::move(sink)) {}

void ConsoleTranslator::FeedLog(std::string_view text, Clock::time_point now) {
    forEachLine(logPending_, text, [this, now](std::string_view line) { logLine(line, now); });
}

void ConsoleTranslator::FeedProgress(std::string_view text, Clock::time_point now) {
    forEachLine(progressPending_, text,
                [this, now](std::string_view line) { progressLine(line, now); });
}

void ConsoleTranslator::EndRun() {
    if (!logPending_.empty())
        logLine(std::exchange(logPending_, {}), Clock::now());
    progressPending_.clear();
    block_ = ProgressBlock();
    mapping_.clear();
    inMapping_ = false;
    inInput0_ = false;
    inInput0Streams_ = false;
}

void ConsoleTranslator::Finish() {
    if (progressOpen_)
        emitLine("\n");
    progressOpen_ = false;
}

void ConsoleTranslator::logLine(std::string_view raw, Clock::time_point now) {
    LogLine l = ParseLogLine(raw);
    if (l.level == LogLevel::Continuation) {
        if (lastWasError_ && !errors_.empty())
            errors_.back().text += " " + Trim(l.text);
        return;
    }
    lastWasError_ = l.level == LogLevel::Fatal || l.level == LogLevel::Error;
    if (lastWasError_) {
        errors_.push_back({l.level, l.context, Trim(l.text)});
        return;
    }
    if (l.level == LogLevel::Warning) {
        if (Contains(l.text, "Output file is empty, nothing was encoded"))
            nothingEncoded_ = true;
        return;
    }
    if (l.level != LogLevel::Info)
        return;
    const std::string& text = l.text;
    // The block of input 0 is its indented lines; an output lists its streams in the same form.
    // Lines of a component ("[mp3 @ 0x...]") are no part of it.
    if (l.context.empty() && !StartsWith(text, " "))
        inInput0Streams_ = false;
    if (inInput0Streams_)
        NoteStream(input_, InputStreamKind(text));
    if (StartsWith(text, "Input #")) {
        inInput0_ = StartsWith(text, "Input #0, ");
        if (inInput0_) {
            input_ = InputStreams{};
            input_.listed = inInput0Streams_ = true;
        }
        if (inInput0_ && !inputShown_) {
            std::string format = names_.inputFormat.empty()
                                     ? formatName(text, "Input #0, ", ", from '")
                                     : names_.inputFormat;
            emitLine("Input #0, " + format + ", from '" + ConsoleName(names_.input) + "':\n");
            inputShown_ = true;
        }
        return;
    }
    if (StartsWith(text, "  Duration: ")) {
        if (inInput0_ && !durationShown_) {
            emitLine(ConsoleName(text) + "\n");
            durationShown_ = true;
        }
        return;
    }
    if (text == "Stream mapping:") {
        inMapping_ = true;
        mapping_.assign(1, text);
        return;
    }
    if (inMapping_ && StartsWith(text, "  Stream #") && Contains(text, " -> ")) {
        std::string line = ConsoleName(text);
        const std::string pcm = "-> pcm_s16le (native))";
        if (!names_.audioEncoder.empty() && EndsWith(line, pcm))
            line = line.substr(0, line.size() - pcm.size()) + "-> " + names_.audioEncoder + ")";
        mapping_.push_back(line);
        return;
    }
    inMapping_ = false;
    if (StartsWith(text, "Output #0, ") && !outputShown_) {
        std::string format = names_.outputFormat.empty() ? formatName(text, "Output #0, ", ", to '")
                                                         : names_.outputFormat;
        emitLine("Output #0, " + format + ", to '" + ConsoleName(names_.output) + "':\n");
        for (const std::string& m : mapping_)
            emitLine(m + "\n");
        mapping_.clear();
        outputShown_ = true;
        // A first report at once: the line after the mapping is always a progress line, and
        // the program hears from the encoder while it fills its first frames.
        emitProgress(ProgressValues{}, false, now);
    }
}

void ConsoleTranslator::progressLine(std::string_view line, Clock::time_point now) {
    if (block_.Feed(line))
        emitProgress(block_.Values(), block_.Ended(), now);
}

void ConsoleTranslator::emitProgress(const ProgressValues& values, bool last,
                                     Clock::time_point now) {
    if (!outputShown_)
        return;
    ProgressValues v = values;
    if (sizeOverride_)
        v.sizeBytes = *sizeOverride_;
    if (timeOverride_)
        v.timeUs = *timeOverride_;
    if (hold_) {
        v = ProgressValues{};
        last = false;
    }
    lastProgressLine_ = FormatProgressLine(v);
    emitLine(lastProgressLine_ + (last ? "\n" : "\r"));
    progressOpen_ = !last;
    lastProgress_ = now;
}

void ConsoleTranslator::Tick(Clock::time_point now) {
    if (!progressOpen_ || now - lastProgress_ < kQuietLimit)
        return;
    emitLine(lastProgressLine_ + "\r");
    lastProgress_ = now;
}

} // namespace quillabe::divuvo
