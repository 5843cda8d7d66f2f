#include "engine/BatchController.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/DateTime.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "core/ProgramDir.h"
#include "encoder/EncoderArgs.h"
#include "engine/CommandLine.h"
#include "engine/CommandTemplates.h"
#include "engine/JobSlot.h"
#include "engine/OutputParser.h"
#include "engine/OutputVerification.h"
#include "engine/PowerActions.h"
#include "engine/Redirector.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileLists.h"

#include <QMetaObject>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace quillabe {

namespace {

constexpr const char* kAccessCode = " -p 4417306 -i ";

int64_t parseSize(const std::string& digits) {
    int64_t value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return ec == std::errc() && ptr == digits.data() + digits.size() && value > 0 ? value : 0;
}

} // namespace

std::string UniqueFileName(const std::string& name, const std::string& folder) {
    return UniqueFileName(name, folder, {});
}

std::string UniqueFileName(const std::string& name, const std::string& folder,
                           const std::set<std::string>& taken) {
    auto free = [&](const std::string& candidate) {
        const std::string path = folder + candidate;
        return !taken.contains(path) && !PathExists(path);
    };
    if (free(name))
        return name;
    const std::string ext = ExtractFileExt(name);
    const std::string base = name.substr(0, name.size() - ext.size());
    for (int n = 1; n <= 32767; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")" + ext;
        if (free(candidate))
            return candidate;
    }
    return base + "(32768)" + ext;
}

int ResolveJobCount(int requested) {
    if (requested == 0) {
        const unsigned cores = std::thread::hardware_concurrency(); // 0 when unknown
        requested = static_cast<int>(std::min<unsigned>(std::max(cores, 1u), kMaxJobs));
    }
    return std::clamp(requested, 1, kMaxJobs);
}

std::string RandomDigits(int n, std::mt19937& generator) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::string out;
    for (int i = 0; i < n; ++i)
        out += static_cast<char>('0' + digit(generator));
    return out;
}

uint8_t MapPriority(int priority) {
    switch (priority) {
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
        return 4;
    default:
        return 1;
    }
}

std::string GetOutputExtension(int format, const TProfileDetailItem* selectedPreset) {
    if (format < 0 || format >= kOutputFormatCount)
        return {};
    if (IsPresetFormat(format)) {
        if (!selectedPreset)
            return format == ofMP4 ? ".mp4" : ".3gp";
        return "." + PresetItemExt(*selectedPreset);
    }
    return std::string(kOutputFormats[format].extension);
}

std::string ApplyCommandFixups(const std::string& options) {
    // The options are framed by blanks as they stand between the input and the output.
    std::string line = " " + options + " ";
    if (Contains(line, " -ac 5:1 ") && !Contains(line, " -ab "))
        line = ReplaceFirst(line, " -ac ", " -ab 256 -ac ");
    if (Contains(line, " -vcodec ffvhuff "))
        line = ReplaceFirst(line, " -vcodec ffvhuff ", " -vcodec ffvhuff -strict -2 ");
    return line.substr(1, line.size() - 2);
}

BatchController::BatchController(FileList& files, TRedirector& runner, BatchObserver& observer,
                                 BatchQuestions& questions, QObject* parent)
    : BatchController(files, runner, observer, questions, GlobalParserState(), GlobalVars.Templates,
                      parent) {}

BatchController::BatchController(FileList& files, TRedirector& runner, BatchObserver& observer,
                                 BatchQuestions& questions, ParserState state,
                                 TTemplateValues& templates, QObject* parent)
    : QObject(parent), files_(files), runner_(runner), observer_(observer), questions_(questions),
      state_(state), templates_(templates), slots_(runner, state_.job, state_.encoder, templates_) {
}

BatchController::~BatchController() = default;

void BatchController::ActionConvertExecute(const BatchRequest& request) {
    if (!CheckEncoder())
        return;
    if (files_.Count() == 0) {
        ShowMessageBox(Msg(MSG_NOFILES), Msg(MSG_HINT), MB_ICONEXCLAMATION);
        return;
    }
    if (!questions_.CheckOutputFolder(request.outputFolder))
        return;
    files_.ResetFileStates();
    GlobalVars.LastOutputOpenDir = request.outputFolder;
    request_ = request;
    StartBatch();
}

