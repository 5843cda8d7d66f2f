#include "ui/editors/groups/VideoBitrateGroup.h"

#include "ui/dialogs/TfrmEnterValue.h"
#include "ui/editors/groups/EditorText.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>

namespace quillabe {

AskValueFn& VideoBitrateAsker() {
    static AskValueFn ask = AskIntegerValue;
    return ask;
}

namespace {
QLabel* namedLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
} // namespace

VideoBitrateGroup::VideoBitrateGroup(const QString& suffix, const VideoBitrateSetup& setup,
                                     QWidget* parent)
    : QGroupBox(parent), setup_(setup) {
    setObjectName("GroupBoxVideoBitrate" + suffix);
    setTitle(MsgText(MSG_VIDEO_BITRATE));
    preset_ = new QRadioButton(MsgText(MSG_PRESET_QUALITY), this);
    preset_->setObjectName("RadioButtonVideoPresert" + suffix);
    specify_ = new QRadioButton(MsgText(MSG_SPECIFY_SETTINGS), this);
    specify_->setObjectName("RadioButtonVideoSpecify" + suffix);
    auto* choice = new QButtonGroup(this);
    choice->addButton(preset_);
    choice->addButton(specify_);
    preset_->setChecked(true);

    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);

    presetRow_ = new QWidget(this);
    auto* presetGrid = new QGridLayout(presetRow_);
    presetGrid->setContentsMargins(indent, 0, 0, 0);
    auto* current = new QHBoxLayout;
    current->addWidget(
        namedLabel(MsgText(MSG_CURRNET_BITRATE), "LabelCurrentBitrate" + suffix, presetRow_));
    auto* value = namedLabel({}, "LabelBitrate" + suffix, presetRow_);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("00000"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    current->addWidget(value);
    current->addWidget(namedLabel("kbps", "LabelKbps2" + suffix, presetRow_));
    current->addStretch();
    presetGrid->addLayout(current, 0, 0, 1, 3);
    auto* slider = new QSlider(Qt::Horizontal, presetRow_);
    slider->setObjectName("TrackBarVideoBitrate" + suffix);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(200);
    presetGrid->addWidget(namedLabel(MsgText(MSG_LOW_Q), "LabelLow" + suffix, presetRow_), 1, 0);
    presetGrid->addWidget(slider, 1, 1);
    auto* high = namedLabel(MsgText(MSG_HIGH_Q), "LabelHigh" + suffix, presetRow_);
    presetGrid->addWidget(high, 1, 2);
    presetGrid->setColumnStretch(1, 1);
    slider_ =
        new TableSlider(slider, value, setup.table, setup.maxPosition, setup.defaultPosition, this);

    specifyRow_ = new QWidget(this);
    auto* specifyLine = new QHBoxLayout(specifyRow_);
    specifyLine->setContentsMargins(indent, 0, 0, 0);
    specifiedLabel_ = namedLabel({}, "LabelBitrateSpecify" + suffix, specifyRow_);
    specifiedLabel_->setMinimumWidth(specifiedLabel_->fontMetrics().horizontalAdvance("00000"));
    specifiedLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    specifyLine->addWidget(specifiedLabel_);
    specifyLine->addWidget(namedLabel("kbps", "LabelKbps" + suffix, specifyRow_));
    configure_ = new QPushButton(MsgText(MSG_CONFIGURE), specifyRow_);
    configure_->setObjectName("ButtonVideoBitrateConfigure" + suffix);
    configure_->setAutoDefault(false);
    specifyLine->addWidget(configure_);
    specifyLine->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preset_);
    layout->addWidget(presetRow_);
    layout->addWidget(specify_);
    layout->addWidget(specifyRow_);

    connect(preset_, &QRadioButton::toggled, this, &VideoBitrateGroup::ApplyEnabling);
    connect(configure_, &QPushButton::clicked, this, &VideoBitrateGroup::configure);
    LoadSpecified(setup.table.empty() ? 0 : setup.table.front());
}

void VideoBitrateGroup::LoadSpecified(int32_t kbps) {
    specified_ = kbps;
    specifiedLabel_->setText(QString::number(kbps));
}

void VideoBitrateGroup::ApplyEnabling() {
    presetRow_->setEnabled(preset_->isChecked());
    specifyRow_->setEnabled(specify_->isChecked());
}

void VideoBitrateGroup::configure() {
    const int value =
        VideoBitrateAsker()(window(), Msg(MSG_ENTER_VIDEOBITRATE_TITLE),
                            Msg(MSG_ENTER_VIDEOBITRATE), specified_, setup_.askMax, setup_.askMin);
    LoadSpecified(value);
}

} // namespace quillabe
