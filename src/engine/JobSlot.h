#pragma once
// One place for a running conversion in a batch that runs several at once: its runner, its own
// job and reading state, its template values, the options and time limit of its command line,
// the output name it holds and the number its temporary files carry. Slot 1 works on the
// controller's runner and state, so a batch of one job runs exactly as one always did.

#include "core/GlobalVars.h"
#include "engine/BatchAccounting.h"
#include "engine/OutputParser.h"
#include "engine/ProgressObserver.h"
#include "engine/Redirector.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quillabe {

// Passes everything on to an observer, except a progress update, which goes to a function that
// completes it with the batch's figures first.
class ProgressRelay : public ProgressObserver {
public:
    ProgressRelay(ProgressObserver& target, std::function<void(ProgressUpdate&)> complete)
        : target_(target), complete_(std::move(complete)) {}
    void DisplayReset() override { target_.DisplayReset(); }
    void Progress(const ProgressUpdate& update) override;
    void JobDone(const BatchAfterJob& batch) override { target_.JobDone(batch); }
    void Phase(BatchPhase phase) override { target_.Phase(phase); }
    void FileState(const std::string& path, TFileState state) override {
        target_.FileState(path, state);
    }

private:
    ProgressObserver& target_;
    std::function<void(ProgressUpdate&)> complete_;
};

class JobSlot {
public:
    // Slot 1: the given runner and state.
    JobSlot(TRedirector& runner, TJobState& job, TEncoderReadings& encoder,
            TTemplateValues& templates);
    // A further slot (number > 1) with a runner and state of its own.
    explicit JobSlot(int number);
    JobSlot(const JobSlot&) = delete;
    JobSlot& operator=(const JobSlot&) = delete;

    int Number() const { return number_; }
    TRedirector& Runner() { return *runner_; }
    TJobState& Job() { return *job_; }
    TEncoderReadings& Encoder() { return *encoder_; }
    TTemplateValues& Templates() { return *templates_; }

    // What the parser works on: the slot's job and readings, and the given batch state.
    ParserState StateWith(TBatchState& batch) { return {*job_, batch, *encoder_}; }
    ParserContext Context(bool exited, bool batchRunning) const;

    bool active = false;                // a job of the batch runs here (from its start to its end)
    int index = -1;                     // the entry of the file list it converts
    int64_t bytes = 0;                  // that entry's size
    std::string options;                // the job's options (a preset's: its commands)
    bool outputExisted = false;         // the output path was taken before the job began
    std::string parserLine;             // what the parser reads the time limit from
    std::optional<TimeLimit> timeLimit; // read from parserLine once per job
    // What the parser sees of the batch when several jobs run: the controller keeps the batch's
    // figures, so the parser is given none of its sizes.
    TBatchState parserBatch;
    std::string reservedOutput; // the output path this job holds against the other jobs
    // Completes the parser's progress updates with the batch's figures (several jobs only).
    std::unique_ptr<ProgressRelay> relay;

private:
    int number_ = 1;
    std::unique_ptr<TRedirector> ownRunner_;
    TJobState ownJob_;
    TEncoderReadings ownEncoder_;
    TTemplateValues ownTemplates_;
    TRedirector* runner_;
    TJobState* job_;
    TEncoderReadings* encoder_;
    TTemplateValues* templates_;
};

// The slots of one controller's batches: slot 1 on the controller's runner and state, the others
// made when a batch first needs them and kept for the batches after it.
class JobSlots {
public:
    JobSlots(TRedirector& runner, TJobState& job, TEncoderReadings& encoder,
             TTemplateValues& templates);

    // The batch uses the first `count` slots; no output name is reserved yet.
    void Use(int count);
    int InUse() const { return inUse_; }
    JobSlot& operator[](int i) { return *slots_[static_cast<size_t>(i)]; } // 0: slot 1

    JobSlot* Free();        // the first of the batch's slots without a job or a child
    bool AnyActive() const; // some job of the batch runs
    // The running jobs' parts of the batch, and their 1-based numbers in the list, ascending.
    std::vector<RunningShare> RunningShares() const;
    std::vector<int> RunningFiles() const;
    // The output paths the batch's jobs have chosen and hold until they end.
    std::set<std::string> ReservedOutputs() const;

private:
    std::vector<std::unique_ptr<JobSlot>> slots_;
    int inUse_ = 1;
};

} // namespace quillabe
