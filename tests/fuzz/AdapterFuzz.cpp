// The encoder adapter's option parsing and console translation. Any argument list is parsed: an
// accepted one keeps the program's input and output files and gives ffmpeg every path as a file
// name, never as an option; a refused one gives an error line the program recognises. Any
// ffmpeg log and progress text, in any pieces, gives the same console, whose lines are whole,
// never read as an error by the program, and whose failure line is one line the program does
// read as an error. The frame-server script the program writes for an input names that input
// to the adapter exactly.

#include "base/PathUtils.h"
#include "core/ProgramDir.h"
#include "divuvo/AvsScript.h"
#include "divuvo/ConsoleTranslator.h"
#include "divuvo/ConversionPlan.h"
#include "divuvo/ErrorText.h"
#include "divuvo/Options.h"
#include "engine/CommandTemplates.h"
#include "engine/OutputParser.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace quillabe;
using namespace quillabe::divuvo;
using quillabe::fuzz::Printable;

namespace {

using Clock = ConsoleTranslator::Clock;

std::vector<std::string> splitAtNul(std::string_view text) {
    std::vector<std::string> pieces;
    size_t from = 0;
    for (size_t nul; (nul = text.find('\0', from)) != std::string_view::npos; from = nul + 1)
        pieces.emplace_back(text.substr(from, nul - from));
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::string describe(const std::vector<std::string>& args) {
    std::string text;
    for (const auto& a : args)
        text += Printable(a) + " ";
    return text;
}

bool isFileArgument(const std::string& arg) {
    return arg.rfind("file:", 0) == 0 || arg == "pipe:1";
}

// ffmpeg reads every path after "-i" and as its last argument.
void checkFfmpegArgs(const std::vector<std::string>& args) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "-i")
            FUZZ_CHECK(isFileArgument(args[i + 1]), describe(args));
    FUZZ_CHECK(!args.empty() && isFileArgument(args.back()), describe(args));
}

void checkOptions(const std::vector<std::string>& args) {
    ParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok()) {
        FUZZ_CHECK(IsEncoderErrorLine(parsed.error),
                   "refused " + describe(args) +
                       "\nwith a line the program misses: " + Printable(parsed.error));
        return;
    }
    const EncoderOptions& o = parsed.options;
    FUZZ_CHECK(o.output == args.back(), describe(args) + "\noutput " + Printable(o.output));
    bool inputGiven = false;
    for (size_t i = 0; i + 1 < args.size(); ++i)
        inputGiven = inputGiven || (args[i] == "-i" && args[i + 1] == o.input);
    FUZZ_CHECK(inputGiven, describe(args) + "\ninput " + Printable(o.input));

    PlanResult planned = PlanConversion(o);
    if (!planned.ok()) {
        FUZZ_CHECK(IsEncoderErrorLine(planned.error), Printable(planned.error));
        return;
    }
    checkFfmpegArgs(FfmpegArgs(o, planned.plan, o.input, "/tmp/audio.amr"));
    if (planned.plan.route != AudioRoute::Ffmpeg)
        checkFfmpegArgs(PcmDecodeArgs(o, planned.plan, o.input));
}

struct Console {
    std::vector<std::string> lines;
    std::string text;
};

// Feeds the log, then the progress, in pieces of the given sizes (0: whole).
Console translate(const TranslatorNames& names, std::string_view log, std::string_view progress,
                  uint32_t seed, bool whole) {
    Console out;
    ConsoleTranslator t(names, [&out](std::string_view piece) {
        out.lines.emplace_back(piece);
        out.text.append(piece);
    });
    const auto now = Clock::time_point{} + std::chrono::hours(1);
    std::minstd_rand pick(seed);
    auto feed = [&](std::string_view text, auto member) {
        while (!text.empty()) {
            size_t n = whole ? text.size() : std::min<size_t>(text.size(), 1 + pick() % 48);
            (t.*member)(text.substr(0, n), now);
            text.remove_prefix(n);
        }
    };
    feed(log, &ConsoleTranslator::FeedLog);
    feed(progress, &ConsoleTranslator::FeedProgress);
    t.Tick(now + std::chrono::seconds(1));
    t.EndRun();
    t.Finish();
    return out;
}

void checkConsole(const TranslatorNames& names, std::string_view log, std::string_view progress,
                  uint32_t seed, int exitCode) {
    const Console whole = translate(names, log, progress, seed, true);
    const Console pieces = translate(names, log, progress, seed, false);
    FUZZ_CHECK(pieces.text == whole.text,
               "whole " + Printable(whole.text) + "\npieces " + Printable(pieces.text));
    for (const std::string& line : whole.lines) {
        const size_t end = line.find_first_of("\r\n");
        FUZZ_CHECK(!line.empty() && end == line.size() - 1, "console piece " + Printable(line));
        for (char c : line.substr(0, end))
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != 127,
                       "console line " + Printable(line));
        FUZZ_CHECK(!IsEncoderErrorLine(line.substr(0, end)),
                   "the program reads an error in " + Printable(line));
    }

    // The errors ffmpeg reported, as the adapter's last line.
    ConsoleTranslator t(names, [](std::string_view) {});
    t.FeedLog(log, Clock::now());
    t.EndRun();
    const FailureContext context{names.input, names.input, names.output, "avi"};
    const std::string failure = FailureLine(t.Errors(), context, exitCode);
    for (char c : failure)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != 127,
                   "failure line " + Printable(failure));
    FUZZ_CHECK(IsEncoderErrorLine(failure),
               "the program misses the failure line " + Printable(failure));
}

// The program writes the script from its template (of a direct job or of a batch core job) with
// the input put in as it is; the adapter reads the source back from it.
void checkScriptSource(const std::string& input, bool core) {
    if (core)
        WriteCoreDirectShowScript(input);
    else
        WriteDirectShowScript(input);
    const AvsSource source = ReadAvsSource(DirectShowScriptPath());
    FUZZ_CHECK(source.error.empty() && source.path == input,
               "input " + Printable(input) + " came back as " + Printable(source.path) + " " +
                   Printable(source.error));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The shipped script templates, in a program directory of the fuzzer's own.
    setenv("QUILLABE_HOME", fuzz::ScratchDir().c_str(), 1);
    ResetProgramDir();
    for (const char* name : {"profile_en/DirectShow.avs", "cores/DirectShow.avs"}) {
        std::string text;
        if (!ReadFileText(std::string(QUILLABE_SOURCE_DIR "/data/") + name, text))
            std::abort();
        fuzz::WriteScratchFile(name, text);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint32_t seed = in.ConsumeIntegral<uint32_t>();
    const int exitCode = in.ConsumeIntegralInRange<int>(0, 255);
    const std::vector<std::string> args = splitAtNul(in.ConsumeRandomLengthString(512));
    const std::string log = in.ConsumeRandomLengthString(8192);
    const std::string progress = in.ConsumeRemainingBytesAsString();

    checkOptions(args);
    if (!args.front().empty())
        checkScriptSource(args.front(), seed & 2);
    (void)SourceFromScriptText(log);
    TranslatorNames names{args.front(), "", args.back(), "", ""};
    if (seed & 1) {
        names.outputFormat = "amr";
        names.audioEncoder = "amr_nb (libopencore_amrnb)";
    }
    checkConsole(names, log, progress, seed, exitCode);
    return 0;
}
