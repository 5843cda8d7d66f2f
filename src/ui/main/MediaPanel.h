#pragma once
// The media panel below the file list ("ScrollBox"): the sixteen media facts of the selected
// file in read-only boxes under the headings General, Video and Audio, and the "More
// Information..." link. Every position comes from the skin layout, relative to the panel.

#include "core/FileItem.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QScrollArea;

namespace quillabe {

struct SkinLayout;
struct SkinPalette;

class MediaPanel : public QWidget {
    Q_OBJECT
public:
    explicit MediaPanel(QWidget* parent = nullptr);
    ~MediaPanel() override;

    // The panel's own rectangle, the labels Label7 to Label26 and the boxes EditBox1 to EditBox16.
    void ApplySkin(const SkinLayout& layout);
    void SetSkinPalette(const SkinPalette& palette);
    void ApplyLanguage();

    // The item's fields, or the placeholder text in every box when there is none.
    void ShowItem(const TFileItem* item);

    // By the numbers the window's controls carry: EditBox1..16, Label7..26.
    QLineEdit* EditBox(int n) const { return boxes_.at(static_cast<size_t>(n - 1)); }
    QLabel* Label(int n) const { return labels_.at(static_cast<size_t>(n - 7)); }

signals:
    void moreInfoClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* scroll_;
    QWidget* content_;
    std::array<QLabel*, 20> labels_{};   // Label7 .. Label26
    std::array<QLineEdit*, 16> boxes_{}; // EditBox1 .. EditBox16
    QColor panelColor_;
    std::unique_ptr<SkinLayout> layout_; // kept to place the boxes again when captions change
};

} // namespace quillabe
