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
#include "engine/OutputParser.h"
#include "engine/OutputVerification.h"
#include "engine/PowerActions.h"
#include "engine/Redirector.h"
#include "lang/Messages.h"
#include "profiles/PresetCatalogue.h"
#include "profiles/ProfileLists.h"

#include <QMetaObject>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <random>
#include <stdexcept>
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
    if (!PathExists(folder + name))
        return name;
    const std::string ext = ExtractFileExt(name);
    const std::string base = name.substr(0, name.size() - ext.size());
    for (int n = 1; n <= 32767; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")" + ext;
        if (!PathExists(folder + candidate))
            return candidate;
    }
    return base + "(32768)" + ext;
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
      state_(state), templates_(templates) {}

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
        full = ProgramDir() + path;
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
    runner_.SetInitialPriority(MapPriority(request_.priority));
    runner_.SetDefaultErrorMode(true);
    runner_.OnData = [this](TRedirector&, const char* data, size_t size) {
        HandleOutput(data, size);
    };
    runner_.OnErrorData = runner_.OnData;
    runner_.OnTerminated = [this](TRedirector&) { HandleEncoderExit(); };
    runner_.KillOnDestroy = true;
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

    try {
        StartNextJob();
    } catch (const std::exception& e) {
        FailJobStart(e.what(), false);
        running_ = false;
        observer_.BatchClosed(true);
        return;
    }
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
    if (runner_.Running()) {
        runner_.Terminate(0);
        DeleteTempFiles();
        // What the killed encoder wrote is incomplete (no index, no length): it goes, unless the
        // file was there before the job began.
        RemoveOwnOutput();
        observer_.BatchStopped();
    }
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

void BatchController::StartNextJob() {
    DeleteTempFiles();
    if (files_.Count() == 0)
        return;
    // The program directory is the current directory of every job, as the templates expect.
    runner_.CurrentDirectory = ProgramDir();
    state_.job.JobFailed = false;
    state_.job.JobStartTime = Now();
    state_.job.JobPercent = 0;
    state_.job.PendingOutput.clear();
    // What the last encoder told (its duration, position, names) is no reading of this job: kept,
    // it showed the last job's 100 % and a batch figure ahead of the truth until this encoder
    // spoke, and its duration stood in for an unknown one when the output was verified.
    state_.encoder = TEncoderReadings{};

    const size_t index = static_cast<size_t>(state_.batch.DoneCount + state_.batch.FailedCount);
    const FileEntry& entry = files_.At(index);
    state_.job.JobInputFile = entry.caption;
    state_.batch.JobBytes = parseSize(entry.item.FileSize);

    const int format = request_.format;
    const TProfileDetailItem* preset = request_.preset ? &*request_.preset : nullptr;
    const std::string outputName =
        ChangeFileExt(ExtractFileName(state_.job.JobInputFile), GetOutputExtension(format, preset));
    const std::string outputFolder = AddBackslash(request_.outputFolder);
    state_.job.JobOutputFile = outputFolder + UniqueFileName(outputName, outputFolder);
    outputExisted_ = PathExists(state_.job.JobOutputFile);

    templates_.TplAppPath = RemoveBackslash(ProgramDir());
    templates_.TplTimeStamp.clear();
    templates_.TplTitle.clear();
    templates_.TplOutputPath = outputFolder;
    templates_.TplOutputFile = state_.job.JobOutputFile;
    templates_.TplTemporaryFile = templates_.TplOutputPath + RandomDigits(5, random_);
    templates_.TplRandomNumber3 = RandomDigits(3, random_);
    templates_.TplRandomNumber5 = RandomDigits(5, random_);

    std::string inputSlot = state_.job.JobInputFile;
    if (InputUsesDirectShow(state_.job.JobInputFile)) {
        WriteDirectShowScript(state_.job.JobInputFile);
        inputSlot = DirectShowScriptPath();
    }

    if (IsPresetFormat(format)) {
        if (!preset)
            throw std::runtime_error("No preset variant is selected.");
        jobOptions_.clear();
        for (const std::string& command : PresetCommandTemplates(*preset))
            jobOptions_ += " " + command;
        WriteConvertCoreBatch(*preset, templates_, state_.job.JobInputFile);
        runner_.SetCommandLine(QuoteArgument(ConvertCoreBatchPath()));
    } else {
        // Every path is quoted so that any file name arrives as one intact argument, and the
        // fix-ups see only the options, never a file name.
        jobOptions_ = ApplyCommandFixups(GetProfileArgs(request_));
        runner_.SetCommandLine(QuoteArgument(ProgramDir() + GlobalVars.EncoderPath) + kAccessCode +
                               QuoteArgument(inputSlot) + " " + jobOptions_ + " " +
                               QuoteArgument(state_.job.JobOutputFile));
    }
    observer_.JobStarted(static_cast<int>(index), state_.job.JobInputFile,
                         state_.job.JobOutputFile);
    runner_.Execute();
    // The command line stays the same for the whole job: its time limit is read once.
    parserLine_ = ParserCommandLine();
    timeLimit_ = TimeLimitOf(parserLine_);
}