bool BatchController::CheckEncoder() {
    const std::string& path = GlobalVars.EncoderPath;
    std::string full = path;
    if (StartsWith(path, "..") || ExtractFilePath(path).empty())
        full = ProgramFilesDir() + path;
    if (FileExists(full))
        return true;
    ShowMessageBox(FormatMsg(MSG_NOENCODER, {path}), Msg(MSG_HINT), MB_ICONEXCLAMATION);
    return false;
}

void BatchController::SetStopWhenDone(bool stop) {
    state_.batch.StopWhenDone = stop;
}

void BatchController::SetShutdownWhenDone(bool shutdown) {
    request_.shutdownWhenDone = shutdown;
}

void BatchController::StopNow() {
    EndBatch(BatchResult::Stopped);
}

void BatchController::EndBatch(BatchResult result) {
    if (!running_ || endedAs_)
        return;
    endedAs_ = result;
    if (waiting_)
        waiting_->quit();
}

void BatchController::StartBatch() {
    jobs_ = std::min(ResolveJobCount(request_.jobs), std::max(1, static_cast<int>(files_.Count())));
    PrepareSlots();
    observer_.Phase(BatchPhase::Starting);

    running_ = true;
    endedAs_.reset();
    lastResult_.reset();
    shutdownPerformed_ = false;
    observer_.BatchOpened();
    observer_.DisplayReset();

    state_.batch.BatchHadErrors = false;
    state_.batch.StopWhenDone = false;
    state_.batch.TotalCount = static_cast<int32_t>(files_.Count());
    state_.batch.DoneCount = 0;
    state_.batch.FailedCount = 0;
    state_.batch.TotalBytes = 0;
    for (size_t i = 0; i < files_.Count(); ++i)
        state_.batch.TotalBytes += parseSize(files_.At(i).item.FileSize);
    state_.batch.JobBytes = state_.batch.FinishedBytes = state_.batch.ProcessedBytes = 0;
    state_.batch.BatchPercent = 0;
    state_.batch.BatchStartTime = Now();
    nextIndex_ = 0;
    startsBlocked_ = false;
    accounting_.Reset(state_.batch.TotalBytes);

    try {
        StartNextJob(slots_[0]);
    } catch (const std::exception& e) {
        FailJobStart(slots_[0], e.what(), false);
        running_ = false;
        observer_.BatchClosed(true);
        return;
    }
    // Every further start goes through the event loop, as a chained job does.
    for (int i = 1; i < jobs_; ++i)
        QMetaObject::invokeMethod(this, &BatchController::ChainNextJob, Qt::QueuedConnection);
    // The controller waits here for the end of the batch: the last job's end, stop when done,
    // or stop now. Front ends show their display without a loop of their own.
    if (!endedAs_) {
        QEventLoop loop;
        waiting_ = &loop;
        loop.exec();
        waiting_ = nullptr;
    }
    const BatchResult result = endedAs_.value_or(BatchResult::Stopped);
    lastResult_ = result;
    running_ = false; // the end of a killed encoder is ignored from here on
    StopRunningJobs();
    observer_.BatchClosed(result == BatchResult::Stopped);
    if (!state_.batch.BatchHadErrors) {
        observer_.BatchSucceeded();
        if (request_.shutdownWhenDone && result != BatchResult::Stopped &&
            questions_.RunShutdownCountdown()) {
            shutdownPerformed_ = true;
            PowerResult power = ShutdownSystem(request_.shutdownFlag);
            if (!power.ok)
                ShowMessageBox(power.error, Msg(MSG_Error), MB_ICONEXCLAMATION);
        }
    }
}

void BatchController::PrepareSlots() {
    slots_.Use(jobs_);
    for (int i = 0; i < jobs_; ++i) {
        JobSlot* slot = &slots_[i];
        TRedirector& runner = slot->Runner();
        // A further slot's runner may still be ending a child killed by the last stop now; it
        // keeps its priority then and takes no job until that end has come.
        if (i == 0 || !runner.Running())
            runner.SetInitialPriority(MapPriority(request_.priority));
        runner.SetDefaultErrorMode(true);
        runner.OnData = [this, slot](TRedirector&, const char* data, size_t size) {
            HandleOutput(*slot, data, size);
        };
        runner.OnErrorData = runner.OnData;
        runner.OnTerminated = [this, slot](TRedirector&) { HandleEncoderExit(*slot); };
        runner.KillOnDestroy = true;
        slot->active = false;
        slot->relay = std::make_unique<ProgressRelay>(
            observer_, [this, slot](ProgressUpdate& update) { CompleteProgress(*slot, update); });
    }
}

