#pragma once
// The sixteen output formats: index, profile directory name, output extension and route.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillabe {

enum TOutputFormat : uint8_t {
    ofAVI = 0,
    ofMP4 = 1,
    of3GP = 2,
    ofMPEG = 3,
    ofMOV = 4,
    ofWMV = 5,
    ofRM = 6,
    ofSWF = 7,
    ofVOB = 8,
    ofASF = 9,
    ofAAC = 10,
    ofAC3 = 11,
    ofMP2 = 12,
    ofMP3 = 13,
    ofAMR = 14,
    ofWAV = 15,
};

inline constexpr int kOutputFormatCount = 16;

enum class ConversionRoute : uint8_t { Direct, BatchCore };

struct OutputFormatInfo {
    TOutputFormat index;
    std::string_view name;          // "AVI"
    std::string_view directoryName; // profile directory and the word used for the format
    std::string_view extension;     // with its dot; empty for the preset formats (from EXT)
    ConversionRoute route;
    std::string_view action; // the main window's command that selects it
};

extern const std::array<OutputFormatInfo, kOutputFormatCount> kOutputFormats;

// The format whose directory name is `dir` (exact), if any.
std::optional<TOutputFormat> OutputFormatFromDirectory(std::string_view dir);
// MP4 and 3GP are converted through presets, not profiles.
constexpr bool IsPresetFormat(int format) {
    return format == ofMP4 || format == of3GP;
}

} // namespace quillabe
