#pragma once
// A codec page's frame size: keep the source's, or a width and height (even, 2..1600) typed,
// stepped or picked from a size list whose last entry "..." stands for any other pair.

#include "ui/editors/groups/ValueTables.h"

#include <QGroupBox>
#include <QSpinBox>

#include <span>

class QComboBox;
class QLabel;
class QRadioButton;

namespace quillabe {

// Whole numbers 2..1600. Any text may be typed; leaving the box corrects it: out of range to the
// nearer bound, not a number to 2, odd raised by one (unless the box takes odd sizes).
class SizeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit SizeSpinBox(QWidget* parent = nullptr, bool even = true);
    static int Corrected(const QString& text, bool even = true);
    bool Even() const { return even_; }

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    bool even_;
};

class VideoSizeGroup : public QGroupBox {
    Q_OBJECT
public:
    VideoSizeGroup(const QString& suffix, std::span<const editor_tables::FrameSize> sizes,
                   bool evenSizes = true, QWidget* parent = nullptr);

    QRadioButton* KeepButton() const { return keep_; }
    QRadioButton* ChangeButton() const { return change_; }
    QComboBox* SizeList() const { return list_; }
    SizeSpinBox* WidthBox() const { return width_; }
    SizeSpinBox* HeightBox() const { return height_; }

    void ApplyEnabling();
    // Corrects a box whose entry has not been left yet.
    void FinishPendingEdit();

private:
    void choose(int index);
    void selectMatchingEntry();
    void correct(SizeSpinBox* box);

    std::span<const editor_tables::FrameSize> sizes_;
    QRadioButton* keep_;
    QRadioButton* change_;
    QComboBox* list_;
    SizeSpinBox* width_;
    SizeSpinBox* height_;
    QWidget* dimensions_;
    SizeSpinBox* pending_ = nullptr;
};

} // namespace quillabe
