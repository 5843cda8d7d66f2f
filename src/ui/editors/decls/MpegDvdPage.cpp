// The MPEG editor's DVD page: the DVD target's own video bitrate, aspect and audio bitrate.

#include "ui/editors/binding/BindingKinds.h"
#include "ui/editors/decls/MpegVobEditors.h"
#include "ui/editors/groups/VideoBitrateGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace quillabe {

namespace {
using R = TMPEGSettings;

// 128 is listed twice; a stored 128 loads at the later one.
constexpr std::array DvdAudioBitrateTable{64, 96, 112, 128, 128, 160, 192, 224, 256, 320};
// Shipped DVD profiles store bitrates the sliders do not reach (6000 and 384 kbit/s); they are
// kept up to the largest a DVD allows.
constexpr int32_t kDvdVideoCeiling = 9600;
constexpr int32_t kDvdAudioCeiling = 448;

// The DVD bitrate group is the shared video bitrate group under the DVD page's own names.
constexpr std::array<std::pair<const char*, const char*>, 12> kDvdNames{{
    {"GroupBoxVideoBitrate", "GroupBoxDVDVideoBitrate"},
    {"RadioButtonVideoPresert", "RadioButtonDVDVideoPresert"},
    {"RadioButtonVideoSpecify", "RadioButtonDVDVideoSpecify"},
    {"LabelCurrentBitrate", "LabelDVDCurrentBitrate"},
    {"LabelBitrate", "LabelDVDBitrate"},
    {"LabelLow", "LabelDVDLow"},
    {"LabelHigh", "LabelDVDHigh"},
    {"LabelKbps2", "LabelDVDKbps2"},
    {"TrackBarVideoBitrate", "TrackBarDVDVideoBitrate"},
    {"LabelBitrateSpecify", "LabelDVDBitrateSpecify"},
    {"LabelKbps", "LabelDVDKbps"},
    {"ButtonVideoBitrateConfigure", "ButtonDVDVideoBitrateConfigure"},
}};

void renameForDvd(QWidget* group) {
    const QString suffix = "DVD";
    QList<QObject*> all = group->findChildren<QObject*>();
    all.push_back(group);
    for (QObject* o : all)
        for (const auto& [from, to] : kDvdNames)
            if (o->objectName() == QString(from) + suffix)
                o->setObjectName(to);
}

QLabel* named(const QString& text, const char* name) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}
} // namespace

