#pragma once
// Turns the file list into a sequence of encoder runs: one process at a time through the runner
// (or, when the request asks for it, several at once, each in a job slot of its own), a unique
// output name per file, the outcome of every job, stop now and stop when done, and the
// end-of-batch notice and action. A batch starts from one request value, reports to an observer
// and asks the user through BatchQuestions and the message dialogs. Main thread only; jobs are
// chained through the event loop so each encoder starts after the previous end event has been
// handled completely, and the controller itself waits for the end of a batch.

#include "engine/BatchAccounting.h"
#include "engine/BatchObserver.h"
#include "engine/BatchRequest.h"
#include "engine/FileList.h"
#include "engine/JobSlot.h"
#include "engine/OutputParser.h"

#include <QEventLoop>
#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace quillabe {

class TRedirector;

// A name that does not yet exist in the folder: the name itself, else base(n) + ext for
// n = 1, 2, ... 32767; the candidate for 32768 untested when all of those exist.
std::string UniqueFileName(const std::string& name, const std::string& folder);
// The same, where a path in `taken` (an output another running job has chosen but may not have
// created yet) counts as existing.
std::string UniqueFileName(const std::string& name, const std::string& folder,
                           const std::set<std::string>& taken);
// The number of simultaneous conversions a request's `jobs` means: 0 is one per processor core;
// the result is 1 to kMaxJobs.
inline constexpr int kMaxJobs = 16;
int ResolveJobCount(int requested);
// n digits, each uniform in 0..9.
std::string RandomDigits(int n, std::mt19937& generator);
// Priority 0..3 to the runner's priority class: 1 -> 2, 2 -> 3, 3 -> 4, anything else 1.
uint8_t MapPriority(int priority);
// The output extension (with its dot) of a format; MP4 and 3GP take the selected variant's EXT,
// or the format's usual extension when no variant is selected.
std::string GetOutputExtension(int format, const TProfileDetailItem* selectedPreset);
// The encoder's option string of the request's profile ("" for MP4, 3GP and unknown formats).
std::string GetProfileArgs(const BatchRequest& request);
// The two textual fix-ups of a direct command's options: an audio bitrate for 5.1 audio that has
// none, and the strictness option after the huffYUV codec.
std::string ApplyCommandFixups(const std::string& options);

// How a batch ended.
enum class BatchResult { Completed, Stopped };

class BatchController : public QObject {
    Q_OBJECT
public:
    // The job, batch and reading state and the template values are GlobalVars' unless others
    // are given.
    BatchController(FileList& files, TRedirector& runner, BatchObserver& observer,
                    BatchQuestions& questions, QObject* parent = nullptr);
    BatchController(FileList& files, TRedirector& runner, BatchObserver& observer,
                    BatchQuestions& questions, ParserState state, TTemplateValues& templates,
                    QObject* parent = nullptr);
    ~BatchController() override;

    // The Convert command: checks, then the whole batch. Returns when the batch has ended.
    void ActionConvertExecute(const BatchRequest& request);
    bool CheckEncoder();

    bool BatchRunning() const { return running_; }
    // Stop now: the running encoder is killed and the batch ends (also from a signal handler's
    // event, or a progress window's close question).
    void StopNow();
    // The progress window's "stop when done" answer, and its end-of-batch check box.
    void SetStopWhenDone(bool stop);
    void SetShutdownWhenDone(bool shutdown);
    // How the last batch ended.
    std::optional<BatchResult> LastResult() const { return lastResult_; }
    // Whether the end-of-batch action ran (after the countdown).
    bool ShutdownPerformed() const { return shutdownPerformed_; }

private:
    void StartBatch();
    void PrepareSlots();
    void StartNextJob(JobSlot& slot);
    void ChainNextJob();
    void HandleEncoderExit(JobSlot& slot);
    void HandleOutput(JobSlot& slot, const char* data, size_t size);
    void EndBatch(BatchResult result);
    void StopRunningJobs();
    bool Several() const { return jobs_ > 1; }
    ParserState SlotState(JobSlot& slot);
    std::string ParserCommandLine(JobSlot& slot) const;
    void CompleteProgress(JobSlot& slot, ProgressUpdate& update);
    ProgressObserver& SlotObserver(JobSlot& slot);
    void JobDoneUpdate(int64_t jobBytes);
    void FailJobStart(JobSlot& slot, const std::string& text, bool chaining);
    void ReleaseOutputName(JobSlot& slot);
    void RemoveOwnOutput(JobSlot& slot);
    void DeleteSourceIfVerified(JobSlot& slot);

    FileList& files_;
    TRedirector& runner_;
    BatchObserver& observer_;
    BatchQuestions& questions_;
    BatchRequest request_;
    bool running_ = false; // from the opened display until the batch has ended
    QEventLoop* waiting_ = nullptr;
    std::optional<BatchResult> endedAs_; // set once the batch has ended
    std::optional<BatchResult> lastResult_;
    bool shutdownPerformed_ = false;
    ParserState state_;
    TTemplateValues& templates_;
    std::mt19937 random_{std::random_device{}()};
    int jobs_ = 1;               // slots in use in this batch
    int nextIndex_ = 0;          // the next entry of the list to start
    bool startsBlocked_ = false; // a job could not start while chaining: none follows
    BatchAccounting accounting_; // the batch's figures when several jobs run
    JobSlots slots_;             // last: its runners go before the state their events work on
};

} // namespace quillabe
