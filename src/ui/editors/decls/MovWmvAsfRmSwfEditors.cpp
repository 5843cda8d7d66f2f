#include "ui/editors/decls/MovWmvAsfRmSwfEditors.h"

namespace quillabe {

namespace {
using namespace editor_tables;

constexpr VideoBitrateSetup kVideoBitrate{VideoBitrateTable, 13, 64, 9600};
constexpr VideoBitrateSetup kWmvVideoBitrate{WmvVideoBitrateTable, 12, 64, 6000};
constexpr VideoBitrateSetup kSwfVideoBitrate{SwfVideoBitrateTable, 11, 64, 3600};

// RealVideo stops at PAL size: 1280 x 720 is reached only through "...".
constexpr std::span<const FrameSize> kRmSizes{StandardFrameSizes.data(), 12};

template <class R>
constexpr VideoPageDecl<R> standard(MsgId entry, std::string_view suffix,
                                    VideoBlockMembers<R> block, VideoBitrateSetup bitrate,
                                    std::span<const FrameSize> sizes = StandardFrameSizes) {
    return {.entry = entry,
            .controlSuffix = suffix,
            .block = block,
            .bitrate = bitrate,
            .sizes = sizes};
}

constexpr std::array AmrNbSampleRates{8000};
constexpr std::array MonoOnly{MSG_CHANNELS_1};
constexpr std::array Mp3SwfSampleRates{11025, 22050, 44100};

// Bitrate slider ranges by sample-rate index.
constexpr std::array<SliderRange, 8> kAacRanges{
    {{1, 5}, {1, 5}, {1, 6}, {1, 8}, {1, 8}, {1, 10}, {1, 12}, {1, 12}}};
constexpr std::array<SliderRange, 4> kMp3Ranges{{{1, 8}, {1, 8}, {1, 12}, {1, 12}}};
constexpr std::array<SliderRange, 3> kSwfMp3Ranges{{{1, 8}, {1, 8}, {1, 12}}};

constexpr AudioPageSetup kMp3Page{.channels = ChannelsList,
                                  .sampleRates = FourSampleRates,
                                  .bitrateTable = Mp3BitrateTable,
                                  .maxPosition = 12,
                                  .rangeBySampleRate = kMp3Ranges};
constexpr AudioPageSetup kEightRatePage{.channels = ChannelsList, .sampleRates = EightSampleRates};

// --- MOV -------------------------------------------------------------------------------------

namespace mov {
using R = TMovSettings;
namespace b = mov_blocks;

// Codec list order: entry i selects page i and sets VideoCodec = i (not the record's block order).
constexpr std::array<VideoPageDecl<R>, 5> kVideoPages{
    standard<R>(MSG_SVQ1, "Svq1", b::Svq1, kVideoBitrate),
    standard<R>(MSG_DIVX, "DivX", b::DivX, kVideoBitrate),
    standard<R>(MSG_XVID, "XviD", b::XviD, kVideoBitrate),
    VideoPageDecl<R>{.entry = MSG_H263,
                     .controlSuffix = "H263",
                     .block = b::H263,
                     .bitrate = kVideoBitrate,
                     .sizes = {},
                     .fixedSizes = H263FrameSizes,
                     .fixedSizeDefault = 2,
                     .aspects = H263Aspects},
    standard<R>(MSG_H264, "H264", b::H264, kVideoBitrate),
};

const std::array<AudioPageDecl<R>, 5> kAudioPages{{
    {MSG_AAC,
     "AACMp4",
     b::AACMp4,
     {.channels = ChannelsList,
      .sampleRates = EightSampleRates,
      .bitrateTable = AacBitrateTable,
      .maxPosition = 12,
      .rangeBySampleRate = kAacRanges}},
    {MSG_ALAW, "Alaw", b::Alaw, kEightRatePage},
    {MSG_AMRNB,
     "Armnb",
     b::Armnb,
     {.channels = MonoOnly,
      .sampleRates = AmrNbSampleRates,
      .bitrateTable = AmrNbBitrateTable,
      .maxPosition = 6}},
    {MSG_PCM16LE, "Pcm16le", b::Pcm16le, kEightRatePage},
    {MSG_PCM16BE, "Pcm16be", b::Pcm16be, kEightRatePage},
}};

const VideoEditorDecl<R> kEditor{MSG_FORMAT_MOV, &MovSettings, kVideoPages, kAudioPages};
} // namespace mov

// --- WMV and ASF -----------------------------------------------------------------------------

// The first page's controls are named "Msmpeg4" as in the other editors; its fields "MsMpeg4".
namespace wmv {
using R = TWmvSettings;
namespace b = wmv_blocks;

constexpr std::array<VideoPageDecl<R>, 4> kVideoPages{
    standard<R>(MSG_MSMPEG4, "Msmpeg4", b::MsMpeg4, kWmvVideoBitrate),
    standard<R>(MSG_MSMPEG4v2, "MsMpeg4v2", b::MsMpeg4v2, kWmvVideoBitrate),
    standard<R>(MSG_WMV7, "Wmv7", b::Wmv7, kWmvVideoBitrate),
    standard<R>(MSG_WMV8, "Wmv8", b::Wmv8, kWmvVideoBitrate),
};
const std::array<AudioPageDecl<R>, 1> kAudioPages{{{MSG_MP3, "Mp3", b::Mp3, kMp3Page}}};

const VideoEditorDecl<R> kEditor{MSG_FORMAT_WMV, &WmvSettings, kVideoPages, kAudioPages};
} // namespace wmv

namespace asf {
using R = TAsfSettings;
namespace b = asf_blocks;

constexpr std::array<VideoPageDecl<R>, 2> kVideoPages{
    standard<R>(MSG_MSMPEG4, "Msmpeg4", b::MsMpeg4, kWmvVideoBitrate),
    standard<R>(MSG_MSMPEG4v2, "MsMpeg4v2", b::MsMpeg4v2, kWmvVideoBitrate),
};
const std::array<AudioPageDecl<R>, 1> kAudioPages{{{MSG_MP3, "Mp3", b::Mp3, kMp3Page}}};

const VideoEditorDecl<R> kEditor{MSG_FORMAT_ASF, &AsfSettings, kVideoPages, kAudioPages};
} // namespace asf

// --- RM --------------------------------------------------------------------------------------

namespace rm {
using R = TRmSettings;
namespace b = rm_blocks;

constexpr std::array<VideoPageDecl<R>, 1> kVideoPages{
    standard<R>(MSG_RV7, "Rm10", b::Rm10, kVideoBitrate, kRmSizes),
};
// 5.1 channels fix the sample rate at 48000 and need at least 112 kbit/s.
const std::array<AudioPageDecl<R>, 1> kAudioPages{{
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

const VideoEditorDecl<R> kEditor{MSG_FORMAT_RM, &RmSettings, kVideoPages, kAudioPages};
} // namespace rm

// --- SWF -------------------------------------------------------------------------------------

namespace swf {
using R = TSwfSettings;
namespace b = swf_blocks;

constexpr std::array<VideoPageDecl<R>, 1> kVideoPages{
    standard<R>(MSG_FLV, "Flv", b::Flv, kSwfVideoBitrate),
};
// Flash players take MP3 at 11025, 22050 or 44100 Hz only.
const std::array<AudioPageDecl<R>, 1> kAudioPages{{
    {MSG_MP3,
     "Mp3",
     b::Mp3,
     {.channels = ChannelsList,
      .sampleRates = Mp3SwfSampleRates,
      .bitrateTable = Mp3BitrateTable,
      .maxPosition = 12,
      .rangeBySampleRate = kSwfMp3Ranges}},
}};

const VideoEditorDecl<R> kEditor{MSG_FORMAT_SWF, &SwfSettings, kVideoPages, kAudioPages};
} // namespace swf

} // namespace

const VideoEditorDecl<TMovSettings>& MovEditorDecl() {
    return mov::kEditor;
}
const VideoEditorDecl<TWmvSettings>& WmvEditorDecl() {
    return wmv::kEditor;
}
const VideoEditorDecl<TAsfSettings>& AsfEditorDecl() {
    return asf::kEditor;
}
const VideoEditorDecl<TRmSettings>& RmEditorDecl() {
    return rm::kEditor;
}
const VideoEditorDecl<TSwfSettings>& SwfEditorDecl() {
    return swf::kEditor;
}

TfrmMovProfile::TfrmMovProfile(QWidget* owner)
    : TProfileEditorFrame(owner, mov::kEditor.format, true) {
    setObjectName("frmMovProfile");
    BuildVideoEditor(*this, mov::kEditor);
}

TfrmWmvProfile::TfrmWmvProfile(QWidget* owner)
    : TProfileEditorFrame(owner, wmv::kEditor.format, true) {
    setObjectName("frmWmvProfile");
    BuildVideoEditor(*this, wmv::kEditor);
}

TfrmAsfProfile::TfrmAsfProfile(QWidget* owner)
    : TProfileEditorFrame(owner, asf::kEditor.format, true) {
    setObjectName("frmAsfProfile");
    BuildVideoEditor(*this, asf::kEditor);
}

TfrmRMProfile::TfrmRMProfile(QWidget* owner)
    : TProfileEditorFrame(owner, rm::kEditor.format, true) {
    setObjectName("frmRMProfile");
    BuildVideoEditor(*this, rm::kEditor);
}

TfrmSwfProfile::TfrmSwfProfile(QWidget* owner)
    : TProfileEditorFrame(owner, swf::kEditor.format, true) {
    setObjectName("frmSwfProfile");
    BuildVideoEditor(*this, swf::kEditor);
}

std::unique_ptr<TProfileEditor> CreateMovWmvAsfRmSwfEditor(int formatIndex, QWidget* owner) {
    switch (formatIndex) {
    case 4:
        return std::make_unique<TfrmMovProfile>(owner);
    case 5:
        return std::make_unique<TfrmWmvProfile>(owner);
    case 6:
        return std::make_unique<TfrmRMProfile>(owner);
    case 7:
        return std::make_unique<TfrmSwfProfile>(owner);
    case 9:
        return std::make_unique<TfrmAsfProfile>(owner);
    default:
        return nullptr;
    }
}

} // namespace quillabe
