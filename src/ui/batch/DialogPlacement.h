#pragma once

class QWidget;

namespace quillabe {

// Places the window centred over its owner's window: top = owner top + (owner height - height)
// / 2, left likewise, halves truncated toward zero. Without an owner the window stays put.
void CenterOver(QWidget& window, const QWidget* owner);

} // namespace quillabe
