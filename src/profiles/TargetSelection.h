#pragma once
// Choosing the target of a batch: a profile of the format by name, or an MP4/3GP preset by title
// and one of its variants by title or by number. The main window and the console front end both
// choose through here, so they accept the same names and refuse with the same words.

#include "profiles/PresetCatalogue.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quillabe {

struct TargetRequest {
    int format = -1;
    // Profile formats: the name; none: the folder's first.
    std::optional<std::string> profile = std::nullopt;
    // Preset formats: the title; none: the menu's first.
    std::optional<std::string> preset = std::nullopt;
    // The variant's title or its number from 1; none: the first.
    std::optional<std::string> variant = std::nullopt;
};

struct ChosenTarget {
    // Profile formats. Both stay empty when the folder holds no profile and none was asked for.
    std::string profileName;
    std::string profilePath;
    // Preset formats: the preset and its variant.
    std::optional<TProfileItem> preset;
    std::optional<TProfileDetailItem> variant;
};

struct TargetError {
    enum class Kind {
        UnknownFormat,
        UnknownProfile,
        UnknownPreset,
        NoPresets,
        NoVariants,
        UnknownVariant
    };
    Kind kind;
    std::string message; // e.g. "no mp3 profile named 'Loud'"
    // What the request could have named instead: profile names, preset titles or variant titles
    // (a variant's number is its place here, from 1). Empty when there is nothing to choose.
    std::vector<std::string> choices;
};

using TargetChoice = std::variant<ChosenTarget, TargetError>;

// Presets are searched by title in the format's menu, and for MP4 also among the MP4 presets this
// build's menu leaves out. A variant is matched by title first, then by number; a number that is
// 0, past the last variant or too large for any integer names no variant.
TargetChoice SelectTarget(const TargetRequest& request, const PresetCatalogue& catalogue);
// The same, with the catalogue read from GlobalVars.PresetDir when the format needs one.
TargetChoice SelectTarget(const TargetRequest& request);

} // namespace quillabe
