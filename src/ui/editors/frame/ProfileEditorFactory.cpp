#include "ui/editors/frame/ProfileEditorFactory.h"

#include "ui/editors/decls/AudioEditors.h"
#include "ui/editors/decls/AviEditor.h"
#include "ui/editors/decls/MovWmvAsfRmSwfEditors.h"
#include "ui/editors/decls/MpegVobEditors.h"

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateProfileEditor(int formatIndex, QWidget* owner) {
    if (formatIndex == 0)
        return std::make_unique<TfrmAVIProfile>(owner);
    if (auto editor = CreateMpegVobEditor(formatIndex, owner))
        return editor;
    if (auto editor = CreateMovWmvAsfRmSwfEditor(formatIndex, owner))
        return editor;
    return CreateAudioEditor(formatIndex, owner);
}

} // namespace quillabe
