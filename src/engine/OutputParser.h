#pragma once
// Reads the encoder's console output while a job runs: names, duration, position, size and
// bitrate, the job's and the batch's progress, and the error lines that fail a job. Works on the
// job, batch and reading state it is given and reports the figures to a ProgressObserver. Main
// thread only.

#include "core/GlobalVars.h"
#include "engine/ProgressObserver.h"

#include <functional>
#include <optional>
#include <string_view>

namespace quillabe {

// "-t LIMIT" (and "-ss START") on the command line shortens the measured duration.
struct TimeLimit {
    int64_t limitMs = 0;
    int64_t startMs = 0;
};
// The limit of a command line, split into its arguments, so that a file name that holds " -t "
// is never taken for the option; nullopt when no readable limit is given.
std::optional<TimeLimit> TimeLimitOf(std::string_view commandLine);

// What the parser reads and changes.
struct ParserState {
    TJobState& job;
    TBatchState& batch;
    TEncoderReadings& encoder;
};
// The state of the one running conversion.
inline ParserState GlobalParserState() {
    return {GlobalVars.Job, GlobalVars.Batch, GlobalVars.Encoder};
}

// What the handler needs to know besides the state.
struct ParserContext {
    bool exited = false;          // the runner has seen the encoder end (nothing is carried)
    std::string_view commandLine; // the job's command line or its options ("-t", "-ss")
    // The limit of commandLine when the caller has read it already (once per job).
    const std::optional<TimeLimit>* timeLimit = nullptr;
    bool batchRunning = false;      // the progress window exists
    std::function<TDateTime()> now; // the clock; empty means Now()
};

// One piece of output from either stream. Text after the last line break is kept in
// the job's PendingOutput for the next piece unless the encoder has ended.
void HandleEncoderOutput(std::string_view piece, const ParserContext& ctx, ParserState& st,
                         ProgressObserver& observer);

// Processes a remainder left in PendingOutput as the last line of the job. The controller calls
// it when the encoder has ended, before it decides the outcome.
void FlushPendingOutput(const ParserContext& ctx, ParserState& st, ProgressObserver& observer);

// The batch display after a finished job that is not the last of the batch.
void EndOfJobUpdate(const ParserContext& ctx, ParserState& st, ProgressObserver& observer);

// A line that fails the job.
bool IsEncoderErrorLine(std::string_view line);

} // namespace quillabe
