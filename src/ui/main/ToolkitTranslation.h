#pragma once
// The toolkit's own texts (file dialogs, standard buttons, key names in menus) in the language of
// the chosen language file, from the translations installed with Qt.

#include <string_view>

namespace quillabe {

// Replaces the toolkit translation in use; English or a language without an installed
// translation leaves the toolkit's built-in English. Returns whether a translation is in use.
bool TranslateToolkit(std::string_view languageFile);

} // namespace quillabe
