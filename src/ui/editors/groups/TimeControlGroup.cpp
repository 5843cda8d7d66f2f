#include "ui/editors/groups/TimeControlGroup.h"

#include "ui/editors/groups/EditorText.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace quillabe {

namespace {
// Leaving the window or opening a popup is not leaving the box: the entry is still in progress.
bool isWindowSwitch(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
} // namespace

TimeControlGroup::TimeControlGroup(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBoxTimeControl");
    setTitle(MsgText(MSG_TIME_CONTROL));
    enable_ = new QCheckBox(MsgText(MSG_ENABLE_TIME_CONTROL), this);
    enable_->setObjectName("CheckBoxEnableTimeControl");

    const std::array<const char*, 3> editNames{"EditStartTime", "EditEndTime", "EditDuration"};
    const std::array<const char*, 3> labelNames{"LabelStartTime", "LabelEndTime", "LabelDuration"};
    const std::array<MsgId, 3> captions{MSG_START_TIME, MSG_END_TIME, MSG_DURATION};
    auto* grid = new QGridLayout(this);
    grid->addWidget(enable_, 0, 0, 1, 3);
    for (size_t i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(editNames[i]);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("000:00:00.000") + 16);
        edit->installEventFilter(this);
        edits_[i] = edit;
        labels_[i] = new QLabel(MsgText(captions[i]), this);
        labels_[i]->setObjectName(labelNames[i]);
        labels_[i]->setBuddy(edit);
        grid->addWidget(labels_[i], static_cast<int>(i) + 1, 0);
        grid->addWidget(edit, static_cast<int>(i) + 1, 1);
    }
    labels_[3] = new QLabel(MsgText(MSG_HH_MN), this);
    labels_[3]->setObjectName("LabelTimeLabel");
    grid->addWidget(labels_[3], 1, 2);
    grid->setColumnStretch(2, 1);
    connect(enable_, &QCheckBox::toggled, this, &TimeControlGroup::ApplyEnabling);
}

void TimeControlGroup::LoadText(TimeBox box, const std::string& text) {
    pending_ = -1;
    Edit(box)->setText(qs(text));
    Edit(TimeBox::End)->setText(qs(EndTextOf(Text(TimeBox::Start), Text(TimeBox::Duration))));
}

std::string TimeControlGroup::Text(TimeBox box) const {
    return Edit(box)->text().toStdString();
}

void TimeControlGroup::ApplyEnabling() {
    const bool on = enable_->isChecked();
    for (auto* edit : edits_)
        edit->setEnabled(on);
    for (auto* label : labels_)
        label->setEnabled(on);
}

void TimeControlGroup::FinishPendingEdit() {
    if (pending_ >= 0)
        leave(static_cast<TimeBox>(pending_));
}

bool TimeControlGroup::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        for (size_t i = 0; i < edits_.size(); ++i) {
            if (watched != edits_[i])
                continue;
            const int box = static_cast<int>(i);
            if (type == QEvent::FocusIn && !(isWindowSwitch(event) && pending_ == box)) {
                remembered_[i] = edits_[i]->text().toStdString();
                pending_ = box;
            } else if (type == QEvent::FocusOut && !isWindowSwitch(event) && pending_ == box) {
                leave(static_cast<TimeBox>(box));
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void TimeControlGroup::leave(TimeBox box) {
    pending_ = -1;
    const TimeTexts now{Text(TimeBox::Start), Text(TimeBox::End), Text(TimeBox::Duration)};
    setTexts(LeaveTimeBox(box, now, remembered_[static_cast<size_t>(box)]));
}

void TimeControlGroup::setTexts(const TimeTexts& texts) {
    Edit(TimeBox::Start)->setText(qs(texts.start));
    Edit(TimeBox::End)->setText(qs(texts.end));
    Edit(TimeBox::Duration)->setText(qs(texts.duration));
}

} // namespace quillabe
