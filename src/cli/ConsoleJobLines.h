#pragma once
// What the console shows while several jobs run at once: one line per running job (its number,
// name and percentage) and the batch's figure. On a terminal the lines are a block below
// everything else, redrawn in place (at most five times a second) and taken off the screen
// before any other text is written; to a pipe or a file a job's line is written at its first
// figure, at each further tenth and at its end. Figures only move forward, as with one job.

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace quillabe {

class ConsoleJobLines {
public:
    ConsoleJobLines(std::FILE* out, bool terminal, int fileCount)
        : out_(out), terminal_(terminal), fileCount_(fileCount) {}

    void SetFileCount(int fileCount) { fileCount_ = fileCount; }
    void BatchStarted();
    // `number` counts from 1, as the start and end lines do; `input` is shown by its name.
    void JobStarted(int number, const std::string& input);
    void Update(int number, std::optional<int> jobPercent, std::optional<int> batchPercent);
    void BatchAfterJob(int percent);
    // The job leaves the display; to a pipe its final state is written first (100 % when it
    // succeeded). The caller prints the end line next, then calls Redraw.
    void JobEnded(int number, bool succeeded);
    // Draws the block again after other text (a terminal only).
    void Redraw();
    // Takes the block off the terminal, so that the next text starts where it began.
    void Clear();

    // The display line of one job, as drawn; exposed for its test.
    static std::string JobLine(int number, int fileCount, const std::string& name, int percent,
                               size_t columns);

private:
    struct Job {
        int number;
        std::string name;
        int percent = 0;
        int shown = -1; // what a pipe was told last; -1 nothing yet
    };
    Job* find(int number);
    void draw();
    void writeLine(Job& job);
    size_t columns() const;

    std::FILE* out_;
    bool terminal_;
    int fileCount_;
    std::vector<Job> jobs_; // ascending by number
    int batch_ = 0;
    int blockLines_ = 0; // lines of the block on the screen now
    std::chrono::steady_clock::time_point drawnAt_{};
};

} // namespace quillabe
