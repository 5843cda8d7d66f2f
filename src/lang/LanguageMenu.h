#pragma once
// The logic of the Languages submenu; the main window builds the menu items from it.

#include <string>
#include <vector>

namespace quillabe {

struct LanguageMenuItem {
    std::string caption; // file name without extension, upper case
    bool checked;
};

// One radio item per "*.ini" in the language folder in ListDirectory's order (by file name, letter
// case ignored); the item of the current LanguageFile is checked.
std::vector<LanguageMenuItem> BuildLanguageMenu();
// Switches to the language of the clicked caption: LanguageFile := caption + ".ini" without
// "&", then loads that file. The window then applies its texts and checks the item.
void LanguageMenuItemClick(const std::string& caption);

} // namespace quillabe
