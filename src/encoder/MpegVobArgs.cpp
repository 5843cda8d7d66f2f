#include "encoder/EncoderBranches.h"
#include "encoder/EncoderClauses.h"

#include <array>

namespace quillabe::args {

namespace {
// By PresetType, then TargetFormat (film, NTSC, PAL).
constexpr std::array<std::array<std::string_view, 3>, 3> kTargets = {{
    {"-target film-vcd ", "-target ntsc-vcd ", "-target pal-vcd "},
    {"-target film-svcd ", "-target ntsc-svcd ", "-target pal-svcd "},
    {"-target film-dvd ", "-target ntsc-dvd ", "-target pal-dvd "},
}};
constexpr uint8_t kDvd = 2;
constexpr std::array<std::string_view, 3> kDvdAspects = {"-aspect 1:1 ", "-aspect 4:3 ",
                                                         "-aspect 16:9 "};

// A standard disc target carries its own settings; only the DVD takes bitrates and an aspect.
void appendTarget(std::string& out, const TMPEGSettings& s) {
    if (s.PresetType >= kTargets.size())
        return;
    AppendEntry(out, kTargets[s.PresetType], s.TargetFormat);
    if (s.PresetType != kDvd)
        return;
    out += "-b ";
    AppendNumber(out,
                 s.DVDVideoBitRateUsePresert ? s.DVDVideoBitRatePreset : s.DVDVideoBitRateSpecify);
    out += "k ";
    if (!s.DVDVideoKeepAspect)
        AppendEntry(out, kDvdAspects, s.DVDVideoAspect);
    if (!s.DVDAudioBitRateUseAutoSet) {
        out += "-ab ";
        AppendNumber(out, s.DVDAudioBitRatePreset);
        out += " ";
    }
}

using M = TMPEGSettings;
const std::array<VideoChoice<M>, 2> kMpegVideo = {{
    {{"-vcodec mpeg1video "}, &mpeg_blocks::Mpeg1},
    {{"-vcodec mpeg2video "}, &mpeg_blocks::Mpeg2},
}};
// The audio codec list depends on the video codec: AudioCodecMpeg2 with MPEG-2 video,
// AudioCodecMpeg1 with anything else.
const std::array<AudioChoice<M>, 2> kMpeg1Audio = {{
    {{"-acodec mp2 ", AudioShape::Mp}, &mpeg_blocks::Mp2},
    {{"-acodec mp3 ", AudioShape::Mp}, &mpeg_blocks::Mp3},
}};
const std::array<AudioChoice<M>, 3> kMpeg2Audio = {{
    {{"-acodec ac3 ", AudioShape::Ac3}, &mpeg_blocks::AC3},
    {{"-acodec mp2 ", AudioShape::Mp}, &mpeg_blocks::Mp2},
    {{"-acodec mp3 ", AudioShape::Mp}, &mpeg_blocks::Mp3},
}};

using V = TVobSettings;
const std::array<VideoChoice<V>, 1> kVobVideo = {{
    {{"-vcodec mpeg2video ", Aspect::Vob, false, kVobFrameRates}, &vob_blocks::Mpeg2},
}};
const std::array<AudioChoice<V>, 2> kVobAudio = {{
    {{"-acodec mp2 ", AudioShape::Mp}, &vob_blocks::Mp2},
    {{"-acodec ac3 ", AudioShape::Ac3}, &vob_blocks::AC3},
}};
} // namespace

std::string MpegArgs(const TMPEGSettings& s) {
    // No head: the output name's .mpg chooses the container.
    std::string out;
    AppendTimeControl(out, s.EnableTimeControl, s.Duration, s.StartTime);
    if (s.UsePresetFormats) {
        appendTarget(out, s);
        return out;
    }
    out += "-y ";
    AppendSameQuality(out, s.VideoSameQuality);
    AppendVideoChoice<M>(out, s, kMpegVideo, s.VideoCodec);
    if (s.AudioDisableAudio)
        out += "-an ";
    else if (s.VideoCodec == 1)
        AppendAudioChoice<M>(out, s, kMpeg2Audio, s.AudioCodecMpeg2);
    else
        AppendAudioChoice<M>(out, s, kMpeg1Audio, s.AudioCodecMpeg1);
    return out;
}

std::string VobArgs(const TVobSettings& s) {
    std::string out = "-y -f vob ";
    AppendTimeControl(out, s.EnableTimeControl, s.Duration, s.StartTime);
    AppendSameQuality(out, s.VideoSameQuality);
    AppendVideoChoice<V>(out, s, kVobVideo, s.VideoCodec);
    if (s.AudioDisableAudio)
        out += "-an ";
    else
        AppendAudioChoice<V>(out, s, kVobAudio, s.AudioCodec);
    return out;
}

} // namespace quillabe::args
