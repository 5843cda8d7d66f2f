#include "app/CommandLineModes.h"

#include "app/ProgramDirStart.h"
#include "cli/FormatArgument.h"
#include "core/StartupConstants.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace quillabe {

namespace {
struct Mode {
    std::string_view option;
    int (*run)(const Args&);
    std::string_view usage;
    bool readsProgramDir = true;
};

constexpr std::array<Mode, 8> kModes = {{
    {"--help", RunHelp, "--help                      show this text", false},
    {"-h", RunHelp, "", false},
    {"--version", RunVersion, "--version                   print the program version", false},
    {"--convert", RunConvert,
     "--convert --to FORMAT [--profile NAME] [--preset TITLE [--variant TITLE|NUMBER]]\n"
     "          --output DIR [--jobs N] [--delete-source] [--when-done ACTION] FILE...\n"
     "                            convert files without opening a window"},
    {"--list-profiles", RunListProfiles,
     "--list-profiles [FORMAT]    list the profiles of each format, and the MP4 and 3GP\n"
     "                            presets with their variants, numbered as --variant takes them"},
    {"--list-types", RunListTypes,
     "--list-types                list the input types that can be converted"},
    {"--build-args", RunBuildArgs,
     "--build-args FORMAT PROFILE...\n"
     "                            print the encoder options of each profile file"},
    {"--save-default-profile", RunSaveDefaultProfile,
     "--save-default-profile FORMAT PATH\n"
     "                            write the default profile of FORMAT to PATH"},
}};
} // namespace

int RunHelp(const Args&) {
    std::printf("Usage: quillabe [FILE...]\n"
                "       quillabe MODE [ARGUMENTS...]\n\n"
                "Without a mode the program opens its main window with the FILEs queued; that\n"
                "needs a graphical display. The modes need none.\n\nModes:\n");
    for (const auto& m : kModes)
        if (!m.usage.empty())
            std::printf("  %.*s\n", static_cast<int>(m.usage.size()), m.usage.data());
    std::printf(
        "\nFORMAT, in any letter case, is one of:\n  %s\n"
        "\n"
        "--convert prints its target and output folder, a line as each job starts and ends,\n"
        "the progress, and last \"done: N, failed: M\" (\", skipped: K\" when files were\n"
        "skipped). Without --profile or --preset it takes the first one --list-profiles shows,\n"
        "with its first variant. A named file that is not converted (missing, a folder, not a\n"
        "known input type, given twice, refused as damaged) gets a line \"skipped: FILE:\n"
        "REASON\" on standard error. The output folder is created when missing. --jobs runs\n"
        "N conversions at once (1 unless given; 0 one per processor core; at most 16), and\n"
        "the progress shows a line per running file. ACTION is one of quit, poweroff, logoff,\n"
        "reboot, hibernate, suspend; it runs after a batch in which no job failed.\n"
        "Exit status: 0 every named file was converted; 1 a file failed or was skipped, or\n"
        "the end-of-batch action failed; 2 a usage error; 130 or 143 stopped by SIGINT or\n"
        "SIGTERM.\n"
        "\n"
        "QUILLABE_HOME names another program directory. An installed program keeps its\n"
        "settings and profiles in $XDG_DATA_HOME/quillabe (~/.local/share/quillabe).\n",
        FormatWords().c_str());
    return 0;
}

int RunVersion(const Args&) {
    SetStartupConstants();
    std::printf("%s\n", ProgramVersion.c_str());
    return 0;
}

std::optional<int> RunCommandLineMode(int argc, char** argv) {
    if (argc < 2)
        return std::nullopt;
    std::string_view option = argv[1];
    for (const auto& m : kModes) {
        if (m.option == option) {
            if (m.readsProgramDir && !StartProgramDir(false))
                return 1;
            Args args(argv + 2, argv + argc);
            return m.run(args);
        }
    }
    if (!option.empty() && option[0] == '-') {
        std::fprintf(stderr, "quillabe: unknown option '%s' (see --help)\n", argv[1]);
        return 2;
    }
    return std::nullopt;
}

} // namespace quillabe