void BatchController::StartNextJob(JobSlot& slot) {
    const int slotNumber = slot.Number();
    DeleteTempFiles(slotNumber);
    slot.index = -1;
    const size_t index = static_cast<size_t>(nextIndex_);
    if (index >= files_.Count())
        return;
    TRedirector& runner = slot.Runner();
    TJobState& job = slot.Job();
    TTemplateValues& templates = slot.Templates();
    // The program directory is the current directory of every job, as the templates expect.
    runner.CurrentDirectory = ProgramDir();
    job.JobFailed = false;
    job.JobStartTime = Now();
    job.JobPercent = 0;
    job.PendingOutput.clear();
    // What the last encoder told (its duration, position, names) is no reading of this job: kept,
    // it showed the last job's 100 % and a batch figure ahead of the truth until this encoder
    // spoke, and its duration stood in for an unknown one when the output was verified.
    slot.Encoder() = TEncoderReadings{};

    ++nextIndex_;
    slot.index = static_cast<int>(index);
    const FileEntry& entry = files_.At(index);
    job.JobInputFile = entry.caption;
    slot.bytes = parseSize(entry.item.FileSize);
    state_.batch.JobBytes = slot.bytes;

    const int format = request_.format;
    const TProfileDetailItem* preset = request_.preset ? &*request_.preset : nullptr;
    const std::string outputName =
        ChangeFileExt(ExtractFileName(job.JobInputFile), GetOutputExtension(format, preset));
    const std::string outputFolder = AddBackslash(request_.outputFolder);
    // A name another running job has chosen is taken, though its file may not exist yet; this
    // job holds its own name until it ends.
    job.JobOutputFile =
        outputFolder + UniqueFileName(outputName, outputFolder, slots_.ReservedOutputs());
    slot.outputExisted = PathExists(job.JobOutputFile);
    slot.reservedOutput = job.JobOutputFile;
    slot.active = true;

    templates.TplAppPath = RemoveBackslash(ProgramFilesDir());
    templates.TplTimeStamp.clear();
    templates.TplTitle.clear();
    templates.TplOutputPath = outputFolder;
    templates.TplOutputFile = job.JobOutputFile;
    templates.TplTemporaryFile = templates.TplOutputPath + RandomDigits(5, random_);
    templates.TplRandomNumber3 = RandomDigits(3, random_);
    templates.TplRandomNumber5 = RandomDigits(5, random_);

    std::string inputSlot = job.JobInputFile;
    if (InputUsesDirectShow(job.JobInputFile)) {
        WriteDirectShowScript(job.JobInputFile, slotNumber);
        inputSlot = DirectShowScriptPath(slotNumber);
    }

    if (IsPresetFormat(format)) {
        if (!preset)
            throw std::runtime_error("No preset variant is selected.");
        slot.options.clear();
        for (const std::string& command : PresetCommandTemplates(*preset))
            slot.options += " " + command;
        WriteConvertCoreBatch(*preset, templates, job.JobInputFile, slotNumber);
        runner.SetCommandLine(QuoteArgument(ConvertCoreBatchPath(slotNumber)));
    } else {
        // Every path is quoted so that any file name arrives as one intact argument, and the
        // fix-ups see only the options, never a file name.
        slot.options = ApplyCommandFixups(GetProfileArgs(request_));
        runner.SetCommandLine(QuoteArgument(ProgramFilesDir() + GlobalVars.EncoderPath) +
                              kAccessCode + QuoteArgument(inputSlot) + " " + slot.options + " " +
                              QuoteArgument(job.JobOutputFile));
    }
    observer_.JobStarted(static_cast<int>(index), job.JobInputFile, job.JobOutputFile);
    runner.Execute();
    // The command line stays the same for the whole job: its time limit is read once.
    slot.parserLine = ParserCommandLine(slot);
    slot.timeLimit = TimeLimitOf(slot.parserLine);
}

