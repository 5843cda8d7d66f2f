#include "engine/ProgressTexts.h"

#include "base/PathUtils.h"
#include "core/DateTime.h"
#include "lang/Messages.h"

#include <algorithm>

namespace quillabe {

namespace {

std::string percentText(MsgId prefix, int percent) {
    std::string text = Msg(prefix);
    text += std::to_string(percent);
    text += '%';
    return text;
}

} // namespace

std::string FormatClockMs(int64_t ms) {
    return FormatHNNSS(static_cast<double>(ms) / 86400000.0);
}

std::string StatusText(int percent) {
    return percentText(MSG_ID_STATUS, percent);
}

std::string BatchText(int percent) {
    return percentText(MSG_ID_BATCH, percent);
}

std::string WorkingText(int fileNumber, int fileCount, const std::string& inputPath) {
    return FormatMsg(MSG_ID_WORKING,
                     {static_cast<long long>(fileNumber), static_cast<long long>(fileCount),
                      ExtractFileName(inputPath)});
}

std::string FileNumbersText(const std::vector<int>& numbers) {
    std::string text;
    for (size_t i = 0; i < numbers.size();) {
        size_t end = i; // the last number of the run that starts at i
        while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1)
            ++end;
        if (!text.empty())
            text += ", ";
        text += std::to_string(numbers[i]);
        if (end > i)
            text += "\u2013" + std::to_string(numbers[end]);
        i = end + 1;
    }
    return text;
}

std::string WorkingSeveralText(const std::vector<int>& fileNumbers, int fileCount) {
    return FormatMsg(MSG_ID_WORKING_SEVERAL,
                     {FileNumbersText(fileNumbers), static_cast<long long>(fileCount)});
}

std::string OutputText(const std::string& outputPath) {
    return FormatMsg(MSG_ID_OUTPUT, {ExtractFileName(outputPath)});
}

std::string TrayHintText(const std::string& inputPath, int jobPercent) {
    return FormatMsg(MSG_TRAY_HINT, {inputPath, static_cast<long long>(jobPercent)});
}

void ProgressTexts::DisplayReset() {
    const std::string zero = FormatClockMs(0);
    for (ProgressLabel label :
         {ProgressLabel::LabelStatusRemaining, ProgressLabel::LabelBatchRemaining,
          ProgressLabel::LabelBatchElapsed, ProgressLabel::LabelBatchEstimated})
        view_.SetLabel(label, zero);
    view_.SetLabel(ProgressLabel::LabelStatus, StatusText(0));
    view_.SetLabel(ProgressLabel::LabelBatch, BatchText(0));
    view_.SetLabel(ProgressLabel::LabelWorking, Msg(MSG_PLEASE_WAIT));
    view_.SetLabel(ProgressLabel::LabelOutput, "");
    view_.SetLabel(ProgressLabel::LabelCovnerting, Msg(MSG_PREPARING));
    view_.StopAnimation();
}

void ProgressTexts::Progress(const ProgressUpdate& u) {
    if (u.runningFiles.size() > 1) {
        showSeveral(u);
        return;
    }
    // Remembered, so that its rows stay when a second file starts.
    std::erase_if(running_, [&u](const auto& entry) { return entry.first != u.fileNumber; });
    remember(u);
    view_.SetLabel(ProgressLabel::LabelBatchElapsed, FormatClockMs(u.batchElapsedMs));
    if (u.job) {
        view_.SetLabel(ProgressLabel::LabelStatus, StatusText(u.job->percent));
        view_.SetBar(ProgressBar::Status, u.job->percent);
        view_.SetLabel(ProgressLabel::LabelStatusRemaining, FormatClockMs(u.job->remainingMs));
    }
    showBatch(u);
    view_.SetLabel(ProgressLabel::LabelWorking,
                   WorkingText(u.fileNumber, u.fileCount, u.inputName));
    view_.SetLabel(ProgressLabel::LabelOutput, OutputText(u.outputName));
    startAnimation();
    view_.SetTrayHint(TrayHintText(u.inputName, u.jobPercent));
}

