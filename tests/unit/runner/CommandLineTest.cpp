// The command-line splitter and its escaper: the rules on known lines, and hostile arguments
// round-tripping exactly, on their own and through a real child that prints its argv.

#include "engine/CommandLine.h"
#include "RunnerTestSupport.h"
#include "engine/Redirector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillabe {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    std::string line;
    Args args;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const SplitCase cases[] = {
        {"", {}},
        {" \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"a b c\" d e", {"a b c", "d", "e"}},
        {"\"ab\\\"c\" \"\\\\\" d", {"ab\"c", "\\", "d"}},
        {"a\\\\\\b d\"e f\"g h", {"a\\\\\\b", "de fg", "h"}},
        {"a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
        {"a\\\\\\\\\"b c\" d e", {"a\\\\b c", "d", "e"}},
        {"a\"b\"\" c d", {"ab\" c d"}}, // "" inside quotes: a literal quote
        {"\"\"", {""}},                 // an empty argument
        {"\"\" \"\"", {"", ""}},
        {"x\"\"y", {"xy"}}, // "" outside quotes opens and closes
        {"\"unterminated part", {"unterminated part"}},
        {"trailing\\\\", {"trailing\\\\"}}, // backslashes not before a quote
        {"C:\\dir\\file.txt", {"C:\\dir\\file.txt"}},
        {"new\nline", {"new\nline"}}, // only blanks and tabs separate
        {"/enc -p 4417306 -i \"/in/my clip.avi\" -f avi  \"/out/x.avi\"",
         {"/enc", "-p", "4417306", "-i", "/in/my clip.avi", "-f", "avi", "/out/x.avi"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.args) << "line: " << c.line;
}

// Strings that break naive quoting: quotes, backslashes before quotes, trailing backslashes,
// shell syntax, control characters, leading dashes, non-ASCII.
const Args kHostile = {
    "",
    " ",
    "plain",
    "two words",
    "\"",
    "\"\"",
    "a\"b",
    "a\"\"b",
    "\\",
    "\\\\",
    "a\\",
    "dir\\\\",
    "\\\"",
    "a\\\"b",
    "a\\\\\"b",
    "\\\\\"\"\\",
    "C:\\Program Files\\",
    "tab\there",
    "new\nline",
    "cr\rlf\n",
    "$HOME",
    "$(touch pwned)",
    "`id`",
    "'single'",
    "-rf",
    "--help",
    "-",
    "a;b&c|d>e<f",
    "*?[glob]~",
    "%s%d%n",
    "h\xc3\xa9llo w\xc3\xb6rld \xe2\x9c\x93",
    "\xff\xfe\x01",
    " lead and trail ",
};

TEST(QuoteArgument, RoundTripsHostileStrings) {
    for (const std::string& arg : kHostile) {
        const std::string quoted = QuoteArgument(arg);
        EXPECT_EQ(quoted.front(), '"');
        EXPECT_EQ(quoted.back(), '"');
        EXPECT_EQ(SplitCommandLine(quoted), Args{arg}) << "quoted: " << quoted;
    }
    // Joined with blanks, the whole list comes back in order; NUL survives the splitter too.
    Args all = kHostile;
    all.push_back(std::string("nul\0byte", 8));
    EXPECT_EQ(SplitCommandLine(test::JoinQuoted(all)), all);
}

TEST(QuoteArgument, RoundTripsRandomStrings) {
    // Dense in the characters that matter, so that every run/backslash/quote pattern occurs.
    const std::string alphabet = std::string("ab \t\"\\\n$`'-\xc3\xa9", 13) + std::string(1, '\0');
    std::mt19937 random(4417306);
    for (int round = 0; round < 3000; ++round) {
        Args args(1 + random() % 3);
        for (std::string& arg : args) {
            const size_t length = random() % 12;
            for (size_t i = 0; i < length; ++i)
                arg += alphabet[random() % alphabet.size()];
        }
        ASSERT_EQ(SplitCommandLine(test::JoinQuoted(args)), args) << test::JoinQuoted(args);
    }
}

class ArgumentsThroughChild : public test::RunnerTest {};

TEST_F(ArgumentsThroughChild, ArriveExactlyAsQuoted) {
    // printf prints every argument followed by a NUL; the brackets show that none was added or
    // lost at either end.
    Args sent = {"["};
    sent.insert(sent.end(), kHostile.begin(), kHostile.end());
    sent.push_back("]");
    TRedirector runner;
    test::Recorder record;
    record.Attach(runner);
    runner.SetCommandLine("/usr/bin/printf %s\\0 " + test::JoinQuoted(sent));
    runner.Execute();
    ASSERT_TRUE(test::RunUntil([&] { return record.ends == 1; }));

    Args received;
    size_t begin = 0;
    for (size_t end; (end = record.out.find('\0', begin)) != std::string::npos; begin = end + 1)
        received.push_back(record.out.substr(begin, end - begin));
    EXPECT_EQ(begin, record.out.size()) << "output after the last argument";
    EXPECT_EQ(received, sent);
    EXPECT_EQ(record.err, "");
    EXPECT_EQ(runner.ExitCode(), 0);
}

} // namespace
} // namespace quillabe
