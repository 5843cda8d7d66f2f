#include "cli/Listings.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileLists.h"

namespace quillabe {

namespace {

void listProfiles(int format, std::string& out) {
    out += std::string(kOutputFormats[static_cast<size_t>(format)].directoryName) +
           ": profiles in " + ProfileDirOf(format) + "\n";
    const std::vector<std::string> names = ListProfileNames(format);
    for (const std::string& name : names)
        out += "  " + name + "\n";
    if (names.empty())
        out += "  (none)\n";
}

void listPresets(int format, const PresetCatalogue& catalogue, std::string& out) {
    out += std::string(kOutputFormats[static_cast<size_t>(format)].directoryName) +
           ": presets in " + GlobalVars.PresetDir + "; --variant takes a number or a title\n";
    const std::vector<TProfileItem> presets = OfferedPresets(format, catalogue);
    for (const TProfileItem& preset : presets) {
        out += "  " + preset.Title + "\n";
        int number = 0;
        for (const TProfileDetailItem& item : LoadPresetItems(preset.PresetPath))
            out += "    " + std::to_string(++number) + "  " + item.Title + "\n";
    }
    if (presets.empty())
        out += "  (none)\n";
}

} // namespace

std::vector<TProfileItem> OfferedPresets(int format, const PresetCatalogue& catalogue) {
    if (format == of3GP)
        return TgpPresetMenu(catalogue);
    if (format != ofMP4)
        return {};
    std::vector<TProfileItem> presets = Mp4PresetMenu(catalogue);
    for (const auto* list : {&catalogue.PspPresetList, &catalogue.OtherPresetList})
        for (const TProfileItem& preset : *list) {
            // A brand's presets may already stand in the menu.
            bool listed = false;
            for (const TProfileItem& p : presets)
                listed = listed || p.PresetPath == preset.PresetPath;
            if (!listed)
                presets.push_back(preset);
        }
    return presets;
}

std::string ProfileListing(std::optional<int> format) {
    PresetCatalogue catalogue;
    LoadPresetCatalogue(GlobalVars.PresetDir, catalogue);
    std::string out;
    for (int f = 0; f < kOutputFormatCount; ++f) {
        if (format && *format != f)
            continue;
        if (!out.empty())
            out += "\n";
        if (IsPresetFormat(f))
            listPresets(f, catalogue, out);
        else
            listProfiles(f, out);
    }
    return out;
}

std::string InputTypeListing() {
    std::string out;
    const StringList& types = GlobalVars.InputFileTypes;
    for (size_t i = 0; i < types.Count(); ++i)
        out += types.Name(i) + ": " + types.ValueFromIndex(i) + "\n";
    return out;
}

} // namespace quillabe
