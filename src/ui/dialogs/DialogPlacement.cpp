#include "ui/dialogs/DialogPlacement.h"

#include <QWidget>

namespace quillabe {

void CenterOver(QWidget& window, const QWidget* owner) {
    if (!owner)
        return;
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QRect main = owner->window()->geometry();
    window.move(main.left() + (main.width() - window.width()) / 2,
                main.top() + (main.height() - window.height()) / 2);
}

} // namespace quillabe
