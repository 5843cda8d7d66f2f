#pragma once
// A notification area for the batch windows' tests: it records what the windows asked of it.

#include "ui/batch/TrayAccess.h"

#include <string>

namespace quillabe::test {

class RecordingTray : public TrayAccess {
public:
    explicit RecordingTray(bool available = true) : available_(available) {}

    bool TrayAvailable() const override { return available_; }
    void HideToTray() override { ++hidden; }
    void ShowBalloon(const std::string& title, const std::string& text, int ms) override {
        balloonTitle = title;
        balloonText = text;
        balloonMs = ms;
        ++balloons;
    }
    void SetTrayHint(const std::string& text) override { hint = text; }

    int hidden = 0, balloons = 0, balloonMs = 0;
    std::string balloonTitle, balloonText, hint;

private:
    bool available_;
};

} // namespace quillabe::test
