#include "encoder/EncoderBranches.h"
#include "encoder/EncoderClauses.h"

#include <array>

namespace quillabe::args {

namespace {
// Head, time control, same quality, then the video and audio tables of the format.
template <class R, size_t NV, size_t NA>
std::string formatArgs(std::string_view head, const R& s,
                       const std::array<VideoChoice<R>, NV>& video,
                       const std::array<AudioChoice<R>, NA>& audio) {
    std::string out(head);
    AppendTimeControl(out, s.EnableTimeControl, s.Duration, s.StartTime);
    AppendSameQuality(out, s.VideoSameQuality);
    AppendVideoChoice<R>(out, s, video, s.VideoCodec);
    if (s.AudioDisableAudio)
        out += "-an ";
    else
        AppendAudioChoice<R>(out, s, audio, s.AudioCodec);
    return out;
}

// The H.263 block takes the five-value aspect index, H.264 the standard one.
const std::array<VideoChoice<TMovSettings>, 5> kMovVideo = {{
    {{"-vcodec svq1 "}, &mov_blocks::Svq1},
    {{"-vcodec msmpeg4 "}, &mov_blocks::DivX},
    {{"-vcodec xvid "}, &mov_blocks::XviD},
    {{"-vcodec h263 ", Aspect::FiveValue}, &mov_blocks::H263},
    {{"-vcodec h264 "}, &mov_blocks::H264},
}};
// AAC is the container's own audio, chosen by the encoder without a codec option.
const std::array<AudioChoice<TMovSettings>, 5> kMovAudio = {{
    {{"", AudioShape::Mp, kEightRates}, &mov_blocks::AACMp4},
    {{"-acodec pcm_alaw ", AudioShape::Pcm}, &mov_blocks::Alaw},
    {{"-acodec amr_nb ", AudioShape::Amr, {}, "-ar 8000 "}, &mov_blocks::Armnb},
    {{"-acodec pcm_s16le ", AudioShape::Pcm}, &mov_blocks::Pcm16le},
    {{"-acodec pcm_s16be ", AudioShape::Pcm}, &mov_blocks::Pcm16be},
}};

const std::array<VideoChoice<TWmvSettings>, 4> kWmvVideo = {{
    {{"-vcodec msmpeg4 "}, &wmv_blocks::MsMpeg4},
    {{"-vcodec msmpeg4v2 "}, &wmv_blocks::MsMpeg4v2},
    {{"-vcodec wmv1 "}, &wmv_blocks::Wmv7},
    {{"-vcodec wmv2 "}, &wmv_blocks::Wmv8},
}};
const std::array<AudioChoice<TWmvSettings>, 1> kWmvAudio = {{
    {{"-acodec mp3 ", AudioShape::Mp}, &wmv_blocks::Mp3},
}};

const std::array<VideoChoice<TAsfSettings>, 2> kAsfVideo = {{
    {{"-vcodec msmpeg4 "}, &asf_blocks::MsMpeg4},
    {{"-vcodec msmpeg4v2 "}, &asf_blocks::MsMpeg4v2},
}};
const std::array<AudioChoice<TAsfSettings>, 1> kAsfAudio = {{
    {{"-acodec mp3 ", AudioShape::Mp}, &asf_blocks::Mp3},
}};

const std::array<VideoChoice<TRmSettings>, 1> kRmVideo = {{
    {{"-vcodec rv10 ", Aspect::Standard, true}, &rm_blocks::Rm10},
}};
const std::array<AudioChoice<TRmSettings>, 1> kRmAudio = {{
    {{"-acodec ac3 ", AudioShape::Ac3}, &rm_blocks::AC3},
}};

const std::array<VideoChoice<TSwfSettings>, 1> kSwfVideo = {{
    {{"-vcodec flv "}, &swf_blocks::Flv},
}};
// Flash audio knows three rates of its own.
const std::array<AudioChoice<TSwfSettings>, 1> kSwfAudio = {{
    {{"-acodec mp3 ", AudioShape::Mp, kSwfRates}, &swf_blocks::Mp3},
}};
} // namespace

// WMV and SWF pass no container option; the output name's extension chooses it.
std::string MovArgs(const TMovSettings& s) {
    return formatArgs("-y -f mov ", s, kMovVideo, kMovAudio);
}
std::string WmvArgs(const TWmvSettings& s) {
    return formatArgs("-y ", s, kWmvVideo, kWmvAudio);
}
std::string AsfArgs(const TAsfSettings& s) {
    return formatArgs("-y -f asf ", s, kAsfVideo, kAsfAudio);
}
std::string RmArgs(const TRmSettings& s) {
    return formatArgs("-y -f rm ", s, kRmVideo, kRmAudio);
}
std::string SwfArgs(const TSwfSettings& s) {
    return formatArgs("-y ", s, kSwfVideo, kSwfAudio);
}

} // namespace quillabe::args
