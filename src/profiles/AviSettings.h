#pragma once
// The AVI profile record: header, fourteen video blocks (three of them kept only for the file
// format; no codec selects DV, Mpeg1 or Mpeg2) and five audio blocks.

#include "profiles/SettingsBlocks.h"

#include <cstdint>
#include <string>

namespace quillabe {

struct TAVISettings {
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
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4)
    QUILLABE_VIDEO_BLOCK_FIELDS(MsMpeg4v2)
    QUILLABE_VIDEO_BLOCK_FIELDS_NO_SIZE_FLAG(H263)
    QUILLABE_VIDEO_BLOCK_FIELDS(H263P)
    QUILLABE_VIDEO_BLOCK_FIELDS(H264)
    QUILLABE_VIDEO_BLOCK_FIELDS(DV)
    QUILLABE_VIDEO_BLOCK_FIELDS(huffYUV)
    QUILLABE_VIDEO_BLOCK_FIELDS(Mjpeg)
    QUILLABE_VIDEO_BLOCK_FIELDS(Mpeg1)
    QUILLABE_VIDEO_BLOCK_FIELDS(Mpeg2)
    QUILLABE_VIDEO_BLOCK_FIELDS(Svq1)
    QUILLABE_VIDEO_BLOCK_FIELDS(Flv)
    QUILLABE_AUDIO_BLOCK_FIELDS(AC3)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp2)
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)
    QUILLABE_RATE_BLOCK_FIELDS(Pcm16le)
    QUILLABE_RATE_BLOCK_FIELDS(Pcmu8)

    bool operator==(const TAVISettings&) const = default;
};

// The blocks, for the layout and the argument builder.
namespace avi_blocks {
inline constexpr auto DivX = QUILLABE_VIDEO_BLOCK(TAVISettings, DivX);
inline constexpr auto XviD = QUILLABE_VIDEO_BLOCK(TAVISettings, XviD);
inline constexpr auto MsMpeg4 = QUILLABE_VIDEO_BLOCK(TAVISettings, MsMpeg4);
inline constexpr auto MsMpeg4v2 = QUILLABE_VIDEO_BLOCK(TAVISettings, MsMpeg4v2);
inline constexpr auto H263 = QUILLABE_VIDEO_BLOCK_NO_SIZE_FLAG(TAVISettings, H263);
inline constexpr auto H263P = QUILLABE_VIDEO_BLOCK(TAVISettings, H263P);
inline constexpr auto H264 = QUILLABE_VIDEO_BLOCK(TAVISettings, H264);
inline constexpr auto DV = QUILLABE_VIDEO_BLOCK(TAVISettings, DV);
inline constexpr auto huffYUV = QUILLABE_VIDEO_BLOCK(TAVISettings, huffYUV);
inline constexpr auto Mjpeg = QUILLABE_VIDEO_BLOCK(TAVISettings, Mjpeg);
inline constexpr auto Mpeg1 = QUILLABE_VIDEO_BLOCK(TAVISettings, Mpeg1);
inline constexpr auto Mpeg2 = QUILLABE_VIDEO_BLOCK(TAVISettings, Mpeg2);
inline constexpr auto Svq1 = QUILLABE_VIDEO_BLOCK(TAVISettings, Svq1);
inline constexpr auto Flv = QUILLABE_VIDEO_BLOCK(TAVISettings, Flv);
inline constexpr auto AC3 = QUILLABE_AUDIO_BLOCK(TAVISettings, AC3);
inline constexpr auto Mp2 = QUILLABE_AUDIO_BLOCK(TAVISettings, Mp2);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TAVISettings, Mp3);
inline constexpr auto Pcm16le = QUILLABE_RATE_BLOCK(TAVISettings, Pcm16le);
inline constexpr auto Pcmu8 = QUILLABE_RATE_BLOCK(TAVISettings, Pcmu8);
} // namespace avi_blocks

extern TAVISettings AviSettings;

void DefaultAviSettings();
void LoadAviSettings(const std::string& path);
void SaveAviSettings(const std::string& path);
const RecordLayout<TAVISettings>& AviSettingsLayout();

} // namespace quillabe
