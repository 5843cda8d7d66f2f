#include "ui/editors/groups/AudioCodecGroups.h"

#include "ui/editors/groups/EditorText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>

namespace quillabe {

namespace {
QLabel* namedLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QGroupBox* listGroup(MsgId title, const QString& name, QWidget* content, QWidget* parent) {
    auto* group = new QGroupBox(MsgText(title), parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    layout->addStretch();
    return group;
}
} // namespace

AudioCodecGroups::AudioCodecGroups(const QString& suffix, const AudioPageSetup& setup,
                                   QWidget* parent)
    : QWidget(parent), setup_(setup) {
    channels_ = new QComboBox;
    channels_->setObjectName("ComboBoxAudioChannels" + suffix);
    for (const MsgId id : setup.channels)
        channels_->addItem(MsgText(id));
    sampleRate_ = new QComboBox;
    sampleRate_->setObjectName("ComboBoxSampleRate" + suffix);
    for (const int rate : setup.sampleRates)
        sampleRate_->addItem(QString::number(rate));

    auto* top = new QHBoxLayout;
    top->addWidget(listGroup(MSG_ACHANNELS, "GroupBoxChannels" + suffix, channels_, this), 1);
    // The fixed-rate group stands in front of the sample-rate list while its channel is chosen.
    rateStack_ = new QStackedWidget(this);
    rateStack_->addWidget(
        listGroup(MSG_SAMPLERATE, "GroupBoxSampleRate" + suffix, sampleRate_, rateStack_));
    if (setup.fixedRateChannel >= 0) {
        auto* fixed = namedLabel(qs(setup.fixedRateText), "lab48000kHz" + suffix, nullptr);
        rateStack_->addWidget(listGroup(
            MSG_SAMPLERATE, "GroupBoxSampleRate" + suffix + "_6Channels", fixed, rateStack_));
    }
    top->addWidget(rateStack_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);

    if (!setup.bitrateTable.empty()) {
        auto* group = new QGroupBox(MsgText(MSG_AUDIO_BITRATE), this);
        group->setObjectName("GroupBoxAudioBitrate" + suffix);
        auto_ = new QCheckBox(MsgText(MSG_AUDIO_BITRATE_AUTO), group);
        auto_->setObjectName("CheckBoxAutoSetAudioBitrate" + suffix);
        bitrateRows_ = new QWidget(group);
        auto* grid = new QGridLayout(bitrateRows_);
        grid->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                     style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing),
                                 0, 0, 0);
        auto* current = new QHBoxLayout;
        current->addWidget(namedLabel(MsgText(MSG_CURRNET_BITRATE),
                                      "LabelCurrentAudioBitrate" + suffix, bitrateRows_));
        auto* value = namedLabel({}, "LabelAudioBitrate" + suffix, bitrateRows_);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("0000"));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        current->addWidget(value);
        current->addWidget(namedLabel("kbps", "labKbps" + suffix, bitrateRows_));
        current->addStretch();
        grid->addLayout(current, 0, 0, 1, 3);
        auto* slider = new QSlider(Qt::Horizontal, bitrateRows_);
        slider->setObjectName("TrackBarAudioBitrate" + suffix);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        slider->setMinimumWidth(200);
        grid->addWidget(namedLabel(MsgText(MSG_LOW_Q), "LabelAudioSmall" + suffix, bitrateRows_), 1,
                        0);
        grid->addWidget(slider, 1, 1);
        grid->addWidget(namedLabel(MsgText(MSG_HIGH_Q), "LabelAudioLarge" + suffix, bitrateRows_),
                        1, 2);
        grid->setColumnStretch(1, 1);
        slider_ = new TableSlider(slider, value, setup.bitrateTable, setup.maxPosition, 4, this);
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(auto_);
        groupLayout->addWidget(bitrateRows_);
        layout->addWidget(group);
        connect(auto_, &QCheckBox::toggled, this, &AudioCodecGroups::applyAutoBitrate);
    }
    layout->addStretch();
    connect(sampleRate_, &QComboBox::currentIndexChanged, this, [this] {
        if (!fixedRate())
            applySampleRateRange();
    });
    connect(channels_, &QComboBox::currentIndexChanged, this, &AudioCodecGroups::applyChannelRule);
    ApplyRules();
}

void AudioCodecGroups::ApplyRules() {
    applyAutoBitrate();
    applySampleRateRange();
    applyChannelRule();
}

bool AudioCodecGroups::fixedRate() const {
    return setup_.fixedRateChannel >= 0 && channels_->currentIndex() == setup_.fixedRateChannel;
}

void AudioCodecGroups::applyAutoBitrate() {
    if (auto_)
        bitrateRows_->setEnabled(!auto_->isChecked());
}

void AudioCodecGroups::applySampleRateRange() {
    if (!slider_)
        return;
    const int rate = sampleRate_->currentIndex();
    if (rate >= 0 && rate < static_cast<int>(setup_.rangeBySampleRate.size()))
        slider_->SetRange(setup_.rangeBySampleRate[static_cast<size_t>(rate)]);
    else
        slider_->SetRange(slider_->FullRange());
}

void AudioCodecGroups::applyChannelRule() {
    // The hidden sample-rate list keeps its index; only the range and the group in front change.
    rateStack_->setCurrentIndex(fixedRate() ? 1 : 0);
    if (!fixedRate())
        applySampleRateRange();
    else if (slider_)
        slider_->SetRange(setup_.fixedRateRange);
}
} // namespace quillabe
