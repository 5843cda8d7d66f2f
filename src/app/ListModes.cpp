// --list-profiles and --list-types: the names the other modes take, printed without changing
// anything in the program directory.

#include "app/CommandLineModes.h"
#include "app/ProgramState.h"
#include "cli/FormatArgument.h"
#include "cli/Listings.h"

#include <cstdio>
#include <optional>

namespace quillabe {

namespace {
int print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) {
        std::perror("quillabe: standard output");
        return 1;
    }
    return 0;
}
} // namespace

int RunListProfiles(const Args& args) {
    if (args.size() > 1) {
        std::fprintf(stderr, "quillabe: --list-profiles takes at most one FORMAT\n");
        return 2;
    }
    std::optional<int> format;
    if (!args.empty()) {
        const auto found = FormatFromArgument(args[0]);
        if (!found) {
            std::fprintf(stderr, "quillabe: --list-profiles: unknown format '%s' (one of: %s)\n",
                         args[0].c_str(), FormatWords().c_str());
            return 2;
        }
        format = *found;
    }
    ReadProgramState();
    return print(ProfileListing(format));
}

int RunListTypes(const Args& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "quillabe: --list-types takes no arguments\n");
        return 2;
    }
    const StateResult state = ReadProgramState();
    if (!state.typeDataLoaded) {
        std::fprintf(stderr, "quillabe: %s\n", state.error.c_str());
        return 1;
    }
    return print(InputTypeListing());
}

} // namespace quillabe
