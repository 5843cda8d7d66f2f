#include "core/MessageDialogs.h"

#include "base/TextUtils.h"
#include "core/GlobalVars.h"

#include <array>
#include <cstdio>

namespace quillabe {

namespace {

int safestAnswer(const MessageRequest& r) {
    for (const auto& b : r.buttons)
        if (b.result == mrCancel)
            return mrCancel;
    return r.buttons.empty() ? mrOk : r.buttons.front().result;
}

class ConsoleMessageDialogs : public MessageDialogHandler {
public:
    int Show(const MessageRequest& r) override {
        PrintMessageRequest(r);
        return safestAnswer(r);
    }
};

std::shared_ptr<MessageDialogHandler>& handler() {
    static std::shared_ptr<MessageDialogHandler> h = std::make_shared<ConsoleMessageDialogs>();
    return h;
}

struct ButtonRow {
    MsgDlgBtn button;
    int result;
};
constexpr std::array<ButtonRow, 11> kButtonOrder = {{
    {MsgDlgBtn::Yes, mrYes},
    {MsgDlgBtn::No, mrNo},
    {MsgDlgBtn::OK, mrOk},
    {MsgDlgBtn::Cancel, mrCancel},
    {MsgDlgBtn::Abort, mrAbort},
    {MsgDlgBtn::Retry, mrRetry},
    {MsgDlgBtn::Ignore, mrIgnore},
    {MsgDlgBtn::All, mrAll},
    {MsgDlgBtn::NoToAll, mrNoToAll},
    {MsgDlgBtn::YesToAll, mrYesToAll},
    {MsgDlgBtn::Help, mrHelp},
}};

} // namespace

void PrintMessageRequest(const MessageRequest& r) {
    // Texts break lines with CR LF; a terminal wants LF.
    std::string text = r.text;
    for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p))
        text.erase(p, 1);
    // An encoder's error line already says "Error"; no need to say it twice.
    if (StartsWith(text, r.title))
        std::fprintf(stderr, "%s\n", text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", r.title.c_str(), text.c_str());
}

void SetMessageDialogHandler(std::shared_ptr<MessageDialogHandler> h) {
    handler() = h ? std::move(h) : std::make_shared<ConsoleMessageDialogs>();
}

MessageDialogHandler& CurrentMessageDialogHandler() {
    return *handler();
}

MessageRequest BuildMessageBox(const std::string& text, const std::string& title, uint32_t flags) {
    MessageRequest r;
    r.text = text;
    r.title = title;
    r.flags = flags;
    switch (flags & 0xF0) {
    case MB_ICONQUESTION:
        r.icon = MessageIcon::Question;
        break;
    case MB_ICONEXCLAMATION:
        r.icon = MessageIcon::Warning;
        break;
    case MB_ICONINFORMATION:
        r.icon = MessageIcon::Information;
        break;
    default:
        r.icon = MessageIcon::None;
        break;
    }
    if ((flags & 0x0F) == MB_YESNOCANCEL)
        r.buttons = {{MsgDlgBtn::Yes, "", mrYes},
                     {MsgDlgBtn::No, "", mrNo},
                     {MsgDlgBtn::Cancel, "", mrCancel}};
    else
        r.buttons = {{MsgDlgBtn::OK, "", mrOk}};
    return r;
}

MessageRequest BuildMessageDialog(const std::string& text, const std::string& title,
                                  MsgDlgType type, const std::vector<std::string>& captions,
                                  MsgDlgButtons buttons) {
    MessageRequest r;
    r.isDialog = true;
    r.text = text;
    r.title = title;
    switch (type) {
    case MsgDlgType::Warning:
        r.icon = MessageIcon::Warning;
        r.beep = Beep::Exclamation;
        break;
    case MsgDlgType::Error:
        r.icon = MessageIcon::Error;
        r.beep = Beep::Stop;
        break;
    case MsgDlgType::Information:
        r.icon = MessageIcon::Information;
        break;
    case MsgDlgType::Confirmation:
        r.icon = MessageIcon::Question;
        r.beep = Beep::Question;
        break;
    case MsgDlgType::Custom:
        r.icon = MessageIcon::None;
        break;
    }
    r.minButtonWidthDlu = LowerCase(GlobalVars.LanguageFile) == "french.ini" ? 110 : 70;
    size_t caption = 0;
    for (const auto& row : kButtonOrder) {
        if (!(buttons & Btn(row.button)))
            continue;
        DialogButton b{row.button, "", row.result};
        if (caption < captions.size())
            b.caption = captions[caption++];
        r.buttons.push_back(b);
    }
    return r;
}

int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) {
    return handler()->Show(BuildMessageBox(text, title, flags));
}

int ShowMessageDialog(const std::string& text, const std::string& title, MsgDlgType type,
                      const std::vector<std::string>& captions, MsgDlgButtons buttons) {
    return handler()->Show(BuildMessageDialog(text, title, type, captions, buttons));
}

int ScriptedMessageDialogs::Show(const MessageRequest& request) {
    requests_.push_back(request);
    if (next_ < answers_.size())
        return answers_[next_++];
    return safestAnswer(request);
}

} // namespace quillabe
