#include "profiles/AviSettings.h"

namespace quillabe {

TAVISettings AviSettings;

namespace {
RecordLayout<TAVISettings> buildLayout() {
    using R = TAVISettings;
    namespace b = avi_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    l.Add("VideoCodec", &R::VideoCodec, 0);
    l.Add("VideoSameQuality", &R::VideoSameQuality, 0);
    l.Add("AudioCodec", &R::AudioCodec, 1);
    l.Add("AudioDisableAudio", &R::AudioDisableAudio, 0);
    const VideoBlockDefaults video{.bitRate = 1080};
    for (const auto* block : {&b::DivX, &b::XviD, &b::MsMpeg4, &b::MsMpeg4v2})
        AddVideoBlock(l, *block, video);
    AddVideoBlock(l, b::H263, {.bitRate = 1080, .width = 352, .height = 288});
    for (const auto* block : {&b::H263P, &b::H264, &b::DV, &b::huffYUV, &b::Mjpeg, &b::Mpeg1,
                              &b::Mpeg2, &b::Svq1, &b::Flv})
        AddVideoBlock(l, *block, video);
    const AudioBlockDefaults audio{.bitRate = 96, .sampleRate = 0, .channels = 1};
    for (const auto* block : {&b::AC3, &b::Mp2, &b::Mp3})
        AddAudioBlock(l, *block, audio);
    for (const auto* block : {&b::Pcm16le, &b::Pcmu8})
        AddAudioBlock(l, *block, {.sampleRate = 3, .channels = 1});
    return l.Build();
}
} // namespace

QUILLABE_RECORD_OPERATIONS(Avi, AviSettings, buildLayout)

} // namespace quillabe
