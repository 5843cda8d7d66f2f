#pragma once
// The groups of an audio codec page: channels, sample rate and, for codecs with a bitrate, the
// automatic-bitrate switch and a slider whose range may follow the sample rate (and a channel
// choice that fixes the sample rate, AC3's 5.1).

#include "ui/editors/groups/TableSlider.h"

#include <QWidget>

#include <span>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QStackedWidget;

namespace quillabe {

struct AudioPageSetup {
    std::span<const MsgId> channels;
    std::span<const int> sampleRates;
    std::span<const int> bitrateTable = {}; // empty: the codec has no bitrate
    int maxPosition = 0;                    // the slider's maximum
    // Slider range by sample-rate index; an index beyond it (or no table) gives 1..maxPosition.
    std::span<const editor_tables::SliderRange> rangeBySampleRate = {};
    // A channels index that fixes the sample rate (shown as `fixedRateText`) and the range.
    int fixedRateChannel = -1;
    std::string_view fixedRateText = {};
    editor_tables::SliderRange fixedRateRange = {};
};

class AudioCodecGroups : public QWidget {
    Q_OBJECT
public:
    AudioCodecGroups(const QString& suffix, const AudioPageSetup& setup, QWidget* parent = nullptr);

    QComboBox* ChannelsList() const { return channels_; }
    QComboBox* SampleRateList() const { return sampleRate_; }
    QCheckBox* AutoBitrateBox() const { return auto_; } // nullptr without a bitrate
    TableSlider* Slider() const { return slider_; }     // nullptr without a bitrate

    // Automatic bitrate, then the sample-rate range, then the fixed-rate channel rule.
    void ApplyRules();

private:
    void applyAutoBitrate();
    void applySampleRateRange();
    void applyChannelRule();
    bool fixedRate() const;

    AudioPageSetup setup_;
    QComboBox* channels_;
    QComboBox* sampleRate_;
    QStackedWidget* rateStack_;
    QCheckBox* auto_ = nullptr;
    QWidget* bitrateRows_ = nullptr;
    TableSlider* slider_ = nullptr;
};

} // namespace quillabe
