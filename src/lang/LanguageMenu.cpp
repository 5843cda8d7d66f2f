#include "lang/LanguageMenu.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "lang/LanguageFile.h"

#include <algorithm>

namespace quillabe {

std::vector<LanguageMenuItem> BuildLanguageMenu() {
    std::vector<LanguageMenuItem> items;
    for (const auto& name : ListDirectory(ProgramDir() + AddBackslash(LangDir), ".ini")) {
        std::string caption = UpperCase(ChangeFileExt(name, ""));
        items.push_back(
            {caption, UpperCase(caption + ".ini") == UpperCase(GlobalVars.LanguageFile)});
    }
    return items;
}

void LanguageMenuItemClick(const std::string& caption) {
    std::string file = caption + ".ini";
    file.erase(std::remove(file.begin(), file.end(), '&'), file.end());
    GlobalVars.LanguageFile = file;
    LoadLanguage(CurrentLanguagePath()); // found whatever the letter case of the file name
}

} // namespace quillabe
