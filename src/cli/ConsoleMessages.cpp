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
        // Texts break lines with CR LF; a terminal wants LF. An encoder's error line already
        // says "Error"; no need to say it twice.
        std::string text = r.text;
        for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p))
            text.erase(p, 1);
        if (StartsWith(text, r.title))
            std::fprintf(stderr, "%s\n", text.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", r.title.c_str(), text.c_str());
        std::fflush(stderr);
    }
    // Nobody is there to answer: the safest button, Cancel when offered.
    for (const auto& b : r.buttons)
        if (b.result == mrCancel)
            return mrCancel;
    return r.buttons.empty() ? mrOk : r.buttons.front().result;
}

} // namespace quillabe
