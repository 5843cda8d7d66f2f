#pragma once
// The values the editors offer, as data: bitrate tables (kbit/s; a slider position p, counted
// from 1, stands for entry p), the shared frame-rate and channels lists, and the shapes of the
// per-page lists and ranges that each format's declaration fills in.

#include "lang/Messages.h"

#include <array>
#include <span>
#include <string_view>

namespace quillabe::editor_tables {

inline constexpr std::array VideoBitrateTable{64,   128,  256,  512,  768,  1080, 1152,
                                              1200, 1500, 2496, 4600, 6000, 9600};
inline constexpr std::array WmvVideoBitrateTable{64,   128,  256,  512,  768,  1080,
                                                 1152, 1200, 1500, 2496, 4600, 6000};
inline constexpr std::array SwfVideoBitrateTable{64,   128,  256,  512,  768, 1080,
                                                 1152, 1200, 1500, 2496, 3600};
inline constexpr std::array Ac3BitrateTable{32,  48,  56,  64,  96,  112, 128,
                                            160, 192, 224, 256, 320, 384, 448};
inline constexpr std::array Mp2BitrateTable{32,  48,  56,  64,  96,  112, 128,
                                            160, 192, 224, 256, 320, 384};
inline constexpr std::array Mp3BitrateTable{32, 48, 56, 64, 96, 112, 128, 160, 192, 224, 256, 320};
inline constexpr std::array AacBitrateTable{24, 32, 48, 56, 64, 96, 112, 128, 160, 192, 224, 256};
inline constexpr std::array AmrNbBitrateTable{8, 9, 10, 11, 12, 13};
inline constexpr std::array AmrWbBitrateTable{7, 9, 13, 16, 18, 20, 24};

// Index 0..12 as the records store it.
inline constexpr std::array<std::string_view, 13> FrameRateList{
    "10", "12", "14.985", "15", "19.98", "23.976", "24", "25", "29.97", "30", "50", "59.94", "60"};

inline constexpr std::array ChannelsList{MSG_CHANNELS_1, MSG_CHANNELS_2};
inline constexpr std::array Ac3ChannelsList{MSG_CHANNELS_1, MSG_CHANNELS_2, MSG_CHANNELS_6};

inline constexpr std::array FourSampleRates{22050, 24000, 44100, 48000};
inline constexpr std::array EightSampleRates{11025, 12000, 16000, 22050,
                                             24000, 32000, 44100, 48000};

// One entry of a size list; the list's last entry "..." is added by the size group. Without a
// label the entry reads "<width>x<height>".
struct FrameSize {
    int width;
    int height;
    std::string_view label = {};
};

// Slider positions, both ends inclusive, counted from 1.
struct SliderRange {
    int min;
    int max;
};

// A radio choice and the number a record stores for it. The button is named "RadioButton" + name
// + the page suffix; `caption` wins over `text` when set.
struct Choice {
    std::string_view name;
    std::string_view text;
    int value;
    MsgId caption = kMsgCount;
};

inline constexpr std::array StandardAspects{Choice{"AutoSetAspect", "", 0, MSG_ASPECT_AUTO},
                                            Choice{"Aspect43", "4:3", 1},
                                            Choice{"Aspect169", "16:9", 2}};

// A fixed frame size offered as a radio choice.
struct SizeChoice {
    std::string_view name;
    FrameSize size;
};

} // namespace quillabe::editor_tables
