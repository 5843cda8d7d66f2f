#include "ui/editors/decls/AudioEditors.h"

#include "core/MessageDialogs.h"
#include "ui/editors/decls/VideoEditorDecl.h"

#include <QComboBox>

namespace quillabe {

namespace {
using namespace editor_tables;
namespace b = audio_blocks;

// Bitrate slider ranges by sample-rate index: the lower the rate, the lower the useful bitrate.
// Eight rates: 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000.
constexpr std::array<SliderRange, 8> kAacRanges{
    {{1, 5}, {1, 5}, {1, 6}, {1, 8}, {1, 8}, {1, 10}, {1, 12}, {1, 12}}};
// Four rates: 22050, 24000, 44100, 48000.
constexpr std::array<SliderRange, 4> kMp2Ranges{{{1, 8}, {1, 8}, {1, 13}, {1, 13}}};
constexpr std::array<SliderRange, 4> kMp3Ranges{{{1, 8}, {1, 8}, {1, 12}, {1, 12}}};

// AMR is a mono speech codec with one rate per band.
constexpr std::array kMonoOnly{MSG_CHANNELS_1};
constexpr std::array kNarrowBandRate{8000};
constexpr std::array kWideBandRate{16000};

const std::array<AudioPageDecl<TAacSettings>, 1> kAacPages{{
    {MSG_AAC,
     "AACMp4",
     b::AACMp4,
     {.channels = ChannelsList,
      .sampleRates = EightSampleRates,
      .bitrateTable = AacBitrateTable,
      .maxPosition = 12,
      .rangeBySampleRate = kAacRanges}},
}};

// 5.1 channels fix the sample rate at 48000 and need at least 112 kbit/s.
const std::array<AudioPageDecl<TAc3Settings>, 1> kAc3Pages{{
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

const std::array<AudioPageDecl<TMp2Settings>, 1> kMp2Pages{{
    {MSG_MP2,
     "Mp2",
     b::Mp2,
     {.channels = ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Mp2BitrateTable,
      .maxPosition = 13,
      .rangeBySampleRate = kMp2Ranges}},
}};

const std::array<AudioPageDecl<TMp3Settings>, 1> kMp3Pages{{
    {MSG_MP3,
     "Mp3",
     b::Mp3,
     {.channels = ChannelsList,
      .sampleRates = FourSampleRates,
      .bitrateTable = Mp3BitrateTable,
      .maxPosition = 12,
      .rangeBySampleRate = kMp3Ranges}},
}};

// Codec list order: entry i selects page i and sets AudioCodec = i. No range table: each band's
// slider runs over its whole table.
const std::array<AudioPageDecl<TAmrSettings>, 2> kAmrPages{{
    {MSG_AMRNB,
     "Armnb",
     b::Armnb,
     {.channels = kMonoOnly,
      .sampleRates = kNarrowBandRate,
      .bitrateTable = AmrNbBitrateTable,
      .maxPosition = 6}},
    {MSG_AMRWB,
     "Armwb",
     b::Armwb,
     {.channels = kMonoOnly,
      .sampleRates = kWideBandRate,
      .bitrateTable = AmrWbBitrateTable,
      .maxPosition = 7}},
}};

const std::array<AudioPageDecl<TWavSettings>, 2> kWavPages{{
    {MSG_PCM16LE,
     "Pcm16le",
     b::Pcm16le,
     {.channels = ChannelsList, .sampleRates = EightSampleRates}},
    {MSG_PCMU8, "Pcmu8", b::Pcmu8, {.channels = ChannelsList, .sampleRates = EightSampleRates}},
}};

// An audio editor is a video editor's declaration without video pages: the frame then has no
// Video page, no video list, no Same quality and no Disable audio.
template <class R, size_t N>
void BuildAudioEditor(TProfileEditorFrame& frame, const char* name, MsgId format, R& record,
                      const std::array<AudioPageDecl<R>, N>& pages) {
    frame.setObjectName(name);
    BuildVideoEditor(frame, VideoEditorDecl<R>{format, &record, {}, pages});
}
} // namespace

TfrmAacProfile::TfrmAacProfile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_AAC, false) {
    BuildAudioEditor(*this, "frmAacProfile", MSG_FORMAT_AAC, AacSettings, kAacPages);
}

TfrmAc3Profile::TfrmAc3Profile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_AC3, false) {
    BuildAudioEditor(*this, "frmAc3Profile", MSG_FORMAT_AC3, Ac3Settings, kAc3Pages);
}

TfrmMp2Profile::TfrmMp2Profile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_MP2, false) {
    BuildAudioEditor(*this, "frmMp2Profile", MSG_FORMAT_MP2, Mp2Settings, kMp2Pages);
}

TfrmMp3Profile::TfrmMp3Profile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_MP3, false) {
    BuildAudioEditor(*this, "frmMp3Profile", MSG_FORMAT_MP3, Mp3Settings, kMp3Pages);
}

TfrmAmrProfile::TfrmAmrProfile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_AMR, false) {
    BuildAudioEditor(*this, "frmAmrProfile", MSG_FORMAT_AMR, AmrSettings, kAmrPages);
    // Only the user's choice warns (activated is not sent for loading); the wide-band page is
    // already in front when the box shows.
    connect(AudioCodecList(), &QComboBox::activated, this, [](int index) {
        if (index == 1)
            ShowMessageBox(Msg(MSG_AMRNBSELECTED), Msg(MSG_AMRNBSELECTED_TITLE),
                           MB_OK | MB_ICONEXCLAMATION);
    });
}

TfrmWavProfile::TfrmWavProfile(QWidget* owner) : TProfileEditorFrame(owner, MSG_FORMAT_WAV, false) {
    BuildAudioEditor(*this, "frmWavProfile", MSG_FORMAT_WAV, WavSettings, kWavPages);
}

std::unique_ptr<TProfileEditor> CreateAudioEditor(int formatIndex, QWidget* owner) {
    switch (formatIndex) {
    case 10:
        return std::make_unique<TfrmAacProfile>(owner);
    case 11:
        return std::make_unique<TfrmAc3Profile>(owner);
    case 12:
        return std::make_unique<TfrmMp2Profile>(owner);
    case 13:
        return std::make_unique<TfrmMp3Profile>(owner);
    case 14:
        return std::make_unique<TfrmAmrProfile>(owner);
    case 15:
        return std::make_unique<TfrmWavProfile>(owner);
    default:
        return nullptr;
    }
}

} // namespace quillabe
