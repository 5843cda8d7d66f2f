#pragma once
// Language files: section "LANGRES", one key=text line per message.

#include <string>
#include <string_view>

namespace quillabe {

// Leading and trailing blanks and control characters removed, runs of blanks collapsed to one,
// every "#13" turned into CR LF, in that order.
std::string NormalizeLangText(std::string_view raw);
// Replaces the text of every key the file holds; a missing file changes nothing.
void LoadLanguage(const std::string& path);
// Program directory + LangDir + "/" + LanguageFile.
std::string CurrentLanguagePath();

} // namespace quillabe
