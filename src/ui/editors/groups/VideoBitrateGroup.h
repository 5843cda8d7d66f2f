#pragma once
// A codec page's video bitrate: a preset quality slider over a value table, or a number the user
// specifies through the value dialog (Configure).

#include "ui/editors/groups/TableSlider.h"

#include <QGroupBox>

#include <functional>
#include <span>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;

namespace quillabe {

struct VideoBitrateSetup {
    std::span<const int> table;
    int maxPosition; // the slider's maximum, as a rule the table's size
    int askMin;      // Configure's bounds
    int askMax;
    int defaultPosition = 2; // where loading starts before it matches the stored number
};

// The value dialog as the group calls it (owner, title, prompt, current, largest, smallest);
// tests answer it without a modal loop.
using AskValueFn =
    std::function<int(QWidget*, const std::string&, const std::string&, int, int, int)>;
AskValueFn& VideoBitrateAsker();

class VideoBitrateGroup : public QGroupBox {
    Q_OBJECT
public:
    VideoBitrateGroup(const QString& suffix, const VideoBitrateSetup& setup,
                      QWidget* parent = nullptr);

    QRadioButton* PresetButton() const { return preset_; }
    QRadioButton* SpecifyButton() const { return specify_; }
    TableSlider* Slider() const { return slider_; }
    QPushButton* ConfigureButton() const { return configure_; }

    void LoadSpecified(int32_t kbps);
    int32_t Specified() const { return specified_; }
    void ApplyEnabling();

private:
    void configure();

    VideoBitrateSetup setup_;
    QRadioButton* preset_;
    QRadioButton* specify_;
    TableSlider* slider_;
    QLabel* specifiedLabel_;
    QPushButton* configure_;
    QWidget* presetRow_;
    QWidget* specifyRow_;
    int32_t specified_ = 0;
};

} // namespace quillabe
