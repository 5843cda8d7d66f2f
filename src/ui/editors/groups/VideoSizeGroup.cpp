#include "ui/editors/groups/VideoSizeGroup.h"

#include "ui/editors/groups/EditorText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace quillabe {

namespace {
constexpr int kMinSize = 2;
constexpr int kMaxSize = 1600;
} // namespace

SizeSpinBox::SizeSpinBox(QWidget* parent, bool even) : QSpinBox(parent), even_(even) {
    setRange(kMinSize, kMaxSize);
    setSingleStep(even ? 2 : 1);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SizeSpinBox::Corrected(const QString& text, bool even) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok)
        return kMinSize;
    const int v = static_cast<int>(std::clamp<qlonglong>(n, kMinSize, kMaxSize));
    return even && v % 2 ? v + 1 : v;
}

QValidator::State SizeSpinBox::validate(QString& input, int& pos) const {
    // Anything may stand in the box while it is edited; leaving it corrects the text.
    const QValidator::State state = QSpinBox::validate(input, pos);
    return state == QValidator::Invalid ? QValidator::Intermediate : state;
}

void SizeSpinBox::fixup(QString& input) const {
    input = QString::number(Corrected(input, even_));
}

VideoSizeGroup::VideoSizeGroup(const QString& suffix,
                               std::span<const editor_tables::FrameSize> sizes, bool evenSizes,
                               QWidget* parent)
    : QGroupBox(parent), sizes_(sizes) {
    setObjectName("GroupBoxVideoSize" + suffix);
    setTitle(MsgText(MSG_VIDEO_SIZE));
    keep_ = new QRadioButton(MsgText(MSG_KEEP_SOURCE_DIM), this);
    keep_->setObjectName("RadioButtonKeepSourceSize" + suffix);
    change_ = new QRadioButton(MsgText(MSG_CHANGE_DIM), this);
    change_->setObjectName("RadioButtonChangVideoSize" + suffix);
    auto* choice = new QButtonGroup(this);
    choice->addButton(keep_);
    choice->addButton(change_);
    keep_->setChecked(true);

    dimensions_ = new QWidget(this);
    auto* grid = new QGridLayout(dimensions_);
    grid->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                 style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing),
                             0, 0, 0);
    auto* dimLabel = new QLabel(MsgText(MSG_VIDEO_DIM), dimensions_);
    dimLabel->setObjectName("LabelVideoDimensions" + suffix);
    list_ = new QComboBox(dimensions_);
    list_->setObjectName("ComboBoxVideoSize" + suffix);
    for (const auto& s : sizes)
        list_->addItem(s.label.empty() ? QString("%1x%2").arg(s.width).arg(s.height) : qs(s.label));
    list_->addItem("...");
    auto* widthLabel = new QLabel(MsgText(MSG_VWIDTH), dimensions_);
    widthLabel->setObjectName("LabelVideoWidth" + suffix);
    width_ = new SizeSpinBox(dimensions_, evenSizes);
    width_->setObjectName("EditVideoWidth" + suffix);
    widthLabel->setBuddy(width_);
    auto* x = new QLabel("X", dimensions_);
    x->setObjectName("LabelX" + suffix);
    auto* heightLabel = new QLabel(MsgText(MSG_VHEIGHT), dimensions_);
    heightLabel->setObjectName("LabelVideoHeight" + suffix);
    height_ = new SizeSpinBox(dimensions_, evenSizes);
    height_->setObjectName("EditVideoHeight" + suffix);
    heightLabel->setBuddy(height_);
    grid->addWidget(dimLabel, 0, 0);
    grid->addWidget(list_, 0, 1, 1, 4);
    grid->addWidget(widthLabel, 1, 0);
    grid->addWidget(width_, 1, 1);
    grid->addWidget(x, 1, 2, Qt::AlignCenter);
    grid->addWidget(heightLabel, 1, 3);
    grid->addWidget(height_, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keep_);
    layout->addWidget(change_);
    layout->addWidget(dimensions_);
    layout->addStretch();

    connect(keep_, &QRadioButton::toggled, this, &VideoSizeGroup::ApplyEnabling);
    connect(list_, &QComboBox::activated, this, &VideoSizeGroup::choose);
    for (auto* box : {width_, height_}) {
        connect(box, &QSpinBox::valueChanged, this, &VideoSizeGroup::selectMatchingEntry);
        connect(box, &QSpinBox::textChanged, this, [this, box] {
            if (box->hasFocus())
                pending_ = box;
        });
        connect(box, &QSpinBox::editingFinished, this, [this, box] { correct(box); });
    }
    selectMatchingEntry();
}

void VideoSizeGroup::ApplyEnabling() {
    dimensions_->setEnabled(change_->isChecked());
}

void VideoSizeGroup::FinishPendingEdit() {
    if (pending_)
        correct(pending_);
}

void VideoSizeGroup::choose(int index) {
    if (index < 0 || index >= static_cast<int>(sizes_.size()))
        return; // "..." changes nothing
    const auto size = sizes_[static_cast<size_t>(index)];
    width_->setValue(size.width);
    height_->setValue(size.height);
}

void VideoSizeGroup::selectMatchingEntry() {
    int index = static_cast<int>(sizes_.size()); // "..."
    for (size_t i = 0; i < sizes_.size(); ++i)
        if (sizes_[i].width == width_->value() && sizes_[i].height == height_->value())
            index = static_cast<int>(i);
    const QSignalBlocker block(list_);
    list_->setCurrentIndex(index);
}

void VideoSizeGroup::correct(SizeSpinBox* box) {
    if (pending_ == box)
        pending_ = nullptr;
    box->interpretText();
    const int corrected = SizeSpinBox::Corrected(box->text(), box->Even());
    if (corrected != box->value() || box->text() != QString::number(corrected))
        box->setValue(corrected);
}

} // namespace quillabe
