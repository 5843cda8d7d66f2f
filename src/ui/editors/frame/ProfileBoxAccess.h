#pragma once
// What the profile commands need of the main window's profile boxes. The boxes live in the main
// window, which stands on the editors, so the commands reach them only through this interface.

#include <optional>
#include <string>

class QWidget;

namespace quillabe {

class ProfileBoxAccess {
public:
    virtual ~ProfileBoxAccess() = default;

    // The current format as the format actions show it, -1 when they show none.
    virtual int CurrentFormat() const = 0;
    // The selected profile name of the current format's box, empty without a selection.
    virtual std::string CurrentName() const = 0;
    // How many profiles the current format's box lists.
    virtual int Count() const = 0;
    // Re-lists the format's folder into its box and selects the name (none: the first profile).
    virtual void Refill(int format, const std::optional<std::string>& nameToSelect) = 0;
    // The current format's folder + the selected name + "." + its profile extension.
    virtual std::string CurrentProfilePath() const = 0;
    // The window that dialogs are centred over and owned by.
    virtual QWidget* MainWindow() const = 0;
};

} // namespace quillabe
