#pragma once
// What the batch windows need of the notification-area icon, which belongs to the main window:
// the progress window sends the program there and writes the icon's hint; the end of a clean
// batch shows a balloon on it.

#include <string>

namespace quillabe {

class TrayAccess {
public:
    virtual ~TrayAccess() = default;
    // False where the desktop has no notification area; the program is then minimised instead,
    // since a hidden program without an icon could not be brought back.
    virtual bool TrayAvailable() const = 0;
    // Hides the main window and its task-bar entry and shows the icon.
    virtual void HideToTray() = 0;
    // A balloon with the information icon on the notification-area icon.
    virtual void ShowBalloon(const std::string& title, const std::string& text, int timeoutMs) = 0;
    virtual void SetTrayHint(const std::string& hint) = 0;
};

} // namespace quillabe
