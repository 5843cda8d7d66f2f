#include "app/CommandLineModes.h"

#include "app/ProgramState.h"
#include "base/PathUtils.h"
#include "cli/FormatArgument.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "encoder/EncoderArgs.h"
#include "profiles/ProfileRecords.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>

namespace quillabe {

namespace {
std::optional<TOutputFormat> parseFormat(const std::string& mode, const std::string& name) {
    auto format = FormatFromArgument(name);
    if (!format)
        std::fprintf(stderr, "quillabe: %s: unknown format '%s' (one of: %s)\n", mode.c_str(),
                     name.c_str(), FormatWords().c_str());
    return format;
}

// Writing a profile starts like the program does: the folders it writes below exist.
bool startState() {
    StateResult state = StartProgramState();
    if (!state.ok)
        std::fprintf(stderr, "quillabe: %s\n", state.error.c_str());
    return state.ok;
}

int finishOutput() {
    if (std::fflush(stdout) != 0) {
        std::perror("quillabe: standard output");
        return 1;
    }
    return 0;
}
} // namespace

int RunBuildArgs(const Args& args) {
    if (args.size() < 2) {
        std::fprintf(stderr, "quillabe: --build-args needs FORMAT and at least one PROFILE\n");
        return 2;
    }
    auto format = parseFormat("--build-args", args[0]);
    if (!format)
        return 2;
    // A missing profile would print the options of whatever the record holds, as if it were one.
    for (size_t i = 1; i < args.size(); ++i) {
        if (!FileExists(args[i]) || !std::ifstream(args[i])) {
            std::fprintf(stderr, "quillabe: --build-args: cannot read the profile file '%s'\n",
                         args[i].c_str());
            return 2;
        }
    }
    // Only printing: the program directory stays as it is.
    ReadProgramState();
    // One record for all files, never reset between them: exactly what a batch does.
    for (size_t i = 1; i < args.size(); ++i) {
        GlobalVars.OutputFormat = *format;
        std::string line = BuildEncoderArgs(args[i]) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return finishOutput();
}

int RunSaveDefaultProfile(const Args& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "quillabe: --save-default-profile needs FORMAT and PATH\n");
        return 2;
    }
    auto format = parseFormat("--save-default-profile", args[0]);
    if (!format)
        return 2;
    const ProfileRecordOps* ops = FindProfileRecordOps(*format);
    if (!ops) {
        std::fprintf(stderr,
                     "quillabe: --save-default-profile: %s has no profiles; it is converted "
                     "through presets\n",
                     args[0].c_str());
        return 2;
    }
    if (!startState())
        return 1;
    try {
        ops->defaults();
        ops->save(args[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillabe: %s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace quillabe
