#include "ui/editors/groups/FrameRateGroup.h"

#include "ui/editors/groups/EditorText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quillabe {

FrameRateGroup::FrameRateGroup(const QString& suffix, std::span<const std::string_view> rates,
                               QWidget* parent)
    : QGroupBox(parent) {
    setObjectName("GroupBoxVideoFrameRate" + suffix);
    setTitle(MsgText(MSG_FRAMETRATE));
    auto_ = new QRadioButton(MsgText(MSG_FRAMERATE_AUTO), this);
    auto_->setObjectName("RadioButtonKeepFrameRate" + suffix);
    change_ = new QRadioButton(MsgText(MSG_CHANGE_FRAMERATE), this);
    change_->setObjectName("RadioButtonChangeFrameRate" + suffix);
    auto* exclusive = new QButtonGroup(this);
    exclusive->addButton(auto_);
    exclusive->addButton(change_);
    auto_->setChecked(true);
    list_ = new QComboBox(this);
    list_->setObjectName("ComboBoxVideoFrameRate" + suffix);
    for (const auto rate : rates)
        list_->addItem(qs(rate));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(auto_);
    layout->addWidget(change_);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                         style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    indented->addWidget(list_, 1);
    layout->addLayout(indented);
    layout->addStretch();
    connect(auto_, &QRadioButton::toggled, this, &FrameRateGroup::ApplyEnabling);
}

void FrameRateGroup::ApplyEnabling() {
    list_->setEnabled(change_->isChecked());
}

} // namespace quillabe
