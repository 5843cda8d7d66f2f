#include "ui/editors/specs/MovWmvAsfRmSwfEditors.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateMovWmvAsfRmSwfEditor(int /*formatIndex*/,
                                                           QWidget* /*owner*/) {
    return nullptr;
}

} // namespace quillabe
