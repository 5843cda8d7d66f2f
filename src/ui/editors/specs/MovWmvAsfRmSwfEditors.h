#pragma once
// The MOV, WMV, RM, SWF and ASF editors (formats 4, 5, 6, 7 and 9).

#include "ui/editors/frame/ProfileEditor.h"

#include <memory>

class QWidget;

namespace quillabe {

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateMovWmvAsfRmSwfEditor(int formatIndex, QWidget* owner);

} // namespace quillabe
