#pragma once
// The editor window of a format, by its format index; none for a format whose editor is not
// built (MP4 and 3GP use presets and never have one).

#include "ui/editors/frame/ProfileEditor.h"

#include <memory>

class QWidget;

namespace quillabe {

std::unique_ptr<TProfileEditor> CreateProfileEditor(int formatIndex, QWidget* owner);

} // namespace quillabe
