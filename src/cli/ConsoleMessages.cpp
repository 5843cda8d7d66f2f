#include "cli/ConsoleMessages.h"

#include "base/TextUtils.h"

#include <cstdio>

namespace quillabe {

std::string OnOneLine(const std::string& text) {
    std::string line;
    bool inBreak = false;
    for (char c : text) {
        const bool isBreak = c == '\r' || c == '\n';
        if (isBreak && !inBreak)
            line += ' ';
        else if (!isBreak)
            line += c;
        inBreak = isBreak;
    }
    return line;
}

int ConsoleMessages::Show(const MessageRequest& r) {
    if (collecting_) {
        collected_.push_back(OnOneLine(r.text));
    } else {
        if (beforePrint_)
            beforePrint_();
        PrintMessageRequest(r);
        std::fflush(stderr);
    }
    // Nobody is there to answer: the safest button, Cancel when offered.
    for (const auto& b : r.buttons)
        if (b.result == mrCancel)
            return mrCancel;
    return r.buttons.empty() ? mrOk : r.buttons.front().result;
}

} // namespace quillabe
