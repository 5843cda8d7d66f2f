#pragma once
// The repeated parts of the settings records: a video block of nine fields per codec suffix
// (eight for blocks without a size flag) and the audio blocks of four fields (two for PCM-like
// blocks without bitrate fields). Each block is declared, tabled and read from one description.

#include "profiles/SettingsRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

// Members of a video block; the record's fields are named by their profile keys.
#define QUILLABE_VIDEO_BLOCK_FIELDS(S)                                                             \
    bool VideoBitRateUsePresert##S{};                                                              \
    int32_t VideoBitRatePreset##S{};                                                               \
    int32_t VideoBitRateSpecify##S{};                                                              \
    bool VideoSizeUseSource##S{};                                                                  \
    int32_t VideoWidth##S{};                                                                       \
    int32_t VideoHeight##S{};                                                                      \
    bool VideoKeepFrameRate##S{};                                                                  \
    uint8_t VideoFrameRate##S{};                                                                   \
    uint8_t VideoAspect##S{};

// A video block whose frame size is always passed (H.263 only knows a few sizes).
#define QUILLABE_VIDEO_BLOCK_FIELDS_NO_SIZE_FLAG(S)                                                \
    bool VideoBitRateUsePresert##S{};                                                              \
    int32_t VideoBitRatePreset##S{};                                                               \
    int32_t VideoBitRateSpecify##S{};                                                              \
    int32_t VideoWidth##S{};                                                                       \
    int32_t VideoHeight##S{};                                                                      \
    bool VideoKeepFrameRate##S{};                                                                  \
    uint8_t VideoFrameRate##S{};                                                                   \
    uint8_t VideoAspect##S{};

#define QUILLABE_AUDIO_BLOCK_FIELDS(S)                                                             \
    bool AudioBitRateUseAutoSet##S{};                                                              \
    int32_t AudioBitRatePreset##S{};                                                               \
    uint8_t AudioSampleRate##S{};                                                                  \
    uint8_t AudioChannels##S{};

// Audio without bitrate fields (PCM, A-law).
#define QUILLABE_RATE_BLOCK_FIELDS(S)                                                              \
    uint8_t AudioSampleRate##S{};                                                                  \
    uint8_t AudioChannels##S{};

