#pragma once

class QWidget;

namespace quillabe {

// Places the window centred over its owner's window: top = owner top + (owner height - height)
// / 2, left likewise, halves truncated toward zero. Without an owner the window stays put. A
// window that is laid out and not shown yet first takes the size its layout asks for, so that it
// is centred at the size it will open with.
void CenterOver(QWidget& window, const QWidget* owner);

} // namespace quillabe
