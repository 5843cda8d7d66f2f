#include "ui/skin/TSkinImage.h"

#include <QPainter>

namespace quillabe {

TSkinImage::TSkinImage(QWidget* parent) : QWidget(parent) {}

void TSkinImage::SetPicture(SkinPicture picture) {
    picture_ = std::move(picture);
    update();
}

void TSkinImage::ApplySkin(const SkinImageControl& skin) {
    SetPicture(SkinPicture::Load(skin.picture));
    setGeometry(skin.rect.left, skin.rect.top, skin.rect.width, skin.rect.height);
}

QSize TSkinImage::sizeHint() const {
    return picture_.IsNull() ? QSize() : picture_.Size();
}

void TSkinImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.Paint(painter, QPoint(0, 0));
}

} // namespace quillabe
