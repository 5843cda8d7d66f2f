#include "cli/TargetText.h"

#include "base/PathUtils.h"
#include "core/OutputFormat.h"

namespace quillabe {

std::string DescribeTarget(int format, const ChosenTarget& target,
                           const std::string& outputFolder) {
    std::string text =
        "target: " + std::string(kOutputFormats[static_cast<size_t>(format)].directoryName);
    if (target.preset && target.variant) {
        text += ", preset \"" + target.preset->Title + "\", variant \"" + target.variant->Title +
                "\" (" + target.preset->PresetPath + ")";
    } else if (!target.profilePath.empty()) {
        text += ", profile \"" + target.profileName + "\" (" + target.profilePath + ")";
    } else {
        text += ", no profile installed: the format's default settings";
    }
    return text + "\noutput: " + AddBackslash(outputFolder) + "\n";
}

std::string TargetErrorText(const TargetError& error) {
    std::string text = error.message;
    if (error.choices.empty())
        return text;
    switch (error.kind) {
    case TargetError::Kind::UnknownProfile:
        text += "; the profiles are:";
        break;
    case TargetError::Kind::UnknownPreset:
        text += "; the presets are:";
        break;
    case TargetError::Kind::UnknownVariant:
        text += "; its variants are:";
        break;
    default:
        text += "; choose one of:";
        break;
    }
    int number = 0;
    for (const std::string& choice : error.choices) {
        text += "\n  ";
        if (error.kind == TargetError::Kind::UnknownVariant)
            text += std::to_string(++number) + "  ";
        text += choice;
    }
    return text;
}

} // namespace quillabe
