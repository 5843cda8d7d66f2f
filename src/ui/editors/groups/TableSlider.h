#pragma once
// A bitrate slider over a value table: the position stands for a table entry and the value label
// always shows what the record will store.
//
// A stored number that is not in the table loads at the default position. When it lies between
// the table's first and last entries it is kept (and shown) until the user moves the slider:
// shipped profiles carry such numbers (800 kbit/s, say), and opening and saving a profile must not
// change its bitrate behind the user's back. A number outside the table's span is damage and
// gives way to the default position's entry.

#include "ui/editors/groups/ValueTables.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <span>

class QLabel;
class QSlider;

namespace quillabe {

class TableSlider : public QObject {
    Q_OBJECT
public:
    // `maxPosition` is at most the table's size; `defaultPosition` is where a number that is not
    // in the table puts the slider.
    TableSlider(QSlider* slider, QLabel* valueLabel, std::span<const int> table, int maxPosition,
                int defaultPosition, QObject* parent);

    // The default position first, then the last position whose entry equals `stored` (at most
    // the maximum position).
    void Load(int32_t stored);
    int32_t Value() const;
    // Positions outside the new range move to its nearer end. A kept number outside the entries
    // the range allows gives way to the nearer end too.
    void SetRange(editor_tables::SliderRange range);
    editor_tables::SliderRange FullRange() const { return {1, maxPosition_}; }
    // A slider that does not reach its table's end (the DVD page's): a stored number above the
    // slider's last entry, up to `ceiling`, is a real bitrate of a shipped profile; it loads at
    // the maximum position and is kept until the user moves the slider.
    void KeepAboveReachUpTo(int32_t ceiling) { keepCeiling_ = ceiling; }
    QSlider* Slider() const { return slider_; }

private:
    int entryAt(int position) const;
    void showValue();

    QSlider* slider_;
    QLabel* valueLabel_;
    std::span<const int> table_;
    int maxPosition_;
    int defaultPosition_;
    std::optional<int32_t> kept_;
    int32_t keepCeiling_ = 0;
};

} // namespace quillabe
