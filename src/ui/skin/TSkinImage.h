#pragma once
// A picture from the skin painted at its own size: the window background and the toolbar
// separators. It paints nothing else, so the controls above it are all the window shows.

#include "ui/skin/SkinLayout.h"
#include "ui/skin/SkinPicture.h"

#include <QWidget>

namespace quillabe {

class TSkinImage : public QWidget {
    Q_OBJECT
public:
    explicit TSkinImage(QWidget* parent = nullptr);

    void SetPicture(SkinPicture picture);
    const SkinPicture& Picture() const { return picture_; }
    // Loads the picture a skin layout names and takes its geometry.
    void ApplySkin(const SkinImageControl& skin);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SkinPicture picture_;
};

} // namespace quillabe
