#include "engine/BatchAccounting.h"

#include "engine/ClockText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillabe {

namespace {

__extension__ typedef __int128 Int128; // exact sums of products of 64-bit values

int64_t clampToInt64(Int128 value) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    return value > kMax ? kMax : value < 0 ? 0 : static_cast<int64_t>(value);
}

int64_t toMs(double ms) {
    if (!(ms > -9.2e18 && ms < 9.2e18))
        return ms > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return std::llround(ms);
}

} // namespace

void BatchAccounting::Reset(int64_t totalBytes) {
    total_ = totalBytes;
    processed_ = 0;
    percent_ = 0;
}

void BatchAccounting::Count(int64_t finishedBytes, std::span<const RunningShare> running) {
    // Each share is truncated on its own, as the single-job accounting truncates its one share.
    Int128 processed = finishedBytes;
    for (const RunningShare& share : running)
        processed += Int128(share.bytes) * std::clamp(share.percent, 0, 100) / 100;
    processed_ = std::max(processed_, clampToInt64(processed));
}

void BatchAccounting::Times(int64_t elapsedMs, int64_t& estimatedMs, int64_t& remainingMs) const {
    const double estimated = double(total_) * double(elapsedMs) / double(processed_);
    estimatedMs = toMs(estimated);
    remainingMs = toMs(estimated - double(elapsedMs));
}

std::optional<BatchFigures> BatchAccounting::During(int64_t finishedBytes,
                                                    std::span<const RunningShare> running,
                                                    int64_t elapsedMs) {
    Count(finishedBytes, running);
    if (processed_ == 0 || total_ == 0)
        return std::nullopt;
    percent_ = std::max(percent_, PercentOf(processed_, total_, true));
    BatchFigures figures;
    figures.percent = percent_;
    Times(elapsedMs, figures.estimatedMs, figures.remainingMs);
    return figures;
}

BatchAfterJob BatchAccounting::AfterJob(int64_t finishedBytes,
                                        std::span<const RunningShare> running, int64_t elapsedMs) {
    Count(finishedBytes, running);
    BatchAfterJob after;
    if (total_ != 0) {
        percent_ = std::max(percent_, PercentOf(processed_, total_, false));
        after.percent = percent_;
    }
    if (processed_ > 0) {
        int64_t estimated = 0, remaining = 0;
        Times(elapsedMs, estimated, remaining);
        after.estimatedMs = estimated;
        after.remainingMs = remaining;
    }
    return after;
}

} // namespace quillabe
