#include "lang/LanguageFile.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"

#include <array>
#include <utility>

namespace quillabe {

std::string NormalizeLangText(std::string_view raw) {
    std::string trimmed = Trim(raw);
    std::string collapsed;
    collapsed.reserve(trimmed.size());
    for (char c : trimmed)
        if (!(c == ' ' && !collapsed.empty() && collapsed.back() == ' '))
            collapsed += c;
    std::string out;
    out.reserve(collapsed.size());
    for (size_t i = 0; i < collapsed.size(); ++i) {
        if (collapsed.compare(i, 3, "#13") == 0) {
            out += "\r\n";
            i += 2;
        } else {
            out += collapsed[i];
        }
    }
    return out;
}

void LoadLanguage(const std::string& path) {
    if (!FileExists(path))
        return;
    IniFile ini(path);
    for (int i = 0; i < kMsgCount; ++i) {
        auto id = static_cast<MsgId>(i);
        if (auto value = ini.Find("LANGRES", MsgKey(id)))
            SetMsg(id, NormalizeLangText(*value));
    }
}

std::string CurrentLanguagePath() {
    return FindFileIgnoringCase(ProgramDir() + AddBackslash(LangDir), GlobalVars.LanguageFile);
}

std::string_view LanguageCodeOf(std::string_view languageFile) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kCodes = {{
        {"english.ini", "en"},
        {"french.ini", "fr"},
        {"deutsch.ini", "de"},
        {"italian.ini", "it"},
    }};
    const std::string lower = LowerCase(languageFile);
    for (auto [file, code] : kCodes)
        if (lower == file)
            return code;
    return {};
}

} // namespace quillabe
