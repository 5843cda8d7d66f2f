#include "ui/editors/decls/MpegVobEditors.h"
#include "ui/editors/groups/TimeControlGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

#include <vector>

namespace quillabe {

namespace {
using namespace editor_tables;
using R = TMPEGSettings;
namespace b = mpeg_blocks;

// Disc sizes are named; MPEG takes odd sizes, so the size boxes are not made even.
constexpr std::array<FrameSize, 16> kMpegSizes{{{80, 60, "80 x 60"},
                                                {96, 72, "96 x 72"},
                                                {128, 96, "128 x 96"},
                                                {160, 320, "160 x 320"},
                                                {176, 120, "176 x 120"},
                                                {176, 144, "176 x 144"},
                                                {192, 144, "192 x 144"},
                                                {240, 180, "240 x 180"},
                                                {320, 200, "320 x 200"},
                                                {320, 240, "320 x 240"},
                                                {352, 240, "352 x 240 (VCD NTSC)"},
                                                {352, 288, "352 x 288 (VCD PAL)"},
                                                {480, 480, "480 x 480 (SVCD NTSC)"},
                                                {480, 576, "480 x 576 (SVCD PAL)"},
                                                {720, 480, "720 x 480 (DVD NTSC)"},
                                                {720, 576, "720 x 576 (DVD PAL)"}}};

constexpr VideoPageDecl<R> page(MsgId entry, std::string_view suffix, VideoBlockMembers<R> block) {
    return {.entry = entry,
            .controlSuffix = suffix,
            .block = block,
            .bitrate = {VideoBitrateTable, 13, 64, 9600},
            .sizes = kMpegSizes,
            .evenSizes = false};
}

constexpr std::array<VideoPageDecl<R>, 2> kVideoPages{page(MSG_MPEG1, "Mpeg1", b::Mpeg1),
                                                      page(MSG_MPEG2, "Mpeg2", b::Mpeg2)};

constexpr std::array<SliderRange, 4> kMp2Ranges{{{1, 8}, {1, 8}, {1, 13}, {1, 13}}};
constexpr std::array<SliderRange, 4> kMp3Ranges{{{1, 8}, {1, 8}, {1, 12}, {1, 12}}};

// The audio pages in page order; the two codec lists of the General page choose among them.
const std::array<AudioPageDecl<R>, 3> kAudioPages{{
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
}};

const VideoEditorDecl<R> kMpegEditor{MSG_FORMAT_MPEG, &MpegSettings, kVideoPages, kAudioPages};

QComboBox* codecList(const char* name, std::initializer_list<MsgId> entries) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (MsgId id : entries)
        list->addItem(MsgText(id));
    return list;
}

QGroupBox* groupAround(QWidget* content, MsgId title, const char* name) {
    auto* box = new QGroupBox(MsgText(title));
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    layout->addStretch();
    return box;
}

// A radio group whose checked button's id is the stored index.
QGroupBox* radioGroup(const char* name, MsgId title, const std::vector<QString>& entries,
                      QButtonGroup* ids) {
    auto* box = new QGroupBox(MsgText(title));
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    for (size_t i = 0; i < entries.size(); ++i) {
        auto* button = new QRadioButton(entries[i], box);
        button->setObjectName(QString(name) + QString::number(i));
        ids->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
    }
    layout->addStretch();
    return box;
}

// An index no button stands for checks none, and the field keeps its number until the user
// chooses: a damaged profile is shown as damaged, not silently rewritten.
FieldBinding radioIndex(std::string key, QButtonGroup* ids, R& r, uint8_t R::*f) {
    return {std::move(key),
            [=, &r] {
                if (auto* button = ids->button(r.*f)) {
                    button->setChecked(true);
                    return;
                }
                ids->setExclusive(false);
                for (auto* button : ids->buttons())
                    button->setChecked(false);
                ids->setExclusive(true);
            },
            [=, &r] {
                if (ids->checkedId() >= 0)
                    r.*f = static_cast<uint8_t>(ids->checkedId());
            }};
}
} // namespace

const VideoEditorDecl<TMPEGSettings>& MpegEditorDecl() {
    return kMpegEditor;
}

TfrmMPEGProfile::TfrmMPEGProfile(QWidget* owner)
    : TProfileEditorFrame(owner, kMpegEditor.format, true) {
    setObjectName("frmMPEGProfile");
    BuildVideoEditor(*this, kMpegEditor);
    buildGeneralPage();
    buildDvdPage();

    auto& t = Bindings();
    t.push_back(bind::Check("UsePresetFormats", usePreset_, MpegSettings, &R::UsePresetFormats));
    t.push_back(radioIndex("TargetFormat", targetFormat_, MpegSettings, &R::TargetFormat));
    t.push_back(radioIndex("PresetType", presetType_, MpegSettings, &R::PresetType));
    t.push_back(bind::ListIndex("AudioCodecMpeg1", audioMpeg1_, MpegSettings, &R::AudioCodecMpeg1));
    t.push_back(bind::ListIndex("AudioCodecMpeg2", audioMpeg2_, MpegSettings, &R::AudioCodecMpeg2));

    AddRule([this] {
        applyAudioGroupRule();
        selectAudioPage();
    });
    connect(usePreset_, &QCheckBox::toggled, this, &TfrmMPEGProfile::applyPresetRule);
    connect(presetType_, &QButtonGroup::idToggled, this, &TfrmMPEGProfile::applyPresetRule);
    connect(targetFormat_, &QButtonGroup::idToggled, this, &TfrmMPEGProfile::applyPresetRule);
    // Connected after the frame's own disable-audio rule, so the preset rule has the last word
    // on the Audio tab.
    connect(DisableAudioBox(), &QCheckBox::toggled, this, &TfrmMPEGProfile::applyPresetRule);
    connect(VideoCodecList(), &QComboBox::currentIndexChanged, this, [this] {
        applyAudioGroupRule();
        selectAudioPage();
    });
    connect(audioMpeg1_, &QComboBox::currentIndexChanged, this, &TfrmMPEGProfile::selectAudioPage);
    connect(audioMpeg2_, &QComboBox::currentIndexChanged, this, &TfrmMPEGProfile::selectAudioPage);
    ApplyRules();
    applyPresetRule();
}

