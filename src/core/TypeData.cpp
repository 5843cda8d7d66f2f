#include "core/TypeData.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"

namespace quillabe {

std::string TypeDataFileName() {
    return FindFileIgnoringCase(ProgramDir() + AddBackslash(LangDir),
                                ChangeFileExt("type_" + GlobalVars.LanguageFile, ".dat"));
}

void LoadTypeData() {
    IniFile ini(TypeDataFileName());
    GlobalVars.AvsExtensions.Clear();
    static constexpr const char* kNone = "<none>";
    for (int n = 1;; ++n) {
        std::string value = ini.ReadString("AVSExt", std::to_string(n), kNone);
        if (value == kNone)
            break;
        GlobalVars.AvsExtensions.Add(value);
    }
    GlobalVars.InputFileTypes.Clear();
    for (auto& [name, value] : ini.ReadSectionValues("InputFileTypes"))
        GlobalVars.InputFileTypes.Add(name + "=" + value);
}

std::string BuildOpenFilter(const StringList& inputFileTypes, std::string_view allFilesText) {
    std::string filter;
    for (size_t i = 0; i < inputFileTypes.Count(); ++i) {
        std::string name = inputFileTypes.Name(i);
        filter += name + "|" + inputFileTypes.Value(name) + "|";
    }
    filter += std::string(allFilesText) + "|*.*";
    return filter;
}

bool IsKnownInputType(std::string_view extension) {
    if (extension.empty())
        return false;
    std::string ext = LowerCase(extension);
    for (size_t i = 0; i < GlobalVars.InputFileTypes.Count(); ++i)
        if (Contains(LowerCase(GlobalVars.InputFileTypes.ValueFromIndex(i)), ext))
            return true;
    return false;
}

} // namespace quillabe
