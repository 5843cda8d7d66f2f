#pragma once
// The profile records of the audio-only formats: AAC, AC3, MP2, MP3, AMR and WAV.

#include "profiles/SettingsBlocks.h"

#include <cstdint>
#include <string>

// The shared head of the audio records; none of them has a same-quality or audio-off switch.
#define QUILLABE_AUDIO_RECORD_HEAD                                                                 \
    std::string Description;                                                                       \
    bool EnableTimeControl{};                                                                      \
    std::string Duration;                                                                          \
    std::string StartTime;                                                                         \
    uint8_t AudioCodec{};

namespace quillabe {

struct TAacSettings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_AUDIO_BLOCK_FIELDS(AACMp4)
    bool operator==(const TAacSettings&) const = default;
};

struct TAc3Settings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_AUDIO_BLOCK_FIELDS(AC3)
    bool operator==(const TAc3Settings&) const = default;
};

struct TMp2Settings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp2)
    bool operator==(const TMp2Settings&) const = default;
};

struct TMp3Settings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_AUDIO_BLOCK_FIELDS(Mp3)
    bool operator==(const TMp3Settings&) const = default;
};

struct TAmrSettings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_AUDIO_BLOCK_FIELDS(Armnb)
    QUILLABE_AUDIO_BLOCK_FIELDS(Armwb)
    bool operator==(const TAmrSettings&) const = default;
};

struct TWavSettings {
    QUILLABE_AUDIO_RECORD_HEAD
    QUILLABE_RATE_BLOCK_FIELDS(Pcm16le)
    QUILLABE_RATE_BLOCK_FIELDS(Pcmu8)
    bool operator==(const TWavSettings&) const = default;
};

namespace audio_blocks {
inline constexpr auto AACMp4 = QUILLABE_AUDIO_BLOCK(TAacSettings, AACMp4);
inline constexpr auto AC3 = QUILLABE_AUDIO_BLOCK(TAc3Settings, AC3);
inline constexpr auto Mp2 = QUILLABE_AUDIO_BLOCK(TMp2Settings, Mp2);
inline constexpr auto Mp3 = QUILLABE_AUDIO_BLOCK(TMp3Settings, Mp3);
inline constexpr auto Armnb = QUILLABE_AUDIO_BLOCK(TAmrSettings, Armnb);
inline constexpr auto Armwb = QUILLABE_AUDIO_BLOCK(TAmrSettings, Armwb);
inline constexpr auto Pcm16le = QUILLABE_RATE_BLOCK(TWavSettings, Pcm16le);
inline constexpr auto Pcmu8 = QUILLABE_RATE_BLOCK(TWavSettings, Pcmu8);
} // namespace audio_blocks

extern TAacSettings AacSettings;
extern TAc3Settings Ac3Settings;
extern TMp2Settings Mp2Settings;
extern TMp3Settings Mp3Settings;
extern TAmrSettings AmrSettings;
extern TWavSettings WavSettings;

void DefaultAacSettings();
void LoadAacSettings(const std::string& path);
void SaveAacSettings(const std::string& path);
const RecordLayout<TAacSettings>& AacSettingsLayout();

void DefaultAc3Settings();
void LoadAc3Settings(const std::string& path);
void SaveAc3Settings(const std::string& path);
const RecordLayout<TAc3Settings>& Ac3SettingsLayout();

void DefaultMp2Settings();
void LoadMp2Settings(const std::string& path);
void SaveMp2Settings(const std::string& path);
const RecordLayout<TMp2Settings>& Mp2SettingsLayout();

void DefaultMp3Settings();
void LoadMp3Settings(const std::string& path);
void SaveMp3Settings(const std::string& path);
const RecordLayout<TMp3Settings>& Mp3SettingsLayout();

void DefaultAmrSettings();
void LoadAmrSettings(const std::string& path);
void SaveAmrSettings(const std::string& path);
const RecordLayout<TAmrSettings>& AmrSettingsLayout();

void DefaultWavSettings();
void LoadWavSettings(const std::string& path);
void SaveWavSettings(const std::string& path);
const RecordLayout<TWavSettings>& WavSettingsLayout();

} // namespace quillabe
