// Language files and the formatted messages. Any file is loaded as a language; every message is
// then formatted with hostile arguments ("%s", "%d", "%%" inside them, extreme numbers): an
// argument is inserted as it is and never read as a pattern, and no more arguments are read than
// given.

#include "base/TextUtils.h"
#include "fuzz/FuzzSupport.h"
#include "lang/LanguageFile.h"
#include "lang/Messages.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <string>
#include <vector>

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

// A mark for argument i that no pattern from a file can hold once checked.
std::string markOf(size_t i) {
    return std::string("\x01") + static_cast<char>('A' + i) + "\x02";
}

// Formatting with marks shows where each argument goes; formatting with the real arguments must
// give the same text with the marks replaced.
void checkFormat(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::vector<FormatArg> marks;
    for (size_t i = 0; i < args.size(); ++i)
        marks.emplace_back(markOf(i));
    const std::string marked = FormatText(pattern, marks);
    std::string expected = marked;
    for (size_t i = 0; i < args.size(); ++i) {
        const FormatArg& a = args[i];
        expected = ReplaceAllIgnoreCase(expected, markOf(i),
                                        std::holds_alternative<std::string>(a)
                                            ? std::get<std::string>(a)
                                            : std::to_string(std::get<long long>(a)));
    }
    const std::string formatted = FormatText(pattern, args);
    FUZZ_CHECK(formatted == expected, "pattern " + Printable(pattern) + "\ngave     " +
                                          Printable(formatted) + "\nexpected " +
                                          Printable(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<FormatArg> args;
    const size_t count = in.ConsumeIntegralInRange<size_t>(0, 4);
    for (size_t i = 0; i < count; ++i) {
        if (in.ConsumeBool()) {
            std::string text = in.ConsumeRandomLengthString(64);
            std::erase(text, '\x01'); // the marks' own byte
            args.emplace_back(std::move(text));
        } else {
            args.emplace_back(in.PickValueInArray<long long>({LLONG_MIN, LLONG_MAX, -1, 0}));
        }
    }
    const std::string path = fuzz::WriteScratchFile("lang.ini", in.ConsumeRemainingBytesAsString());

    ResetMessages();
    LoadLanguage(path);
    for (int i = 0; i < kMsgCount; ++i) {
        const auto id = static_cast<MsgId>(i);
        const std::string& text = Msg(id);
        // Marks from the language file itself would be indistinguishable from the arguments'.
        if (text.find('\x01') == std::string::npos)
            checkFormat(text, args);
        else
            (void)FormatMsg(id, args);
        FUZZ_CHECK(text.find("#13") == std::string::npos, "a line break mark survived in " +
                                                              std::string(MsgKey(id)) + ": " +
                                                              Printable(text));
    }
    (void)EmptyToPlaceholder("");
    return 0;
}
