// Time texts. The program reads a "-t"/"-ss" time to measure progress, the adapter reads the same
// text to cut the conversion, and the encoder's "Duration:" line is read as a clock: all of them
// agree on every text both accept, and every form of one time reads as that time.

#include "base/TimeText.h"
#include "divuvo/Options.h"
#include "engine/ClockText.h"
#include "engine/CommandLine.h"
#include "engine/OutputParser.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

std::string withMs(std::string whole, int64_t ms) {
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03lld", static_cast<long long>(ms % 1000));
    return whole + fraction;
}

// Every form of the time "[[h:]m:]s.fff" that the rule allows.
void checkForms(int64_t ms) {
    const int64_t s = ms / 1000;
    const std::vector<std::string> forms = {
        withMs(std::to_string(s), ms),
        withMs(std::to_string(s / 60) + ":" + std::to_string(s % 60), ms),
        withMs(std::to_string(s / 3600) + ":" + std::to_string(s / 60 % 60) + ":" +
                   std::to_string(s % 60),
               ms),
        withMs("0:0:" + std::to_string(s), ms),
    };
    for (const std::string& form : forms) {
        std::optional<int64_t> back = ParseTimeTextMs(form);
        FUZZ_CHECK(back && *back == ms, Printable(form) + " is not " + std::to_string(ms) + " ms");
    }
}

// The options as the argument builder writes them: a time text is one word.
std::string asWord(std::string text) {
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) <= 32 || c == '"'; });
    return text;
}

// The program's limit and the adapter's cut from one job's options.
void checkProgramAndAdapter(const std::string& duration, const std::string& start) {
    const std::string options = " -t " + duration + " -ss " + start + " ";
    std::optional<TimeLimit> limit = TimeLimitOf(options);
    std::vector<std::string> args = {"-p", divuvo::kAccessCode, "-i", "in.avi"};
    for (std::string& a : SplitCommandLine(options))
        args.push_back(std::move(a));
    args.push_back("out.avi");
    divuvo::ParseResult parsed = divuvo::ParseCommandLine(args);
    if (!parsed.ok())
        return; // the adapter refuses the job, so nothing is cut
    const auto& o = parsed.options;
    const std::string detail = "options " + Printable(options) + ": program " +
                               (limit ? std::to_string(limit->limitMs) + " ms from " +
                                            std::to_string(limit->startMs) + " ms"
                                      : std::string("no limit")) +
                               ", adapter " +
                               (o.durationUs ? std::to_string(*o.durationUs) + " us from " +
                                                   std::to_string(o.startUs.value_or(0)) + " us"
                                             : std::string("no limit"));
    FUZZ_CHECK(limit.has_value() == o.durationUs.has_value(), detail);
    if (limit) {
        FUZZ_CHECK(limit->limitMs * 1000 == *o.durationUs, detail);
        FUZZ_CHECK(limit->startMs * 1000 == o.startUs.value_or(0), detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string text = in.ConsumeRandomLengthString(64);
    const std::string other = in.ConsumeRandomLengthString(64);

    std::optional<int64_t> ms = ParseTimeTextMs(text);
    if (ms) {
        FUZZ_CHECK(*ms >= 0 && *ms <= kMaxTimeTextMs, Printable(text));
        checkForms(*ms);
        std::optional<int64_t> us = divuvo::ParseTimeUs(text);
        FUZZ_CHECK(us && *us == *ms * 1000, Printable(text));
    }
    // The encoder's clock values: the lenient reading agrees with the strict one, and with the
    // time text rule wherever both accept.
    std::optional<int64_t> clock = TryParseClockMs(text);
    if (clock) {
        FUZZ_CHECK(ParseClockMs(text) == *clock, Printable(text));
        if (ms)
            FUZZ_CHECK(*ms == *clock, Printable(text) + ": time text " + std::to_string(*ms) +
                                          " ms, clock " + std::to_string(*clock) + " ms");
    }
    FUZZ_CHECK(ParseClockMs(text) >= 0, Printable(text));

    checkProgramAndAdapter(asWord(text), asWord(other));
    return 0;
}