void ProgressTexts::showSeveral(const ProgressUpdate& u) {
    // Files that no longer run are forgotten, so a file number never shows a finished job.
    const auto runs = [&u](int number) {
        return std::binary_search(u.runningFiles.begin(), u.runningFiles.end(), number);
    };
    std::erase_if(running_, [&](const auto& entry) { return !runs(entry.first); });
    if (runs(u.fileNumber))
        remember(u);
    view_.SetLabel(ProgressLabel::LabelBatchElapsed, FormatClockMs(u.batchElapsedMs));
    showBatch(u);
    view_.SetLabel(ProgressLabel::LabelWorking, WorkingSeveralText(u.runningFiles, u.fileCount));
    startAnimation();
    // The lowest running file that has told its names (the lowest of all may not have yet).
    if (running_.empty())
        return;
    const RunningFile& file = running_.begin()->second;
    if (file.job) {
        view_.SetLabel(ProgressLabel::LabelStatus, StatusText(file.job->percent));
        view_.SetBar(ProgressBar::Status, file.job->percent);
        view_.SetLabel(ProgressLabel::LabelStatusRemaining, FormatClockMs(file.job->remainingMs));
    }
    view_.SetLabel(ProgressLabel::LabelOutput, OutputText(file.outputName));
    view_.SetTrayHint(TrayHintText(file.inputName, file.jobPercent));
}

void ProgressTexts::remember(const ProgressUpdate& u) {
    RunningFile& file = running_[u.fileNumber];
    file.inputName = u.inputName;
    file.outputName = u.outputName;
    file.jobPercent = u.jobPercent;
    if (u.job)
        file.job = u.job;
}

void ProgressTexts::showBatch(const ProgressUpdate& u) {
    if (!u.batch)
        return;
    view_.SetLabel(ProgressLabel::LabelBatch, BatchText(u.batch->percent));
    view_.SetBar(ProgressBar::Batch, u.batch->percent);
    view_.SetLabel(ProgressLabel::LabelBatchEstimated, FormatClockMs(u.batch->estimatedMs));
    view_.SetLabel(ProgressLabel::LabelBatchRemaining, FormatClockMs(u.batch->remainingMs));
}

void ProgressTexts::startAnimation() {
    if (view_.AnimationRunning())
        return;
    view_.StartAnimation();
    view_.SetLabel(ProgressLabel::LabelCovnerting, Msg(MSG_CONVERTING));
}

void ProgressTexts::JobDone(const BatchAfterJob& b) {
    if (b.percent) {
        view_.SetLabel(ProgressLabel::LabelBatch, BatchText(*b.percent));
        view_.SetBar(ProgressBar::Batch, *b.percent);
    }
    if (b.estimatedMs)
        view_.SetLabel(ProgressLabel::LabelBatchEstimated, FormatClockMs(*b.estimatedMs));
    if (b.remainingMs)
        view_.SetLabel(ProgressLabel::LabelBatchRemaining, FormatClockMs(*b.remainingMs));
}

void ProgressTexts::Phase(BatchPhase phase) {
    switch (phase) {
    case BatchPhase::Starting:
        view_.SetTrayHint(Msg(MSG_TRAY_ENCODING_START));
        break;
    case BatchPhase::AllDone:
        view_.SetLabel(ProgressLabel::LabelBatch, BatchText(100));
        view_.SetBar(ProgressBar::Status, 100);
        view_.SetLabel(ProgressLabel::Caption, Msg(MSG_LABEL_ENCODINGFINISHED));
        break;
    case BatchPhase::Finished:
        view_.SetTrayHint(Msg(MSG_TRAY_ENCODING_DONE));
        break;
    }
}

void ProgressTexts::FileState(const std::string& path, TFileState state) {
    view_.SetFileState(path, state);
}

} // namespace quillabe
