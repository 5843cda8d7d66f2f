#include "cli/ConsoleProgress.h"

#include <algorithm>
#include <string>

namespace quillabe {

namespace {
constexpr auto kBarInterval = std::chrono::milliseconds(200);
constexpr int kBarWidth = 30;

int percent(int value) {
    return std::clamp(value, 0, 100);
}
} // namespace

void ConsoleProgress::BatchStarted() {
    BreakLine();
    jobRunning_ = false;
    job_ = batch_ = 0;
    shownJob_ = shownBatch_ = -1;
}

void ConsoleProgress::JobStarted() {
    BreakLine();
    jobRunning_ = true;
    job_ = 0;
    shownJob_ = shownBatch_ = -1;
}

void ConsoleProgress::Update(std::optional<int> jobPercent, std::optional<int> batchPercent) {
    if (jobPercent)
        job_ = std::max(job_, percent(*jobPercent));
    if (batchPercent)
        batch_ = std::max(batch_, percent(*batchPercent));
    if (jobRunning_)
        show(false);
}

void ConsoleProgress::BatchAfterJob(int value) {
    batch_ = std::max(batch_, percent(value));
}

void ConsoleProgress::JobEnded(bool succeeded) {
    if (!jobRunning_)
        return;
    if (succeeded)
        job_ = 100;
    // A failed job that never showed a figure has no state worth drawing.
    if (succeeded || shownJob_ >= 0)
        show(true);
    BreakLine();
    jobRunning_ = false;
}

void ConsoleProgress::BreakLine() {
    if (!barOpen_)
        return;
    std::fputc('\n', out_);
    std::fflush(out_);
    barOpen_ = false;
}

void ConsoleProgress::show(bool final) {
    const bool unchanged = job_ == shownJob_ && batch_ == shownBatch_;
    if (terminal_) {
        // The final state is always drawn; in between, at most five bars a second.
        const auto now = std::chrono::steady_clock::now();
        if (unchanged && barOpen_)
            return;
        if (!final && shownJob_ >= 0 && barOpen_ && now - shownAt_ < kBarInterval)
            return;
        shownAt_ = now;
        const int filled = job_ * kBarWidth / 100;
        std::fprintf(out_, "\r  [%s%s] %3d%%  batch %3d%%", std::string(filled, '#').c_str(),
                     std::string(kBarWidth - filled, ' ').c_str(), job_, batch_);
        barOpen_ = true;
    } else {
        // A line at the job's first figure, at each further tenth, and at its end.
        const bool nextTenth = shownJob_ < 0 || job_ / 10 > shownJob_ / 10;
        if (final ? unchanged : !nextTenth)
            return;
        std::fprintf(out_, "  progress %d%% (batch %d%%)\n", job_, batch_);
    }
    std::fflush(out_);
    shownJob_ = job_;
    shownBatch_ = batch_;
}

} // namespace quillabe
