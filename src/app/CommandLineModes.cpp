#include "app/CommandLineModes.h"

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
};

constexpr std::array<Mode, 6> kModes = {{
    {"--help", RunHelp, "--help                      show this text"},
    {"-h", RunHelp, ""},
    {"--version", RunVersion, "--version                   print the program version"},
    {"--build-args", RunBuildArgs,
     "--build-args FORMAT PROFILE...\n"
     "                            print the encoder options of each profile file"},
    {"--save-default-profile", RunSaveDefaultProfile,
     "--save-default-profile FORMAT PATH\n"
     "                            write the default profile of FORMAT to PATH"},
    {"--convert", RunConvert,
     "--convert --to FORMAT [--profile NAME] [--preset TITLE [--variant TITLE|INDEX]]\n"
     "          --output DIR [--delete-source] [--when-done ACTION] FILE...\n"
     "                            convert files without opening a window"},
}};
} // namespace

int RunHelp(const Args&) {
    std::printf("Usage: quillabe [MODE]\n\n"
                "Without a mode the program opens its main window.\n\nModes:\n");
    for (const auto& m : kModes)
        if (!m.usage.empty())
            std::printf("  %.*s\n", static_cast<int>(m.usage.size()), m.usage.data());
    std::printf(
        "\nFORMAT is one of: avi mp4 3gp mpg mov wmv rm swf vob asf aac ac3 mp2 mp3 amr wav\n"
        "QUILLABE_HOME names another program directory.\n");
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
