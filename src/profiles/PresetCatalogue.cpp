#include "profiles/PresetCatalogue.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/IniFile.h"
#include "core/StartupConstants.h"

namespace quillabe {

bool LoadPresetCatalogue(const std::string& dir, PresetCatalogue& catalogue) {
    if (!DirectoryExists(dir))
        return false;
    const std::string folder = AddBackslash(dir);
    for (const auto& name : ListDirectory(folder, ".ini"))
        AddPresetFile(folder + name, catalogue);
    return true;
}

void AddPresetFile(const std::string& path, PresetCatalogue& catalogue) {
    const IniFile ini(path);
    TProfileItem item{ini.ReadString("Info", "TitleE", ""), path,
                      ini.ReadString("Info", "DescriptionE", "")};
    const std::string& t = item.Title;
    if (Contains(t, "3GPP") || Contains(t, "3GP2"))
        catalogue.TgpPresetList.push_back(std::move(item));
    else if (Contains(t, "iPod"))
        catalogue.IPodPresetList.push_back(std::move(item));
    else if (Contains(t, "PSP"))
        catalogue.PspPresetList.push_back(std::move(item));
    else
        catalogue.OtherPresetList.push_back(std::move(item));
}

std::vector<TProfileDetailItem> LoadPresetItems(const std::string& presetPath) {
    std::vector<TProfileDetailItem> items;
    const IniFile ini(presetPath);
    for (const auto& section : ini.ReadSections())
        if (StartsWith(section, "Item"))
            items.push_back({presetPath, section, ini.ReadString(section, "TitleE", "")});
    return items;
}

std::vector<TProfileItem> Mp4PresetMenu(const PresetCatalogue& catalogue) {
    std::vector<TProfileItem> menu;
    auto append = [&menu](const std::vector<TProfileItem>& list) {
        menu.insert(menu.end(), list.begin(), list.end());
    };
    switch (BrandVariant) {
    case 0:
        append(catalogue.IPodPresetList);
        append(catalogue.PspPresetList);
        break;
    case 2:
        append(catalogue.PspPresetList);
        break;
    case 3:
        append(catalogue.IPodPresetList);
        break;
    default:
        break;
    }
    return menu;
}

const std::vector<TProfileItem>& TgpPresetMenu(const PresetCatalogue& catalogue) {
    return catalogue.TgpPresetList;
}

std::string PresetItemExt(const TProfileDetailItem& item) {
    std::string ext = IniFile(item.PresetPath).ReadString(item.SectionName, "EXT", "");
    // The output must stay in the output folder: an "extension" that names folders is none.
    return ext.find(kPathDelim) == std::string::npos ? ext : std::string();
}

std::vector<std::string> PresetCommandTemplates(const TProfileDetailItem& item) {
    std::vector<std::string> commands;
    for (auto& [key, value] : IniFile(item.PresetPath).ReadSectionValues(item.SectionName))
        if (StartsWith(key, "Command"))
            commands.push_back(value);
    return commands;
}

} // namespace quillabe
