#pragma once
// The AVI profile editor: eleven video codec pages over the AVI record's blocks and five audio
// codec pages, declared in AviEditor.cpp.

#include "profiles/AviSettings.h"
#include "ui/editors/decls/VideoEditorDecl.h"
#include "ui/editors/frame/ProfileEditorFrame.h"

namespace quillabe {

const VideoEditorDecl<TAVISettings>& AviEditorDecl();

class TfrmAVIProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmAVIProfile(QWidget* owner);
};

} // namespace quillabe
