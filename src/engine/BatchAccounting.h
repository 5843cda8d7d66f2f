#pragma once
// The whole batch's progress while several conversions run at once: the bytes of the finished
// files plus each running job's share of its own file (its bytes times its percentage, which the
// encoder's position against its duration gives). With one running job the figures are those of
// the single-job accounting. No figure goes backwards: a new job at 0 % or a job whose count starts
// over (a second pass) never pulls the batch's percentage back.

#include "engine/ProgressObserver.h"

#include <cstdint>
#include <optional>
#include <span>

namespace quillabe {

// One running job's part of the batch.
struct RunningShare {
    int64_t bytes = 0;   // the size of its input
    int32_t percent = 0; // its latest percentage
};

class BatchAccounting {
public:
    // A new batch of totalBytes (0: the sizes are unknown, no percentage is computed).
    void Reset(int64_t totalBytes);

    // While jobs run, after one of them reported its percentage afresh: the percentage rounded,
    // at most 100, and the estimated and remaining times; none when nothing is processed yet or
    // the sizes are unknown.
    std::optional<BatchFigures> During(int64_t finishedBytes, std::span<const RunningShare> running,
                                       int64_t elapsedMs);
    // After a job ended (its bytes are in finishedBytes): whole percents, truncated.
    BatchAfterJob AfterJob(int64_t finishedBytes, std::span<const RunningShare> running,
                           int64_t elapsedMs);

    int64_t ProcessedBytes() const { return processed_; }
    int32_t Percent() const { return percent_; }

private:
    // Takes the new processed bytes unless they are fewer than already counted.
    void Count(int64_t finishedBytes, std::span<const RunningShare> running);
    void Times(int64_t elapsedMs, int64_t& estimatedMs, int64_t& remainingMs) const;

    int64_t total_ = 0;
    int64_t processed_ = 0;
    int32_t percent_ = 0;
};

} // namespace quillabe
