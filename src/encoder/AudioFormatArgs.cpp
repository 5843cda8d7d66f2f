#include "encoder/EncoderBranches.h"
#include "encoder/EncoderClauses.h"

#include <array>

namespace quillabe::args {

namespace {
// Head, time control, no video, then the audio table of the format. These formats have no
// same-quality or audio-off switch.
template <class R, size_t N>
std::string audioArgs(std::string_view head, const R& s,
                      const std::array<AudioChoice<R>, N>& audio) {
    std::string out(head);
    AppendTimeControl(out, s.EnableTimeControl, s.Duration, s.StartTime);
    out += "-vn ";
    AppendAudioChoice<R>(out, s, audio, s.AudioCodec);
    return out;
}

namespace b = audio_blocks;
const std::array<AudioChoice<TAacSettings>, 1> kAac = {{
    {{"-acodec aac ", AudioShape::Mp, kEightRates}, &b::AACMp4},
}};
const std::array<AudioChoice<TAc3Settings>, 1> kAc3 = {{
    {{"-acodec ac3 ", AudioShape::Ac3}, &b::AC3},
}};
const std::array<AudioChoice<TMp2Settings>, 1> kMp2 = {{
    {{"-acodec mp2 ", AudioShape::Mp}, &b::Mp2},
}};
const std::array<AudioChoice<TMp3Settings>, 1> kMp3 = {{
    {{"-acodec mp3 ", AudioShape::Mp}, &b::Mp3},
}};
const std::array<AudioChoice<TAmrSettings>, 2> kAmr = {{
    {{"-acodec amr_nb ", AudioShape::Amr, {}, "-ar 8000 "}, &b::Armnb},
    {{"-acodec amr_wb ", AudioShape::Amr, {}, "-ar 16000 "}, &b::Armwb},
}};
const std::array<AudioChoice<TWavSettings>, 2> kWav = {{
    {{"-acodec pcm_s16le ", AudioShape::Pcm}, &b::Pcm16le},
    {{"-acodec pcm_u8 ", AudioShape::Pcm}, &b::Pcmu8},
}};
} // namespace

std::string AacArgs(const TAacSettings& s) {
    return audioArgs("-y -f aac ", s, kAac);
}
std::string Ac3Args(const TAc3Settings& s) {
    return audioArgs("-y -f ac3 ", s, kAc3);
}
std::string Mp2Args(const TMp2Settings& s) {
    return audioArgs("-y -f mp2 ", s, kMp2);
}
std::string Mp3Args(const TMp3Settings& s) {
    return audioArgs("-y -f mp3 ", s, kMp3);
}
std::string AmrArgs(const TAmrSettings& s) {
    return audioArgs("-y -f amr ", s, kAmr);
}
std::string WavArgs(const TWavSettings& s) {
    return audioArgs("-y -f wav ", s, kWav);
}

} // namespace quillabe::args
