// The batch core script. Command templates of a grammar that covers every quoting a placeholder
// may stand in (plain, in double quotes, in single quotes, next to text, after a backslash or a
// dollar sign, any letter case, a comment after them) are filled with any values: running the
// script with /bin/sh, the command (printf '%s\0' ...) prints each argument exactly as the template
// and the values make it, so every value arrives intact and nothing in it is ever executed or
// split.

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "engine/CommandTemplates.h"
#include "fuzz/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

using namespace quillabe;
using quillabe::fuzz::Printable;

namespace {

constexpr std::array<std::string_view, 9> kPlaceholders = {
    "<%AppPath%>",    "<%TimeStamp%>",     "<%TemporaryFile%>", "<%Title%>",    "<%OutputFile%>",
    "<%OutputPath%>", "<%RandomNumber3%>", "<%RandomNumber5%>", "<%InputFile%>"};

enum class Quoting { Plain, Double, Single };

// Literal text a template may hold in each quoting without meaning anything to the shell; no
// "<", so that literal text never spells a placeholder.
bool literalAllowed(char c, Quoting q) {
    if (std::isalnum(static_cast<unsigned char>(c)) ||
        std::string_view("_.,:=+@%/-").find(c) != std::string_view::npos)
        return true;
    if (q == Quoting::Double)
        return std::string_view(" '#*?~;&|>()[]{}!").find(c) != std::string_view::npos;
    if (q == Quoting::Single)
        return std::string_view(" \"#*?~;&|>()[]{}!$`\\").find(c) != std::string_view::npos;
    return false;
}

struct Job {
    std::vector<std::string> commands;
    std::string expected; // what the commands print: each argument ended by NUL
};

std::string placeholderIn(FuzzedDataProvider& in, size_t index) {
    std::string text(kPlaceholders[index]);
    const uint32_t caseBits = in.ConsumeIntegral<uint32_t>();
    for (size_t i = 0; i < text.size(); ++i)
        if (caseBits & (1u << (i % 32)))
            text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return text;
}

Job makeJob(FuzzedDataProvider& in, const std::array<std::string, 9>& values) {
    Job job;
    const int commands = in.ConsumeIntegralInRange(1, 3);
    for (int c = 0; c < commands; ++c) {
        // A first argument of its own, since printf without any prints its format once.
        std::string command = "printf '%s\\0' .";
        job.expected += std::string(".\0", 2);
        const int words = in.ConsumeIntegralInRange(1, 5);
        for (int w = 0; w < words; ++w) {
            const auto q = static_cast<Quoting>(in.ConsumeIntegralInRange(0, 2));
            const char* quote = q == Quoting::Double ? "\"" : q == Quoting::Single ? "'" : "";
            std::string word = quote;
            std::string arg;
            const int parts = in.ConsumeIntegralInRange(1, 4);
            for (int p = 0; p < parts; ++p) {
                const int kind = in.ConsumeIntegralInRange(0, 3);
                if (kind == 0) {
                    std::string literal = in.ConsumeRandomLengthString(8);
                    std::erase_if(literal, [q](char ch) { return !literalAllowed(ch, q); });
                    word += literal;
                    arg += literal;
                    continue;
                }
                // A backslash or a dollar sign before a placeholder is text of its own.
                if (kind == 2) {
                    word += '\\';
                    arg += '\\';
                } else if (kind == 3) {
                    word += '$';
                    arg += '$';
                }
                const size_t index = in.ConsumeIntegralInRange<size_t>(0, kPlaceholders.size() - 1);
                word += placeholderIn(in, index);
                arg += values[index];
            }
            word += quote;
            if (word.empty())
                continue; // no text at all: no argument either
            command += " " + word;
            job.expected += arg;
            job.expected += '\0';
        }
        if (in.ConsumeBool()) {
            // A comment, whose quotes and placeholders the shell ignores.
            std::string comment = in.ConsumeRandomLengthString(16);
            std::erase_if(comment, [](char ch) {
                return ch != '\'' && !literalAllowed(ch, Quoting::Single);
            });
            command += " # " + comment + placeholderIn(in, in.ConsumeIntegralInRange<size_t>(0, 8));
        }
        // A template value may hold a line break (the INI files store one escaped): the next
        // command then stands on a line of the same template.
        if (!job.commands.empty() && in.ConsumeBool())
            job.commands.back() += "\n" + command;
        else
            job.commands.push_back(command);
    }
    return job;
}

// Runs the script with /bin/sh and returns what it printed; bounded in time and size.
std::string runScript(const std::string& path) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    const char* argv[] = {"/bin/sh", path.c_str(), nullptr};
    const char* envp[] = {"PATH=/usr/bin:/bin", "LC_ALL=C", nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv),
                    const_cast<char**>(envp)) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    std::string printed;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    char buffer[4096];
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            printed.append(buffer, static_cast<size_t>(n));
        }
        if (printed.size() > (1u << 20) || std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            break;
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return printed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::array<std::string, 9> values;
    for (std::string& v : values) {
        v = in.ConsumeRandomLengthString(48);
        std::erase(v, '\0'); // no file name or argument can hold one
    }
    TTemplateValues templates{values[0], values[1], values[2], values[3],
                              values[4], values[5], values[6], values[7]};
    const Job job = [&] {
        // The script passes the output file on without its extension: the commands add theirs.
        auto shown = values;
        shown[4] = ChangeFileExt(values[4], "");
        return makeJob(in, shown);
    }();

    const std::string script = ConvertCoreScript(job.commands, templates, values[8]);
    const std::string path = fuzz::WriteScratchFile("~ConvertCore.bat", script);
    const std::string printed = runScript(path);
    std::string commands;
    for (const auto& c : job.commands)
        commands += c + "\n";
    FUZZ_CHECK(printed == job.expected, "templates\n" + commands + "script\n" + script +
                                            "\nprinted  " + Printable(printed) + "\nexpected " +
                                            Printable(job.expected));
    return 0;
}
