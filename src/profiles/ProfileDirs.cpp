#include "profiles/ProfileDirs.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "core/SystemSettings.h"
#include "lang/LanguageFile.h"

namespace quillabe {

std::string ProfileBaseNameFor(std::string_view languageFile) {
    const std::string_view code = LanguageCodeOf(languageFile);
    return code.empty() ? ProfileBaseName : "profile_" + std::string(code);
}

std::string GetProfileExt(std::string_view directoryName) {
    return std::string(directoryName.substr(0, 2)) + "o";
}

void NameProfileDirs() {
    ProfileBaseName = ProfileBaseNameFor(GlobalVars.LanguageFile);
    GlobalVars.ProfileRootDir = ProgramDir() + ProfileBaseName + "/";
    for (size_t slot = 0; slot < GlobalVars.ProfileDirs.size(); ++slot)
        GlobalVars.ProfileDirs[slot] =
            GlobalVars.ProfileRootDir +
            std::string(kOutputFormats[kProfileDirSlots[slot]].directoryName) + "/";
    GlobalVars.PresetDir = GlobalVars.ProfileRootDir + "default_setting/";
}

bool CreateProfileDirs() {
    NameProfileDirs();
    for (const auto& dir : GlobalVars.ProfileDirs)
        if (!ForceDirectories(dir))
            return false;
    return true;
}

void RemoveInterruptedWrites() {
    const std::string settings = InfoIniFileName();
    RemoveAtomicWriteLeftovers(ExtractFilePath(settings), ExtractFileName(settings));
    for (size_t slot = 0; slot < GlobalVars.ProfileDirs.size(); ++slot) {
        const std::string& dir = GlobalVars.ProfileDirs[slot];
        if (!dir.empty()) // not named yet: never the current folder instead
            RemoveAtomicWriteLeftovers(
                dir, "." + GetProfileExt(kOutputFormats[kProfileDirSlots[slot]].directoryName));
    }
}

} // namespace quillabe
