#pragma once
// What `quillabe --list-profiles` and `--list-types` print, from the program's own lists.

#include "profiles/PresetCatalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace quillabe {

// The presets --preset accepts for MP4 or 3GP, in the order they are searched: the format's menu
// (its first is the one used when none is named), then, for MP4, the PSP and other presets that
// this build's menu leaves out.
std::vector<TProfileItem> OfferedPresets(int format, const PresetCatalogue& catalogue);

// One format, or every format in table order: a profile format with the names of its profiles,
// a preset format with its presets and their variants, numbered as --variant takes them.
std::string ProfileListing(std::optional<int> format);

// The input types of the language's type table: each type's name and its file patterns.
std::string InputTypeListing();

} // namespace quillabe
