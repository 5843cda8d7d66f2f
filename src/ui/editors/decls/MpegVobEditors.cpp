#include "ui/editors/decls/MpegVobEditors.h"

namespace quillabe {

namespace {
using namespace editor_tables;
using R = TVobSettings;
namespace b = vob_blocks;

constexpr int kMpegFormat = 3;
constexpr int kVobFormat = 8;

// DVD video knows no frame rate below 19.98; the record stores the index into this list.
constexpr std::array<std::string_view, 9> kFrameRates{"19.98", "23.976", "24",    "25", "29.97",
                                                      "30",    "50",     "59.94", "60"};

constexpr std::array<VideoPageDecl<R>, 1> kVideoPages{
    {{.entry = MSG_MPEG2,
      .controlSuffix = "Mpeg2",
      .block = b::Mpeg2,
      .bitrate = {VideoBitrateTable, 13, 64, 9600},
      .sizes = StandardFrameSizes,
      .frameRates = kFrameRates}}};

constexpr std::array<SliderRange, 4> kMp2Ranges{{{1, 8}, {1, 8}, {1, 13}, {1, 13}}};

// Audio codec list order: "Mp2" then "AC3".
const std::array<AudioPageDecl<R>, 2> kAudioPages{{
    {MSG_MP2,
     "Mp2",
     b::Mp2,
     {.channels = ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Mp2BitrateTable,
      .maxPosition = 13,
      .rangeBySampleRate = kMp2Ranges}},
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

const VideoEditorDecl<R> kVobEditor{MSG_FORMAT_VOB, &VobSettings, kVideoPages, kAudioPages};
} // namespace

const VideoEditorDecl<TVobSettings>& VobEditorDecl() {
    return kVobEditor;
}

TfrmVobProfile::TfrmVobProfile(QWidget* owner)
    : TProfileEditorFrame(owner, kVobEditor.format, true) {
    setObjectName("frmVobProfile");
    BuildVideoEditor(*this, kVobEditor);
}

std::unique_ptr<TProfileEditor> CreateMpegVobEditor(int formatIndex, QWidget* owner) {
    if (formatIndex == kMpegFormat)
        return std::make_unique<TfrmMPEGProfile>(owner);
    if (formatIndex == kVobFormat)
        return std::make_unique<TfrmVobProfile>(owner);
    return nullptr;
}

} // namespace quillabe
