#include "profiles/AudioSettings.h"

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

namespace b = audio_blocks;

RecordLayout<TAacSettings> buildAacLayout() {
    return audioLayout<TAacSettings>({{&b::AACMp4, {.bitRate = 128, .sampleRate = 6}}});
}
RecordLayout<TAc3Settings> buildAc3Layout() {
    return audioLayout<TAc3Settings>({{&b::AC3, {.bitRate = 384, .sampleRate = 3}}});
}
RecordLayout<TMp2Settings> buildMp2Layout() {
    return audioLayout<TMp2Settings>({{&b::Mp2, {.bitRate = 160, .sampleRate = 2}}});
}
RecordLayout<TMp3Settings> buildMp3Layout() {
    return audioLayout<TMp3Settings>({{&b::Mp3, {.bitRate = 128, .sampleRate = 2}}});
}
RecordLayout<TAmrSettings> buildAmrLayout() {
    // One sample rate and mono only; index 0 stands for 8000 Hz (narrow) or 16000 Hz (wide).
    return audioLayout<TAmrSettings>(
        {{&b::Armnb, {.bitRate = 13, .sampleRate = 0, .channels = 0}},
         {&b::Armwb, {.bitRate = 13, .sampleRate = 0, .channels = 0}}});
}
RecordLayout<TWavSettings> buildWavLayout() {
    return audioLayout<TWavSettings>(
        {{&b::Pcm16le, {.sampleRate = 6}}, {&b::Pcmu8, {.sampleRate = 6}}});
}

} // namespace

QUILLABE_RECORD_OPERATIONS(Aac, AacSettings, buildAacLayout)
QUILLABE_RECORD_OPERATIONS(Ac3, Ac3Settings, buildAc3Layout)
QUILLABE_RECORD_OPERATIONS(Mp2, Mp2Settings, buildMp2Layout)
QUILLABE_RECORD_OPERATIONS(Mp3, Mp3Settings, buildMp3Layout)
QUILLABE_RECORD_OPERATIONS(Amr, AmrSettings, buildAmrLayout)
QUILLABE_RECORD_OPERATIONS(Wav, WavSettings, buildWavLayout)

} // namespace quillabe
