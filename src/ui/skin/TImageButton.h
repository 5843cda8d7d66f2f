#pragma once
// A button drawn entirely from four state pictures (normal, mouse over, pressed, disabled), with
// the caption of its action painted over them. Buttons only point at actions: the action's
// enabled state and caption show on the button, and a click triggers the action.

#include "ui/skin/SkinLayout.h"
#include "ui/skin/SkinPicture.h"

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

#include <array>

class QAction;

namespace quillabe {

class TImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TImageButton(QWidget* parent = nullptr);

    void SetPicture(ButtonState state, SkinPicture picture);
    const SkinPicture& Picture(ButtonState state) const;
    // Loads the four pictures a skin layout names and takes its geometry.
    void ApplySkin(const SkinButton& skin);

    // The state shown now: disabled, else pressed, else under the mouse, else normal.
    ButtonState CurrentState() const;
    // The picture painted for a state; a state without a picture shows the normal one.
    const SkinPicture& ShownPicture(ButtonState state) const;

    void SetAction(QAction* action);
    QAction* Action() const { return action_; }

    // Captions are on by default; icon-only buttons turn them off. Line breaks (CR, LF or both)
    // in a caption start new lines; the block is centred on the button.
    void SetShowCaption(bool show);
    void SetCaptionColors(const QColor& normal, const QColor& disabled);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SyncFromAction();

    std::array<SkinPicture, kButtonStateCount> pictures_;
    QPointer<QAction> action_;
    bool hovered_ = false;
    bool showCaption_ = true;
    QColor captionColor_;
    QColor disabledCaptionColor_;
};

} // namespace quillabe