std::string GetProfileArgs(const BatchRequest& request) {
    if (request.format < 0 || request.format >= kOutputFormatCount)
        return {};
    return BuildEncoderArgsFor(request.format, request.profilePath);
}

std::string BatchController::ParserCommandLine() const {
    // The time limit is read from the options, not from the file names around them.
    return IsPresetFormat(request_.format) ? runner_.GetFullCommandLine() : " " + jobOptions_ + " ";
}

ParserContext BatchController::JobContext(bool exited, bool batchRunning) const {
    ParserContext ctx;
    ctx.exited = exited;
    ctx.commandLine = parserLine_;
    ctx.timeLimit = &timeLimit_;
    ctx.batchRunning = batchRunning;
    return ctx;
}

void BatchController::HandleOutput(const char* data, size_t size) {
    const ParserContext ctx = JobContext(runner_.Exited, running_ && !endedAs_);
    HandleEncoderOutput(std::string_view(data, size), ctx, state_, observer_);
}

void BatchController::HandleEncoderExit() {
    if (!running_ || endedAs_)
        return;
    const ParserContext ctx = JobContext(true, true);
    // Output that ended without a line break still counts before the outcome is decided.
    FlushPendingOutput(ctx, state_, observer_);
    DeleteTempFiles();

    const int index = state_.batch.DoneCount + state_.batch.FailedCount;
    // A job succeeds only when the encoder exited by itself with status 0, printed no error
    // line and left a non-empty output. An encoder killed by a signal (out of memory, a crash, a
    // logout) or ending with a failure status may have written part of the output: that is no
    // conversion, and its source must never be deleted for it.
    const bool encoderSucceeded = runner_.NormalExit() && runner_.ExitCode() == 0;
    if (!encoderSucceeded || GetFileSize64(state_.job.JobOutputFile) <= 0)
        state_.job.JobFailed = true;
    if (!state_.job.JobFailed) {
        if (request_.deleteSource)
            DeleteSourceIfVerified(index);
        observer_.FileState(state_.job.JobInputFile, TFileState::Done);
        ++state_.batch.DoneCount;
        if (state_.batch.DoneCount == state_.batch.TotalCount)
            observer_.Phase(BatchPhase::AllDone);
    } else {
        state_.batch.BatchHadErrors = true;
        ++state_.batch.FailedCount;
        observer_.FileState(state_.job.JobInputFile, TFileState::Failed);
        if (!runner_.NormalExit())
            RemoveOwnOutput(); // cut off mid-write
        else
            DeleteIfEmpty(state_.job.JobOutputFile);
    }
    observer_.JobFinished(index, state_.job.JobInputFile, state_.job.JobFailed);

    const int finished = state_.batch.DoneCount + state_.batch.FailedCount;
    if (state_.batch.StopWhenDone || finished == state_.batch.TotalCount) {
        observer_.Phase(BatchPhase::Finished);
        EndBatch(BatchResult::Completed);
        return;
    }
    EndOfJobUpdate(ctx, state_, observer_);
    if (finished < state_.batch.TotalCount)
        QMetaObject::invokeMethod(this, &BatchController::ChainNextJob, Qt::QueuedConnection);
}

void BatchController::ChainNextJob() {
    if (!running_ || endedAs_)
        return;
    try {
        StartNextJob();
    } catch (const std::exception& e) {
        FailJobStart(e.what(), true);
    }
}

void BatchController::FailJobStart(const std::string& text, bool chaining) {
    // The file whose job could not start failed, so the batch's counts tell the truth.
    const int index = state_.batch.DoneCount + state_.batch.FailedCount;
    if (index >= 0 && static_cast<size_t>(index) < files_.Count()) {
        const std::string& input = files_.At(static_cast<size_t>(index)).caption;
        state_.batch.BatchHadErrors = true;
        ++state_.batch.FailedCount;
        observer_.FileState(input, TFileState::Failed);
    }
    DeleteTempFiles();
    ShowMessageBox(text, Msg(MSG_Error), MB_ICONEXCLAMATION);
    observer_.JobStartFailed(chaining);
}

void BatchController::RemoveOwnOutput() {
    if (!outputExisted_ && !state_.job.JobOutputFile.empty())
        DeleteFile(state_.job.JobOutputFile);
}

void BatchController::DeleteSourceIfVerified(int index) {
    const FileEntry* entry = nullptr;
    if (index >= 0 && static_cast<size_t>(index) < files_.Count())
        entry = &files_.At(static_cast<size_t>(index));
    const TFileItem input = entry ? entry->item : TFileItem{};
    const OutputExpectation expected =
        ExpectedOutput(request_.format, input, jobOptions_, state_.encoder.JobDurationMs);
    const std::string reason = VerifyConvertedOutput(state_.job.JobOutputFile, expected);
    if (reason.empty())
        DeleteFile(state_.job.JobInputFile);
    else
        observer_.SourceKept(state_.job.JobInputFile, reason);
}

} // namespace quillabe
