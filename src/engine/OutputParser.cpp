#include "engine/OutputParser.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "base/TimeText.h"
#include "core/DateTime.h"
#include "core/MessageDialogs.h"
#include "engine/ClockText.h"
#include "engine/CommandLine.h"
#include "lang/Messages.h"

#include <cmath>

#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace quillabe {

namespace {

__extension__ typedef __int128 Int128; // exact products of 64-bit values

int64_t clampToInt64(Int128 value) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    return value > kMax ? kMax : value < kMin ? kMin : static_cast<int64_t>(value);
}

constexpr std::string_view kNoValue = "N/A";
constexpr std::string_view kNoPosition = "10000000000.0";
constexpr std::string_view kDurationPrefix = "  Duration: ";
// Far beyond any line the encoder prints; a longer remainder is processed as a line of its own.
constexpr size_t kMaxPendingOutput = size_t(1) << 20;

// Markers that begin with a blank are searched by a rarer character of theirs: the output is
// mostly blanks and digits, and a plain search stops at every blank.
struct Marker {
    std::string_view text;
    size_t anchor; // index of the character searched for
};
constexpr Marker kTimeMarker{" time=", 5};
constexpr Marker kBitrateMarker{" bitrate=", 8};

size_t findMarker(std::string_view line, const Marker& m) {
    if (line.size() < m.text.size())
        return std::string_view::npos;
    const char* base = line.data();
    const size_t lastAnchor = line.size() - m.text.size() + m.anchor;
    for (size_t pos = m.anchor; pos <= lastAnchor;) {
        const void* hit = std::memchr(base + pos, m.text[m.anchor], lastAnchor - pos + 1);
        if (!hit)
            break;
        size_t at = static_cast<size_t>(static_cast<const char*>(hit) - base);
        if (std::memcmp(base + at - m.anchor, m.text.data(), m.text.size()) == 0)
            return at - m.anchor;
        pos = at + 1;
    }
    return std::string_view::npos;
}

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}
bool isBlankLine(std::string_view line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) > 32)
            return false;
    return true;
}

std::optional<int64_t> clockAfter(const std::vector<std::string>& args, std::string_view option) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option)
            return ParseTimeTextMs(args[i + 1]);
    return std::nullopt;
}

} // namespace

std::optional<TimeLimit> TimeLimitOf(std::string_view commandLine) {
    if (!Contains(commandLine, "-t"))
        return std::nullopt;
    std::vector<std::string> args = SplitCommandLine(commandLine);
    // A limit that is not a time text does not apply; a missing or unreadable start counts 0.
    std::optional<int64_t> limit = clockAfter(args, "-t");
    if (!limit)
        return std::nullopt;
    return TimeLimit{*limit, clockAfter(args, "-ss").value_or(0)};
}

namespace {

// A time= value: seconds with a decimal point, or (from newer encoders) a clock value.
std::optional<int64_t> positionMsOf(std::string_view value) {
    if (value == kNoPosition)
        return 0;
    if (std::optional<int64_t> ms = ParseScaledDecimal(value, 3))
        return ms;
    return TryParseClockMs(value);
}

// Milliseconds of a span of days, limited to 64 bits.
int64_t DaysToMs(TDateTime days) {
    const double ms = days * 86400000.0;
    if (!(ms > -9.2e18 && ms < 9.2e18))
        return ms > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return std::llround(ms);
}

// The window repaints only after the handler returns, so steps that show values are collected
// per piece and shown once with the values of the last line that set them. A message box
// (which lets the window repaint) shows the collected state first.
class PieceParser {
public:
    PieceParser(const ParserContext& ctx, ParserState& st, ProgressObserver& observer)
        : ctx_(ctx), st_(st), observer_(observer) {
        // The caller splits a job's command line once; without that it is split per piece.
        limit_ = ctx.timeLimit ? *ctx.timeLimit : TimeLimitOf(ctx.commandLine);
        now_ = readClock();
    }

    // Returns false when the rest of the piece is to be dropped.
    bool Line(std::string_view line, std::string_view prev);
    void Show();

private:
    TDateTime readClock() const { return ctx_.now ? ctx_.now() : Now(); }
    void readMarkers(std::string_view line);
    void updateProgress();

    const ParserContext& ctx_;
    ParserState& st_;
    ProgressObserver& observer_;
    std::optional<TimeLimit> limit_;
    TDateTime now_ = 0;

