#pragma once
// The General page's time-control group: Start, End and Duration as time texts. Each box
// remembers its text when it receives the focus and applies its leave rule when it loses it;
// only Start and Duration are stored, End follows from them.

#include "ui/editors/groups/TimeLeaveRules.h"

#include <QGroupBox>

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quillabe {

class TimeControlGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TimeControlGroup(QWidget* parent = nullptr);

    QCheckBox* EnableBox() const { return enable_; }
    QLineEdit* Edit(TimeBox box) const { return edits_[static_cast<size_t>(box)]; }

    // Start or Duration as stored; End becomes Start + Duration.
    void LoadText(TimeBox box, const std::string& text);
    std::string Text(TimeBox box) const;
    void ApplyEnabling();
    // Runs the leave rule of a box whose entry has not been left yet (Save does this, so an
    // entry is never stored unchecked).
    void FinishPendingEdit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave(TimeBox box);
    void setTexts(const TimeTexts& texts);

    QCheckBox* enable_;
    std::array<QLineEdit*, 3> edits_{};
    std::array<QLabel*, 4> labels_{};
    std::array<std::string, 3> remembered_;
    int pending_ = -1; // the box entered and not yet left
};

} // namespace quillabe
