#include "ui/editors/frame/ProfileEditorFactory.h"

#include "ui/editors/specs/AviEditorSpec.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateProfileEditor(int formatIndex, QWidget* owner) {
    switch (formatIndex) {
    case 0:
        return std::make_unique<TfrmAVIProfile>(owner);
    default:
        return nullptr;
    }
}

} // namespace quillabe
