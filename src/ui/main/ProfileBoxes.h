#pragma once
// The profile commands' view of the main window's profile boxes, over FormatSelection.

#include "ui/editors/frame/ProfileBoxAccess.h"

namespace quillabe {

class FormatSelection;

class ProfileBoxes : public ProfileBoxAccess {
public:
    ProfileBoxes(FormatSelection& formats, QWidget* mainWindow);

    int CurrentFormat() const override;
    std::string CurrentName() const override;
    int Count() const override;
    void Refill(int format, const std::optional<std::string>& nameToSelect) override;
    std::string CurrentProfilePath() const override;
    QWidget* MainWindow() const override { return mainWindow_; }

private:
    FormatSelection& formats_;
    QWidget* mainWindow_;
};

} // namespace quillabe
