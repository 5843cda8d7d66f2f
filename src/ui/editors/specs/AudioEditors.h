#pragma once
// The six audio editors (formats 10 to 15).

#include "ui/editors/frame/ProfileEditor.h"

#include <memory>

class QWidget;

namespace quillabe {

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateAudioEditor(int formatIndex, QWidget* owner);

} // namespace quillabe
