#include "ui/editors/groups/TableSlider.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace quillabe {

TableSlider::TableSlider(QSlider* slider, QLabel* valueLabel, std::span<const int> table,
                         int maxPosition, int defaultPosition, QObject* parent)
    : QObject(parent), slider_(slider), valueLabel_(valueLabel), table_(table),
      maxPosition_(std::clamp(maxPosition, 1, std::max(1, static_cast<int>(table.size())))),
      defaultPosition_(std::clamp(defaultPosition, 1, maxPosition_)) {
    slider_->setRange(1, maxPosition_);
    slider_->setPageStep(1);
    slider_->setValue(defaultPosition_);
    connect(slider_, &QSlider::valueChanged, this, [this] {
        kept_.reset();
        showValue();
    });
    showValue();
}

int TableSlider::entryAt(int position) const {
    if (table_.empty())
        return 0; // a declaration without a table; never a read past its end
    return table_[static_cast<size_t>(std::clamp(position, 1, maxPosition_) - 1)];
}

void TableSlider::Load(int32_t stored) {
    kept_.reset();
    slider_->setRange(1, maxPosition_);
    slider_->setValue(defaultPosition_);
    int found = 0;
    for (size_t i = 0; i < table_.size(); ++i)
        if (table_[i] == stored)
            found = static_cast<int>(i) + 1;
    if (stored > entryAt(maxPosition_) && stored <= keepCeiling_) {
        slider_->setValue(maxPosition_);
        kept_ = stored;
    } else if (found > 0)
        slider_->setValue(std::min(found, maxPosition_));
    else if (stored > entryAt(1) && stored < entryAt(maxPosition_))
        kept_ = stored; // between two entries: a real bitrate the table does not list
    showValue();
}

int32_t TableSlider::Value() const {
    return kept_ ? *kept_ : entryAt(slider_->value());
}

void TableSlider::SetRange(editor_tables::SliderRange range) {
    const int lo = std::clamp(range.min, 1, maxPosition_);
    const int hi = std::clamp(range.max, lo, maxPosition_);
    const auto kept = kept_;
    {
        // The range alone must not drop a kept number that it still allows.
        const QSignalBlocker block(slider_);
        slider_->setRange(lo, hi);
    }
    kept_ = kept;
    if (kept_ && *kept_ > entryAt(hi)) {
        kept_.reset();
        slider_->setValue(hi);
    } else if (kept_ && *kept_ < entryAt(lo)) {
        kept_.reset();
        slider_->setValue(lo);
    }
    showValue();
}

void TableSlider::showValue() {
    valueLabel_->setText(QString::number(Value()));
}

} // namespace quillabe
