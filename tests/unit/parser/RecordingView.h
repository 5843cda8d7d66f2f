#pragma once
// A progress display that remembers what it was told.

#include "engine/ProgressView.h"

#include <map>
#include <string>
#include <vector>

namespace quillabe::test {

class RecordingView : public ProgressView {
public:
    void SetLabel(ProgressLabel label, const std::string& text) override { labels[label] = text; }
    void SetBar(ProgressBar bar, int percent) override { bars[bar] = percent; }
    bool AnimationRunning() const override { return animating; }
    void StartAnimation() override {
        animating = true;
        ++animationStarts;
    }
    void StopAnimation() override { animating = false; }
    void SetTrayHint(const std::string& hint) override { trayHint = hint; }
    void SetFileState(const std::string& path, TFileState state) override {
        fileStates.emplace_back(path, state);
    }

    std::string Label(ProgressLabel label) const {
        auto it = labels.find(label);
        return it == labels.end() ? "<unset>" : it->second;
    }
    int Bar(ProgressBar bar) const {
        auto it = bars.find(bar);
        return it == bars.end() ? -1 : it->second;
    }

    std::map<ProgressLabel, std::string> labels;
    std::map<ProgressBar, int> bars;
    bool animating = false;
    int animationStarts = 0;
    std::string trayHint;
    std::vector<std::pair<std::string, TFileState>> fileStates;
};

} // namespace quillabe::test