    // What the display steps would show after the lines seen so far.
    bool touched_ = false;
    bool jobShown_ = false;
    int32_t jobPercent_ = 0;
    int32_t jobPositionMs_ = 0;
    int32_t jobDurationMs_ = 0;
    bool batchShown_ = false;
    int32_t batchPercent_ = 0;
    int64_t processedBytes_ = 0;
};

void PieceParser::readMarkers(std::string_view line) {
    if (Contains(line, "Input #0, ")) {
        std::optional<std::string_view> name = FindBetween(line, "from '", "':");
        if (name && *name != kNoValue)
            st_.encoder.StreamInputName = *name;
        // The encoder names the frame-server script; the user wants to see the real input.
        if (ExtractFileExt(st_.encoder.StreamInputName) == ".avs")
            st_.encoder.StreamInputName = st_.job.JobInputFile;
    }
    if (Contains(line, "Output #0, ")) {
        std::optional<std::string_view> name = FindBetween(line, "to '", "':");
        if (name && *name != kNoValue)
            st_.encoder.StreamOutputName = *name;
    }
    if (!line.empty() && line[0] == ' ' && StartsWith(line, kDurationPrefix)) {
        // From the blank after "Duration:" up to the first comma; no comma means no value.
        size_t comma = line.find(',');
        if (comma != std::string_view::npos) {
            std::string value =
                Trim(line.substr(kDurationPrefix.size() - 1, comma - (kDurationPrefix.size() - 1)));
            if (value != kNoValue)
                if (std::optional<int64_t> ms = TryParseClockMs(value))
                    st_.encoder.JobDurationMs = ClampToInt32(*ms);
        }
    }
    if (limit_ && Int128(limit_->limitMs) + limit_->startMs < st_.encoder.JobDurationMs)
        st_.encoder.JobDurationMs = ClampToInt32(limit_->limitMs);
    if (size_t at = findMarker(line, kTimeMarker); at != std::string_view::npos) {
        std::optional<std::string_view> value = ValueFrom(line, at + kTimeMarker.text.size(), " ");
        if (value && *value != kNoValue)
            if (std::optional<int64_t> ms = positionMsOf(*value))
                st_.encoder.JobPositionMs = ClampToInt32(*ms);
    }
    if (size_t at = findMarker(line, kBitrateMarker); at != std::string_view::npos) {
        std::optional<std::string_view> value =
            ValueFrom(line, at + kBitrateMarker.text.size(), "kbits/s");
        if (value && *value != kNoValue)
            if (std::optional<int64_t> kbps = ParseScaledDecimal(*value, 0))
                st_.encoder.JobBitrateKbps = ClampToInt32(*kbps);
    }
    if (size_t at = line.find("size="); at != std::string_view::npos) {
        std::optional<std::string_view> value = ValueFrom(line, at + 5, "kB ");
        if (value && *value != kNoValue)
            if (std::optional<int64_t> kb = ParseScaledDecimal(*value, 0))
                st_.encoder.JobSizeKB = ClampToInt32(*kb);
    }
}

void PieceParser::updateProgress() {
    touched_ = true;
    if (st_.encoder.JobDurationMs == 0 || st_.encoder.JobPositionMs == 0)
        return;
    st_.job.JobPercent = PercentOf(st_.encoder.JobPositionMs, st_.encoder.JobDurationMs, true);
    jobShown_ = true;
    jobPercent_ = st_.job.JobPercent;
    jobPositionMs_ = st_.encoder.JobPositionMs;
    jobDurationMs_ = st_.encoder.JobDurationMs;

    Int128 processed =
        Int128(st_.batch.JobBytes) * st_.job.JobPercent / 100 + st_.batch.FinishedBytes;
    st_.batch.ProcessedBytes = clampToInt64(processed);
    if (st_.batch.ProcessedBytes == 0 || st_.batch.TotalBytes == 0)
        return;
    st_.batch.BatchPercent = PercentOf(st_.batch.ProcessedBytes, st_.batch.TotalBytes, true);
    batchShown_ = true;
    batchPercent_ = st_.batch.BatchPercent;
    processedBytes_ = st_.batch.ProcessedBytes;
}

bool PieceParser::Line(std::string_view line, std::string_view prev) {
    if (isBlankLine(line))
        return true;
    readMarkers(line);
    updateProgress();
    if (IsEncoderErrorLine(line)) {
        st_.job.JobFailed = true;
        Show();
        // The encoder goes on; its outcome is decided when it ends.
        ShowMessageBox(std::string(line), Msg(MSG_Error), MB_ICONINFORMATION);
        now_ = readClock();
        return true;
    }
    // The encoder's banner after the stream mapping: the rest of the piece carries nothing.
    bool afterMapping = Contains(prev, "Stream") && Contains(prev, "->");
    if (afterMapping && !Contains(line, "Stream") && !Contains(line, "size=") &&
        !(StartsWith(line, "[") && Contains(line, "@")) && Contains(line, "back") &&
        Contains(line, "last"))
        return false;
    return true;
}

void PieceParser::Show() {
    if (!touched_)
        return;
    ProgressUpdate u;
    const TDateTime elapsed = now_ - st_.batch.BatchStartTime;
    u.batchElapsedMs = DaysToMs(elapsed);
    if (jobShown_) {
        const TDateTime jobElapsed = now_ - st_.job.JobStartTime;
        const TDateTime remaining =
            double(jobDurationMs_) * jobElapsed / jobPositionMs_ - jobElapsed;
        u.job = JobFigures{jobPercent_, DaysToMs(remaining)};
    }
    if (batchShown_) {
        const TDateTime estimated =
            double(st_.batch.TotalBytes) * elapsed / double(processedBytes_);
        u.batch = BatchFigures{batchPercent_, DaysToMs(estimated), DaysToMs(estimated - elapsed)};
    }
    u.fileNumber = st_.batch.DoneCount + st_.batch.FailedCount + 1;
    u.fileCount = st_.batch.TotalCount;
    u.runningFiles = {u.fileNumber}; // one job at a time; a controller of several sets its own
    u.inputName = st_.encoder.StreamInputName;
    u.outputName = st_.encoder.StreamOutputName;
    u.jobPercent = st_.job.JobPercent;
    observer_.Progress(u);
    touched_ = jobShown_ = batchShown_ = false;
}

// Removes NUL bytes: they only come from a confused encoder, and cutting the piece there would
// drop the lines after them, error lines included.
std::string withoutNuls(std::string_view piece) {
    std::string out;
    out.reserve(piece.size());
    for (char c : piece)
        if (c != '\0')
            out += c;
    return out;
}

} // namespace

