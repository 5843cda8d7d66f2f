#include "ui/editors/groups/ChoiceGroup.h"

#include "ui/editors/groups/EditorText.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillabe {

ChoiceGroup::ChoiceGroup(const QString& objectName, MsgId title, const QString& suffix,
                         std::span<const editor_tables::Choice> choices, QWidget* parent)
    : QGroupBox(parent), choices_(choices) {
    setObjectName(objectName + suffix);
    setTitle(MsgText(title));
    auto* exclusive = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    for (const auto& c : choices) {
        auto* button =
            new QRadioButton(c.caption == kMsgCount ? qs(c.text) : MsgText(c.caption), this);
        button->setObjectName("RadioButton" + qs(c.name) + suffix);
        exclusive->addButton(button);
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    layout->addStretch();
    if (!buttons_.empty())
        buttons_.front()->setChecked(true);
}

void ChoiceGroup::Load(int value) {
    for (size_t i = 0; i < choices_.size(); ++i)
        if (choices_[i].value == value)
            buttons_[i]->setChecked(true);
}

int ChoiceGroup::Value() const {
    for (size_t i = 0; i < choices_.size(); ++i)
        if (buttons_[i]->isChecked())
            return choices_[i].value;
    return choices_.empty() ? 0 : choices_.front().value;
}

FixedSizeGroup::FixedSizeGroup(const QString& suffix,
                               std::span<const editor_tables::SizeChoice> choices,
                               size_t defaultChoice, QWidget* parent)
    : QGroupBox(parent), choices_(choices), default_(defaultChoice) {
    setObjectName("GroupBoxVideoSize" + suffix);
    setTitle(MsgText(MSG_VIDEO_SIZE));
    auto* exclusive = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    for (const auto& c : choices) {
        auto* button =
            new QRadioButton(QString("%1 x %2").arg(c.size.width).arg(c.size.height), this);
        button->setObjectName("RadioButton" + qs(c.name) + suffix);
        exclusive->addButton(button);
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    layout->addStretch();
    if (default_ < buttons_.size())
        buttons_[default_]->setChecked(true);
}

void FixedSizeGroup::Load(int width, int height) {
    size_t chosen = default_;
    for (size_t i = 0; i < choices_.size(); ++i)
        if (choices_[i].size.width == width && choices_[i].size.height == height)
            chosen = i;
    if (chosen < buttons_.size())
        buttons_[chosen]->setChecked(true);
}

editor_tables::FrameSize FixedSizeGroup::Value() const {
    for (size_t i = 0; i < choices_.size(); ++i)
        if (buttons_[i]->isChecked())
            return choices_[i].size;
    return choices_[default_].size;
}

} // namespace quillabe
