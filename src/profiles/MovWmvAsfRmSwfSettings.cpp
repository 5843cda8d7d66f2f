#include "profiles/MovWmvAsfRmSwfSettings.h"

namespace quillabe {

TMovSettings MovSettings;
TWmvSettings WmvSettings;
TAsfSettings AsfSettings;
TRmSettings RmSettings;
TSwfSettings SwfSettings;

namespace {
// The four codec fields in the record's own order; only the video codec default differs.
template <class R>
void addCodecFields(LayoutBuilder<R>& l, std::vector<std::string_view> order,
                    int32_t videoCodec = 0) {
    for (std::string_view key : order) {
        if (key == "VideoCodec")
            l.Add("VideoCodec", &R::VideoCodec, videoCodec);
        else if (key == "VideoSameQuality")
            l.Add("VideoSameQuality", &R::VideoSameQuality, 0);
        else if (key == "AudioCodec")
            l.Add("AudioCodec", &R::AudioCodec, 0);
        else
            l.Add("AudioDisableAudio", &R::AudioDisableAudio, 0);
    }
}

RecordLayout<TMovSettings> buildMovLayout() {
    using R = TMovSettings;
    namespace b = mov_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    addCodecFields(l, {"VideoCodec", "VideoSameQuality", "AudioCodec", "AudioDisableAudio"}, 4);
    const VideoBlockDefaults video{.bitRate = 1200};
    AddVideoBlock(l, b::DivX, video);
    AddVideoBlock(l, b::XviD, video);
    AddVideoBlock(l, b::H263, {.bitRate = 1200, .width = 352, .height = 288});
    AddVideoBlock(l, b::H264, video);
    AddVideoBlock(l, b::Svq1, video);
    AddAudioBlock(l, b::AACMp4, {.bitRate = 64, .sampleRate = 3, .channels = 1});
    AddAudioBlock(l, b::Alaw, {.sampleRate = 3, .channels = 1});
    AddAudioBlock(l, b::Armnb, {.bitRate = 8, .sampleRate = 0, .channels = 0});
    AddAudioBlock(l, b::Pcm16le, {.sampleRate = 3, .channels = 1});
    AddAudioBlock(l, b::Pcm16be, {.sampleRate = 3, .channels = 1});
    return l.LoadHead(kVideoFileHead).SaveHead(kVideoFileHead).Build();
}

RecordLayout<TWmvSettings> buildWmvLayout() {
    using R = TWmvSettings;
    namespace b = wmv_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    addCodecFields(l, {"AudioDisableAudio", "AudioCodec", "VideoCodec", "VideoSameQuality"}, 3);
    const VideoBlockDefaults video{.bitRate = 768};
    for (const auto* block : {&b::MsMpeg4, &b::MsMpeg4v2, &b::Wmv7, &b::Wmv8})
        AddVideoBlock(l, *block, video);
    AddAudioBlock(l, b::Mp3, {.useAutoSet = true, .bitRate = 64, .sampleRate = 0, .channels = 1});
    return l.LoadHead(kVideoFileHead).SaveHead(kVideoFileHead).Build();
}

RecordLayout<TAsfSettings> buildAsfLayout() {
    using R = TAsfSettings;
    namespace b = asf_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    addCodecFields(l, {"AudioCodec", "AudioDisableAudio", "VideoCodec", "VideoSameQuality"});
    const VideoBlockDefaults video{.bitRate = 768};
    AddVideoBlock(l, b::MsMpeg4, video);
    AddVideoBlock(l, b::MsMpeg4v2, video);
    AddAudioBlock(l, b::Mp3, {.bitRate = 64, .sampleRate = 0, .channels = 1});
    return l.LoadHead(kVideoFileHead).SaveHead(kVideoFileHead).Build();
}

RecordLayout<TRmSettings> buildRmLayout() {
    using R = TRmSettings;
    namespace b = rm_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    addCodecFields(l, {"VideoCodec", "VideoSameQuality", "AudioCodec", "AudioDisableAudio"});
    AddVideoBlock(l, b::Rm10, {.bitRate = 768, .width = 320, .height = 240});
    AddAudioBlock(l, b::AC3, {.bitRate = 256, .sampleRate = 3, .channels = 1});
    // Existing RM files carry the bitrate pair before its switch, and write the codec fields
    // audio first.
    std::vector<std::string_view> load = kVideoFileHead;
    load.insert(load.end(), {"VideoBitRatePresetRm10", "VideoBitRateSpecifyRm10",
                             "VideoBitRateUsePresertRm10"});
    l.LoadHead(load);
    l.SaveHead({"Description", "EnableTimeControl", "Duration", "StartTime", "AudioCodec",
                "AudioDisableAudio", "VideoCodec", "VideoSameQuality", "VideoBitRatePresetRm10",
                "VideoBitRateSpecifyRm10", "VideoBitRateUsePresertRm10"});
    return l.Build();
}

RecordLayout<TSwfSettings> buildSwfLayout() {
    using R = TSwfSettings;
    namespace b = swf_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    addCodecFields(l, {"VideoSameQuality", "VideoCodec", "AudioCodec", "AudioDisableAudio"});
    AddVideoBlock(l, b::Flv, {.bitRate = 768});
    // The sample rate counts in the three-rate table of SWF: 1 is 22050 Hz.
    AddAudioBlock(l, b::Mp3, {.useAutoSet = true, .bitRate = 64, .sampleRate = 1, .channels = 1});
    return l.LoadHead(kVideoFileHead).SaveHead(kVideoFileHead).Build();
}
} // namespace

QUILLABE_RECORD_OPERATIONS(Mov, MovSettings, buildMovLayout)
QUILLABE_RECORD_OPERATIONS(Wmv, WmvSettings, buildWmvLayout)
QUILLABE_RECORD_OPERATIONS(Asf, AsfSettings, buildAsfLayout)
QUILLABE_RECORD_OPERATIONS(Rm, RmSettings, buildRmLayout)
QUILLABE_RECORD_OPERATIONS(Swf, SwfSettings, buildSwfLayout)

} // namespace quillabe
