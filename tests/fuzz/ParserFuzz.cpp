// The encoder-output parser. The same output fed whole and cut into pieces at any points leaves
// the same display (the last figures reported), the same readings and the same failure: the
// encoder's pipe may deliver its lines in any pieces.

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "engine/OutputParser.h"
#include "engine/ProgressObserver.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

constexpr TDateTime kT0 = 45000.25;
constexpr TDateTime kSecond = 1.0 / 86400.0;

// What a display shows at the end: the last figures of each kind. How often they were reported
// depends on the pieces.
class FinalDisplay : public ProgressObserver {
public:
    void DisplayReset() override {}
    void Progress(const ProgressUpdate& update) override {
        const auto job = update.job ? update.job : last.job;
        const auto batch = update.batch ? update.batch : last.batch;
        last = update;
        last.job = job;
        last.batch = batch;
    }
    void JobDone(const BatchAfterJob&) override {}
    void Phase(BatchPhase) override {}
    void FileState(const std::string&, TFileState) override {}

    ProgressUpdate last;
};

struct Outcome {
    FinalDisplay display;
    TJobState job;
    TBatchState batch;
    TEncoderReadings encoder;
    std::vector<std::string> boxes; // the error lines shown
};

std::shared_ptr<ScriptedMessageDialogs> dialogs;

void feed(Outcome& out, const std::vector<std::string_view>& pieces, std::string_view line) {
    out.job.JobStartTime = kT0;
    out.job.JobInputFile = "/in/clip.avi";
    out.batch.BatchStartTime = kT0;
    out.batch.TotalCount = 2;
    out.batch.TotalBytes = 3000;
    out.batch.JobBytes = 1000;
    ParserState state{out.job, out.batch, out.encoder};
    ParserContext ctx;
    ctx.commandLine = line;
    ctx.batchRunning = true;
    ctx.now = [] { return kT0 + 20 * kSecond; };
    dialogs->Clear();
    for (std::string_view piece : pieces)
        HandleEncoderOutput(piece, ctx, state, out.display);
    FlushPendingOutput(ctx, state, out.display);
    for (const MessageRequest& r : dialogs->Requests())
        out.boxes.push_back(r.text);
}

std::string describe(const Outcome& o) {
    const ProgressUpdate& u = o.display.last;
    return "failed " + std::to_string(o.job.JobFailed) + ", duration " +
           std::to_string(o.encoder.JobDurationMs) + ", position " +
           std::to_string(o.encoder.JobPositionMs) + ", size " +
           std::to_string(o.encoder.JobSizeKB) + ", bitrate " +
           std::to_string(o.encoder.JobBitrateKbps) + ", boxes " + std::to_string(o.boxes.size()) +
           "\n  shown: elapsed " + std::to_string(u.batchElapsedMs) + " ms, job " +
           (u.job ? std::to_string(u.job->percent) + "% " + std::to_string(u.job->remainingMs) +
                        " ms left"
                  : "-") +
           ", batch " +
           (u.batch
                ? std::to_string(u.batch->percent) + "% " + std::to_string(u.batch->estimatedMs) +
                      "/" + std::to_string(u.batch->remainingMs) + " ms"
                : "-") +
           ", file " + std::to_string(u.fileNumber) + "/" + std::to_string(u.fileCount) + " " +
           Printable(u.inputName) + " -> " + Printable(u.outputName) + ", " +
           std::to_string(u.jobPercent) + "%\n";
}

bool sameFigures(const ProgressUpdate& a, const ProgressUpdate& b) {
    auto jobs = [](const std::optional<JobFigures>& x, const std::optional<JobFigures>& y) {
        return x.has_value() == y.has_value() &&
               (!x || (x->percent == y->percent && x->remainingMs == y->remainingMs));
    };
    auto batches = [](const std::optional<BatchFigures>& x, const std::optional<BatchFigures>& y) {
        return x.has_value() == y.has_value() &&
               (!x || (x->percent == y->percent && x->estimatedMs == y->estimatedMs &&
                       x->remainingMs == y->remainingMs));
    };
    return a.batchElapsedMs == b.batchElapsedMs && jobs(a.job, b.job) &&
           batches(a.batch, b.batch) && a.fileNumber == b.fileNumber &&
           a.fileCount == b.fileCount && a.inputName == b.inputName &&
           a.outputName == b.outputName && a.jobPercent == b.jobPercent;
}

bool same(const Outcome& a, const Outcome& b) {
    return sameFigures(a.display.last, b.display.last) && a.job.JobFailed == b.job.JobFailed &&
           a.job.JobPercent == b.job.JobPercent && a.batch.BatchPercent == b.batch.BatchPercent &&
           a.batch.ProcessedBytes == b.batch.ProcessedBytes &&
           a.encoder.JobDurationMs == b.encoder.JobDurationMs &&
           a.encoder.JobPositionMs == b.encoder.JobPositionMs &&
           a.encoder.JobSizeKB == b.encoder.JobSizeKB &&
           a.encoder.JobBitrateKbps == b.encoder.JobBitrateKbps &&
           a.encoder.StreamInputName == b.encoder.StreamInputName &&
           a.encoder.StreamOutputName == b.encoder.StreamOutputName && a.boxes == b.boxes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dialogs = std::make_shared<ScriptedMessageDialogs>();
    SetMessageDialogHandler(dialogs);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint32_t seed = in.ConsumeIntegral<uint32_t>();
    const std::string commandLine = in.ConsumeRandomLengthString(256);
    const std::string output = in.ConsumeRemainingBytesAsString();

    std::vector<std::string_view> pieces;
    std::minstd_rand pick(seed);
    for (std::string_view rest = output; !rest.empty();) {
        size_t n = std::min<size_t>(rest.size(), pick() % 64);
        pieces.push_back(rest.substr(0, n));
        rest.remove_prefix(n);
    }
    Outcome whole, cut;
    feed(whole, {output}, commandLine);
    feed(cut, pieces, commandLine);
    // After the stream mapping, a banner line ("...back...last...") ends what its piece carries,
    // so there the pieces do matter.
    if (output.find("back") != std::string::npos && output.find("last") != std::string::npos)
        return 0;
    FUZZ_CHECK(same(whole, cut), "command line " + Printable(commandLine) + "\noutput " +
                                     Printable(output) + "\nwhole:\n" + describe(whole) +
                                     "in pieces:\n" + describe(cut));
    return 0;
}
