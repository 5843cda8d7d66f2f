#pragma once
// The profile records of the other video formats: MOV, WMV, ASF, RM and SWF.

#include "profiles/SettingsBlocks.h"

#include <cstdint>
#include <string>

namespace quillabe {

struct TMovSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    QUILLABE_VIDEO_BLOCK_FIELDS(DivX)
    QUILLABE_VIDEO_BLOCK_FIELDS(XviD)
    QUILLABE_VIDEO_BLOCK_FIELDS_NO_SIZE_FLAG(H263)
    QUILLABE_VIDEO_BLOCK_FIELDS(H264)
    QUILLABE_VIDEO_BLOCK_FIELDS(Svq1)
    QUILLABE_AUDIO_BLOCK_FIELDS(AACMp4)
    QUILLABE_RATE_BLOCK_FIELDS(Alaw)
    QUILLABE_AUDIO_BLOCK_FIELDS(Armnb)
    QUILLABE_RATE_BLOCK_FIELDS(Pcm16le)
    QUILLABE_RATE_BLOCK_FIELDS(Pcm16be)

    bool operator==(const TMovSettings&) const = default;
};

struct TWmvSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    bool AudioDisableAudio{};
    uint8_t AudioCodec{};
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4)
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4v2)
    QUILLABE_VIDEO_BLOCK_FIELDS(Wmv7)
    QUILLABE_VIDEO_BLOCK_FIELDS(Wmv8)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)

    bool operator==(const TWmvSettings&) const = default;
};

struct TAsfSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4)
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4v2)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)

    bool operator==(const TAsfSettings&) const = default;
};

struct TRmSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    uint8_t VideoCodec{};
    bool VideoSameQuality{};
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    QUILLABE_VIDEO_BLOCK_FIELDS(Rm10)
    QUILLABE_AUDIO_BLOCK_FIELDS(AC3)

    bool operator==(const TRmSettings&) const = default;
};

struct TSwfSettings {
    std::string Description;
    bool EnableTimeControl{};
    std::string Duration;
    std::string StartTime;
    bool VideoSameQuality{};
    uint8_t VideoCodec{};
    uint8_t AudioCodec{};
    bool AudioDisableAudio{};
    QUILLABE_VIDEO_BLOCK_FIELDS(Flv)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)

    bool operator==(const TSwfSettings&) const = default;
};

namespace mov_blocks {
inline constexpr auto DivX = QUILLABE_VIDEO_BLOCK(TMovSettings, DivX);
inline constexpr auto XviD = QUILLABE_VIDEO_BLOCK(TMovSettings, XviD);
inline constexpr auto H263 = QUILLABE_VIDEO_BLOCK_NO_SIZE_FLAG(TMovSettings, H263);
inline constexpr auto H264 = QUILLABE_VIDEO_BLOCK(TMovSettings, H264);
inline constexpr auto Svq1 = QUILLABE_VIDEO_BLOCK(TMovSettings, Svq1);
inline constexpr auto AACMp4 = QUILLABE_AUDIO_BLOCK(TMovSettings, AACMp4);
inline constexpr auto Alaw = QUILLABE_RATE_BLOCK(TMovSettings, Alaw);
inline constexpr auto Armnb = QUILLABE_AUDIO_BLOCK(TMovSettings, Armnb);
inline constexpr auto Pcm16le = QUILLABE_RATE_BLOCK(TMovSettings, Pcm16le);
inline constexpr auto Pcm16be = QUILLABE_RATE_BLOCK(TMovSettings, Pcm16be);
} // namespace mov_blocks

namespace wmv_blocks {
inline constexpr auto MsMpeg4 = QUILLABE_VIDEO_BLOCK(TWmvSettings, MsMpeg4);
inline constexpr auto MsMpeg4v2 = QUILLABE_VIDEO_BLOCK(TWmvSettings, MsMpeg4v2);
inline constexpr auto Wmv7 = QUILLABE_VIDEO_BLOCK(TWmvSettings, Wmv7);
inline constexpr auto Wmv8 = QUILLABE_VIDEO_BLOCK(TWmvSettings, Wmv8);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TWmvSettings, Mp3);
} // namespace wmv_blocks

namespace asf_blocks {
inline constexpr auto MsMpeg4 = QUILLABE_VIDEO_BLOCK(TAsfSettings, MsMpeg4);
inline constexpr auto MsMpeg4v2 = QUILLABE_VIDEO_BLOCK(TAsfSettings, MsMpeg4v2);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TAsfSettings, Mp3);
} // namespace asf_blocks

namespace rm_blocks {
inline constexpr auto Rm10 = QUILLABE_VIDEO_BLOCK(TRmSettings, Rm10);
inline constexpr auto AC3 = QUILLABE_AUDIO_BLOCK(TRmSettings, AC3);
} // namespace rm_blocks

namespace swf_blocks {
inline constexpr auto Flv = QUILLABE_VIDEO_BLOCK(TSwfSettings, Flv);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TSwfSettings, Mp3);
} // namespace swf_blocks

extern TMovSettings MovSettings;
extern TWmvSettings WmvSettings;
extern TAsfSettings AsfSettings;
extern TRmSettings RmSettings;
extern TSwfSettings SwfSettings;

void DefaultMovSettings();
void LoadMovSettings(const std::string& path);
void SaveMovSettings(const std::string& path);
const RecordLayout<TMovSettings>& MovSettingsLayout();

void DefaultWmvSettings();
void LoadWmvSettings(const std::string& path);
void SaveWmvSettings(const std::string& path);
const RecordLayout<TWmvSettings>& WmvSettingsLayout();

void DefaultAsfSettings();
void LoadAsfSettings(const std::string& path);
void SaveAsfSettings(const std::string& path);
const RecordLayout<TAsfSettings>& AsfSettingsLayout();

void DefaultRmSettings();
void LoadRmSettings(const std::string& path);
void SaveRmSettings(const std::string& path);
const RecordLayout<TRmSettings>& RmSettingsLayout();

void DefaultSwfSettings();
void LoadSwfSettings(const std::string& path);
void SaveSwfSettings(const std::string& path);
const RecordLayout<TSwfSettings>& SwfSettingsLayout();

} // namespace quillabe