void TfrmMPEGProfile::buildDvdPage() {
    dvdPage_ = new QWidget;
    dvdPage_->setObjectName("TabSheetDVD");
    auto& t = Bindings();
    R& r = MpegSettings;

    // Video bitrate: the slider stops at 4600 of the table's 9600; loading starts at 1080.
    auto* video = new VideoBitrateGroup(
        "DVD", {editor_tables::VideoBitrateTable, 11, 64, 9600, /*defaultPosition=*/6}, dvdPage_);
    renameForDvd(video);
    video->Slider()->KeepAboveReachUpTo(kDvdVideoCeiling);
    t.push_back(bind::RadioPair("DVDVideoBitRateUsePresert", video->PresetButton(),
                                video->SpecifyButton(), r, &R::DVDVideoBitRateUsePresert));
    t.push_back(
        bind::Slider("DVDVideoBitRatePreset", video->Slider(), r, &R::DVDVideoBitRatePreset));
    t.push_back(bind::Value(
        "DVDVideoBitRateSpecify", r, &R::DVDVideoBitRateSpecify,
        [video](int32_t v) { video->LoadSpecified(v); }, [video] { return video->Specified(); }));

    // Aspect: the source's, or one of three chosen from the list.
    auto* aspect = new QGroupBox(MsgText(MSG_ASPECT), dvdPage_);
    aspect->setObjectName("GroupBoxDVDAspect");
    auto* autoAspect = new QRadioButton(MsgText(MSG_ASPECT_AUTO), aspect);
    autoAspect->setObjectName("RadioButtonDVDAutoSetAspect");
    auto* changeAspect = new QRadioButton(MsgText(MSG_CHANGE_ASPECT), aspect);
    changeAspect->setObjectName("RadioButtonDVDChangeAspect");
    auto* aspectChoice = new QButtonGroup(aspect);
    aspectChoice->addButton(autoAspect);
    aspectChoice->addButton(changeAspect);
    autoAspect->setChecked(true);
    auto* aspectList = new QComboBox(aspect);
    aspectList->setObjectName("ComboBoxDVDVideoAspect");
    for (MsgId id : {MSG_ASPECT1, MSG_ASPECT2, MSG_ASPECT3})
        aspectList->addItem(MsgText(id));
    auto* aspectLayout = new QVBoxLayout(aspect);
    aspectLayout->addWidget(autoAspect);
    aspectLayout->addWidget(changeAspect);
    aspectLayout->addWidget(aspectList);
    aspectLayout->addStretch();
    t.push_back(
        bind::RadioPair("DVDVideoKeepAspect", autoAspect, changeAspect, r, &R::DVDVideoKeepAspect));
    t.push_back(bind::ListIndex("DVDVideoAspect", aspectList, r, &R::DVDVideoAspect));

    // Audio bitrate; the automatic switch enables nothing.
    auto* audio = new QGroupBox(MsgText(MSG_AUDIO_BITRATE), dvdPage_);
    audio->setObjectName("GroupBoxDVDAudioBitrate");
    auto* autoBitrate = new QCheckBox(MsgText(MSG_AUDIO_BITRATE_AUTO), audio);
    autoBitrate->setObjectName("CheckBoxDVDAutoSetAudioBitrate");
    auto* value = named({}, "LabelDVDAudioBitrate");
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("00000"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* slider = new QSlider(Qt::Horizontal, audio);
    slider->setObjectName("TrackBarDVDAudioBitrate");
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(160);
    auto* audioSlider = new TableSlider(slider, value, DvdAudioBitrateTable,
                                        static_cast<int>(DvdAudioBitrateTable.size()), 6, audio);
    audioSlider->KeepAboveReachUpTo(kDvdAudioCeiling);
    auto* audioGrid = new QGridLayout(audio);
    audioGrid->addWidget(autoBitrate, 0, 0, 1, 3);
    auto* current = new QHBoxLayout;
    current->addWidget(named(MsgText(MSG_CURRNET_BITRATE), "LabelDVDCurrentAudioBitrate"));
    current->addWidget(value);
    current->addWidget(named("kbps", "LabelDVDAudioKbps"));
    current->addStretch();
    audioGrid->addLayout(current, 1, 0, 1, 3);
    audioGrid->addWidget(named(MsgText(MSG_LOW_Q), "LabelDVDAudioSmall"), 2, 0);
    audioGrid->addWidget(slider, 2, 1);
    audioGrid->addWidget(named(MsgText(MSG_HIGH_Q), "LabelDVDAudioLarge"), 2, 2);
    audioGrid->setColumnStretch(1, 1);
    audioGrid->setRowStretch(3, 1);
    t.push_back(
        bind::Check("DVDAudioBitRateUseAutoSet", autoBitrate, r, &R::DVDAudioBitRateUseAutoSet));
    t.push_back(bind::Slider("DVDAudioBitRatePreset", audioSlider, r, &R::DVDAudioBitRatePreset));

    auto* row = new QHBoxLayout;
    row->addWidget(aspect, 1);
    row->addWidget(audio, 2);
    auto* layout = new QVBoxLayout(dvdPage_);
    layout->addWidget(video);
    layout->addLayout(row);
    layout->addStretch(1);
    AddPage(dvdPage_, MsgText(MSG_DVD_PAGE));

    const auto applyAspect = [=] { aspectList->setEnabled(changeAspect->isChecked()); };
    connect(changeAspect, &QRadioButton::toggled, this, applyAspect);
    AddRule([=] {
        applyAspect();
        video->ApplyEnabling();
    });
}

} // namespace quillabe