bool IsEncoderErrorLine(std::string_view line) {
    if (Contains(line, "No audio or video streams available") ||
        Contains(line, "I/O error occured") || Contains(line, "Could not open"))
        return true;
    return !line.empty() && line[0] == 'E' && StartsWith(line, "Error") &&
           !StartsWith(line, "Error while decoding stream");
}

void HandleEncoderOutput(std::string_view piece, const ParserContext& ctx, ParserState& st,
                         ProgressObserver& observer) {
    std::string cleaned;
    if (piece.find('\0') != std::string_view::npos) {
        cleaned = withoutNuls(piece);
        piece = cleaned;
    }

    // Every break (CR LF, lone CR, lone LF) ends a line; the encoder's progress lines end in a
    // lone CR. The text after the last break waits for the next piece.
    // The remainder never holds a break, so only the new piece is searched for the last one.
    const size_t pendingSize = st.job.PendingOutput.size();
    std::string joined;
    std::string_view text = piece;
    if (pendingSize != 0) {
        joined = std::move(st.job.PendingOutput);
        joined.append(piece);
        text = joined;
    }
    st.job.PendingOutput.clear();
    if (!ctx.exited) {
        size_t last = piece.find_last_of("\r\n");
        size_t keep = last == std::string_view::npos ? 0 : pendingSize + last + 1;
        // Output that never breaks its line is not held back without bound.
        if (text.size() - keep > kMaxPendingOutput)
            keep = text.size();
        if (keep == 0 && pendingSize != 0) {
            text = {};
            st.job.PendingOutput = std::move(joined);
        } else {
            st.job.PendingOutput.assign(text.substr(keep));
            text = text.substr(0, keep);
        }
    }

    observer.FileState(st.job.JobInputFile, TFileState::Converting);
    if (!ctx.batchRunning)
        return;

    PieceParser parser(ctx, st, observer);
    std::string_view prev;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t stop = pos;
        while (stop < text.size() && !isBreak(text[stop]))
            ++stop;
        std::string_view line = text.substr(pos, stop - pos);
        pos = stop;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
        if (!parser.Line(line, prev))
            break;
        prev = line;
    }
    parser.Show();
}

void FlushPendingOutput(const ParserContext& ctx, ParserState& st, ProgressObserver& observer) {
    if (st.job.PendingOutput.empty())
        return;
    ParserContext last = ctx;
    last.exited = true;
    HandleEncoderOutput({}, last, st, observer);
}

void EndOfJobUpdate(const ParserContext& ctx, ParserState& st, ProgressObserver& observer) {
    st.batch.FinishedBytes = clampToInt64(Int128(st.batch.FinishedBytes) + st.batch.JobBytes);
    st.batch.ProcessedBytes = st.batch.FinishedBytes;
    BatchAfterJob b;
    if (st.batch.TotalBytes != 0) {
        // Whole percents of finished jobs, truncated.
        st.batch.BatchPercent = PercentOf(st.batch.ProcessedBytes, st.batch.TotalBytes, false);
        b.percent = st.batch.BatchPercent;
    }
    if (st.batch.ProcessedBytes > 0) {
        TDateTime elapsed = (ctx.now ? ctx.now() : Now()) - st.batch.BatchStartTime;
        TDateTime estimated =
            double(st.batch.TotalBytes) * elapsed / double(st.batch.ProcessedBytes);
        b.estimatedMs = DaysToMs(estimated);
        b.remainingMs = DaysToMs(estimated - elapsed);
    }
    observer.JobDone(b);
}

} // namespace quillabe
