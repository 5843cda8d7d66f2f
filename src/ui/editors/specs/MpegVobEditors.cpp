#include "ui/editors/specs/MpegVobEditors.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateMpegVobEditor(int /*formatIndex*/, QWidget* /*owner*/) {
    return nullptr;
}

} // namespace quillabe
