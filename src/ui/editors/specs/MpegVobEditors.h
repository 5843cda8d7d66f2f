#pragma once
// The MPEG and VOB editors (formats 3 and 8).

#include "ui/editors/frame/ProfileEditor.h"

#include <memory>

class QWidget;

namespace quillabe {

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateMpegVobEditor(int formatIndex, QWidget* owner);

} // namespace quillabe