std::string GetProfileArgs(const BatchRequest& request) {
    if (request.format < 0 || request.format >= kOutputFormatCount)
        return {};
    return BuildEncoderArgsFor(request.format, request.profilePath);
}

std::string BatchController::ParserCommandLine(JobSlot& slot) const {
    // The time limit is read from the options, not from the file names around them.
    return IsPresetFormat(request_.format) ? slot.Runner().GetFullCommandLine()
                                           : " " + slot.options + " ";
}

ParserState BatchController::SlotState(JobSlot& slot) {
    if (!Several())
        return state_;
    // The parser is told where the batch stands but none of its sizes: with several jobs at once
    // the batch's figures are the controller's (CompleteProgress).
    TBatchState& seen = slot.parserBatch;
    seen = TBatchState{};
    seen.TotalCount = state_.batch.TotalCount;
    seen.DoneCount = state_.batch.DoneCount;
    seen.FailedCount = state_.batch.FailedCount;
    seen.BatchStartTime = state_.batch.BatchStartTime;
    seen.JobBytes = slot.bytes;
    return slot.StateWith(seen);
}

ProgressObserver& BatchController::SlotObserver(JobSlot& slot) {
    return Several() ? static_cast<ProgressObserver&>(*slot.relay) : observer_;
}

void BatchController::CompleteProgress(JobSlot& slot, ProgressUpdate& update) {
    update.fileNumber = slot.index + 1;
    update.runningFiles = slots_.RunningFiles();
    if (update.job) {
        update.batch = accounting_.During(state_.batch.FinishedBytes, slots_.RunningShares(),
                                          update.batchElapsedMs);
        state_.batch.ProcessedBytes = accounting_.ProcessedBytes();
        state_.batch.BatchPercent = accounting_.Percent();
    }
}

void BatchController::HandleOutput(JobSlot& slot, const char* data, size_t size) {
    const ParserContext ctx = slot.Context(slot.Runner().Exited, running_ && !endedAs_);
    ParserState st = SlotState(slot);
    HandleEncoderOutput(std::string_view(data, size), ctx, st, SlotObserver(slot));
}

void BatchController::HandleEncoderExit(JobSlot& slot) {
    // After the batch, or from a child whose job is no longer this slot's, nothing is decided.
    if (!running_ || endedAs_ || !slot.active)
        return;
    TRedirector& runner = slot.Runner();
    TJobState& job = slot.Job();
    const ParserContext ctx = slot.Context(true, true);
    // Output that ended without a line break still counts before the outcome is decided.
    ParserState st = SlotState(slot);
    FlushPendingOutput(ctx, st, SlotObserver(slot));
    DeleteTempFiles(slot.Number());

    const int index = slot.index;
    // A job succeeds only when the encoder exited by itself with status 0, printed no error
    // line and left a non-empty output. An encoder killed by a signal (out of memory, a crash, a
    // logout) or ending with a failure status may have written part of the output: that is no
    // conversion, and its source must never be deleted for it.
    const bool encoderSucceeded = runner.NormalExit() && runner.ExitCode() == 0;
    if (!encoderSucceeded || GetFileSize64(job.JobOutputFile) <= 0)
        job.JobFailed = true;
    if (!job.JobFailed) {
        if (request_.deleteSource)
            DeleteSourceIfVerified(slot);
        observer_.FileState(job.JobInputFile, TFileState::Done);
        ++state_.batch.DoneCount;
        if (state_.batch.DoneCount == state_.batch.TotalCount)
            observer_.Phase(BatchPhase::AllDone);
    } else {
        state_.batch.BatchHadErrors = true;
        ++state_.batch.FailedCount;
        observer_.FileState(job.JobInputFile, TFileState::Failed);
        if (!runner.NormalExit())
            RemoveOwnOutput(slot); // cut off mid-write
        else
            DeleteIfEmpty(job.JobOutputFile);
    }
    slot.active = false;
    ReleaseOutputName(slot); // the output exists now, or the name is free again
    observer_.JobFinished(index, job.JobInputFile, job.JobFailed);

    const int finished = state_.batch.DoneCount + state_.batch.FailedCount;
    if (finished == state_.batch.TotalCount || (state_.batch.StopWhenDone && !slots_.AnyActive())) {
        observer_.Phase(BatchPhase::Finished);
        EndBatch(BatchResult::Completed);
        return;
    }
    if (Several())
        JobDoneUpdate(slot.bytes);
    else
        EndOfJobUpdate(ctx, state_, observer_);
    // Stop when done lets the running jobs end and starts none.
    if (!state_.batch.StopWhenDone && finished < state_.batch.TotalCount)
        QMetaObject::invokeMethod(this, &BatchController::ChainNextJob, Qt::QueuedConnection);
}

