#include "engine/JobSlot.h"

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

void ProgressRelay::Progress(const ProgressUpdate& update) {
    ProgressUpdate completed = update;
    complete_(completed);
    target_.Progress(completed);
}

} // namespace quillabe
