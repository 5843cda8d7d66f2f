#include "engine/JobSlot.h"

#include <algorithm>

namespace quillabe {

JobSlot::JobSlot(TRedirector& runner, TJobState& job, TEncoderReadings& encoder,
                 TTemplateValues& templates)
    : number_(1), runner_(&runner), job_(&job), encoder_(&encoder), templates_(&templates) {}

JobSlot::JobSlot(int number)
    : number_(number), ownRunner_(std::make_unique<TRedirector>()), runner_(ownRunner_.get()),
      job_(&ownJob_), encoder_(&ownEncoder_), templates_(&ownTemplates_) {}

ParserContext JobSlot::Context(bool exited, bool batchRunning) const {
    ParserContext ctx;
    ctx.exited = exited;
    ctx.commandLine = parserLine;
    ctx.timeLimit = &timeLimit;
    ctx.batchRunning = batchRunning;
    return ctx;
}

JobSlots::JobSlots(TRedirector& runner, TJobState& job, TEncoderReadings& encoder,
                   TTemplateValues& templates) {
    slots_.push_back(std::make_unique<JobSlot>(runner, job, encoder, templates));
}

void JobSlots::Use(int count) {
    while (static_cast<int>(slots_.size()) < count)
        slots_.push_back(std::make_unique<JobSlot>(static_cast<int>(slots_.size()) + 1));
    inUse_ = std::max(1, count);
    for (const auto& slot : slots_)
        slot->reservedOutput.clear();
}

JobSlot* JobSlots::Free() {
    // A runner may still be ending a child that the last stop now killed: its slot waits.
    for (int i = 0; i < inUse_; ++i)
        if (JobSlot& slot = *slots_[static_cast<size_t>(i)];
            !slot.active && !slot.Runner().Running())
            return &slot;
    return nullptr;
}

bool JobSlots::AnyActive() const {
    for (int i = 0; i < inUse_; ++i)
        if (slots_[static_cast<size_t>(i)]->active)
            return true;
    return false;
}

std::vector<RunningShare> JobSlots::RunningShares() const {
    std::vector<RunningShare> shares;
    for (int i = 0; i < inUse_; ++i)
        if (JobSlot& slot = *slots_[static_cast<size_t>(i)]; slot.active)
            shares.push_back({slot.bytes, slot.Job().JobPercent});
    return shares;
}

std::vector<int> JobSlots::RunningFiles() const {
    std::vector<int> numbers;
    for (int i = 0; i < inUse_; ++i)
        if (const JobSlot& slot = *slots_[static_cast<size_t>(i)]; slot.active)
            numbers.push_back(slot.index + 1);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::set<std::string> JobSlots::ReservedOutputs() const {
    std::set<std::string> names;
    for (const auto& slot : slots_)
        if (!slot->reservedOutput.empty())
            names.insert(slot->reservedOutput);
    return names;
}

void ProgressRelay::Progress(const ProgressUpdate& update) {
    ProgressUpdate completed = update;
    complete_(completed);
    target_.Progress(completed);
}

} // namespace quillabe
