#include "app/ProgramDirStart.h"

#include "core/MessageDialogs.h"
#include "core/ProgramDir.h"
#include "core/ProgramDirSeed.h"

#include <cstdio>
#include <string>
#include <vector>

namespace quillabe {

namespace {

// The language file lies in the folder being set up, so these texts cannot be translated.
constexpr const char* kTitle = "Quillabe";
constexpr size_t kShownErrors = 5;

void tell(const std::string& text, bool messageBox) {
    std::fprintf(stderr, "quillabe: %s\n", text.c_str());
    if (messageBox)
        ShowMessageBox(text, kTitle, MB_ICONEXCLAMATION);
}

std::string listed(const std::vector<std::string>& errors) {
    std::string text;
    for (size_t i = 0; i < errors.size() && i < kShownErrors; ++i)
        text += "\n" + errors[i];
    if (errors.size() > kShownErrors)
        text += "\n(and " + std::to_string(errors.size() - kShownErrors) + " more)";
    return text;
}

} // namespace

bool StartProgramDir(bool messageBox) {
    const ProgramDirChoice choice = ChooseProgramDir(ProgramDirFactsOfThisProcess());
    if (!choice.error.empty()) {
        tell("The program cannot start. " + choice.error, messageBox);
        return false;
    }
    UseProgramDir(choice);
    if (choice.mode != ProgramDirMode::PerUser)
        return true;
    const SeedResult seeded = SeedProgramDir(choice.shippedDataDir, choice.programDir);
    if (!seeded.ok) {
        tell("The program cannot start: its folder for settings and profiles cannot be set up." +
                 listed(seeded.errors),
             messageBox);
        return false;
    }
    if (!seeded.errors.empty())
        tell("Some of the program's files could not be updated in \"" + choice.programDir +
                 "\"; the program may miss texts or pictures." + listed(seeded.errors),
             messageBox);
    return true;
}

} // namespace quillabe
