// The profile loader and the encoder argument builder. Any file is loaded as a profile of any
// format: the record it gives survives being saved and loaded again, and the options built from
// it keep the job's command line intact (the adapter still reads the program's input and output
// files from it, whatever the profile holds).

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "divuvo/Options.h"
#include "encoder/EncoderArgs.h"
#include "engine/BatchController.h"
#include "engine/CommandLine.h"
#include "fuzz/FuzzSupport.h"
#include "profiles/ProfileRecords.h"

#include <string>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

std::string fileText(const std::string& path) {
    std::string text;
    ReadFileText(path, text);
    return text;
}

// Saves the record (after a fresh start, so no earlier file is updated) and returns the text.
std::string savedText(const ProfileRecordOps& ops, const std::string& path) {
    DeleteFile(path);
    ops.save(path);
    return fileText(path);
}

void checkRoundTrip(const ProfileRecordOps& ops, const std::string& input) {
    const std::string first = fuzz::ScratchDir() + "first.pro";
    const std::string second = fuzz::ScratchDir() + "second.pro";
    ops.defaults();
    ops.load(input);
    const std::string saved = savedText(ops, first);
    ops.defaults();
    ops.load(first);
    const std::string again = savedText(ops, second);
    FUZZ_CHECK(again == saved, "format " + std::to_string(ops.format) +
                                   ": the record changed between save and load\nsaved " +
                                   Printable(saved) + "\nagain " + Printable(again));
}

// The options stand between the input and the output on the encoder's command line, split by
// the same rules the adapter's caller uses.
void checkJobLine(int format, const std::string& options) {
    for (char c : options)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != '"',
                   "format " + std::to_string(format) + ": options " + Printable(options));
    const std::string input = "/in/clip one.avi";
    const std::string output = "/out/clip one.out";
    const std::string line = QuoteArgument("/app/divuvo.dll") + " -p 4417306 -i " +
                             QuoteArgument(input) + " " + ApplyCommandFixups(options) + " " +
                             QuoteArgument(output);
    std::vector<std::string> args = SplitCommandLine(line);
    args.erase(args.begin());
    divuvo::ParseResult parsed = divuvo::ParseCommandLine(args);
    if (!parsed.ok())
        return; // the adapter refuses the job with an error line: nothing runs
    FUZZ_CHECK(parsed.options.input == input && parsed.options.output == output,
               "format " + std::to_string(format) + ": options " + Printable(options) +
                   " made the adapter read " + Printable(parsed.options.input) + " and write " +
                   Printable(parsed.options.output));
}

} // namespace

// The first byte picks the format (the folder the profile lies in), the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int format = data[0] % kOutputFormatCount;
    const std::string path = fuzz::WriteScratchFile(
        "input.pro", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    GlobalVars.OutputFormat = static_cast<uint8_t>(format);
    const ProfileRecordOps* ops = FindProfileRecordOps(format);
    if (!ops) {
        FUZZ_CHECK(BuildEncoderArgs(path).empty(), "options for a preset format");
        return 0;
    }
    ops->defaults();
    checkJobLine(format, BuildEncoderArgs(path));
    checkRoundTrip(*ops, path);
    return 0;
}
