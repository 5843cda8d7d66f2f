#pragma once
// The preset catalogue of MP4 and 3GP: preset files "*.ini" with a section "Info" (TitleE,
// DescriptionE) and one section per variant whose name begins with "Item" (TitleE, EXT and the
// command templates Command...).

#include <string>
#include <vector>

namespace quillabe {

struct TProfileItem {
    std::string Title, PresetPath, Description;
};

struct TProfileDetailItem {
    std::string PresetPath, SectionName, Title;
};

struct PresetCatalogue {
    std::vector<TProfileItem> TgpPresetList, IPodPresetList, PspPresetList, OtherPresetList;
};

// Adds every "*.ini" of the folder in ListDirectory's order (by file name, letter case ignored),
// so the menus list the presets alike on every machine; false (nothing added) when the folder
// does not exist.
bool LoadPresetCatalogue(const std::string& dir, PresetCatalogue& catalogue);

// Files the preset by its title, letter case significant, first match wins: "3GPP" or "3GP2",
// then "iPod", then "PSP", else the other presets.
void AddPresetFile(const std::string& path, PresetCatalogue& catalogue);

// The variants: sections whose names begin with "Item" (letter case significant), file order.
std::vector<TProfileDetailItem> LoadPresetItems(const std::string& presetPath);

// The presets of the MP4 menu by brand variant: 0 iPod then PSP, 2 PSP only, 3 (this build)
// iPod only, any other none.
std::vector<TProfileItem> Mp4PresetMenu(const PresetCatalogue& catalogue);
const std::vector<TProfileItem>& TgpPresetMenu(const PresetCatalogue& catalogue);

// The variant's output extension without the dot; empty when the key is missing or its value
// holds a path separator.
std::string PresetItemExt(const TProfileDetailItem& item);

// The values of the variant's keys that begin with "Command" (letter case significant), in the
// order the keys stand in the section. Each key line gives its own value, so a repeated key
// never runs the first line twice.
std::vector<std::string> PresetCommandTemplates(const TProfileDetailItem& item);

} // namespace quillabe
