#include "ui/editors/specs/AudioEditors.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateAudioEditor(int /*formatIndex*/, QWidget* /*owner*/) {
    return nullptr;
}

} // namespace quillabe
