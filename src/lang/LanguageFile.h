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
// The two-letter code of a shipped language file ("french.ini" -> "fr", any letter case); empty
// for a file of the user's own. Profile folders and the toolkit's own texts follow it.
std::string_view LanguageCodeOf(std::string_view languageFile);

} // namespace quillabe