void TfrmMPEGProfile::buildGeneralPage() {
    auto* general = Pages()->widget(0);
    auto* grid = qobject_cast<QGridLayout*>(general->layout());

    usePreset_ = new QCheckBox(MsgText(MSG_USE_PRESET_FORMATS));
    usePreset_->setObjectName("CheckBoxUsePressetFormat");
    presetType_ = new QButtonGroup(this);
    targetFormat_ = new QButtonGroup(this);
    presetChoices_ = new QWidget;
    auto* choices = new QHBoxLayout(presetChoices_);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->addWidget(
        radioGroup("RadioGroupPresetType", MSG_TYPE, {"VCD", "SVCD", "DVD"}, presetType_));
    choices->addWidget(radioGroup("RadioGroupPresetTargetFormat", MSG_TARGET_FORMAT,
                                  {MsgText(MSG_TARGET_FORMAT_AUTO), MsgText(MSG_TARGET_FORMAT_NTSC),
                                   MsgText(MSG_TARGET_FORMAT_PAL)},
                                  targetFormat_));
    auto* preset = new QGroupBox(MsgText(MSG_PRESET_FORMATS));
    preset->setObjectName("GroupBoxPresetFormats");
    auto* presetLayout = new QVBoxLayout(preset);
    presetLayout->addWidget(usePreset_);
    presetLayout->addWidget(presetChoices_);

    // The frame's single audio list stays as the hidden page selector; the two lists of the
    // MPEG-1 and MPEG-2 codecs take its place, the one of the chosen video codec in front.
    audioMpeg1_ = codecList("ComboBoxAudioCodecMpeg1", {MSG_MP2, MSG_MP3});
    audioMpeg2_ = codecList("ComboBoxAudioCodecMpeg2", {MSG_AC3, MSG_MP2, MSG_MP3});
    audioGroups_ = new QStackedWidget;
    audioGroups_->setObjectName("AudioCodecGroupsMpeg");
    audioGroups_->addWidget(groupAround(audioMpeg1_, MSG_AUDIO_CODEC, "GroupBoxAudioCodecMpeg1"));
    audioGroups_->addWidget(groupAround(audioMpeg2_, MSG_AUDIO_CODEC, "GroupBoxAudioCodecMpeg2"));
    auto* single = general->findChild<QGroupBox*>("GroupBoxAudioCodec");
    single->hide();

    // The preset group heads the page: every item moves one row down.
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    while (grid->count() > 0) {
        Placed p{};
        grid->getItemPosition(0, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
        p.item = grid->takeAt(0);
        placed.push_back(p);
    }
    for (const auto& p : placed)
        grid->addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);
    grid->addWidget(preset, 0, 0, 1, 2);
    grid->addWidget(audioGroups_, 2, 0);
    grid->setRowStretch(3, 0);
    grid->setRowStretch(4, 1);
}

void TfrmMPEGProfile::SettingsToControls() {
    TProfileEditorFrame::SettingsToControls();
    applyPresetRule();
}

void TfrmMPEGProfile::showEvent(QShowEvent* event) {
    TProfileEditorFrame::showEvent(event);
    applyPresetRule();
}

void TfrmMPEGProfile::applyPresetRule() {
    const bool preset = usePreset_->isChecked();
    const bool audioOff = DisableAudioBox()->isChecked();
    presetChoices_->setEnabled(preset);
    for (const char* name : {"GroupBoxVideoCode", "GroupBoxSameQuality", "GroupBoxDisableAudio"})
        Pages()->widget(0)->findChild<QWidget*>(name)->setVisible(!preset);
    audioGroups_->setVisible(!preset);
    // A stored "Disable audio" still disables the lists while its own box is hidden.
    for (int i = 0; i < audioGroups_->count(); ++i)
        audioGroups_->widget(i)->setEnabled(!audioOff);

    auto* pages = Pages();
    const auto show = [pages](const char* name, bool visible) {
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->objectName() == name)
                pages->setTabVisible(i, visible);
    };
    show("TabSheetVideo", !preset);
    show("TabSheetAudio", !preset && !audioOff);
    show("TabSheetDVD", preset && presetType_->checkedId() == 2);
}

void TfrmMPEGProfile::applyAudioGroupRule() {
    audioGroups_->setCurrentIndex(VideoCodecList()->currentIndex() == 1 ? 1 : 0);
}

void TfrmMPEGProfile::selectAudioPage() {
    // Pages AC3, Mp2, Mp3: the MPEG-1 list ("Mp2", "Mp3") starts at the second.
    int page = -1;
    if (VideoCodecList()->currentIndex() == 0 && audioMpeg1_->currentIndex() >= 0)
        page = audioMpeg1_->currentIndex() + 1;
    else if (VideoCodecList()->currentIndex() == 1)
        page = audioMpeg2_->currentIndex();
    AudioCodecList()->setCurrentIndex(page);
}

} // namespace quillabe
