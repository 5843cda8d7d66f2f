#include "cli/ConsoleJobLines.h"

#include "base/PathUtils.h"

#include <algorithm>

#include <sys/ioctl.h>
#include <unistd.h>

namespace quillabe {

namespace {
constexpr auto kDrawInterval = std::chrono::milliseconds(200);
constexpr size_t kDefaultColumns = 80;

int percent(int value) {
    return std::clamp(value, 0, 100);
}

// The text cut to at most `columns` characters (UTF-8 sequences are kept whole), so that no line
// of the block wraps and moving up over it stays exact.
std::string fitted(const std::string& text, size_t columns) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && ++characters > columns)
            return text.substr(0, i);
    }
    return text;
}
} // namespace

std::string ConsoleJobLines::JobLine(int number, int fileCount, const std::string& name,
                                     int jobPercent, size_t columns) {
    char head[48];
    std::snprintf(head, sizeof head, "  [%d/%d] %3d%%  ", number, fileCount, percent(jobPercent));
    return fitted(head + name, columns);
}

void ConsoleJobLines::BatchStarted() {
    Clear();
    jobs_.clear();
    batch_ = 0;
}

void ConsoleJobLines::JobStarted(int number, const std::string& input) {
    if (find(number))
        return;
    const auto at = std::find_if(jobs_.begin(), jobs_.end(),
                                 [number](const Job& job) { return job.number > number; });
    jobs_.insert(at, Job{number, ExtractFileName(input)});
}

ConsoleJobLines::Job* ConsoleJobLines::find(int number) {
    for (Job& job : jobs_)
        if (job.number == number)
            return &job;
    return nullptr;
}

void ConsoleJobLines::Update(int number, std::optional<int> jobPercent,
                             std::optional<int> batchPercent) {
    if (batchPercent)
        batch_ = std::max(batch_, percent(*batchPercent));
    Job* job = find(number);
    if (job && jobPercent)
        job->percent = std::max(job->percent, percent(*jobPercent));
    if (terminal_) {
        const auto now = std::chrono::steady_clock::now();
        if (blockLines_ > 0 && now - drawnAt_ < kDrawInterval)
            return;
        draw();
    } else if (job && (job->shown < 0 || job->percent / 10 > job->shown / 10)) {
        writeLine(*job);
    }
}

void ConsoleJobLines::BatchAfterJob(int value) {
    batch_ = std::max(batch_, percent(value));
}

void ConsoleJobLines::JobEnded(int number, bool succeeded) {
    Job* job = find(number);
    if (!job)
        return;
    if (succeeded)
        job->percent = 100;
    if (terminal_)
        Clear();
    else if ((succeeded || job->shown >= 0) && job->percent != job->shown)
        writeLine(*job);
    jobs_.erase(jobs_.begin() + (job - jobs_.data()));
}

void ConsoleJobLines::Redraw() {
    if (terminal_ && !jobs_.empty())
        draw();
}

void ConsoleJobLines::Clear() {
    if (!terminal_ || blockLines_ == 0)
        return;
    // To the start of the block's first line, and everything from there on erased.
    std::fputc('\r', out_);
    if (blockLines_ > 1)
        std::fprintf(out_, "\x1b[%dA", blockLines_ - 1);
    std::fputs("\x1b[J", out_);
    std::fflush(out_);
    blockLines_ = 0;
}

void ConsoleJobLines::draw() {
    const size_t width = columns() - 1; // the last column would wrap on some terminals
    std::string block = "\r";
    if (blockLines_ > 1)
        block += "\x1b[" + std::to_string(blockLines_ - 1) + "A";
    for (const Job& job : jobs_)
        block += JobLine(job.number, fileCount_, job.name, job.percent, width) + "\x1b[K\n";
    block += fitted("  batch " + std::to_string(batch_) + "%", width);
    // Lines left over from a larger block go.
    block += "\x1b[J";
    std::fputs(block.c_str(), out_);
    std::fflush(out_);
    blockLines_ = static_cast<int>(jobs_.size()) + 1;
    drawnAt_ = std::chrono::steady_clock::now();
}

void ConsoleJobLines::writeLine(Job& job) {
    std::fprintf(out_, "%s (batch %d%%)\n",
                 JobLine(job.number, fileCount_, job.name, job.percent, std::string::npos).c_str(),
                 batch_);
    std::fflush(out_);
    job.shown = job.percent;
}

size_t ConsoleJobLines::columns() const {
    winsize size{};
    if (ioctl(fileno(out_), TIOCGWINSZ, &size) == 0 && size.ws_col > 1)
        return size.ws_col;
    return kDefaultColumns;
}

} // namespace quillabe
