// The command-line splitter and its escaper. Every value the program puts into a child's command
// line goes through QuoteArgument, so two arguments quoted and joined must split back into
// exactly those two; and whatever a line splits into must survive being quoted and split again.

#include "engine/CommandLine.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

std::string describe(const std::vector<std::string>& args) {
    std::string text = "{";
    for (const auto& a : args)
        text += Printable(a) + " ";
    return text + "}";
}

std::string joinQuoted(const std::vector<std::string>& args, char separator) {
    std::string line;
    for (const auto& a : args) {
        if (!line.empty())
            line += separator;
        line += QuoteArgument(a);
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string whole(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> split = SplitCommandLine(whole);
    std::vector<std::string> resplit = SplitCommandLine(joinQuoted(split, ' '));
    FUZZ_CHECK(resplit == split, "line " + Printable(whole) + "\nfirst  " + describe(split) +
                                     "\nagain  " + describe(resplit));

    FuzzedDataProvider in(data, size);
    const char separator = in.ConsumeBool() ? '\t' : ' ';
    std::string a = in.ConsumeRandomLengthString();
    std::string b = in.ConsumeRemainingBytesAsString();
    // A command line is a C string: it cannot carry NUL.
    std::erase(a, '\0');
    std::erase(b, '\0');
    const std::vector<std::string> pair{a, b};
    std::vector<std::string> back = SplitCommandLine(joinQuoted(pair, separator));
    FUZZ_CHECK(back == pair, "sent " + describe(pair) + "\ngot  " + describe(back) + "\nline " +
                                 Printable(joinQuoted(pair, separator)));
    return 0;
}
