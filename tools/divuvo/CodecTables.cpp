#include "divuvo/CodecTables.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"

#include <algorithm>
#include <array>

namespace quillabe::divuvo {

namespace {

using Q = QualityMode;

constexpr std::array kVideoCodecs{
    VideoCodecInfo{"xvid", "libxvid", "XviD", Q::Quantizer},
    VideoCodecInfo{"h264", "libx264", "H.264", Q::Crf},
    VideoCodecInfo{"msmpeg4", "msmpeg4", "MS-MPEG4 v3", Q::Quantizer},
    VideoCodecInfo{"msmpeg4v2", "msmpeg4v2", "MS-MPEG4 v2", Q::Quantizer},
    VideoCodecInfo{"msmpeg4v1", "msmpeg4v1", "MS-MPEG4 v1", Q::Quantizer},
    VideoCodecInfo{"mpeg4", "mpeg4", "MPEG-4", Q::Quantizer},
    VideoCodecInfo{"h263", "h263", "H.263", Q::Quantizer},
    VideoCodecInfo{"h263p", "h263p", "H.263+", Q::Quantizer},
    VideoCodecInfo{"ffvhuff", "ffvhuff", "huffYUV", Q::Lossless},
    VideoCodecInfo{"huffyuv", "huffyuv", "huffYUV", Q::Lossless},
    VideoCodecInfo{"mjpeg", "mjpeg", "M-JPEG", Q::Quantizer},
    VideoCodecInfo{"svq1", "svq1", "Sorenson Video 1", Q::Quantizer},
    VideoCodecInfo{"flv", "flv", "Flash Video", Q::Quantizer},
    VideoCodecInfo{"wmv1", "wmv1", "WMV7", Q::Quantizer},
    VideoCodecInfo{"wmv2", "wmv2", "WMV8", Q::Quantizer},
    VideoCodecInfo{"rv10", "rv10", "RealVideo 1", Q::Quantizer},
    VideoCodecInfo{"rv20", "rv20", "RealVideo 2", Q::Quantizer},
    VideoCodecInfo{"mpeg1video", "mpeg1video", "MPEG-1", Q::Quantizer},
    VideoCodecInfo{"mpeg2video", "mpeg2video", "MPEG-2", Q::Quantizer},
};

constexpr std::array kAudioCodecs{
    AudioCodecInfo{"mp2", "mp2", "MP2"},
    AudioCodecInfo{"mp3", "libmp3lame", "MP3"},
    AudioCodecInfo{"pcm_s16le", "pcm_s16le", "PCM 16-bit little-endian"},
    AudioCodecInfo{"pcm_s16be", "pcm_s16be", "PCM 16-bit big-endian"},
    AudioCodecInfo{"pcm_u8", "pcm_u8", "PCM unsigned 8-bit"},
    AudioCodecInfo{"pcm_alaw", "pcm_alaw", "A-law"},
    AudioCodecInfo{"pcm_mulaw", "pcm_mulaw", "mu-law"},
    AudioCodecInfo{"ac3", "ac3", "AC3"},
    AudioCodecInfo{"aac", "aac", "AAC"},
    AudioCodecInfo{"amr_nb", "", "AMR narrow-band"},
    AudioCodecInfo{"amr_wb", "", "AMR wide-band"},
};

constexpr std::array kFormats{
    FormatInfo{"avi", "avi", "AVI"},     FormatInfo{"mov", "mov", "MOV"},
    FormatInfo{"rm", "rm", "RealMedia"}, FormatInfo{"vob", "vob", "VOB"},
    FormatInfo{"asf", "asf", "ASF"},     FormatInfo{"wmv", "asf", "ASF"},
    FormatInfo{"aac", "adts", "AAC"},    FormatInfo{"adts", "adts", "AAC"},
    FormatInfo{"ac3", "ac3", "AC3"},     FormatInfo{"mp2", "mp2", "MP2"},
    FormatInfo{"mp3", "mp3", "MP3"},     FormatInfo{"amr", "amr", "AMR"},
    FormatInfo{"wav", "wav", "WAV"},     FormatInfo{"mp4", "mp4", "MP4"},
    FormatInfo{"m4v", "mp4", "MP4"},     FormatInfo{"m4a", "ipod", "MP4 audio"},
    FormatInfo{"3gp", "3gp", "3GP"},     FormatInfo{"3g2", "3g2", "3GP2"},
    FormatInfo{"psp", "psp", "PSP MP4"}, FormatInfo{"ipod", "ipod", "iPod MP4"},
    FormatInfo{"swf", "swf", "SWF"},     FormatInfo{"flv", "flv", "FLV"},
    FormatInfo{"mpg", "mpeg", "MPEG"},   FormatInfo{"mpeg", "mpeg", "MPEG"},
    FormatInfo{"m1v", "mpeg", "MPEG"},   FormatInfo{"m2v", "mpeg2video", "MPEG-2 video"},
    FormatInfo{"dvd", "dvd", "DVD"},     FormatInfo{"svcd", "svcd", "SVCD"},
    FormatInfo{"vcd", "vcd", "VCD"},     FormatInfo{"mkv", "matroska", "Matroska"},
    FormatInfo{"ogg", "ogg", "Ogg"},     FormatInfo{"ts", "mpegts", "MPEG-TS"},
};

// What ffmpeg chooses by itself; -sameq needs to know the encoder to pick its quality setting.
struct DefaultEncoder {
    std::string_view muxer, encoder;
};
constexpr std::array kDefaultVideoEncoders{
    DefaultEncoder{"avi", "mpeg4"},        DefaultEncoder{"mov", "libx264"},
    DefaultEncoder{"mp4", "libx264"},      DefaultEncoder{"ipod", "libx264"},
    DefaultEncoder{"psp", "libx264"},      DefaultEncoder{"3gp", "h263"},
    DefaultEncoder{"3g2", "h263"},         DefaultEncoder{"asf", "msmpeg4"},
    DefaultEncoder{"rm", "rv10"},          DefaultEncoder{"swf", "flv"},
    DefaultEncoder{"flv", "flv"},          DefaultEncoder{"mpeg", "mpeg1video"},
    DefaultEncoder{"vob", "mpeg2video"},   DefaultEncoder{"dvd", "mpeg2video"},
    DefaultEncoder{"svcd", "mpeg2video"},  DefaultEncoder{"vcd", "mpeg1video"},
    DefaultEncoder{"matroska", "libx264"},
};

constexpr std::array<std::string_view, 1> kMuxersNeedingAudio{"psp"};
constexpr std::array<std::string_view, 6> kAudioOnlyMuxers{"adts", "ac3", "mp2",
                                                           "mp3",  "amr", "wav"};

struct RateAlias {
    std::string_view decimal, exact;
};
constexpr std::array kNtscRates{
    RateAlias{"14.985", "15000/1001"}, RateAlias{"19.98", "20000/1001"},
    RateAlias{"23.976", "24000/1001"}, RateAlias{"29.97", "30000/1001"},
    RateAlias{"59.94", "60000/1001"},
};

struct Display {
    std::string_view name, display;
};
constexpr std::array kOtherDisplayNames{
    Display{"adts", "AAC"},          Display{"mpeg", "MPEG"},     Display{"libmp3lame", "MP3"},
    Display{"matroska", "Matroska"}, Display{"ac3_fixed", "AC3"}, Display{"mp2fixed", "MP2"},
};

template <typename Table, typename Key>
auto findIn(const Table& table, std::string_view value, Key key) -> decltype(&table[0]) {
    for (const auto& row : table)
        if (key(row) == value)
            return &row;
    return nullptr;
}

} // namespace

const VideoCodecInfo* FindVideoCodec(std::string_view oldName) {
    return findIn(kVideoCodecs, oldName, [](const auto& r) { return r.oldName; });
}
const VideoCodecInfo* FindVideoEncoder(std::string_view encoder) {
    return findIn(kVideoCodecs, encoder, [](const auto& r) { return r.encoder; });
}
const AudioCodecInfo* FindAudioCodec(std::string_view oldName) {
    return findIn(kAudioCodecs, oldName, [](const auto& r) { return r.oldName; });
}
const AudioCodecInfo* FindAudioEncoder(std::string_view encoder) {
    if (encoder.empty())
        return nullptr;
    return findIn(kAudioCodecs, encoder, [](const auto& r) { return r.encoder; });
}
const FormatInfo* FindFormat(std::string_view oldName) {
    return findIn(kFormats, oldName, [](const auto& r) { return r.oldName; });
}

const FormatInfo* FormatForFileName(std::string_view fileName) {
    std::string ext = ExtractFileExt(fileName);
    if (ext.size() < 2)
        return nullptr;
    return FindFormat(LowerCase(ext.substr(1)));
}

std::string_view DefaultVideoEncoder(std::string_view muxer) {
    const auto* row = findIn(kDefaultVideoEncoders, muxer, [](const auto& r) { return r.muxer; });
    return row ? row->encoder : std::string_view();
}

bool MuxerNeedsAudio(std::string_view muxer) {
    return std::find(kMuxersNeedingAudio.begin(), kMuxersNeedingAudio.end(), muxer) !=
           kMuxersNeedingAudio.end();
}

bool AudioOnlyMuxer(std::string_view muxer) {
    return std::find(kAudioOnlyMuxers.begin(), kAudioOnlyMuxers.end(), muxer) !=
           kAudioOnlyMuxers.end();
}

std::string ExactFrameRate(std::string_view rate) {
    const auto* row = findIn(kNtscRates, rate, [](const auto& r) { return r.decimal; });
    return std::string(row ? row->exact : rate);
}

std::string DisplayName(std::string_view name) {
    if (const auto* v = FindVideoEncoder(name))
        return std::string(v->display);
    if (const auto* a = FindAudioEncoder(name))
        return std::string(a->display);
    if (const auto* d = findIn(kOtherDisplayNames, name, [](const auto& r) { return r.name; }))
        return std::string(d->display);
    for (const auto& f : kFormats)
        if (f.muxer == name)
            return std::string(f.display);
    return std::string(name);
}

} // namespace quillabe::divuvo
