#include "profiles/MpegVobSettings.h"

namespace quillabe {

TMPEGSettings MpegSettings;
TVobSettings VobSettings;

namespace {
RecordLayout<TMPEGSettings> buildMpegLayout() {
    using R = TMPEGSettings;
    namespace b = mpeg_blocks;
    LayoutBuilder<R> l;
    l.Description();
    l.Add("UsePresetFormats", &R::UsePresetFormats, 0);
    l.Add("TargetFormat", &R::TargetFormat, 0);
    l.Add("PresetType", &R::PresetType, 0);
    l.TimeControl();
    l.Add("VideoCodec", &R::VideoCodec, 1);
    l.Add("VideoSameQuality", &R::VideoSameQuality, 0);
    l.Add("AudioCodecMpeg1", &R::AudioCodecMpeg1, 0);
    l.Add("AudioCodecMpeg2", &R::AudioCodecMpeg2, 0);
    l.Add("AudioDisableAudio", &R::AudioDisableAudio, 0);
    AddVideoBlock(l, b::Mpeg1, {.bitRate = 1152, .frameRate = 7});
    AddVideoBlock(l, b::Mpeg2, {.bitRate = 2496, .frameRate = 8});
    AddAudioBlock(l, b::AC3, {.bitRate = 256, .sampleRate = 3, .channels = 1});
    AddAudioBlock(l, b::Mp2, {.bitRate = 160, .sampleRate = 2, .channels = 1});
    AddAudioBlock(l, b::Mp3, {.bitRate = 160, .sampleRate = 2, .channels = 1});
    l.Add("DVDVideoBitRateUsePresert", &R::DVDVideoBitRateUsePresert, 1);
    l.Add("DVDVideoBitRatePreset", &R::DVDVideoBitRatePreset, 6000);
    l.Add("DVDVideoBitRateSpecify", &R::DVDVideoBitRateSpecify, 6000);
    l.Add("DVDVideoKeepAspect", &R::DVDVideoKeepAspect, 1);
    l.Add("DVDVideoAspect", &R::DVDVideoAspect, 1);
    l.Add("DVDAudioBitRateUseAutoSet", &R::DVDAudioBitRateUseAutoSet, 0);
    l.Add("DVDAudioBitRatePreset", &R::DVDAudioBitRatePreset, 384);
    // Files have always carried the target choice before its switch.
    l.SaveHead({"Description", "TargetFormat", "PresetType", "UsePresetFormats"});
    return l.Build();
}

RecordLayout<TVobSettings> buildVobLayout() {
    using R = TVobSettings;
    namespace b = vob_blocks;
    LayoutBuilder<R> l;
    l.Description().TimeControl();
    l.Add("AudioCodec", &R::AudioCodec, 1);
    l.Add("AudioDisableAudio", &R::AudioDisableAudio, 0);
    l.Add("VideoCodec", &R::VideoCodec, 0);
    l.Add("VideoSameQuality", &R::VideoSameQuality, 0);
    AddVideoBlock(
        l, b::Mpeg2,
        {.bitRate = 6000, .sizeUseSource = false, .width = 720, .height = 576, .frameRate = 3});
    AddAudioBlock(l, b::AC3, {.bitRate = 384, .sampleRate = 3, .channels = 1});
    AddAudioBlock(l, b::Mp2, {.bitRate = 320, .sampleRate = 3, .channels = 1});
    l.LoadHead(kVideoFileHead).SaveHead(kVideoFileHead);
    return l.Build();
}
} // namespace

QUILLABE_RECORD_OPERATIONS(Mpeg, MpegSettings, buildMpegLayout)
QUILLABE_RECORD_OPERATIONS(Vob, VobSettings, buildVobLayout)

} // namespace quillabe
