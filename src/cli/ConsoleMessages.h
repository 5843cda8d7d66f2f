#pragma once
// The message boxes of a console run. They are printed on standard error, each on a line of its
// own (a progress bar is ended first), and answered with the safest button; while the named files
// are added they are collected instead, so that a refused file is told in one line naming it.

#include "core/MessageDialogs.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillabe {

class ConsoleMessages : public MessageDialogHandler {
public:
    // `beforePrint` runs before each printed message (it ends a progress bar's line).
    explicit ConsoleMessages(std::function<void()> beforePrint = {})
        : beforePrint_(std::move(beforePrint)) {}

    int Show(const MessageRequest& request) override;

    // While collecting, messages are kept (their text on one line) instead of printed.
    void SetCollecting(bool collecting) { collecting_ = collecting; }
    std::vector<std::string> TakeCollected() { return std::exchange(collected_, {}); }

private:
    std::function<void()> beforePrint_;
    bool collecting_ = false;
    std::vector<std::string> collected_;
};

// The text with every run of line breaks replaced by one blank.
std::string OnOneLine(const std::string& text);

} // namespace quillabe
