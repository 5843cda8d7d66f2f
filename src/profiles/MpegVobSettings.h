#pragma once
// The MPEG profile record (standard disc targets or free MPEG-1/MPEG-2 settings) and the VOB
// profile record (MPEG-2 only).

#include "profiles/SettingsBlocks.h"

#include <cstdint>
#include <string>

namespace quillabe {

struct TMPEGSettings {
    std::string Description;
    bool UsePresetFormats{};
    uint8_t TargetFormat{};
    uint8_t PresetType{};
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    uint8_t AudioCodecMpeg1{};
    uint8_t AudioCodecMpeg2{};
    bool AudioDisableAudio{};
    QUILLABE_VIDEO_BLOCK_FIELDS(Mpeg1)
    QUILLABE_VIDEO_BLOCK_FIELDS(Mpeg2)
    QUILLABE_AUDIO_BLOCK_FIELDS(AC3)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp2)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)
    bool DVDVideoBitRateUsePresert{};
    int32_t DVDVideoBitRatePreset{};
    int32_t DVDVideoBitRateSpecify{};
    bool DVDVideoKeepAspect{};
    uint8_t DVDVideoAspect{};
    bool DVDAudioBitRateUseAutoSet{};
    int32_t DVDAudioBitRatePreset{};

    bool operator==(const TMPEGSettings&) const = default;
};

struct TVobSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    QUILLABE_VIDEO_BLOCK_FIELDS(Mpeg2)
    QUILLABE_AUDIO_BLOCK_FIELDS(AC3)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp2)

    bool operator==(const TVobSettings&) const = default;
};

namespace mpeg_blocks {
inline constexpr auto Mpeg1 = QUILLABE_VIDEO_BLOCK(TMPEGSettings, Mpeg1);
inline constexpr auto Mpeg2 = QUILLABE_VIDEO_BLOCK(TMPEGSettings, Mpeg2);
inline constexpr auto AC3 = QUILLABE_AUDIO_BLOCK(TMPEGSettings, AC3);
inline constexpr auto Mp2 = QUILLABE_AUDIO_BLOCK(TMPEGSettings, Mp2);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TMPEGSettings, Mp3);
} // namespace mpeg_blocks

namespace vob_blocks {
inline constexpr auto Mpeg2 = QUILLABE_VIDEO_BLOCK(TVobSettings, Mpeg2);
inline constexpr auto AC3 = QUILLABE_AUDIO_BLOCK(TVobSettings, AC3);
inline constexpr auto Mp2 = QUILLABE_AUDIO_BLOCK(TVobSettings, Mp2);
} // namespace vob_blocks

extern TMPEGSettings MpegSettings;
extern TVobSettings VobSettings;

void DefaultMpegSettings();
void LoadMpegSettings(const std::string& path);
void SaveMpegSettings(const std::string& path);
const RecordLayout<TMPEGSettings>& MpegSettingsLayout();

void DefaultVobSettings();
void LoadVobSettings(const std::string& path);
void SaveVobSettings(const std::string& path);
const RecordLayout<TVobSettings>& VobSettingsLayout();

} // namespace quillabe
