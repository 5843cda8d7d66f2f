#include "ui/editors/decls/AviEditor.h"

namespace quillabe {

namespace {
using namespace editor_tables;
using R = TAVISettings;
namespace b = avi_blocks;

constexpr VideoBitrateSetup kVideoBitrate{VideoBitrateTable, 13, 64, 9600};

constexpr VideoPageDecl<R> standard(MsgId entry, std::string_view suffix,
                                    VideoBlockMembers<R> block) {
    return {.entry = entry,
            .controlSuffix = suffix,
            .block = block,
            .bitrate = kVideoBitrate,
            .sizes = StandardFrameSizes};
}

// Codec list order: entry i selects page i and sets VideoCodec = i.
constexpr std::array<VideoPageDecl<R>, 11> kVideoPages{
    standard(MSG_DIVX, "DivX", b::DivX),
    standard(MSG_XVID, "XviD", b::XviD),
    standard(MSG_MSMPEG4, "Msmpeg4", b::MsMpeg4),
    standard(MSG_MSMPEG4v2, "MsMpeg4v2", b::MsMpeg4v2),
    VideoPageDecl<R>{.entry = MSG_H263,
                     .controlSuffix = "H263",
                     .block = b::H263,
                     .bitrate = kVideoBitrate,
                     .sizes = {},
                     .fixedSizes = H263FrameSizes,
                     .fixedSizeDefault = 2,
                     .aspects = H263Aspects},
    standard(MSG_H263P, "H263P", b::H263P),
    standard(MSG_H264, "H264", b::H264),
    standard(MSG_HUFFYUV, "huffYUV", b::huffYUV),
    standard(MSG_MJPEG, "Mjpeg", b::Mjpeg),
    standard(MSG_SVQ1, "Svq1", b::Svq1),
    standard(MSG_FLV, "Flv", b::Flv),
};

// Bitrate slider ranges by sample-rate index (22050, 24000, 44100, 48000).
constexpr std::array<SliderRange, 4> kMp2Ranges{{{1, 8}, {1, 8}, {1, 13}, {1, 13}}};
constexpr std::array<SliderRange, 4> kMp3Ranges{{{1, 8}, {1, 8}, {1, 12}, {1, 12}}};

// Audio codec list order: entry i selects page i and sets AudioCodec = i.
const std::array<AudioPageDecl<R>, 5> kAudioPages{{
    {MSG_MP2,
     "Mp2",
     b::Mp2,
     {.channels = ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Mp2BitrateTable,
      .maxPosition = 13,
      .rangeBySampleRate = kMp2Ranges}},
    {MSG_MP3,
     "Mp3",
     b::Mp3,
     {.channels = ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Mp3BitrateTable,
      .maxPosition = 12,
      .rangeBySampleRate = kMp3Ranges}},
    {MSG_PCM16LE,
     "Pcm16le",
     b::Pcm16le,
     {.channels = ChannelsList, .sampleRates = EightSampleRates}},
    {MSG_PCMU8, "Pcmu8", b::Pcmu8, {.channels = ChannelsList, .sampleRates = EightSampleRates}},
    // 5.1 channels fix the sample rate at 48000 and need at least 112 kbit/s.
    {MSG_AC3,
     "AC3",
     b::AC3,
     {.channels = Ac3ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Ac3BitrateTable,
      .maxPosition = 14,
      .rangeBySampleRate = Ac3RangesBySampleRate,
      .fixedRateChannel = 2,
      .fixedRateText = "48000",
      .fixedRateRange = {6, 14}}},
}};

const VideoEditorDecl<R> kAviEditor{MSG_FORMAT_AVI, &AviSettings, kVideoPages, kAudioPages};
} // namespace

const VideoEditorDecl<TAVISettings>& AviEditorDecl() {
    return kAviEditor;
}

TfrmAVIProfile::TfrmAVIProfile(QWidget* owner)
    : TProfileEditorFrame(owner, kAviEditor.format, true) {
    setObjectName("frmAVIProfile");
    BuildVideoEditor(*this, kAviEditor);
}

} // namespace quillabe