void BatchController::JobDoneUpdate(int64_t jobBytes) {
    const int64_t finished = state_.batch.FinishedBytes;
    state_.batch.FinishedBytes = jobBytes > std::numeric_limits<int64_t>::max() - finished
                                     ? std::numeric_limits<int64_t>::max()
                                     : finished + jobBytes;
    const int64_t elapsedMs = std::llround((Now() - state_.batch.BatchStartTime) * 86400000.0);
    const BatchAfterJob after =
        accounting_.AfterJob(state_.batch.FinishedBytes, slots_.RunningShares(), elapsedMs);
    state_.batch.ProcessedBytes = accounting_.ProcessedBytes();
    state_.batch.BatchPercent = accounting_.Percent();
    observer_.JobDone(after);
}

void BatchController::ChainNextJob() {
    if (!running_ || endedAs_ || startsBlocked_ || nextIndex_ >= state_.batch.TotalCount)
        return;
    JobSlot* slot = slots_.Free();
    if (!slot)
        return;
    try {
        StartNextJob(*slot);
    } catch (const std::exception& e) {
        FailJobStart(*slot, e.what(), true);
    }
}

void BatchController::StopRunningJobs() {
    bool killed = false;
    for (int i = 0; i < slots_.InUse(); ++i) {
        JobSlot& slot = slots_[i];
        if (slot.Runner().Running()) {
            slot.Runner().Terminate(0);
            DeleteTempFiles(slot.Number());
            // What the killed encoder wrote is incomplete (no index, no length): it goes, unless
            // the file was there before the job began.
            RemoveOwnOutput(slot);
            killed = true;
        }
        slot.active = false;
        slot.reservedOutput.clear();
    }
    if (killed)
        observer_.BatchStopped();
}

void BatchController::FailJobStart(JobSlot& slot, const std::string& text, bool chaining) {
    // The file whose job could not start failed, so the batch's counts tell the truth.
    const int index = slot.index;
    if (index >= 0 && static_cast<size_t>(index) < files_.Count()) {
        const std::string& input = files_.At(static_cast<size_t>(index)).caption;
        state_.batch.BatchHadErrors = true;
        ++state_.batch.FailedCount;
        observer_.FileState(input, TFileState::Failed);
    }
    slot.active = false;
    ReleaseOutputName(slot);
    // As with one job, a start that fails while chaining starts nothing more; the jobs that run
    // still end.
    if (chaining)
        startsBlocked_ = true;
    DeleteTempFiles(slot.Number());
    ShowMessageBox(text, Msg(MSG_Error), MB_ICONEXCLAMATION);
    observer_.JobStartFailed(chaining);
}

void BatchController::ReleaseOutputName(JobSlot& slot) {
    slot.reservedOutput.clear();
}

void BatchController::RemoveOwnOutput(JobSlot& slot) {
    if (!slot.outputExisted && !slot.Job().JobOutputFile.empty())
        DeleteFile(slot.Job().JobOutputFile);
}

void BatchController::DeleteSourceIfVerified(JobSlot& slot) {
    const FileEntry* entry = nullptr;
    if (slot.index >= 0 && static_cast<size_t>(slot.index) < files_.Count())
        entry = &files_.At(static_cast<size_t>(slot.index));
    const TFileItem input = entry ? entry->item : TFileItem{};
    const OutputExpectation expected =
        ExpectedOutput(request_.format, input, slot.options, slot.Encoder().JobDurationMs);
    const std::string reason = VerifyConvertedOutput(slot.Job().JobOutputFile, expected);
    if (reason.empty())
        DeleteFile(slot.Job().JobInputFile);
    else
        observer_.SourceKept(slot.Job().JobInputFile, reason);
}

} // namespace quillabe
