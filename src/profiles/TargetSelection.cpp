#include "profiles/TargetSelection.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "profiles/ProfileLists.h"

#include <charconv>

namespace quillabe {

namespace {

TargetError error(TargetError::Kind kind, std::string message,
                  std::vector<std::string> choices = {}) {
    return TargetError{kind, std::move(message), std::move(choices)};
}

TargetChoice selectProfile(const TargetRequest& request) {
    const std::vector<std::string> names = ListProfileNames(request.format);
    const int index = SelectProfileIndex(names, request.profile);
    ChosenTarget target;
    if (index >= 0) {
        target.profileName = names[static_cast<size_t>(index)];
        target.profilePath = ProfilePath(request.format, target.profileName);
    } else if (request.profile) {
        return error(
            TargetError::Kind::UnknownProfile,
            "no " + std::string(kOutputFormats[static_cast<size_t>(request.format)].directoryName) +
                " profile named '" + *request.profile + "'",
            names);
    }
    return target;
}

// The variant's place in `items`, or items.size() when the text names none. Only plain digits
// count as a number, and a number too large to parse names no variant rather than failing.
size_t variantIndex(const std::vector<TProfileDetailItem>& items, const std::string& text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Title == text)
            return i;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return items.size();
    size_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size())
        return items.size();
    return number >= 1 && number <= items.size() ? number - 1 : items.size();
}

TargetChoice selectPreset(const TargetRequest& request, const PresetCatalogue& catalogue) {
    std::vector<TProfileItem> presets =
        request.format == ofMP4 ? Mp4PresetMenu(catalogue) : TgpPresetMenu(catalogue);
    const TProfileItem* chosen = presets.empty() ? nullptr : &presets.front();
    if (request.preset) {
        // The PSP and other presets are MP4 presets too, only not in this build's menu.
        if (request.format == ofMP4)
            for (const auto* list : {&catalogue.PspPresetList, &catalogue.OtherPresetList})
                presets.insert(presets.end(), list->begin(), list->end());
        chosen = nullptr;
        for (const auto& p : presets)
            if (p.Title == *request.preset) {
                chosen = &p;
                break;
            }
    }
    if (!chosen) {
        if (!request.preset)
            return error(TargetError::Kind::NoPresets, "no presets installed for this format");
        std::vector<std::string> titles;
        for (const auto& p : presets)
            titles.push_back(p.Title);
        return error(TargetError::Kind::UnknownPreset, "no preset titled '" + *request.preset + "'",
                     std::move(titles));
    }
    const std::vector<TProfileDetailItem> items = LoadPresetItems(chosen->PresetPath);
    if (items.empty())
        return error(TargetError::Kind::NoVariants,
                     "the preset '" + chosen->Title + "' has no variants");
    size_t index = 0;
    if (request.variant) {
        index = variantIndex(items, *request.variant);
        if (index == items.size()) {
            std::vector<std::string> titles;
            for (const auto& item : items)
                titles.push_back(item.Title);
            return error(TargetError::Kind::UnknownVariant,
                         "the preset '" + chosen->Title + "' has no variant '" + *request.variant +
                             "'",
                         std::move(titles));
        }
    }
    ChosenTarget target;
    target.preset = *chosen;
    target.variant = items[index];
    return target;
}

} // namespace

TargetChoice SelectTarget(const TargetRequest& request, const PresetCatalogue& catalogue) {
    if (request.format < 0 || request.format >= kOutputFormatCount)
        return error(TargetError::Kind::UnknownFormat,
                     "unknown format " + std::to_string(request.format));
    return IsPresetFormat(request.format) ? selectPreset(request, catalogue)
                                          : selectProfile(request);
}

TargetChoice SelectTarget(const TargetRequest& request) {
    PresetCatalogue catalogue;
    if (IsPresetFormat(request.format))
        LoadPresetCatalogue(GlobalVars.PresetDir, catalogue);
    return SelectTarget(request, catalogue);
}

} // namespace quillabe
