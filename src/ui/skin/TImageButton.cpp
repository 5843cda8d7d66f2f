#include "ui/skin/TImageButton.h"

#include "ui/skin/SkinPalette.h"

#include <QAction>
#include <QEnterEvent>
#include <QPainter>

namespace quillabe {

namespace {
QString captionLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

TImageButton::TImageButton(QWidget* parent) : QAbstractButton(parent) {
    // Skinned buttons are pointed at with the mouse; the keyboard reaches their actions through
    // shortcuts, so they never hold the focus or show its frame.
    setFocusPolicy(Qt::NoFocus);
    const SkinPalette& palette = BuiltInSkin(true);
    captionColor_ = palette.buttonText;
    disabledCaptionColor_ = palette.buttonTextDisabled;
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_)
            action_->trigger();
    });
}

void TImageButton::SetPicture(ButtonState state, SkinPicture picture) {
    pictures_[static_cast<size_t>(state)] = std::move(picture);
    update();
}

const SkinPicture& TImageButton::Picture(ButtonState state) const {
    return pictures_[static_cast<size_t>(state)];
}

void TImageButton::ApplySkin(const SkinButton& skin) {
    for (int s = 0; s < kButtonStateCount; ++s)
        SetPicture(static_cast<ButtonState>(s), SkinPicture::Load(skin.pictures[s]));
    setGeometry(skin.rect.left, skin.rect.top, skin.rect.width, skin.rect.height);
}

ButtonState TImageButton::CurrentState() const {
    if (!isEnabled())
        return ButtonState::Disable;
    if (isDown())
        return ButtonState::MouseDown;
    if (hovered_)
        return ButtonState::MouseOn;
    return ButtonState::Normal;
}

const SkinPicture& TImageButton::ShownPicture(ButtonState state) const {
    const SkinPicture& picture = Picture(state);
    return picture.IsNull() ? Picture(ButtonState::Normal) : picture;
}

void TImageButton::SetAction(QAction* action) {
    if (action_)
        disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (action)
        connect(action, &QAction::changed, this, &TImageButton::SyncFromAction);
    SyncFromAction();
}

void TImageButton::SyncFromAction() {
    if (!action_)
        return;
    setEnabled(action_->isEnabled());
    setText(action_->text());
    setToolTip(action_->toolTip().simplified());
    update();
}

void TImageButton::SetShowCaption(bool show) {
    showCaption_ = show;
    update();
}

void TImageButton::SetCaptionColors(const QColor& normal, const QColor& disabled) {
    captionColor_ = normal;
    disabledCaptionColor_ = disabled;
    update();
}

QSize TImageButton::sizeHint() const {
    const SkinPicture& picture = Picture(ButtonState::Normal);
    return picture.IsNull() ? QSize(24, 24) : picture.Size();
}

void TImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ShownPicture(CurrentState()).Paint(painter, QPoint(0, 0));
    if (!showCaption_ || text().isEmpty())
        return;
    painter.setPen(isEnabled() ? captionColor_ : disabledCaptionColor_);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, captionLines(text()));
}

void TImageButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TImageButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TImageButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QAbstractButton::changeEvent(event);
}

} // namespace quillabe
