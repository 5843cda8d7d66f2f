#include "LanguageMenu.h"

#include "GlobalVars.h"
#include "LanguageFile.h"
#include "PathUtils.h"
#include "ProgramDir.h"
#include "StartupConstants.h"
#include "TextUtils.h"

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
