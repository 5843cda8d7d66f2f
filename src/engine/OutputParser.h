#pragma once
// Reads the encoder's console output while a job runs: names, duration, position, size and
// bitrate, the job's and the batch's progress, and the error lines that fail a job. Works on
// GlobalVars and reports what it shows to a ProgressView. Main thread only.

#include "core/GlobalVars.h"
#include "engine/ProgressView.h"

#include <functional>
#include <string_view>

namespace quillabe {

// What the handler needs to know besides GlobalVars.
struct ParserContext {
    bool exited = false;            // the runner has seen the encoder end (nothing is carried)
    std::string_view commandLine;   // the job's command line or its options ("-t", "-ss")
    bool batchRunning = false;      // the progress window exists
    std::function<TDateTime()> now; // the clock; empty means Now()
};

// One piece of output from either stream. Text after the last line break is kept in
// GlobalVars.PendingOutput for the next piece unless the encoder has ended.
void HandleEncoderOutput(std::string_view piece, const ParserContext& ctx, ProgressView& view);

// Processes a remainder left in PendingOutput as the last line of the job. The controller calls
// it when the encoder has ended, before it decides the outcome.
void FlushPendingOutput(const ParserContext& ctx, ProgressView& view);

// The batch display after a finished job that is not the last of the batch.
void EndOfJobUpdate(const ParserContext& ctx, ProgressView& view);

// The displays of a freshly opened progress window.
void ResetProgressDisplay(ProgressView& view);

// A line that fails the job.
bool IsEncoderErrorLine(std::string_view line);

} // namespace quillabe
