#include "ui/editors/frame/ProfileEditorFactory.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateProfileEditor(int /*formatIndex*/, QWidget* /*owner*/) {
    return nullptr;
}

} // namespace quillabe
