#include "encoder/EncoderBranches.h"
#include "encoder/EncoderClauses.h"

#include <array>

namespace quillabe::args {

namespace {
using R = TAVISettings;
namespace b = avi_blocks;

// By VideoCodec. DivX and MS-mpeg4 send the same codec but keep their own settings; the DV,
// Mpeg1 and Mpeg2 blocks belong to no codec.
const std::array<VideoChoice<R>, 11> kVideo = {{
    {{"-vcodec msmpeg4 "}, &b::DivX},
    {{"-vcodec xvid "}, &b::XviD},
    {{"-vcodec msmpeg4 "}, &b::MsMpeg4},
    {{"-vcodec msmpeg4v2 "}, &b::MsMpeg4v2},
    {{"-vcodec h263 ", Aspect::FiveValue}, &b::H263},
    {{"-vcodec h263p "}, &b::H263P},
    {{"-vcodec h264 "}, &b::H264},
    {{"-vcodec ffvhuff "}, &b::huffYUV},
    {{"-vcodec mjpeg "}, &b::Mjpeg},
    {{"-vcodec svq1 "}, &b::Svq1},
    {{"-vcodec flv "}, &b::Flv},
}};

// By AudioCodec.
const std::array<AudioChoice<R>, 5> kAudio = {{
    {{"-acodec mp2 ", AudioShape::Mp}, &b::Mp2},
    {{"-acodec mp3 ", AudioShape::Mp}, &b::Mp3},
    {{"-acodec pcm_s16le ", AudioShape::Pcm}, &b::Pcm16le},
    {{"-acodec pcm_u8 ", AudioShape::Pcm}, &b::Pcmu8},
    {{"-acodec ac3 ", AudioShape::Ac3}, &b::AC3},
}};
} // namespace

std::string AviArgs(const TAVISettings& s) {
    std::string out = "-y -f avi ";
    AppendTimeControl(out, s.EnableTimeControl, s.Duration, s.StartTime);
    AppendSameQuality(out, s.VideoSameQuality);
    AppendVideoChoice<R>(out, s, kVideo, s.VideoCodec);
    if (s.AudioDisableAudio)
        out += "-an ";
    else
        AppendAudioChoice<R>(out, s, kAudio, s.AudioCodec);
    return out;
}

} // namespace quillabe::args
