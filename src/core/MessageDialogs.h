#pragma once
// The two ways every part of the program asks or tells the user. The request is built here as
// plain values; a handler shows it (the Qt dialogs in the windows, a console handler for
// command-line modes, a scripted answerer in tests).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillabe {

// Message-box flags the program uses, and the results a box or dialog returns.
enum MessageBoxFlags : uint32_t {
    MB_OK = 0x00,
    MB_YESNOCANCEL = 0x03,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
    mrHelp = 11,
};

enum class MessageIcon { None, Question, Warning, Error, Information };
enum class MsgDlgType { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };
enum class Beep { Default, Exclamation, Stop, Question };

// Message-dialog buttons in the fixed order in which they always stand.
enum class MsgDlgBtn { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };
using MsgDlgButtons = uint32_t; // a set of MsgDlgBtn bits
constexpr MsgDlgButtons Btn(MsgDlgBtn b) {
    return 1u << static_cast<unsigned>(b);
}

struct DialogButton {
    MsgDlgBtn button;
    std::string caption; // empty: the toolkit's standard caption
    int result;          // what pressing it returns
};

struct MessageRequest {
    bool isDialog = false; // false: a plain message box
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    std::vector<DialogButton> buttons; // in display order
    int minButtonWidthDlu = 0;         // dialogs: 70, or 110 with the French language file
    Beep beep = Beep::Default;
    uint32_t flags = 0; // message boxes: the flags as given
};

class MessageDialogHandler {
public:
    virtual ~MessageDialogHandler() = default;
    // Shows the request modally and returns the result of the button pressed.
    virtual int Show(const MessageRequest& request) = 0;
};

// Installs the handler; nullptr restores the console handler (prints to standard error and
// answers with the safest button: Cancel when offered, else the first).
void SetMessageDialogHandler(std::shared_ptr<MessageDialogHandler> handler);
// A request as a line on standard error, as the command-line modes show it.
void PrintMessageRequest(const MessageRequest& r);
MessageDialogHandler& CurrentMessageDialogHandler();

// Builds the request of a platform message box (flags 32, 35, 48 or 64) without showing it.
MessageRequest BuildMessageBox(const std::string& text, const std::string& title, uint32_t flags);
// Builds the request of a message dialog without showing it: buttons in their fixed order, the
// n-th non-empty caption on the n-th button.
MessageRequest BuildMessageDialog(const std::string& text, const std::string& title,
                                  MsgDlgType type, const std::vector<std::string>& captions,
                                  MsgDlgButtons buttons);

int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags);
int ShowMessageDialog(const std::string& text, const std::string& title, MsgDlgType type,
                      const std::vector<std::string>& captions, MsgDlgButtons buttons);

// A handler that answers from a script and records every request (tests, scripted front ends).
class ScriptedMessageDialogs : public MessageDialogHandler {
public:
    void Answer(int result) { answers_.push_back(result); }
    int Show(const MessageRequest& request) override;
    const std::vector<MessageRequest>& Requests() const { return requests_; }
    void Clear() { requests_.clear(); }

private:
    std::vector<int> answers_;
    size_t next_ = 0;
    std::vector<MessageRequest> requests_;
};

} // namespace quillabe