// The member pointers of a block declared with the macros above.
// clang-format off
#define QUILLABE_VIDEO_BLOCK(R, S)                                                                 \
    ::quillabe::VideoBlockMembers<R>{                                                              \
        #S, &R::VideoBitRateUsePresert##S, &R::VideoBitRatePreset##S, &R::VideoBitRateSpecify##S,  \
        &R::VideoSizeUseSource##S, &R::VideoWidth##S, &R::VideoHeight##S,                          \
        &R::VideoKeepFrameRate##S, &R::VideoFrameRate##S, &R::VideoAspect##S}
#define QUILLABE_VIDEO_BLOCK_NO_SIZE_FLAG(R, S)                                                    \
    ::quillabe::VideoBlockMembers<R>{                                                              \
        #S, &R::VideoBitRateUsePresert##S, &R::VideoBitRatePreset##S, &R::VideoBitRateSpecify##S,  \
        nullptr, &R::VideoWidth##S, &R::VideoHeight##S,                                            \
        &R::VideoKeepFrameRate##S, &R::VideoFrameRate##S, &R::VideoAspect##S}
#define QUILLABE_AUDIO_BLOCK(R, S)                                                                 \
    ::quillabe::AudioBlockMembers<R>{                                                              \
        #S, &R::AudioBitRateUseAutoSet##S, &R::AudioBitRatePreset##S, &R::AudioSampleRate##S,      \
        &R::AudioChannels##S}
#define QUILLABE_RATE_BLOCK(R, S)                                                                  \
    ::quillabe::AudioBlockMembers<R>{                                                              \
        #S, nullptr, nullptr, &R::AudioSampleRate##S, &R::AudioChannels##S}
// clang-format on

namespace quillabe {

template <class R> struct VideoBlockMembers {
    std::string_view suffix;
    bool R::*usePresert;
    int32_t R::*preset;
    int32_t R::*specify;
    bool R::*sizeUseSource; // nullptr: the block has no size flag
    int32_t R::*width;
    int32_t R::*height;
    bool R::*keepFrameRate;
    uint8_t R::*frameRate;
    uint8_t R::*aspect;
};

template <class R> struct AudioBlockMembers {
    std::string_view suffix;
    bool R::*useAutoSet; // nullptr (with preset) for blocks without bitrate fields
    int32_t R::*preset;
    uint8_t R::*sampleRate;
    uint8_t R::*channels;
};

struct VideoBlockDefaults {
    bool usePresert = true;
    int32_t bitRate = 0; // preset and specified alike
    bool sizeUseSource = true;
    int32_t width = 640;
    int32_t height = 480;
    bool keepFrameRate = true;
    uint8_t frameRate = 7;
    uint8_t aspect = 0;
};

struct AudioBlockDefaults {
    bool useAutoSet = false;
    int32_t bitRate = 0;
    uint8_t sampleRate = 0;
    uint8_t channels = 1;
};

// A block's values, read out of a record for the argument builder.
struct VideoBlockValues {
    bool usePresert;
    int32_t preset;
    int32_t specify;
    bool hasSizeFlag;
    bool sizeUseSource;
    int32_t width;
    int32_t height;
    bool keepFrameRate;
    uint8_t frameRate;
    uint8_t aspect;
};

struct AudioBlockValues {
    bool useAutoSet;
    int32_t preset;
    uint8_t sampleRate;
    uint8_t channels;
};

template <class R>
void AddVideoBlock(LayoutBuilder<R>& b, const VideoBlockMembers<R>& m,
                   const VideoBlockDefaults& d) {
    const std::string s(m.suffix);
    b.Add("VideoBitRateUsePresert" + s, m.usePresert, d.usePresert);
    b.Add("VideoBitRatePreset" + s, m.preset, d.bitRate);
    b.Add("VideoBitRateSpecify" + s, m.specify, d.bitRate);
    if (m.sizeUseSource)
        b.Add("VideoSizeUseSource" + s, m.sizeUseSource, d.sizeUseSource);
    b.Add("VideoWidth" + s, m.width, d.width);
    b.Add("VideoHeight" + s, m.height, d.height);
    b.Add("VideoKeepFrameRate" + s, m.keepFrameRate, d.keepFrameRate);
    b.Add("VideoFrameRate" + s, m.frameRate, d.frameRate);
    b.Add("VideoAspect" + s, m.aspect, d.aspect);
}

template <class R>
void AddAudioBlock(LayoutBuilder<R>& b, const AudioBlockMembers<R>& m,
                   const AudioBlockDefaults& d) {
    const std::string s(m.suffix);
    if (m.useAutoSet) {
        b.Add("AudioBitRateUseAutoSet" + s, m.useAutoSet, d.useAutoSet);
        b.Add("AudioBitRatePreset" + s, m.preset, d.bitRate);
    }
    b.Add("AudioSampleRate" + s, m.sampleRate, d.sampleRate);
    b.Add("AudioChannels" + s, m.channels, d.channels);
}

template <class R> VideoBlockValues ReadVideoBlock(const R& r, const VideoBlockMembers<R>& m) {
    return {r.*m.usePresert,
            r.*m.preset,
            r.*m.specify,
            m.sizeUseSource != nullptr,
            m.sizeUseSource ? r.*m.sizeUseSource : false,
            r.*m.width,
            r.*m.height,
            r.*m.keepFrameRate,
            r.*m.frameRate,
            r.*m.aspect};
}

template <class R> AudioBlockValues ReadAudioBlock(const R& r, const AudioBlockMembers<R>& m) {
    return {m.useAutoSet ? r.*m.useAutoSet : true, m.preset ? r.*m.preset : 0, r.*m.sampleRate,
            r.*m.channels};
}

} // namespace quillabe
