#include "AudioSettings.h"

#include <initializer_list>

namespace quillabe {

TAacSettings AacSettings;
TAc3Settings Ac3Settings;
TMp2Settings Mp2Settings;
TMp3Settings Mp3Settings;
TAmrSettings AmrSettings;
TWavSettings WavSettings;

namespace {
// Header, then the record's blocks with their defaults, all in record and file order.
template <class R>
RecordLayout<R> audioLayout(
    std::initializer_list<std::pair<const AudioBlockMembers<R>*, AudioBlockDefaults>> blocks) {
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    l.Add("AudioCodec", &R::AudioCodec, 0);
    for (const auto& [block, defaults] : blocks)
        AddAudioBlock(l, *block, defaults);
    return l.Build();
}
} // namespace

namespace b = audio_blocks;

const RecordLayout<TAacSettings>& AacSettingsLayout() {
    static const auto layout =
        audioLayout<TAacSettings>({{&b::AACMp4, {.bitRate = 128, .sampleRate = 6}}});
    return layout;
}
const RecordLayout<TAc3Settings>& Ac3SettingsLayout() {
    static const auto layout =
        audioLayout<TAc3Settings>({{&b::AC3, {.bitRate = 384, .sampleRate = 3}}});
    return layout;
}
const RecordLayout<TMp2Settings>& Mp2SettingsLayout() {
    static const auto layout =
        audioLayout<TMp2Settings>({{&b::Mp2, {.bitRate = 160, .sampleRate = 2}}});
    return layout;
}
const RecordLayout<TMp3Settings>& Mp3SettingsLayout() {
    static const auto layout =
        audioLayout<TMp3Settings>({{&b::Mp3, {.bitRate = 128, .sampleRate = 2}}});
    return layout;
}
const RecordLayout<TAmrSettings>& AmrSettingsLayout() {
    // One sample rate and mono only; index 0 stands for 8000 Hz (narrow) or 16000 Hz (wide).
    static const auto layout =
        audioLayout<TAmrSettings>({{&b::Armnb, {.bitRate = 13, .sampleRate = 0, .channels = 0}},
                                   {&b::Armwb, {.bitRate = 13, .sampleRate = 0, .channels = 0}}});
    return layout;
}
const RecordLayout<TWavSettings>& WavSettingsLayout() {
    static const auto layout = audioLayout<TWavSettings>(
        {{&b::Pcm16le, {.sampleRate = 6}}, {&b::Pcmu8, {.sampleRate = 6}}});
    return layout;
}

QUILLABE_RECORD_OPERATIONS(Aac, AacSettings, AacSettingsLayout)
QUILLABE_RECORD_OPERATIONS(Ac3, Ac3Settings, Ac3SettingsLayout)
QUILLABE_RECORD_OPERATIONS(Mp2, Mp2Settings, Mp2SettingsLayout)
QUILLABE_RECORD_OPERATIONS(Mp3, Mp3Settings, Mp3SettingsLayout)
QUILLABE_RECORD_OPERATIONS(Amr, AmrSettings, AmrSettingsLayout)
QUILLABE_RECORD_OPERATIONS(Wav, WavSettings, WavSettingsLayout)

} // namespace quillabe
