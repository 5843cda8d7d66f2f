#pragma once
// Message boxes and message dialogs shown with QMessageBox.

#include "core/MessageDialogs.h"

namespace quillabe {

class QtMessageDialogs : public MessageDialogHandler {
public:
    int Show(const MessageRequest& request) override;
};

} // namespace quillabe
